#pragma once
// The editor shell: start-up in its fixed order, one pass of the main loop (one program
// event, then one preview frame) and quitting. The same shell drives the wx editor
// window, the headless renderer and the tests; only the Host and the Engine differ.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/CommandLine.h"
#include "app/ResourcePacks.h"
#include "app/dialogs/ResolutionChoice.h"
#include "engine/Clock.h"

namespace quellor {

struct WelcomeLine {
  std::string Text;
  uint32_t DurationMs = 0;
  uint32_t Colour = 0;
};

// The lines greeting the user in the status log, in the order they are added.
std::vector<WelcomeLine> WelcomeLines(const IntroModel& m);

// What every menu command starts with: the preview restarts its clock, motion pauses
// for this frame, any placement mode ends and the normal title comes back.
void MenuPrelude(AppContext& ctx);

class Shell {
 public:
  explicit Shell(IntroModel& m);
  ~Shell();
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  // The desktop editor keeps its settings file at `path` and asks for the screen size in
  // `chooser`. Without these (headless renders, tests) no settings file is touched and the
  // chooser is skipped. Call before StartBeforeWindow.
  void UseSettingsFile(const std::string& path) { settingsPath_ = path; }
  void UseResolutionChooser(ResolutionChooser* chooser) { chooser_ = chooser; }
  // The clock of the model and the engine (the system clock unless set); it must
  // outlive the shell. Set it before start-up.
  void UseClock(const Clock& clock) { clock_ = &clock; }

  // Start-up up to the point where the main window is needed: model defaults, the web
  // addresses, the first resource pack, the command line and the screen size.
  void StartBeforeWindow(const CommandLine& cl);

  // The editor window plays sound through the sound device; the headless renderer and
  // the tests do not. Call before StartWithWindow.
  void UseSoundDevice() { soundDevice_ = true; }

  // Title the main window is created with, before the menu bar exists.
  std::string InitialTitle() const;

  // The rest of start-up, once the host has opened the main window with a render
  // surface of ScreenX x ScreenY and made the engine for it: engine, menu bar, title,
  // preview scene, second resource pack, welcome lines, scrollers, clock, autoload.
  void StartWithWindow(Host& host, Engine& engine);

  // One pass of the main loop. Returns false once the program is to end.
  bool RunPass();

  // Passes until quitting; returns the process exit code.
  int Run();

  // True once the program is to end (also when the chooser's blue pill ended start-up).
  bool Ended() const { return ended_; }
  // The settings file counted no start-up before this one.
  bool FirstStart() const { return firstStart_; }
  AppContext& Context() { return *ctx_; }
  // Chooser images and About text as read from the first resource pack.
  const StartupPack& EditorPack() const { return startupPack_; }
  // --load entries that named no known asset kind.
  const std::vector<std::string>& RejectedLoads() const { return rejectedLoads_; }

 private:
  void SetUpPreviewScene();
  void ReadEditorImages();
  void AddWelcomeLines();
  void PlaceCentredItems();
  void Autoload();
  void LoadCommandLineAssets();
  void TakeOneEvent();
  void KeepMusicGoing();
  void Quit();

  IntroModel& m_;
  const Clock* clock_ = &SystemClock();
  CommandLine cl_;
  StartupPack startupPack_;
  std::unique_ptr<AppContext> ctx_;
  std::vector<std::string> rejectedLoads_;
  bool ended_ = false;
  std::string settingsPath_;
  ResolutionChooser* chooser_ = nullptr;
  bool firstStart_ = false;
  bool soundDevice_ = false;
};

}  // namespace quellor
