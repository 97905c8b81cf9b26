// CPU time of one full preview frame: idle (nothing loaded), every 2D asset loaded,
// every 2D asset plus 1000 draw records, the turning textured teapot alone, the teapot
// with its shadow, and every 2D asset with the teapot, on the recording engine and on
// headless GL.
// The counter allocs/frame counts heap allocations inside DrawFrame (should be 0).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <unistd.h>

#include "engine/gl/GlEngine.h"
#include "engine/image/ImageCodec.h"
#include "engine/recording/RecordingEngine.h"
#include "project/IntroModel.h"
#include "project/Loaders.h"
#include "project/Object3d.h"
#include "render/Frame.h"
#include "render/IdleScene.h"

namespace {
std::atomic<long> g_allocs{0};
}

void* operator new(std::size_t n) {
  g_allocs.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

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

enum Scene { kIdle = 0, kAllAssets = 1, kAllAssetsAndRecords = 2, kObject = 3, kObjectShadow = 4, kAllAssetsAndObject = 5 };

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

// Refills the draw list after the hooks (which are not all in place yet) and queues its
// 3D-pass half, so 1000 Both-Layer records cost the frame what the scrollers' would.
struct RecordFeeder : PlacementHook {
  DrawList Records;
  void Run(IntroModel& m, Engine& e) override {
    m.Draws.assign(Records.begin(), Records.end());
    DisplayDrawRecords(m, e, true);
  }
};

struct Setup {
  std::filesystem::path Dir;
  IntroModel M;
  RecordFeeder Feeder;
  bool UseFeeder = false;
};

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
  if (scene == kAllAssetsAndRecords) {
    s.UseFeeder = true;
    for (int i = 0; i < 1000; ++i) {
      DrawRecord r;
      r.Sprite = m.Font1.Chars[i % 61].Sprite;
      r.X = (i * 37) % m.ScreenX;
      r.Y = (i * 53) % m.ScreenY;
      r.Width = r.Height = 150;
      r.Rotation = static_cast<float>(i % 360);
      r.Layer = 1;
      s.Feeder.Records.push_back(r);
    }
    m.Draws.reserve(1000);
  }
}

void Finish(Setup& s) {
  std::error_code ec;
  std::filesystem::remove_all(s.Dir, ec);
}

void RunFrames(benchmark::State& state, Setup& s, Engine& e, RecordingEngine* rec) {
  PlacementHook* hook = s.UseFeeder ? &s.Feeder : nullptr;
  for (int i = 0; i < 3; ++i) {  // let every list reach its size
    DrawFrame(s.M, e, hook);
    if (rec) rec->Clear();
  }
  long allocs = 0;
  for (auto _ : state) {
    const long before = g_allocs.load(std::memory_order_relaxed);
    DrawFrame(s.M, e, hook);
    allocs += g_allocs.load(std::memory_order_relaxed) - before;
    if (rec) rec->Clear();
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
