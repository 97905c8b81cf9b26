#include "app/commands/GadgetRouting.h"

#include <algorithm>

#include "app/dialogs/OptionsWindow.h"

namespace quellor {

const std::vector<GadgetRoute>& OptionsGadgetRoutes() {
  static const std::vector<GadgetRoute> kRoutes = {
      {options::kFirstGadget, options::LastGadget(), HandleOptionsGadget}};
  return kRoutes;
}

const GadgetRoute* FindGadgetRoute(const std::vector<GadgetRoute>& routes, int gadget) {
  for (const GadgetRoute& r : routes)
    if (gadget >= r.First && gadget <= r.Last && r.Handle) return &r;
  return nullptr;
}

std::string FilterNumericText(const std::string& text, bool decimal, int& caret) {
  std::string out;
  bool point = false;
  int dropped = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    bool keep = (c >= '0' && c <= '9') || (c == '-' && i == 0) || (decimal && c == '.' && !point);
    if (c == '.' && keep) point = true;
    if (keep)
      out += c;
    else if (static_cast<int>(i) < caret)
      ++dropped;
  }
  caret = std::max(0, std::min(caret - dropped, static_cast<int>(out.size())));
  return out;
}

}  // namespace quellor
