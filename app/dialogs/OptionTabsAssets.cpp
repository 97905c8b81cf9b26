// Tabs "Logo + 2d Anim" and "Fonts".
#include "app/dialogs/OptionActions.h"
#include "app/dialogs/OptionTable.h"

namespace quellor::options {

void AddLogoTab(TableBuilder& b) {
  b.Frame("logo.frame", "Logo", 5, 5, 250, 106, {240}, 95);
  b.Edit("Logo.Trans", "Transparency", Input::Digits, "255");
  b.Blend("Logo.SRC", "Source", ReapplyBlend, kLogo);
  b.Blend("Logo.Dest", "Destination", ReapplyBlend, kLogo);

  b.Frame("anim.start", "Startup Animation", 5, 116, 250, 106, {240}, 0);
  b.Check("Anim_2d.Intro", "only 1-pass Anim after start").After = ResetAnimFrame;
  b.Check("Anim_2d.Outro", "Reverse Anim after Exit");
  b.Check("Anim_2d.Spec", "Special Fade");

  b.Frame("anim.frame", "Animation", 260, 5, 520, 217, {170, 170}, 85);
  b.Button("anim.load", "Load Anim", PressLoadAnim).Slot = 0;
  b.Button("anim.set", "Set Values", PressAnimFrames).Slot = 0;
  b.Edit("Anim_2d.FSizeX", "X Size", Input::Digits, "32").RefreshAfter = true;
  b.Edit("Anim_2d.FSizeY", "Y Size", Input::Digits, "32").RefreshAfter = true;
  b.Edit("Anim_2d.Frames", "Frames", Input::Digits, "1").RefreshAfter = true;
  b.Edit("Anim_2d.Speed", "Speed", Input::Digits, "20");
  b.Edit("Anim_2d.Trans", "Transparency", Input::Digits, "255");
  Control& dir = b.Check("Anim_2d.Dir", "Loop Anim backwards");
  dir.How = Conv::DirCheck;
  b.Blend("Anim_2d.SRC", "Source", ReapplyBlend, kAnim2d);
  b.Blend("Anim_2d.Dest", "Destination", ReapplyBlend, kAnim2d);
  Control& info = b.Label("anim.info", "", GetAnimInfo);
  info.Type = Kind::Info;
  info.Slot = 0;
  info.X = 350, info.Y = 20, info.W = 165, info.H = 150;

  b.Frame("sign.frame", "Sign graphic", 5, 227, 775, 82, {255, 255, 255}, 90);
  b.Button("sign.load", "Load Sign", PressLoadSign);
  b.Combo("Sign.IN", "Appear", kSignAppear);
  b.Blend("Sign.SRC", "Source", ReapplyBlend, kSign);
  b.Button("sign.remove", "Remove", PressRemoveSign);
  b.Combo("Sign.OUT", "Disappear", kSignDisappear);
  b.Blend("Sign.Dest", "Destination", ReapplyBlend, kSign);
}

void AddFontsTab(TableBuilder& b) {
  b.Frame("fonts.blend", "", 5, 5, 380, 158, {370}, 150);
  b.Blend("Fonts.F1SRC", "Source Font 1", ReapplyBlend, kFont1);
  b.Blend("Fonts.F1Dest", "Destination Font 1", ReapplyBlend, kFont1);
  b.Blend("Fonts.F2SRC", "Source Font 2", ReapplyBlend, kFont2);
  b.Blend("Fonts.F2Dest", "Destination Font 2", ReapplyBlend, kFont2);
  b.Button("fonts.apply", "Apply", PressApplyDisplay);

  b.Frame("fonts.catch", "Catch Font settings", 390, 5, 390, 158, {380}, 150);
  const char* captions[] = {"X Size", "Y Size", "Chars per line"};
  const char* initial[] = {"32", "32", "10"};
  for (int i = 0; i < 3; ++i) {
    Control& c = b.Edit(kGridFieldPrefix + std::to_string(i), captions[i], Input::Digits, initial[i]);
    c.Key.clear();
    c.Slot = i;
    c.Get = GetPendingGrid;
    c.Set = SetPendingGrid;
    c.RefreshAfter = i == 2;  // the line count follows
  }
  Control& lines = b.Add(Kind::ReadOnly, std::string(kGridFieldPrefix) + "3", "Lines");
  lines.Initial = "6";
  lines.Slot = 3;
  lines.Get = GetPendingGrid;
  Control& presets = b.Combo(kPresetCombo, "Presets", {});
  presets.Key.clear();
  presets.Set = SetFontPreset;
  presets.RefreshAfter = true;
}

}  // namespace quellor::options
