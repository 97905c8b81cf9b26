#pragma once
// The intro options window's behaviour: opening it, keeping it in step with the model,
// and what its controls do. The window itself (ui/) only shows values and posts gadget
// events; everything here runs without a display.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/AppContext.h"
#include "app/dialogs/OptionControls.h"

namespace quellor {

// What a field of the given kind keeps of a typed text; `caret` moves left by the
// characters dropped before it.
std::string FilterFieldText(options::Input in, const std::string& text, int& caret);

// A control reported a new value (text, "0"/"1", combo index, track position, "r,g,b"):
// the field is written and what the control also does happens at once. False for a gadget
// that holds no value or a value the control cannot have.
bool ApplyOption(AppContext& ctx, int gadget, std::string_view value);
// A button or colour swatch was pressed.
void PressOption(AppContext& ctx, int gadget);
// A gadget event of the window: buttons act, value controls hand their view's value on.
void HandleOptionsGadget(AppContext& ctx, int gadget);

// Extra > Intro Setup: opens the window, probes the packers and fills every control.
void OpenOptionsWindow(AppContext& ctx);
// Fills the open window from the model now (nothing when it is closed).
void RefreshOptionsWindow(AppContext& ctx);
// After each event: refreshes the open window when the model moved on since it last
// showed it.
void SyncOptionsWindow(AppContext& ctx);

}  // namespace quellor
