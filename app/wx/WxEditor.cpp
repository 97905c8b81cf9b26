#include "app/wx/WxEditor.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include <wx/app.h>
#include <wx/apptrait.h>
#include <wx/evtloop.h>
#include <wx/init.h>

#include "app/Shell.h"
#include "app/dialogs/Settings.h"
#include "app/wx/WxHost.h"
#include "project/PathResolve.h"
#include "ui/ResolutionChooserWindow.h"
#include "engine/gl/GlEngine.h"

namespace quellor {

namespace {
class EditorApp : public wxApp {
 public:
  bool OnInit() override { return true; }
  // The shell's loop replaces wx's own; nothing may end the process behind its back.
  int OnRun() override { return 0; }
};

int RunShellInWindow(const CommandLine& cl, wxEventLoopBase& loop) {
  auto model = std::make_unique<IntroModel>();
  Shell shell(*model);
  WxResolutionChooser chooser;
  shell.UseResolutionChooser(&chooser);
  // The settings file lies in the working directory, as the base folder does.
  shell.UseSettingsFile(JoinPath(std::filesystem::current_path().string(), kSettingsFile));
  shell.StartBeforeWindow(cl);
  if (shell.Ended()) return 0;  // the blue pill

  WxHost host(loop);
  std::string error;
  if (!host.OpenMainWindow(model->ScreenX, model->ScreenY, shell.InitialTitle(), &error)) {
    std::fprintf(stderr, "quellor: cannot open the main window: %s\n", error.c_str());
    return 1;
  }
  int rc = 0;
  {
    GlEngine engine([&host] { host.Present(); });
    host.AttachEngine(&engine);
    shell.UseSoundDevice();
    shell.StartWithWindow(host, engine);
    for (const std::string& k : shell.RejectedLoads())
      std::fprintf(stderr, "quellor: command-line option not applied: %s\n", k.c_str());
    rc = shell.Run();
    host.AttachEngine(nullptr);
  }  // the render device goes first, then the windows
  return rc;
}
}  // namespace

int RunEditorWindow(const CommandLine& cl, int argc, char** argv) {
  wxApp::SetInstance(new EditorApp);
  if (!wxEntryStart(argc, argv)) return kNoWindowSystem;
  int rc = 1;
  if (wxTheApp->CallOnInit()) {
    std::unique_ptr<wxEventLoopBase> loop(wxTheApp->GetTraits()->CreateEventLoop());
    wxEventLoopActivator activate(loop.get());
    rc = RunShellInWindow(cl, *loop);
  }
  wxEntryCleanup();
  return rc;
}

}  // namespace quellor
