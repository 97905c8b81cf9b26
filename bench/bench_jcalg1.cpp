// JCALG1 encoder and decoder on two executables of the system: sizes are reported as
// counters (bytes in, bytes out) next to the times.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "engine/image/ImageCodec.h"
#include "export/jcalg1/Jcalg1.h"

using namespace quellor;

namespace {

const std::vector<uint8_t>& Input(const std::string& path) {
  static std::vector<std::pair<std::string, std::vector<uint8_t>>> cache;
  for (auto& [p, d] : cache)
    if (p == path) return d;
  std::vector<uint8_t> d;
  ReadWholeFile(path, d);
  cache.emplace_back(path, std::move(d));
  return cache.back().second;
}

void Compress(benchmark::State& state, const std::string& path, uint32_t window) {
  const std::vector<uint8_t>& in = Input(path);
  if (in.empty()) return state.SkipWithError((path + " not readable").c_str());
  Jcalg1Options opt;
  opt.WindowSize = window;
  size_t packed = 0;
  for (auto _ : state) {
    std::vector<uint8_t> out = Jcalg1Compress(in.data(), in.size(), opt);
    packed = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["in"] = double(in.size());
  state.counters["out"] = double(packed);
  state.counters["ratio%"] = 100.0 * packed / in.size();
  state.SetBytesProcessed(int64_t(state.iterations() * in.size()));
}

void Decompress(benchmark::State& state, const std::string& path) {
  const std::vector<uint8_t>& in = Input(path);
  if (in.empty()) return state.SkipWithError((path + " not readable").c_str());
  std::vector<uint8_t> packed = Jcalg1Compress(in.data(), in.size());
  std::vector<uint8_t> out(in.size());
  for (auto _ : state) {
    if (!Jcalg1Decompress(packed.data(), packed.size(), out.data(), out.size()))
      return state.SkipWithError("decode failed");
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations() * in.size()));
}

}  // namespace

BENCHMARK_CAPTURE(Compress, gzip, std::string("/usr/bin/gzip"), 1u << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Compress, bash, std::string("/usr/bin/bash"), 1u << 20)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Compress, gzip_window128k, std::string("/usr/bin/gzip"), 128u << 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Compress, bash_window128k, std::string("/usr/bin/bash"), 128u << 10)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decompress, bash, std::string("/usr/bin/bash"))->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
