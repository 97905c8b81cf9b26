#include "app/wx/MenuBuilder.h"

namespace quellor {

namespace {
void AddItems(wxMenu* menu, const std::vector<MenuItemData>& items) {
  for (const MenuItemData& it : items) {
    if (it.Separator) {
      menu->AppendSeparator();
    } else if (!it.Sub.empty()) {
      auto* sub = new wxMenu;
      AddItems(sub, it.Sub);
      menu->AppendSubMenu(sub, wxString::FromUTF8(ToolkitLabel(it)));
    } else {
      // An accelerator in the label is also registered with the frame: the key sends
      // the item's own menu event, so it takes the same road as a click.
      wxMenuItem* mi = menu->Append(it.Id, wxString::FromUTF8(ToolkitLabel(it)), wxEmptyString,
                                    it.Checkable ? wxITEM_CHECK : wxITEM_NORMAL);
      if (!it.Enabled) mi->Enable(false);
    }
  }
}
}  // namespace

wxMenuBar* BuildWxMenuBar(const MenuBarData& bar) {
  auto* mb = new wxMenuBar;
  for (const MenuItemData& top : bar.Menus) {
    auto* menu = new wxMenu;
    AddItems(menu, top.Sub);
    mb->Append(menu, wxString::FromUTF8(ToolkitLabel(top)));
  }
  return mb;
}

}  // namespace quellor
