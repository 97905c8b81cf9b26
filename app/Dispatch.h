#pragma once
#include "app/AppContext.h"

namespace quellor {
class PlacementHook;
// A chosen menu item (after the loop's menu prelude has run).
// Whether a menu command changes the intro by itself (not through a loader, a dialog or
// a placement mode).
bool CommandChangesIntro(int item);

void DispatchMenu(AppContext& ctx, int item);
// Sets the check marks of the four "Active" items from the model's Active fields.
void SyncActiveChecks(AppContext& ctx);
// A gadget event of one of the dialogs, by window and gadget number.
void DispatchGadget(AppContext& ctx, WindowId window, int gadget);
// A right click: shows the text editor's context menu while that window is open.
void HandleRightClick(AppContext& ctx);
// Whether a menu item has a command (items of modules still to come have none).
bool HasMenuCommand(int item);
// A close request for a window: the main window quits, the others close themselves.
void HandleCloseRequest(AppContext& ctx, WindowId w);
// The placement mode selected by EditMode, or null when none is active.
PlacementHook* ActivePlacement(AppContext& ctx);
}
