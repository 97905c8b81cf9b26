// Effects: translation time (in process, through the worker cold and warm, from the
// memory and disk caches), effect load time on GL (translation cached or not), and at
// 800 x 600 on headless GL the cost of a trivial full-screen pass against the post
// effect (the shipped CRT) plus the raster pass. Target: a cached effect loads in < 5 ms.
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "engine/fx/FxTranslator.h"
#include "engine/fx/compile/FxCompile.h"
#include "engine/gl/GlEngine.h"
#include "project/IntroModel.h"
#include "render/Effects3d.h"
#include "render/RasterBars.h"

using namespace quellor;

namespace {

namespace fs = std::filesystem;

std::string Shipped(const char* name) {
  std::ifstream in(fs::path(QUELLOR_SOURCE_DIR) / "Data" / "Shader" / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A text the caches have not seen: the effect with a changing comment in front.
std::string Fresh(const std::string& text) {
  static long n = 0;
  return "// " + std::to_string(getpid()) + "-" + std::to_string(++n) + "\n" + text;
}

fs::path CacheDir() {
  static const fs::path dir = fs::temp_directory_path() / ("quellor_bench_fx_" + std::to_string(getpid()));
  return dir;
}

FxTranslatorOptions Options(bool disk) {
  FxTranslatorOptions o;
  o.CacheDir = disk ? CacheDir().string() : std::string();
  o.TimeoutMs = 60000;
  return o;
}

void BM_TranslateInProcess(benchmark::State& state) {
  const std::string crt = Shipped("PostFX/crt.fx");
  for (auto _ : state) {
    CompiledFx fx;
    benchmark::DoNotOptimize(CompileFx(crt, fx));
  }
}
BENCHMARK(BM_TranslateInProcess)->Unit(benchmark::kMillisecond);

// A new translator each time: worker start, glslang start, one translation.
void BM_TranslateWorkerCold(benchmark::State& state) {
  const std::string crt = Shipped("PostFX/crt.fx");
  for (auto _ : state) {
    FxTranslator t(Options(false));
    benchmark::DoNotOptimize(t.Translate(FxKind::Effect, Fresh(crt)));
  }
}
BENCHMARK(BM_TranslateWorkerCold)->Unit(benchmark::kMillisecond);

void BM_TranslateWorkerWarm(benchmark::State& state) {
  const std::string crt = Shipped("PostFX/crt.fx");
  FxTranslator t(Options(false));
  t.Translate(FxKind::Effect, Fresh(crt));
  for (auto _ : state) benchmark::DoNotOptimize(t.Translate(FxKind::Effect, Fresh(crt)));
}
BENCHMARK(BM_TranslateWorkerWarm)->Unit(benchmark::kMillisecond);

void BM_TranslateMemoryCached(benchmark::State& state) {
  const std::string crt = Shipped("PostFX/crt.fx");
  FxTranslator t(Options(false));
  t.Translate(FxKind::Effect, crt);
  for (auto _ : state) benchmark::DoNotOptimize(t.Translate(FxKind::Effect, crt));
}
BENCHMARK(BM_TranslateMemoryCached)->Unit(benchmark::kMicrosecond);

// A new program run finding the translation on disk.
void BM_TranslateDiskCached(benchmark::State& state) {
  const std::string crt = Shipped("PostFX/crt.fx");
  FxTranslator(Options(true)).Translate(FxKind::Effect, crt);
  for (auto _ : state) {
    FxTranslator t(Options(true));
    benchmark::DoNotOptimize(t.Translate(FxKind::Effect, crt));
  }
}
BENCHMARK(BM_TranslateDiskCached)->Unit(benchmark::kMicrosecond);

EglContext* Gl() {
  static std::unique_ptr<EglContext> ctx = EglContext::Create();
  if (ctx) ctx->MakeCurrent();
  return ctx.get();
}

// Effect load on GL: arg 0 translation found on disk, 1 translated by a warm worker.
void BM_EffectLoad(benchmark::State& state) {
  if (!Gl()) return state.SkipWithError("no headless EGL");
  GlEngine e;
  e.Open(800, 600);
  e.EffectTranslator().SetCacheDir(CacheDir().string());
  const std::string crt = Shipped("PostFX/crt.fx");
  e.FreeEffect(e.CreateEffect(crt));  // the worker is up, the disk has the text
  for (auto _ : state) {
    e.EffectTranslator().ForgetMemory();
    const Handle fx = e.CreateEffect(state.range(0) == 0 ? crt : Fresh(crt));
    glFinish();
    if (!fx) return state.SkipWithError(e.ErrorText().c_str());
    e.FreeEffect(fx);
  }
}
BENCHMARK(BM_EffectLoad)->ArgName("fresh")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Full-screen passes at 800 x 600: 0 a trivial copy (the floor), 1 the CRT post effect,
// 2 the post effect and the raster pass (grab, recolour, copy back) as a frame runs them.
void BM_ScreenPasses(benchmark::State& state) {
  if (!Gl()) return state.SkipWithError("no headless EGL");
  GlEngine e;
  e.Open(800, 600);
  e.EffectTranslator().SetCacheDir(CacheDir().string());
  IntroModel m;
  InitModel(m);
  m.ScreenTexture = e.CreateRenderTarget(800, 600);
  const Handle copy = e.CreateEffect(
      "texture texture0;\nsampler s = sampler_state { Texture = <texture0>; };\n"
      "float4 PS(float2 uv : TEXCOORD0) : COLOR { return tex2D(s, uv); }\n"
      "technique PostProcess { pass p { PixelShader = compile ps_2_0 PS(); } }\n");
  m.PostFX.Effect = state.range(0) == 0 ? copy : e.CreateEffect(Shipped("PostFX/crt.fx"));
  if (state.range(0) == 2) {
    SetRasterEffectSource(m);
    CompileRasterEffect(m, e);
    m.Raster.enb[1] = 1;
    m.Raster.fxt[1] = 1;
    m.Raster.RasterCount = 1;
  }
  if (!m.PostFX.Effect) return state.SkipWithError(e.ErrorText().c_str());
  e.RenderWorld();
  for (auto _ : state) {
    RunPostEffect(m, e);
    if (m.Raster.RasterCount) RunRasterPass(m, e);
    glFinish();
  }
}
BENCHMARK(BM_ScreenPasses)->ArgName("passes")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  fs::remove_all(CacheDir(), ec);
  return 0;
}
