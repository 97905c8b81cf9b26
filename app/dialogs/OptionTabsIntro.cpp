// Tab "Intro": music, start-up timers, window, overlay, packer, icon and the program run
// after exit.
#include "app/dialogs/OptionActions.h"
#include "app/dialogs/OptionTable.h"

namespace quellor::options {

namespace {
struct TimerRow {
  const char* Caption;
  int Timer;        // Startup_Timer.ST_n
  const char* Fade;  // key of the fade flag; null: the row has none
};

// Entries 9 and 15 of the timer table belong to no row.
constexpr TimerRow kTimerRows[] = {
    {"Anim ( loop only )", 0, "Startup_Timer.SF_0"}, {"Bob Anim", 1, "Startup_Timer.SF_1"},
    {"Scrolltext 1", 2, "Startup_Timer.SF_2"},       {"Scrolltext 2", 3, "Startup_Timer.SF_3"},
    {"Pager", 4, "Startup_Timer.SF_4"},              {"Logo", 5, "Startup_Timer.SF_5"},
    {"Border", 6, "Startup_Timer.SF_6"},             {"Trainer", 8, "Startup_Timer.SF_7"},
    {"Sign", 7, nullptr},                            {"GFX #1", 10, "Startup_Timer.SF_9"},
    {"GFX #2", 11, "Startup_Timer.SF_10"},           {"GFX #3", 12, "Startup_Timer.SF_11"},
    {"GFX #4", 13, "Startup_Timer.SF_12"},           {"GFX #5", 14, "Startup_Timer.SF_13"},
};
}  // namespace

void AddIntroTab(TableBuilder& b) {
  b.Frame("intro.music", "Intro Music", 5, 5, 380, 54, {200, 170}, 70);
  Control& play = b.Check("intro.play", "Play Music after loading");
  play.Key.clear();
  play.Get = GetPlayAfterLoad;
  play.Set = SetPlayAfterLoadBox;
  b.Label("intro.musictype", "Music type:", GetMusicName).Initial = "No Music loaded";

  b.Frame("intro.fx", "FX activation time", 5, 64, 380, 236, {140, 45, 140, 45}, 100);
  for (int i = 0; i < 2; ++i) {
    b.Label("fx.effect" + std::to_string(i), "Effect", nullptr);
    b.Label("fx.fade" + std::to_string(i), "Fade", nullptr);
  }
  for (const TimerRow& r : kTimerRows) {
    b.Edit("Startup_Timer.ST_" + std::to_string(r.Timer), r.Caption, Input::Digits, "0");
    if (r.Fade)
      b.Check(r.Fade, "");
    else
      b.Skip();
  }

  b.Frame("intro.exec", "Execute a program after exit", 5, 305, 380, 110, {240, 130}, 0);
  Control& exec = b.Add(Kind::ReadOnly, "ExecPRG", "");
  exec.Key = "ExecPRG";
  exec.Span = 2;
  b.Check("ExecRun", "Run after exit");
  b.Button("intro.browse", "Browse", PressBrowseExec);
  Control& nameOnly = b.Check("ExecNME", "use only Filename");
  nameOnly.After = ExecNameOnly;
  nameOnly.RefreshAfter = true;
  b.Button("intro.execremove", "Remove", PressRemoveExec);

  b.Frame("intro.final", "Final Intro Settings", 390, 5, 190, 80, {180}, 0);
  b.Check("ONTop", "Hold Intro window on top");
  b.Check("MovWin", "Move window with mouse");

  b.Frame("intro.overlay", "Screen Overlay", 390, 90, 190, 158, {95, 85}, 40);
  b.Check("OverUSE", "use Overlay").Span = 2;
  b.Button("intro.overlayload", "Load Overlay GFX", PressLoadOverlay).Span = 2;
  b.Button("intro.overlayremove", "Remove GFX", PressRemoveOverlay).Span = 2;
  Control& size = b.Label("intro.overlaysize", "Size:", GetOverlaySize);
  size.Initial = "0 x 0";
  size.Span = 2;
  b.Edit("OverPX", "Pos:", Input::Signed, "0");
  b.Edit("OverPY", "", Input::Signed, "0");

  b.Frame("intro.icon", "Intro-Icon", 390, 253, 190, 110, {180}, 0);
  Control& icon = b.Add(Kind::ReadOnly, "IconC", "");
  icon.Key = "IconC";
  b.Button("intro.iconload", "Load Icon", PressLoadIcon);
  b.Button("intro.iconremove", "Remove Icon", PressRemoveIcon);

  b.Frame("intro.startup", "Startup Settings", 585, 5, 195, 136, {185}, 0);
  Control& name = b.Edit("IntroName", "", Input::Text, "My Intro");
  name.Key.clear();
  name.Get = GetIntroName;
  name.Set = SetIntroName;
  b.Radio("WinType", "Requester", 0);
  b.Radio("WinType", "Windowed", 1);
  b.Radio("WinType", "Fullscreen", 2);

  b.Frame("intro.effect", "StartUp Effect", 585, 146, 195, 56, {185}, 0);
  b.Combo("FMode", "", kStartupEffects);

  b.Frame("intro.packer", "Crunch after Export", 585, 207, 195, 136, {185}, 0);
  b.Radio("Packer", "Uncompressed", 0);
  b.Radio("Packer", "UPX", 1).Slot = 1;
  b.Radio("Packer", "KKrunchy", 2).Slot = 2;
  b.Radio("Packer", "MPress", 3).Slot = 3;
}

}  // namespace quellor::options
