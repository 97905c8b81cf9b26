// The whole road: projects exported with the real stubs, the exported player run
// headless, and its picture and sound compared with the editor's own render.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/ExportCommand.h"
#include "app/HeadlessHost.h"
#include "app/MusicCommands.h"
#include "app/Shell.h"
#include "engine/image/ImageCodec.h"
#include "export/CreateFinal.h"
#include "engine/Clock.h"
#include "music/SoundCapture.h"
#include "music/v2m/V2mWriter.h"
#include "tests/FakeHost.h"
#include "tests/export_test_support.h"
#include "tests/gl_test_support.h"
#include "tests/v2m_test_support.h"
#include "tools/TuneArt.h"

namespace quellor {
namespace {

using namespace testsupport;

constexpr int kFrames = 120;
constexpr int kFps = 60;
// 2.5 s of sound: long enough for the tunes below to end and start again.
constexpr int kSoundFrames = 150;

// Runs the test from the program folder, where the project finds its Data tree.
struct InFolder {
  fs::path Before = fs::current_path();
  explicit InFolder(const fs::path& p) { fs::current_path(p); }
  ~InFolder() { fs::current_path(Before); }
};

// The editor's repeatable render (as `quellor --headless --fps`), without its status log.
Image EditorFrame(const std::string& project) {
  GlEngine engine({}, true);
  auto m = std::make_unique<IntroModel>();
  Shell shell(*m);
  FrameStepClock clock(kFps, 10000000);
  shell.UseClock(clock);
  CommandLine cl;
  cl.Autoload = project;
  shell.StartBeforeWindow(cl);
  HeadlessHost host;
  shell.StartWithWindow(host, engine);
  m->Log.Lines.clear();  // the exported intro shows none
  for (int k = 0; k < kFrames; ++k) {
    shell.RunPass();
    clock.NextFrame();
  }
  return engine.ReadScreen();
}

// Runs an exported intro headless at kFps; false with its output on failure.
bool RunExported(const std::string& exe, const std::string& options, std::string* output, int frames = kFrames) {
  const std::string command = exe + " --headless --fps " + std::to_string(kFps) + " --frames " +
                              std::to_string(frames) + " " + options + " 2>&1";
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) return false;
  char buf[256];
  while (std::fgets(buf, sizeof buf, p)) *output += buf;
  return ::pclose(p) == 0;
}

// Share of pixels where any channel differs by more than `tolerance`.
double DifferingShare(const Image& a, const Image& b, int tolerance) {
  size_t differ = 0;
  for (size_t i = 0; i < a.Rgba.size(); i += 4)
    for (int c = 0; c < 3; ++c)
      if (std::abs(int(a.Rgba[i + c]) - int(b.Rgba[i + c])) > tolerance) {
        ++differ;
        break;
      }
  return double(differ) / double(a.Rgba.size() / 4);
}

TEST(ExportedPlayer, ShowsTheDemoAsTheEditorDoes) {
  QUELLOR_REQUIRE_GL();
  const fs::path source = QUELLOR_SOURCE_DIR;
  if (!fs::exists(source / "Data/bin/Quellor1.bin")) GTEST_SKIP() << "stubs not built";
  ScratchDir d;
  InFolder here(source);
  const std::string target = (d.Path / "demo").string();
  RecordingEngine e;
  e.Open(800, 600);
  std::string message;
  ASSERT_TRUE(ExportProjectFile("Data/Prefs/Demo.ini", target, e, &message)) << message;

  const fs::path png = d.Path / "player.png", wav = d.Path / "player.wav";
  std::string output;
  // As on a machine without the editor: no worker to start and an empty translation
  // cache, so every effect must come translated with the intro.
  const std::string noTranslator = "env QUELLOR_FXWORKER=" + (d.Path / "no-worker").string() +
                                   " XDG_CACHE_HOME=" + (d.Path / "cache").string() + " ";
  ASSERT_TRUE(RunExported(noTranslator + target + ".exe",
                          "--png " + png.string() + " --audio-out " + wav.string(), &output))
      << output;

  Image player;
  std::vector<uint8_t> bytes = ReadBytes(png);
  ASSERT_TRUE(DecodeImage(bytes.data(), bytes.size(), player));
  Image editor = EditorFrame("Data/Prefs/Demo.ini");
  ASSERT_EQ(player.Width, editor.Width);
  ASSERT_EQ(player.Height, editor.Height);
  const double differ = DifferingShare(player, editor, 24);
  EXPECT_LE(differ, 0.01);
  RecordProperty("DifferingPixelShare", std::to_string(differ));
  // The picture is the demo, not an empty screen: many pixels are far from black.
  EXPECT_GT(DifferingShare(player, gltest::Solid(800, 600, 0xFF000000u), 40), 0.3);
  // Two seconds of sound at 44100 Hz, 16-bit stereo, after the 44-byte header.
  EXPECT_EQ(ReadBytes(wav).size(), 44u + kFrames * 44100 / kFps * 4);
}

// The editor's sound of a tune file over kSoundFrames: loaded by the music commands, kept
// going by the per-frame upkeep, cut frame by frame as its headless render cuts it.
std::vector<int16_t> EditorSound(const std::string& base, const std::string& file, int32_t type) {
  RecordingEngine e;
  e.Open(800, 600);
  FakeHost host;
  IntroModel m = FreshModel(base);
  AppContext ctx{m, e, host};
  StartSound(ctx, false);
  if (type == 1) LoadSid(ctx, file, SidCaller::MusicCommand);
  else LoadMusic(ctx, file);
  music::SoundCapture capture(ctx.Music.Out, kFps);
  for (int k = 0; k < kSoundFrames; ++k) {
    UpdateMusic(ctx);
    capture.AfterFrame();
  }
  return capture.Samples();
}

struct TuneCase {
  int32_t Type;  // Music.Type, which picks the stub
  const char* File;
  std::vector<uint8_t> Bytes;
};

TEST(ExportedPlayer, PlaysEachKindOfTuneAsTheEditorDoes) {
  QUELLOR_REQUIRE_GL();
  const fs::path stubs = fs::path(QUELLOR_SOURCE_DIR) / "Data/bin";
  if (!fs::exists(stubs / "Quellor5.bin")) GTEST_SKIP() << "stubs not built";
  // The module ends after 1.92 s and starts again; the V2M song, cut to one second,
  // starts again 500 ms after its end; the SID tune names song 3 of 3 to start with.
  music::v2m::V2mSketch v2m = music::v2m::test::ThreeNoteSong();
  v2m.endTick = 192;
  const TuneCase cases[] = {
      {0, "song.mod", tuneart::MakeMod()},
      {1, "song.sid", tuneart::MakePsid(3, 3)},
      {2, "song.fc14", tuneart::FcBuilder::Song().Build()},
      {3, "song.v2m", music::v2m::WriteV2m(v2m)},
  };
  for (const TuneCase& c : cases) {
    SCOPED_TRACE(c.File);
    ScratchDir d;
    const fs::path file = d.Path / c.File;
    WriteBytes(file, c.Bytes);
    IntroModel m = FreshModel(d.Base());
    m.Music.File = file.string();
    m.Music.Type = c.Type;
    RecordingEngine e;
    e.Open(800, 600);
    ExportEnv env;
    env.StubFolder = stubs.string();
    ASSERT_TRUE(CreateFinal(m, e, (d.Path / "tune").string(), env).Written);
    const fs::path wav = d.Path / "tune.wav";
    std::string output;
    ASSERT_TRUE(RunExported((d.Path / "tune.exe").string(), "--audio-out " + wav.string(), &output, kSoundFrames))
        << output;
    EXPECT_EQ(output.find("without its music"), std::string::npos) << output;

    const std::vector<int16_t> want = EditorSound(d.Base(), file.string(), c.Type);
    const std::vector<uint8_t> got = ReadBytes(wav);
    ASSERT_EQ(want.size(), size_t(kSoundFrames) * 44100 / kFps * 2);
    ASSERT_EQ(got.size(), 44 + 2 * want.size());
    int worst = 0, peak = 0, latePeak = 0;
    for (size_t i = 0; i < want.size(); ++i) {
      const int sample = int16_t(got[44 + 2 * i] | (got[45 + 2 * i] << 8));
      worst = std::max(worst, std::abs(sample - want[i]));
      peak = std::max(peak, std::abs(sample));
      if (i >= want.size() * 4 / 5) latePeak = std::max(latePeak, std::abs(sample));
    }
    EXPECT_LE(worst, 2);
    EXPECT_GT(peak, 1000);     // the tune sounds
    EXPECT_GT(latePeak, 100);  // and again, after its end, in the last half second
  }
}

// Each variant carries its own replayer only: the tracker stub needs libmodplug, the SID
// stub libsidplayfp, and no other stub needs either; none carries the effect translator.
TEST(ExportedPlayer, EachStubLinksOnlyItsOwnReplayer) {
  const fs::path dir = fs::path(QUELLOR_BINARY_DIR) / "stubs";
  if (!fs::exists(dir / "quellor_stub_fc")) GTEST_SKIP() << "stubs not built";
  auto names = [&](const char* stub, const std::string& library) {
    const std::string bytes = ReadText(dir / stub);
    return bytes.find(library) != std::string::npos;
  };
  const char* const variants[] = {"quellor_stub_tracker", "quellor_stub_sid", "quellor_stub_fc", "quellor_stub_v2m"};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(variants[i]);
    EXPECT_EQ(names(variants[i], "libmodplug.so"), i == 0);
    EXPECT_EQ(names(variants[i], "libsidplayfp.so"), i == 1);
    // Effects come translated in the slots: no stub carries the translator.
    EXPECT_FALSE(names(variants[i], "glslang"));
    EXPECT_FALSE(names(variants[i], "libspirv-cross"));
  }
}

}  // namespace
}  // namespace quellor
