#pragma once
// What the options window's controls do besides writing their field, and its buttons.
// Each takes the control it belongs to; Slot says which asset, bar or scroller.
#include <string>
#include <string_view>

#include "app/dialogs/OptionControls.h"

namespace quellor::options {

// Assets a blend pair belongs to (Control::Slot of a blend combo); GFX layer n is kGfx + n.
enum BlendAsset { kLogo = 1, kSign, kAnim2d, kAnimBob, kFont1, kFont2, kBorder, kTrainerBar, kGfx = 20 };

// --- "also" effects of value changes ----------------------------------------------------
void ReapplyBlend(AppContext& ctx, const Control& c);
void TurnGfx(AppContext& ctx, const Control& c);
void SwitchShadow(AppContext& ctx, const Control& c);
void MoveLight(AppContext& ctx, const Control& c);
void MoveObject(AppContext& ctx, const Control& c);
void CountRasters(AppContext& ctx, const Control& c);
void ScrollerFontSpacing(AppContext& ctx, const Control& c);
void PagerFontSpacing(AppContext& ctx, const Control& c);
void TrainerFontSpacing(AppContext& ctx, const Control& c);
void ResetAnimFrame(AppContext& ctx, const Control& c);
void RebuildClones(AppContext& ctx, const Control& c);
void ExecNameOnly(AppContext& ctx, const Control& c);

// --- custom fields -------------------------------------------------------------------------
std::string GetPlayAfterLoad(const IntroModel& m, const Engine&, const Control&);
void SetPlayAfterLoadBox(AppContext& ctx, const Control&, std::string_view v);
std::string GetMusicName(const IntroModel& m, const Engine&, const Control&);
void SetIntroName(AppContext& ctx, const Control&, std::string_view v);
std::string GetIntroName(const IntroModel& m, const Engine&, const Control&);
std::string GetOverlaySize(const IntroModel& m, const Engine&, const Control&);
// Catch-font grid (Slot: 0 X, 1 Y, 2 characters per line, 3 lines).
std::string GetPendingGrid(const IntroModel& m, const Engine&, const Control& c);
void SetPendingGrid(AppContext& ctx, const Control& c, std::string_view v);
void SetFontPreset(AppContext& ctx, const Control& c, std::string_view v);
std::string GetFog(const IntroModel& m, const Engine&, const Control& c);  // Slot 0 start, 1 end
// Swatch of raster bar Slot: "r,g,b" in 0..255.
std::string GetRasterColour(const IntroModel& m, const Engine&, const Control& c);
void SetRasterColour(AppContext& ctx, const Control& c, std::string_view v);
void SetMovementPreset(AppContext& ctx, const Control& c, std::string_view v);
// Animation information text of animation Slot (0 start-up, 1 bob).
std::string GetAnimInfo(const IntroModel& m, const Engine& e, const Control& c);

// --- buttons -------------------------------------------------------------------------------
void PressLoadOverlay(AppContext& ctx, const Control&);
void PressRemoveOverlay(AppContext& ctx, const Control&);
void PressLoadIcon(AppContext& ctx, const Control&);
void PressRemoveIcon(AppContext& ctx, const Control&);
void PressBrowseExec(AppContext& ctx, const Control&);
void PressRemoveExec(AppContext& ctx, const Control&);
void PressLoadAnim(AppContext& ctx, const Control& c);     // Slot 0 start-up, 1 bob
void PressAnimFrames(AppContext& ctx, const Control& c);   // "Set Values" of an animation
void PressLoadSign(AppContext& ctx, const Control&);
void PressRemoveSign(AppContext& ctx, const Control&);
void PressApplyDisplay(AppContext& ctx, const Control&);
void PressResetRotation(AppContext& ctx, const Control&);
void PressRasterTexture(AppContext& ctx, const Control& c);  // Slot = bar
void PressRasterColour(AppContext& ctx, const Control& c);   // the swatch
void PressRowUp(AppContext& ctx, const Control&);
void PressRowDown(AppContext& ctx, const Control&);
void ChangeRowLayer(AppContext& ctx, const Control&, std::string_view v);
void PressCalculate(AppContext& ctx, const Control& c);  // Slot = scroller
void PressLoadBar(AppContext& ctx, const Control&);
void PressRemoveBar(AppContext& ctx, const Control&);
void PressCloneValues(AppContext& ctx, const Control&);

}  // namespace quellor::options
