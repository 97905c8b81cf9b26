// Tabs "Scroller", "Border + Background" and "Pager + Trainer".
#include "app/dialogs/OptionActions.h"
#include "app/dialogs/OptionTable.h"

namespace quellor::options {

void AddScrollerTab(TableBuilder& b) {
  b.Frame("scroll.fonts", "", 5, 5, 775, 54, {385, 380}, 170);
  for (int s = 0; s < 2; ++s) {
    const std::string n = std::to_string(s + 1);
    Control& font = b.Combo("Scroller" + n + ".Font", "Used Font in Scroller " + n, kFontChoices);
    font.After = ScrollerFontSpacing;
    font.Slot = s;
  }
  for (int s = 0; s < 2; ++s) {
    const std::string n = std::to_string(s + 1);
    const std::string k = "Scroller" + n + ".";
    const int y = 64 + s * 142;
    b.Frame("scroll.sinus" + n, "Scroller " + n + " Sinus", 5, y, 250, 106, {240}, 70);
    b.Edit(k + "SinSTP", "step", Input::Digits, "1");
    b.Edit(k + "SinADD", "add", Input::Digits, "4");
    b.Edit(k + "SinSiz", "size", Input::Digits, "100");
    b.Frame("scroll.swing" + n, "Swing Sinus " + n, 260, y, 250, 132, {240}, 70);
    b.Edit(k + "SinRot", "rota", Input::Digits, "10");
    b.Edit(k + "SSinAdd", "add", Input::Decimal, "5");
    b.Edit(k + "SSinSiz", "size", Input::Digits, "150");
    b.Button("scroll.calc" + n, "Calculate", PressCalculate).Slot = s;
  }
}

void AddBorderTab(TableBuilder& b) {
  b.Frame("border.frame", "Border Settings", 5, 5, 380, 158, {370}, 120);
  b.Edit("Border.Scroll", "Scroll Border", Input::Digits, "0");
  b.Check("Border.Top", "Top Border");
  b.Check("Border.Bot", "Bottom Border");
  b.Check("Border.Rgt", "Right Border");
  b.Check("Border.Lft", "Left Border");

  b.Frame("border.blend", "Border Blend Mode", 390, 5, 390, 80, {380}, 120);
  b.Blend("Border.Src", "Source", ReapplyBlend, kBorder);
  b.Blend("Border.Dest", "Destination", ReapplyBlend, kBorder);

  b.Frame("background.scroll", "Scroll the background image", 390, 90, 390, 80, {380}, 120);
  b.Edit("Background.ScrollX", "Scroll X pixel", Input::Signed, "0");
  b.Edit("Background.ScrollY", "Scroll Y pixel", Input::Signed, "0");
}

namespace {
// The spawn and vanish frames share their layout; `v` is "" or "2" in the speed keys.
struct MotionFrame {
  const char* Name;
  const char* Caption;
  const char* Suffix;
  const char* Prefix;  // Spn_ or Van_
  const char* X;
  const char* Y;
  const char* Trans;
  const char* SizeX;
  const char* SizeY;
  const char* Rotation;
  const char* RotationInitial;
  const char* DelayMode;
  const char* Mode;
};

constexpr MotionFrame kMotion[] = {
    {"pager.spawn", "Spawn Effect", "", "Spn_", "Spawn X coordinate", "Spawn Y coordinate",
     "Spawn Transparency", "Spawn X size", "Spawn Y size", "Spawn Rotation", "0", "Spawn Delay Mode",
     "Spawn Mode"},
    {"pager.vanish", "Vanish Effect", "2", "Van_", "Vanish X Coordinate", "Vanish Y Coordinate",
     "Vanish Transparency", "Vanish X size", "Vanish Y size", "Vanish Rotation", "1",
     "Vanisch Delay Mode", "Vanish Mode"},
};
}  // namespace

void AddPagerTab(TableBuilder& b) {
  b.Frame("pager.frame", "", 5, 5, 385, 158, {190, 185}, 100);
  b.Edit("Pager.YLins", "Pager Lines", Input::Digits, "5");
  b.Edit("Pager.perLine", "Chars per line", Input::Digits, "20");
  b.Combo("Pager.Font", "Used Font", kFontChoices).After = PagerFontSpacing;
  b.Edit("Pager.Time", "Show Page", Input::Digits, "5000").Unit = "mms";
  b.Edit("Pager.Next", "next after", Input::Digits, "0").Unit = "mms";
  b.Combo("Pager.PaSwKey", "Switch Page after", kPageSwitch);
  b.Check("Pager.InstaC", "Clear Instant");

  b.Frame("trainer.frame", "Trainer Options", 395, 5, 385, 158, {190, 185}, 90);
  b.Edit("Trainer.YLins", "Trainer Lines", Input::Text, "5");
  b.Edit("Trainer.perLine", "Chars per line", Input::Text, "20");
  b.Combo("Trainer.Font", "Used Font", kFontChoices).After = TrainerFontSpacing;
  b.Combo("Trainer.Contr", "", kTrainerControls);
  b.Button("trainer.load", "Load Bar", PressLoadBar);
  b.Button("trainer.remove", "Remove Bar", PressRemoveBar);
  b.Blend("Trainer.TB_SRC", "Source", ReapplyBlend, kTrainerBar);
  b.Blend("Trainer.TB_Dest", "Destination", ReapplyBlend, kTrainerBar);
  b.Check("Trainer.TB_Line", "Fullscreen TrainerBar");
  b.Check("Trainer.LLExit", "Last line exit");

  for (int f = 0; f < 2; ++f) {
    const MotionFrame& mf = kMotion[f];
    const std::string s = mf.Suffix;
    const std::string p = std::string("Pager.") + mf.Prefix;
    b.Frame(mf.Name, mf.Caption, 5 + f * 390, 168, 385, 240, {190, 185}, 120);
    b.Edit("Pager.Po_spd" + s, "Move position speed", Input::Digits, "2");
    b.Edit("Pager.Sc_spd" + s, "Scale chars speed", Input::Digits, "2");
    b.Edit("Pager.Ro_spd" + s, "Rotation speed", Input::Digits, "2");
    b.Edit("Pager.Tr_spd" + s, "Transparency speed", Input::Digits, "2");
    b.Edit("Pager.PG_del" + s, "Char typer delay", Input::Digits, "50");
    b.Edit("Pager.PG_Ldel" + s, "Line Delay", Input::Digits, "0");
    b.Edit(p + "pX", mf.X, Input::Signed, "400");
    b.Edit(p + "pY", mf.Y, Input::Signed, "300");
    b.Edit(p + "Tr", mf.Trans, Input::Digits, "0");
    b.Edit(p + "Ro", mf.Rotation, Input::Text, mf.RotationInitial);
    b.Edit(p + "sX", mf.SizeX, Input::Digits, "100").Unit = "%";
    b.Edit(p + "sY", mf.SizeY, Input::Digits, "100").Unit = "%";
    b.Combo(p + "DMI", mf.DelayMode, kDelayModes).Span = 2;
    b.Combo(p + "SM", mf.Mode, kSpawnModes).Span = 2;
  }
}

}  // namespace quellor::options
