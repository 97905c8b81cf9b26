// The whole road: the demo project exported with the real stub, the exported player run
// headless, and its picture compared with the editor's own render of the same frame.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/ExportCommand.h"
#include "app/HeadlessHost.h"
#include "app/Shell.h"
#include "engine/image/ImageCodec.h"
#include "export/CreateFinal.h"
#include "music/v2m/V2mTune.h"
#include "engine/Clock.h"
#include "tests/export_test_support.h"
#include "tests/gl_test_support.h"
#include "tests/v2m_test_support.h"

namespace quellor {
namespace {

using namespace testsupport;

constexpr int kFrames = 120;
constexpr int kFps = 60;

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

// Runs an exported intro headless for kFrames at kFps; false with its output on failure.
bool RunExported(const std::string& exe, const std::string& options, std::string* output) {
  const std::string command = exe + " --headless --fps " + std::to_string(kFps) + " --frames " +
                              std::to_string(kFrames) + " " + options + " 2>&1";
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
  ASSERT_TRUE(RunExported(target + ".exe", "--png " + png.string() + " --audio-out " + wav.string(), &output))
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

TEST(ExportedPlayer, PlaysItsTuneAsTheReplayerRendersIt) {
  QUELLOR_REQUIRE_GL();
  const fs::path stubs = fs::path(QUELLOR_SOURCE_DIR) / "Data/bin";
  if (!fs::exists(stubs / "Quellor5.bin")) GTEST_SKIP() << "stubs not built";
  ScratchDir d;
  const std::vector<uint8_t> song = music::v2m::WriteV2m(music::v2m::test::ThreeNoteSong());
  WriteBytes(d.Path / "song.v2m", song);
  IntroModel m = FreshModel(d.Base());
  m.Music.File = (d.Path / "song.v2m").string();
  m.Music.Type = 3;  // V2M: the variant packed as Quellor5.bin
  RecordingEngine e;
  e.Open(800, 600);
  ExportEnv env;
  env.StubFolder = stubs.string();
  ASSERT_TRUE(CreateFinal(m, e, (d.Path / "tune").string(), env).Written);
  const fs::path wav = d.Path / "tune.wav";
  std::string output;
  ASSERT_TRUE(RunExported((d.Path / "tune.exe").string(), "--audio-out " + wav.string(), &output)) << output;

  // The same tune rendered by its replayer, frame by frame as the intro advances.
  std::string why;
  std::unique_ptr<music::Tune> tune = music::OpenV2m(song, music::kOutputRate, &why);
  ASSERT_TRUE(tune) << why;
  const size_t perFrame = music::kOutputRate / kFps, total = perFrame * kFrames;
  std::vector<float> want(2 * total);
  for (size_t f = 0; f < kFrames; ++f) tune->Render(&want[2 * f * perFrame], perFrame);

  const std::vector<uint8_t> file = ReadBytes(wav);
  ASSERT_EQ(file.size(), 44 + 4 * total);  // two seconds of 16-bit stereo
  int worst = 0, peak = 0;
  for (size_t i = 0; i < 2 * total; ++i) {
    const int got = int16_t(file[44 + 2 * i] | (file[45 + 2 * i] << 8));
    const int expect = int(std::lrint(std::clamp(want[i], -1.0f, 1.0f) * 32767.0f));
    worst = std::max(worst, std::abs(got - expect));
    peak = std::max(peak, std::abs(got));
  }
  EXPECT_LE(worst, 2);
  EXPECT_GT(peak, 1000);  // the notes sound
}

}  // namespace
}  // namespace quellor
