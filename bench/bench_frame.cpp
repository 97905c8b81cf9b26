// CPU time of one full preview frame: idle (nothing loaded), every 2D asset loaded, the
// bundled demo project (scrollers, pager, bobs, the 3D object), the demo with a placement
// mode at work through the editor's own overlay hook, the turning textured teapot alone,
// the teapot with its shadow, and every 2D asset with the teapot, on the recording engine
// and on headless GL.
// The counter allocs/frame counts heap allocations inside DrawFrame (should be 0 once the
// first frames have sized every list; the recording engine's copies of long texts count).
#include <benchmark/benchmark.h>

#include <cstdio>

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
#include "render/Bobs.h"
#include "render/Frame.h"
#include "render/PagerTrainer.h"
#include "render/RasterBars.h"
#include "render/Scrollers.h"
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

// kStress: all assets and the object, plus both scrollers on FX 4, pager and trainer in
// flight, 2 000 bob clones, the object's wobble shader, the CRT post effect and three
// raster bars.
enum Scene {
  kIdle = 0, kAllAssets = 1, kDemo = 2, kDemoPlacement = 3, kObject = 4, kObjectShadow = 5,
  kAllAssetsAndObject = 6, kStress = 7
};

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

void AddStress(Setup& s, Engine& e) {
  IntroModel& m = s.M;
  const std::string shader = std::string(QUELLOR_SOURCE_DIR) + "/Data/Shader/";
  for (int k = 0; k < 2; ++k) {
    m.Scroller[k].Active = 1;
    m.Scroller[k].Font = k;
    m.Scroller[k].Text = "@THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG 0123456789 @";
    SetScrollerEffect(m, k, 4);
  }
  ResetScrollers(m);
  m.Pager.Active = 1;
  m.Pager.YLins = 5;
  for (int l = 0; l < 5; ++l) m.Pager.Lines.push_back("ABCDEFGHIJKLMNOPQRST");
  m.Pager.PG_del = 0;
  m.Pager.Po_spd = m.Pager.Sc_spd = m.Pager.Tr_spd = m.Pager.Ro_spd = 0;  // always in flight
  RestartPager(m, e);
  m.Trainer.Active = 1;
  m.Trainer.YLins = 6;
  for (int i = 0; i < 12; ++i) m.Trainer.Lines.push_back(i < 6 ? "INFINITE LIVES    OFF" : "INFINITE LIVES    ON");
  RestartTrainer(m, e);
  ApplyBobPreset(m, e, 2);
  m.AnimClone.Active = 1;
  m.AnimClone.Count = 2000;
  GenerateClones(m);
  LoadVertexShader(m, e, shader + "Vertex/Wobble.fx");
  LoadPostFxShader(m, e, shader + "PostFX/crt.fx");
  SetRasterEffectSource(m);
  CompileRasterEffect(m, e);
  for (int n = 1; n <= 3; ++n) {
    LoadRasterTexture(m, e, Write(s.Dir, "ras" + std::to_string(n) + ".png", 4, 16), n, 1);
    m.Raster.enb[n] = 1;
    m.Raster.fxt[n] = static_cast<float>(n);
    m.Raster.rgb[n] = {n == 1 ? 1.0f : 0.0f, n == 2 ? 1.0f : 0.0f, n == 3 ? 1.0f : 0.0f, 0.0f};
  }
  m.Raster.RasterCount = 3;
  if (m.VertexShader.Effect == 0 || m.PostFX.Effect == 0 || m.Raster.Effect == 0)
    std::fprintf(stderr, "bench_frame: an effect of the stress scene did not compile: %s\n", e.ErrorText().c_str());
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
    if (scene != kAllAssetsAndObject && scene != kStress) return;
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
  if (scene == kStress) AddStress(s, e);
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
BENCHMARK(BM_FrameRecording)->ArgName("scene")->DenseRange(kIdle, kStress);

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
BENCHMARK(BM_FrameGl)->ArgName("scene")->DenseRange(kIdle, kStress)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
