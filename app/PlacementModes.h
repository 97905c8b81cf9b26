#pragma once
// Mouse-driven placement modes: while EditMode names one, the right button moves, sizes
// or turns an element from the mouse position, the left button ends the mode, and a help
// overlay with the current values is drawn over the preview.
#include <array>
#include <string_view>

#include "app/Host.h"
#include "engine/Engine.h"
#include "engine/Input.h"
#include "project/EditModes.h"
#include "project/IntroModel.h"
#include "render/Frame.h"

namespace quellor {

// 1..27 except 13.
bool IsPlacementMode(int m);
// Room for the longest mode title with any GFX slot number.
using PlacementTitleBuffer = std::array<char, 128>;
// The window title of `mode`, written into `buf` when it has to be formatted (GFX
// modes); empty for a number that is no mode. Runs every pass, so it does not allocate.
std::string_view PlacementTitle(const IntroModel& m, int mode, PlacementTitleBuffer& buf);

// The right-button rule of `mode`, from PreviewMouseX/Y and the anchor.
void ApplyPlacementRule(IntroModel& m, Engine& e, int mode);

// One pass of the active mode: title, right-button rule, left-button end, help texts and
// help image. Does nothing while EditMode is 0.
void RunPlacementPass(IntroModel& m, Engine& e, Host& win);

// Leaves the mode as the left button does.
void EndPlacementMode(IntroModel& m, Engine& e, Host& win);

// Angle in degrees brought into [0, 360).
float WrapDegrees(float deg);

// Nearest integer, ties to even, clamped to the 32-bit range.
int32_t RoundToInt(double v);

// Anchor of the logo and GFX size modes: the sprite's centre below 200 %.
void SetSpriteSizeAnchor(IntroModel& m, const Engine& e, Handle sprite, int posX, int posY,
                         int sizeX, int sizeY);
// Anchor of the animation modes: the centre of the zoomed frame.
void SetAnimAnchor(IntroModel& m, const AnimFields& a);

// The frame's hook for the active mode.
class PlacementOverlay : public PlacementHook {
 public:
  explicit PlacementOverlay(Host& win) : win_(&win) {}
  void Run(IntroModel& m, Engine& e) override { RunPlacementPass(m, e, *win_); }

 private:
  Host* win_;
};

}  // namespace quellor
