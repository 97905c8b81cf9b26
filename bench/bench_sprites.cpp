// Frame time of the GL engine for many moving 32 x 32 sprites on a headless 800 x 600
// context: one texture shared by all, or 16 textures with interleaved calls. Each
// frame ends with glFinish so the time includes the rasterisation itself. "Time" is
// wall time per frame, "CPU" the calling thread's; process_cpu_ms adds the software
// rasteriser's worker threads, which is steadier than wall time on a busy machine.
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "engine/gl/GlEngine.h"

using namespace quellor;

namespace {
constexpr int kScreenW = 800, kScreenH = 600;

double ProcessCpuMs() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return (static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1e3 +
          static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e3);
}

Image Ball(int seed) {
  Image img;
  img.Width = img.Height = 32;
  img.Rgba.resize(32 * 32 * 4);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      uint8_t* p = &img.Rgba[(y * 32 + x) * 4];
      float d = std::hypot(x - 15.5f, y - 15.5f) / 16.0f;
      p[0] = static_cast<uint8_t>(60 + seed * 12);
      p[1] = static_cast<uint8_t>(255 - seed * 10);
      p[2] = static_cast<uint8_t>(x * 8);
      p[3] = static_cast<uint8_t>(d >= 1 ? 0 : 255 * (1 - d * d));
    }
  return img;
}

void RunFrames(benchmark::State& state, int textures) {
  std::string error;
  auto ctx = EglContext::Create(&error);
  if (!ctx) {
    state.SkipWithError(error.c_str());
    return;
  }
  const int count = static_cast<int>(state.range(0));
  {
    GlEngine engine;
    if (!engine.Open(kScreenW, kScreenH)) {
      state.SkipWithError(engine.ErrorText().c_str());
      return;
    }
    std::vector<Handle> sprites;
    for (int t = 0; t < textures; ++t) sprites.push_back(engine.CreateSprite(engine.TextureFromImage(Ball(t))));
    int frame = 0;
    const double cpuStart = ProcessCpuMs();
    for (auto _ : state) {
      for (int i = 0; i < count; ++i) {
        // Every sprite moves each frame on its own Lissajous path.
        float a = static_cast<float>(i) * 0.37f + static_cast<float>(frame) * 0.02f;
        int x = static_cast<int>(384 + 380 * std::sin(a * 1.3f));
        int y = static_cast<int>(284 + 280 * std::cos(a * 0.7f + static_cast<float>(i)));
        engine.DisplaySprite(sprites[static_cast<size_t>(i % textures)], x, y, 255);
      }
      engine.RenderWorld();
      engine.FlipBuffers();
      glFinish();
      ++frame;
    }
    state.counters["process_cpu_ms"] =
        (ProcessCpuMs() - cpuStart) / static_cast<double>(std::max<int64_t>(1, state.iterations()));
    state.counters["draw_calls"] = engine.LastDrawCalls();
    state.SetItemsProcessed(state.iterations() * count);
  }
}

void BM_SpritesOneTexture(benchmark::State& state) { RunFrames(state, 1); }
void BM_Sprites16Textures(benchmark::State& state) { RunFrames(state, 16); }
}  // namespace

BENCHMARK(BM_SpritesOneTexture)->Arg(0)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Sprites16Textures)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
