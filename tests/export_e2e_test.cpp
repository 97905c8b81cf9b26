// The whole road: the demo project exported with the real stub, the exported player run
// headless, and its picture compared with the editor's own render of the same frame.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "app/ExportCommand.h"
#include "app/HeadlessHost.h"
#include "app/Shell.h"
#include "engine/image/ImageCodec.h"
#include "engine/Clock.h"
#include "tests/export_test_support.h"
#include "tests/gl_test_support.h"

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
  const std::string command = target + ".exe --headless --fps " + std::to_string(kFps) + " --frames " +
                              std::to_string(kFrames) + " --png " + png.string() + " --audio-out " +
                              wav.string() + " 2>&1";
  FILE* p = ::popen(command.c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string output;
  char buf[256];
  while (std::fgets(buf, sizeof buf, p)) output += buf;
  ASSERT_EQ(::pclose(p), 0) << output;

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

}  // namespace
}  // namespace quellor
