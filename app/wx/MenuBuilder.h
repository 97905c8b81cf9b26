#pragma once
#include <wx/menu.h>

#include "app/Menu.h"

namespace quellor {
// Turns the menu data into wx menus; items keep their ids, so a click reports the id.
wxMenuBar* BuildWxMenuBar(const MenuBarData& bar);
}
