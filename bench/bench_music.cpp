// Music: how fast each replayer renders a minute (as a multiple of real time, on one
// core), how long the music command takes from the chosen file to the first sound, and
// the sound callback's worst case over a minute of playback against its 1024-frame
// period. Tunes come from the shared corpus where present (QUELLOR_SHARED_DIR or beside
// the checkout), else from the procedural ones.
//
// With QUELLOR_BENCH_DEVICE=1 a last run plays a minute through the real SDL device
// (SDL_AUDIODRIVER=dummy works without sound hardware) and reports the callback's worst
// duration and the longest gap between callbacks.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include <time.h>
#include <unistd.h>

#include "app/HeadlessHost.h"
#include "app/MusicCommands.h"
#include "engine/recording/RecordingEngine.h"
#include "music/TuneFactory.h"
#include "project/NewIntro.h"
#include "tools/TuneArt.h"

using namespace quellor;
using namespace quellor::music;
using tuneart::Bytes;
namespace fs = std::filesystem;

namespace {

constexpr size_t kCallbackFrames = AudioOut::kBufferFrames;
constexpr double kPeriodMs = 1000.0 * kCallbackFrames / kOutputRate;

Bytes ReadBytes(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

fs::path Shared() {
  if (const char* env = std::getenv("QUELLOR_SHARED_DIR")) return env;
  for (const char* rel : {"/../shared", "/../../shared"}) {
    fs::path p = fs::path(QUELLOR_SOURCE_DIR) += rel;
    if (fs::exists(p / "corpus")) return p;
  }
  return {};
}

struct Source {
  MusicType Type;
  std::string Name;  // file name, its extension picks the replayer
  Bytes Data;
};

Source TuneFor(MusicType type) {
  fs::path shared = Shared();
  if (type == MusicType::FutureComposer && fs::exists(shared / "corpus/fc/cytax-ice02-keil-keygen.fc14"))
    return {type, "cytax.fc14", ReadBytes(shared / "corpus/fc/cytax-ice02-keil-keygen.fc14")};
  if (type == MusicType::Sid && fs::exists(shared / "corpus/sid/sidflow-10_Orbyte.sid"))
    return {type, "orbyte.sid", ReadBytes(shared / "corpus/sid/sidflow-10_Orbyte.sid")};
  if (type == MusicType::Tracker) return {type, "song.mod", tuneart::MakeMod()};
  if (type == MusicType::Sid) return {type, "tune.sid", tuneart::MakePsid(1, 1)};
  return {type, "song.fc14", tuneart::FcBuilder::Song().Build()};
}

std::unique_ptr<Tune> OpenSource(const Source& s) {
  TuneOptions opt;
  return OpenTune(s.Data, s.Type, opt, nullptr);
}

// Renders in callback-sized pieces; an ended tracker module starts again as the editor
// makes it do.
template <typename PerCall>
void PlayMinute(Tune& t, MusicType type, PerCall perCall) {
  std::vector<float> buf(kCallbackFrames * 2);
  for (size_t done = 0; done < size_t(60) * kOutputRate; done += kCallbackFrames) {
    perCall([&] { t.Render(buf.data(), kCallbackFrames); });
    if (type == MusicType::Tracker && t.Position() == 255) t.SetPosition(0);
    benchmark::DoNotOptimize(buf.data());
  }
}

// CPU time of the calling thread: what a callback costs, without the waits of a busy
// machine (those are reported separately as wall time).
double ThreadCpuMs() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

void RealTimeFactor(benchmark::State& state, MusicType type) {
  Source s = TuneFor(type);
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<Tune> t = OpenSource(s);
    state.ResumeTiming();
    if (!t) return state.SkipWithError("tune does not open");
    PlayMinute(*t, type, [](auto render) { render(); });
  }
  state.counters["x_realtime"] = benchmark::Counter(60.0, benchmark::Counter::kIsIterationInvariantRate);
  state.SetLabel(s.Name);
}

// From the path the requester hands over to the first sound the output renders. The
// device adds at most one buffer (23 ms) to this.
void OpenToSound(benchmark::State& state, MusicType type) {
  Source s = TuneFor(type);
  fs::path dir = fs::temp_directory_path() / ("quellor_bench_music_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::string path = (dir / s.Name).string();
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(s.Data.data()), s.Data.size());
  auto model = std::make_unique<IntroModel>();
  InitModel(*model);
  model->BaseDir = dir.string();
  RecordingEngine engine;
  engine.Open(800, 600);
  HeadlessHost host;
  AppContext ctx{*model, engine, host};
  StartSound(ctx, false);
  std::vector<float> buf(256 * 2);
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    if (type == MusicType::Sid) LoadSid(ctx, path, SidCaller::MusicCommand);
    else LoadMusic(ctx, path);
    bool heard = false;
    for (int i = 0; i < 2000 && !heard; ++i) {
      ctx.Music.Out.Pull(buf.data(), 256);
      heard = std::any_of(buf.begin(), buf.end(), [](float v) { return v != 0.0f; });
    }
    auto t1 = std::chrono::steady_clock::now();
    if (!heard) return state.SkipWithError("no sound");
    state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    RemoveMusic(ctx);
  }
  state.SetLabel(s.Name);
  fs::remove_all(dir);
}

// One call per device buffer, each timed; the budget is the buffer's own duration.
void CallbackWorstCase(benchmark::State& state, MusicType type) {
  Source s = TuneFor(type);
  std::vector<double> cpu, wall;
  for (auto _ : state) {
    std::unique_ptr<Tune> t = OpenSource(s);
    if (!t) return state.SkipWithError("tune does not open");
    cpu.clear();
    wall.clear();
    PlayMinute(*t, type, [&](auto render) {
      double c0 = ThreadCpuMs();
      auto t0 = std::chrono::steady_clock::now();
      render();
      wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
      cpu.push_back(ThreadCpuMs() - c0);
    });
  }
  std::sort(cpu.begin(), cpu.end());
  std::sort(wall.begin(), wall.end());
  state.counters["cpu_worst_ms"] = cpu.back();
  state.counters["cpu_worst_%period"] = 100.0 * cpu.back() / kPeriodMs;
  state.counters["wall_p99_ms"] = wall[wall.size() * 99 / 100];
  state.counters["wall_worst_ms"] = wall.back();
  state.SetLabel(s.Name);
}

void DeviceMinute(benchmark::State& state, MusicType type) {
  Source s = TuneFor(type);
  for (auto _ : state) {
    AudioOut out;
    std::string why;
    if (!out.Open(&why)) return state.SkipWithError(("no sound device: " + why).c_str());
    out.Mix().Play(OpenSource(s));
    std::this_thread::sleep_for(std::chrono::seconds(60));
    MixerStats st = out.Mix().Stats();
    out.Close();
    state.counters["callbacks"] = double(st.Calls);
    state.counters["worst_%period"] = 100.0 * st.WorstNs / 1e6 / kPeriodMs;
    state.counters["longest_gap_ms"] = st.LongestGapNs / 1e6;
  }
  state.SetLabel(s.Name);
}

const struct {
  const char* Name;
  MusicType Type;
} kKinds[] = {{"tracker", MusicType::Tracker}, {"sid", MusicType::Sid}, {"fc", MusicType::FutureComposer}};

int Register() {
  for (const auto& k : kKinds) {
    benchmark::RegisterBenchmark((std::string("Music/RealTimeFactor/") + k.Name).c_str(), RealTimeFactor, k.Type)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(2);
    benchmark::RegisterBenchmark((std::string("Music/OpenToSound/") + k.Name).c_str(), OpenToSound, k.Type)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(5);
    benchmark::RegisterBenchmark((std::string("Music/CallbackWorstCase/") + k.Name).c_str(), CallbackWorstCase,
                                 k.Type)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }
  if (const char* dev = std::getenv("QUELLOR_BENCH_DEVICE"); dev && *dev == '1')
    benchmark::RegisterBenchmark("Music/DeviceMinute/fc", DeviceMinute, MusicType::FutureComposer)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  return 0;
}
const int kRegistered = Register();

}  // namespace

BENCHMARK_MAIN();
