// Quellor entry point: the editor window, or a headless render when asked or when
// there is no display.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ExportCommand.h"
#include "app/HeadlessHost.h"
#include "app/Shell.h"
#include "engine/image/ImageCodec.h"
#include "engine/gl/GlEngine.h"
#include "engine/recording/RecordingEngine.h"
#include "music/SoundCapture.h"
#if QUELLOR_WITH_GUI
#include "app/wx/WxEditor.h"
#endif

namespace {

using namespace quellor;

bool HaveDisplay() {
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (w && *w);
}

// Frame rate the captured sound is cut by when the clock is the system's.
constexpr int kDefaultCaptureFps = 60;

// Real start-up and loop passes on an offscreen surface; the last frame goes to a PNG
// and, when asked, the sound of all frames to a WAV file.
int RunHeadless(const CommandLine& cl) {
  std::string error;
  std::unique_ptr<EglContext> egl = EglContext::Create(&error);
  if (!egl) {
    std::fprintf(stderr, "quellor: no headless OpenGL context: %s\n", error.c_str());
    return 1;
  }
  GlEngine engine({}, true);
  auto model = std::make_unique<IntroModel>();
  Shell shell(*model);
  // A fixed frame rate makes frame K the same picture on every run: the clock starts at
  // one second and moves exactly one frame per pass.
  FrameStepClock stepClock(cl.Fps, 10000000);
  if (cl.Fps > 0) shell.UseClock(stepClock);
  shell.StartBeforeWindow(cl);
  HeadlessHost host;
  shell.StartWithWindow(host, engine);
  for (const std::string& k : shell.RejectedLoads())
    std::fprintf(stderr, "quellor: command-line option not applied: %s\n", k.c_str());
  // The sound is cut by the fixed frame rate (60 without one): F frames hold exactly
  // F x 1000 / N ms of it.
  music::SoundCapture capture(shell.Context().Music.Out, cl.Fps > 0 ? cl.Fps : kDefaultCaptureFps);
  bool captureSound = !cl.AudioOutPath.empty();
  for (int i = 0; i < cl.Frames; ++i) {
    if (!shell.RunPass()) break;
    stepClock.NextFrame();
    if (captureSound) capture.AfterFrame();
  }
  if (captureSound) {
    std::error_code ec;
    std::filesystem::path wav(cl.AudioOutPath);
    if (wav.has_parent_path()) std::filesystem::create_directories(wav.parent_path(), ec);
    std::string why;
    if (!capture.Write(cl.AudioOutPath, &why)) {
      std::fprintf(stderr, "quellor: %s\n", why.c_str());
      return 1;
    }
    std::printf("quellor: sound of the frames written to %s\n", cl.AudioOutPath.c_str());
  }

  Image shot = engine.ReadScreen();
  std::error_code ec;
  std::filesystem::path out(cl.PngPath);
  if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path(), ec);
  if (!WritePngFile(cl.PngPath, shot)) {
    std::fprintf(stderr, "quellor: cannot write %s\n", cl.PngPath.c_str());
    return 1;
  }
  std::printf("quellor: %d frames rendered, last frame written to %s (%d x %d)\n", cl.Frames,
              cl.PngPath.c_str(), shot.Width, shot.Height);
  return 0;
}

// Create Final from the command line; the engine only measures and decodes, so a
// missing GPU is no reason to fail.
int RunExport(const CommandLine& cl) {
  std::string error, message;
  std::unique_ptr<EglContext> egl = EglContext::Create(&error);
  std::unique_ptr<Engine> engine;
  if (egl) engine = std::make_unique<GlEngine>(std::function<void()>{}, true);
  else engine = std::make_unique<RecordingEngine>();
  if (!engine->Open(800, 600)) engine = std::make_unique<RecordingEngine>();
  engine->Open(800, 600);
  const bool ok = ExportProjectFile(cl.ExportProject, cl.ExportTarget, *engine, &message);
  std::fprintf(ok ? stdout : stderr, "quellor: %s\n", message.c_str());
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> params(argv + 1, argv + argc);
  CommandLine cl = ParseCommandLine(params);
  if (!cl.Error.empty()) {
    std::fprintf(stderr, "quellor: %s\n%s", cl.Error.c_str(), CommandLineUsage().c_str());
    return 2;
  }
  if (cl.Help) {
    std::fputs(CommandLineUsage().c_str(), stdout);
    return 0;
  }
  if (!cl.ExportTarget.empty()) return RunExport(cl);
#if QUELLOR_WITH_GUI
  if (!cl.Headless && HaveDisplay()) {
    // The toolkit's GL canvas speaks GLX only; under Wayland it goes through XWayland.
    setenv("GDK_BACKEND", "x11", 1);
    int rc = RunEditorWindow(cl, argc, argv);
    if (rc != kNoWindowSystem) return rc;
    std::fprintf(stderr, "quellor: the display cannot be opened, rendering headlessly\n");
  }
#endif
  if (!cl.Headless && !HaveDisplay())
    std::fprintf(stderr, "quellor: no display, rendering headlessly\n");
  return RunHeadless(cl);
}
