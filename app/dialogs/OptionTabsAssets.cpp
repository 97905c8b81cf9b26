// Tabs "Logo + 2d Anim" and "Fonts".
#include "app/dialogs/OptionActions.h"
#include "app/dialogs/OptionTable.h"

namespace quellor::options {

Control& AddAnimationControls(TableBuilder& b, int slot) {
  const std::string group = slot == 0 ? "Anim_2d." : "Anim_BOB.";
  const std::string name = slot == 0 ? "anim." : "bob.";
  b.Button(name + "load", "Load Anim", PressLoadAnim).Slot = slot;
  b.Button(name + "set", "Set Values", PressAnimFrames).Slot = slot;
  // The frame size and count show in the information text as well.
  b.Edit(group + "FSizeX", "X Size", Input::Digits, "32").RefreshAfter = true;
  b.Edit(group + "FSizeY", "Y Size", Input::Digits, "32").RefreshAfter = true;
  b.Edit(group + "Frames", "Frames", Input::Digits, "1").RefreshAfter = true;
  b.Edit(group + "Speed", "Speed", Input::Digits, slot == 0 ? "20" : "30");
  b.Edit(group + "Trans", "Transparency", Input::Digits, "255");
  b.Check(group + "Dir", "Loop Anim backwards").How = Conv::DirCheck;
  b.Blend(group + "SRC", "Source", ReapplyBlend, slot == 0 ? kAnim2d : kAnimBob);
  b.Blend(group + "Dest", "Destination", ReapplyBlend, slot == 0 ? kAnim2d : kAnimBob);
  Control& info = b.Label(name + "info", "", GetAnimInfo);
  info.Type = Kind::Info;
  info.Slot = slot;
  return info;
}

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
  Control& info = AddAnimationControls(b, 0);
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
