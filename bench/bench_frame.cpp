// CPU time of one full preview frame: idle (nothing loaded), every 2D asset loaded, the
// bundled demo project (scrollers, pager, bobs, the 3D object), the demo with a placement
// mode at work through the editor's own overlay hook, the turning textured teapot alone,
// the teapot with its shadow, and every 2D asset with the teapot, on the recording engine
// and on headless GL.
// The counter allocs/frame counts heap allocations inside DrawFrame (should be 0 once the
// first frames have sized every list; the recording engine's copies of long texts count).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "app/AppContext.h"
#include "app/HeadlessHost.h"
#include "app/ProjectCommands.h"
#include "engine/Input.h"
#include "engine/gl/GlEngine.h"
#include "engine/image/ImageCodec.h"
#include "engine/recording/RecordingEngine.h"
#include "project/EditModes.h"
#include "project/IntroModel.h"
#include "project/Loaders.h"
#include "project/Object3d.h"
#include "render/Frame.h"
#include "render/IdleScene.h"
#include "tests/AllocationCounter.h"

using namespace quellor;

namespace {

// Every reading moves the clock on by one 60 Hz frame.
class SteppingClock : public Clock {
 public:
  uint64_t Now100ns() const override { return now_ += 160000; }

 private:
  mutable uint64_t now_ = 10000000;
};
SteppingClock g_clock;

enum Scene { kIdle = 0, kAllAssets = 1, kDemo = 2, kDemoPlacement = 3, kObject = 4, kObjectShadow = 5, kAllAssetsAndObject = 6 };

Image Picture(int w, int h) {
  Image img;
  img.Width = w;
  img.Height = h;
  img.Rgba.resize(static_cast<size_t>(w) * h * 4);
  for (size_t i = 0; i < img.Rgba.size(); ++i) img.Rgba[i] = static_cast<uint8_t>(i * 13);
  return img;
}

std::string Write(const std::filesystem::path& dir, const std::string& name, int w, int h) {
  const std::string p = (dir / name).string();
  WritePngFile(p, Picture(w, h));
  return p;
}

struct Setup {
  std::filesystem::path Dir;
  IntroModel M;
  HeadlessHost Host;
  std::unique_ptr<AppContext> Ctx;  // holds references, so it is built in place
  PlacementHook* Hook = nullptr;    // the editor's overlay while a mode is on
};

// The demo project as File > Load reads it, with its assets from the source tree.
void PrepareDemo(Setup& s, Engine& e, Scene scene) {
  IntroModel& m = s.M;
  m.BaseDir = QUELLOR_SOURCE_DIR;
  s.Ctx.reset(new AppContext{m, e, s.Host});
  LoadProjectFile(*s.Ctx, m.BaseDir + "/Data/Prefs/Demo.ini");
  if (scene != kDemoPlacement) return;
  // GFX #1 size mode with the right button held: title, rule, labels, help every frame.
  m.ModeGfxIndex = 1;
  SetSpriteSizeAnchor(m, e, m.GFX.Sprite[1], m.GFX.XPos[1], m.GFX.YPos[1], m.GFX.XSize[1], m.GFX.YSize[1]);
  m.EditMode = mode::kGfxSize;
  e.SetMouseButton(kMouseRight, true);
  s.Hook = &s.Ctx->Placement;
}

void Prepare(Setup& s, Engine& e, Scene scene) {
  s.Dir = std::filesystem::temp_directory_path() / ("quellor_bench_frame_" + std::to_string(::getpid()));
  std::filesystem::create_directories(s.Dir / "Data" / "Bobs");
  IntroModel& m = s.M;
  InitModel(m);
  m.BaseDir = s.Dir.string();
  m.Clock.Source = &g_clock;
  m.Clock.PreviewStart = g_clock.NowMs();
  WritePngFile((s.Dir / "Data" / "Bobs" / "Blue.png").string(), Picture(16, 16));
  SetupIdleScene(m);
  FillIdleScene(m);
  LoadIdlePointTexture(m, e);
  if (scene == kIdle) return;
  if (scene == kDemo || scene == kDemoPlacement) {
    PrepareDemo(s, e, scene);
    return;
  }
  if (scene >= kObject) {
    LoadTexture(m, e, Write(s.Dir, "objtex.png", 256, 256), 0);
    CreateObjectPrimitive(m, e, static_cast<int>(Primitive::Teapot));
    m.Obj3d.Shadow = scene == kObjectShadow ? 1 : 0;
    ApplyObjectSetup(m, e);
    if (scene != kAllAssetsAndObject) return;
  }
  LoadLogo(m, e, Write(s.Dir, "logo.png", 256, 128));
  LoadSign(m, e, Write(s.Dir, "sign.png", 32, 32));
  for (int i = 1; i <= 5; ++i) {
    LoadGfx(m, e, Write(s.Dir, "gfx" + std::to_string(i) + ".png", 64, 64), i);
    m.GFX.Layer[i] = i % 3;
    m.GFX.AutoRot[i] = 1.0f;
  }
  LoadBackground(m, e, Write(s.Dir, "bg.png", 256, 256));
  m.Background.ScrollX = 3;
  m.Background.ScrollY = 2;
  LoadBorder(m, e, Write(s.Dir, "border.png", 64, 32));
  m.Border.Rgt = m.Border.Lft = 1;
  m.Border.Scroll = 4;
  m.Border.Layer = 1;
  LoadTrainerBar(m, e, Write(s.Dir, "bar.png", 256, 16));
  LoadAnimation(m, e, Write(s.Dir, "anim.png", 128, 32), 0);
  LoadAnimation(m, e, Write(s.Dir, "bob.png", 32, 32), 1);
  m.PendingGrid = {32, 32, 10, 6};
  LoadFont(m, e, Write(s.Dir, "font1.png", 320, 224), 1);
  LoadFont(m, e, Write(s.Dir, "font2.png", 320, 224), 2);
  LoadOverlay(m, e, Write(s.Dir, "overlay.png", 64, 64));
  LoadTexture(m, e, Write(s.Dir, "tex.png", 64, 64), 0);
  LoadRasterTexture(m, e, Write(s.Dir, "ras.png", 4, 16), 1, 1);
  m.Logo.Layer = 1;
  m.Sign.Layer = 2;
}

void Finish(Setup& s) {
  std::error_code ec;
  std::filesystem::remove_all(s.Dir, ec);
}

void RunFrames(benchmark::State& state, Setup& s, Engine& e, RecordingEngine* rec) {
  IntroModel& m = s.M;
  int frame = 0;
  // The mouse sweeps the screen, so a mode's values and labels change every frame.
  auto drawOne = [&] {
    m.PreviewMouseX = 200 + frame % 400;
    m.PreviewMouseY = 100 + frame % 300;
    ++frame;
    DrawFrame(m, e, s.Hook);
    if (rec) rec->Clear();
  };
  for (int i = 0; i < 3; ++i) drawOne();  // let every list reach its size
  long allocs = 0;
  for (auto _ : state) {
    const long before = quellor::testing::HeapAllocations();
    drawOne();
    allocs += quellor::testing::HeapAllocations() - before;
  }
  state.counters["allocs/frame"] =
      benchmark::Counter(static_cast<double>(allocs), benchmark::Counter::kAvgIterations);
}

void BM_FrameRecording(benchmark::State& state) {
  RecordingEngine e;
  e.Open(800, 600);
  Setup s;
  Prepare(s, e, static_cast<Scene>(state.range(0)));
  RunFrames(state, s, e, &e);
  Finish(s);
}
BENCHMARK(BM_FrameRecording)->ArgName("scene")->DenseRange(kIdle, kAllAssetsAndObject);

void BM_FrameGl(benchmark::State& state) {
  std::string error;
  static std::unique_ptr<EglContext> ctx = EglContext::Create(&error);
  if (!ctx) {
    state.SkipWithError(("no headless EGL: " + error).c_str());
    return;
  }
  ctx->MakeCurrent();
  GlEngine e;
  if (!e.Open(800, 600)) {
    state.SkipWithError("GL engine did not open");
    return;
  }
  Setup s;
  Prepare(s, e, static_cast<Scene>(state.range(0)));
  RunFrames(state, s, e, nullptr);
  Finish(s);
}
BENCHMARK(BM_FrameGl)->ArgName("scene")->DenseRange(kIdle, kAllAssetsAndObject)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
