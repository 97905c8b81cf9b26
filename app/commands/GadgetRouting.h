#pragma once
// Gadget events of the editor's dialogs and the typing filter of numeric fields.
#include <functional>
#include <string>
#include <vector>

#include "app/AppContext.h"

namespace quellor {

// A range of gadget numbers and the window code that handles them.
struct GadgetRoute {
  int First = 0, Last = 0;
  std::function<void(AppContext&, int)> Handle;
};

// Routes of the intro options window: every control of its table.
const std::vector<GadgetRoute>& OptionsGadgetRoutes();

// Finds the route of a gadget number in `routes`; null when none covers it.
const GadgetRoute* FindGadgetRoute(const std::vector<GadgetRoute>& routes, int gadget);

// Keeps what a numeric field may hold: digits, a minus sign only as the first character
// and, for decimal fields, the first point. `caret` moves left by the characters dropped
// before it.
std::string FilterNumericText(const std::string& text, bool decimal, int& caret);

}  // namespace quellor
