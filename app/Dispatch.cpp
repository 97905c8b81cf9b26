#include "app/Dispatch.h"

#include "app/Menu.h"

namespace quellor {
// Placeholder until command dispatch lands: only quitting works.
constexpr int kPlaceholderQuit = 1999;
MenuBarData BuildMenuBar() {
  MenuBarData bar;
  bar.Menus.push_back({"File", 0, false, false, true, {{"Quit", kPlaceholderQuit}}});
  return bar;
}
void DispatchMenu(AppContext& ctx, int item) {
  if (item == kPlaceholderQuit) ctx.QuitRequested = true;
}
void DispatchGadget(AppContext&, int) {}
void HandleCloseRequest(AppContext& ctx, WindowId w) {
  if (w == WindowId::Main) ctx.QuitRequested = true;
  else ctx.Win.CloseWindow(w);
}
PlacementHook* ActivePlacement(AppContext&) { return nullptr; }
}
