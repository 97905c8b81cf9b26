// V2M playback on one core: how many times faster than real time the shared
// tunes render (counter "realtime_x": seconds of music per CPU second, over
// their first 60 s), and how long it takes from the file's bytes to the first
// rendered sample.
// The tunes come from $QUELLOR_SHARED_DIR/corpus/v2m or <source>/../shared/corpus/v2m.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "music/Tune.h"
#include "music/v2m/V2mTune.h"

using namespace quellor::music;

namespace {

const char* const kTunes[] = {
    "0test", "KB--fr-08_the_product-loader", "Paniq--maschinenzeit", "Pista--crystal_gate-loader",
    "TAD--short-Piano", "Wayfinder--kkrieger-chapter_i",
};

std::vector<uint8_t> ReadTune(const std::string& name) {
  std::filesystem::path dir = std::filesystem::path(QUELLOR_SOURCE_DIR) / ".." / "shared";
  if (const char* env = std::getenv("QUELLOR_SHARED_DIR")) dir = env;
  std::ifstream in(dir / "corpus" / "v2m" / (name + ".v2m"), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void Render60s(benchmark::State& state, const std::string& name) {
  const std::vector<uint8_t> bytes = ReadTune(name);
  std::string error;
  auto tune = OpenV2m(bytes, kOutputRate, &error);
  if (!tune) return state.SkipWithError((name + ": " + error).c_str());
  constexpr size_t kBlock = 1024;
  std::vector<float> out(2 * kBlock);
  for (auto _ : state) {
    tune->SetPosition(0);
    for (size_t done = 0; done < size_t(60 * kOutputRate); done += kBlock) {
      tune->Render(out.data(), kBlock);
      benchmark::DoNotOptimize(out.data());
    }
  }
  state.counters["realtime_x"] = benchmark::Counter(60.0 * double(state.iterations()), benchmark::Counter::kIsRate);
}

void LoadToFirstSample(benchmark::State& state, const std::string& name) {
  const std::vector<uint8_t> bytes = ReadTune(name);
  if (bytes.empty()) return state.SkipWithError((name + " not readable").c_str());
  float out[2];
  for (auto _ : state) {
    auto tune = OpenV2m(bytes, kOutputRate, nullptr);
    if (!tune) return state.SkipWithError("open failed");
    tune->Render(out, 1);
    benchmark::DoNotOptimize(out);
  }
}

int Register() {
  for (const char* t : kTunes) {
    // CPU time: the machine may be shared, the figure is for one core.
    benchmark::RegisterBenchmark(("V2mRender60s/" + std::string(t)).c_str(), Render60s, t)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("V2mLoadToFirstSample/" + std::string(t)).c_str(), LoadToFirstSample, t)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
  }
  return 0;
}
const int kRegistered = Register();

}  // namespace

BENCHMARK_MAIN();
