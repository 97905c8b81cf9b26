#pragma once
// The menu bar as plain data; the wx host turns it into real menus, tests read it directly.
#include <string>
#include <vector>

namespace quellor {

struct MenuItemData {
  std::string Text;
  int Id = 0;               // 0 for separators and submenu headers
  bool Separator = false;
  bool Checkable = false;
  bool Enabled = true;
  // Keyboard access, kept apart from Text so the visible labels stay exactly as they are.
  char Mnemonic = 0;        // letter of Text that Alt opens a title with; 0 for none
  std::string Accelerator;  // shortcut shown beside the item, "Ctrl+N"; empty for none
  std::vector<MenuItemData> Sub;  // non-empty: this is a submenu
};

struct MenuBarData {
  std::vector<MenuItemData> Menus;  // top-level titles, each with its Sub items
};

// The editor's whole menu bar.
MenuBarData BuildMenuBar();

// The label in the toolkit's notation: '&' before the mnemonic letter (its first
// occurrence in Text; a literal '&' is doubled), then a tab and the accelerator.
std::string ToolkitLabel(const MenuItemData& item);

}  // namespace quellor
