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
  std::vector<MenuItemData> Sub;  // non-empty: this is a submenu
};

struct MenuBarData {
  std::vector<MenuItemData> Menus;  // top-level titles, each with its Sub items
};

// The editor's whole menu bar.
MenuBarData BuildMenuBar();

}  // namespace quellor
