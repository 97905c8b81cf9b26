// Create Final of the demo intro (no packer), the player stubs' sizes (unpacked, after
// our JCALG1, and gzip -9 beside them), and the exported player's start to its first
// frame. Run from anywhere: the bench works in the source folder, where Data/ lies.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/image/ImageCodec.h"
#include "engine/recording/RecordingEngine.h"
#include "export/CreateFinal.h"
#include "export/StubImage.h"
#include "project/ProjectFile.h"

using namespace quellor;
namespace fs = std::filesystem;

namespace {

const fs::path kSource = QUELLOR_SOURCE_DIR;
const fs::path kOut = std::getenv("QUELLOR_BENCH_OUT") ? fs::path(std::getenv("QUELLOR_BENCH_OUT")) : fs::temp_directory_path() / "quellor_bench_export";

struct DemoIntro {
  RecordingEngine Engine;
  IntroModel Model;
  bool Loaded = false;
  DemoIntro() {
    fs::current_path(kSource);
    Engine.Open(800, 600);
    Model.BaseDir = kSource.string();
    InitModel(Model);
    Loaded = LoadProject(Model, Engine, "Data/Prefs/Demo.ini").Read;
    Model.Packer = 0;
    fs::create_directories(kOut);
  }
};

DemoIntro& Demo() {
  static DemoIntro demo;
  return demo;
}

void BM_CreateFinalDemo(benchmark::State& state) {
  DemoIntro& d = Demo();
  if (!d.Loaded) return state.SkipWithError("Data/Prefs/Demo.ini not readable");
  size_t bytes = 0;
  for (auto _ : state) {
    ExportResult r = CreateFinal(d.Model, d.Engine, (kOut / "demo").string());
    if (!r.Written) return state.SkipWithError(("export failed: " + r.Error).c_str());
    bytes = r.ImageBytes;
  }
  state.counters["image_bytes"] = double(bytes);
}
BENCHMARK(BM_CreateFinalDemo)->Unit(benchmark::kMillisecond);

void BM_StubSizes(benchmark::State& state) {
  Demo();
  for (auto _ : state) {
    for (int type = 0; type <= 3; ++type) {
      const std::string name = StubFileName(type);
      StubImage stub;
      if (!LoadStub("Data/bin/" + name, stub)) return state.SkipWithError((name + " missing").c_str());
      std::vector<uint8_t> image(stub.Buffer.begin(), stub.Buffer.begin() + stub.Size);
      uLongf gz = compressBound(image.size());
      std::vector<uint8_t> out(gz);
      compress2(out.data(), &gz, image.data(), image.size(), 9);
      size_t room = 0;
      for (int i = 0; i < slots::kSlotCount; ++i) room += 12 + slots::SlotCapacity(static_cast<slots::SlotId>(i));
      const std::string k = "stub" + std::to_string(type) + "_";
      state.counters[k + "unpacked"] = double(stub.Size);
      state.counters[k + "code"] = double(stub.Size - room);
      state.counters[k + "jcalg1"] = double(stub.FL);
      state.counters[k + "gzip9"] = double(gz);
    }
  }
}
BENCHMARK(BM_StubSizes)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PlayerStartToFirstFrame(benchmark::State& state) {
  DemoIntro& d = Demo();
  if (!d.Loaded || !CreateFinal(d.Model, d.Engine, (kOut / "first").string()).Written)
    return state.SkipWithError("no exported intro");
  const std::string command = (kOut / "first.exe").string() + " --headless --frames 1 --png " +
                              (kOut / "first.png").string();
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) return state.SkipWithError("the player failed");
  }
}
BENCHMARK(BM_PlayerStartToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
