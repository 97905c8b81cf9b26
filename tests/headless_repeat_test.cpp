// A render at a fixed frame rate is the same picture on every run: the clock moves
// exactly one frame per pass, so frame K of the demo intro never depends on the machine.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "app/HeadlessHost.h"
#include "app/Shell.h"
#include "engine/gl/GlEngine.h"
#include "gl_test_support.h"

using namespace quellor;
using namespace quellor::gltest;

namespace {

// Runs the demo project at `fps` and returns the screens of the frames asked for.
std::map<int, Image> RenderDemo(int fps, std::initializer_list<int> frames) {
  std::map<int, Image> shots;
  std::error_code ec;
  const std::filesystem::path before = std::filesystem::current_path(ec);
  std::filesystem::current_path(QUELLOR_SOURCE_DIR);  // where Data/ lies
  {
    FrameStepClock clock(fps, 10000000);
    GlEngine engine({}, true);
    auto model = std::make_unique<IntroModel>();
    Shell shell(*model);
    shell.UseClock(clock);
    CommandLine cl;
    cl.Headless = true;
    cl.Autoload = "Data/Prefs/Demo.ini";
    shell.StartBeforeWindow(cl);
    HeadlessHost host;
    shell.StartWithWindow(host, engine);
    int last = 0;
    for (int f : frames) last = std::max(last, f);
    for (int i = 1; i <= last; ++i) {
      shell.RunPass();
      clock.NextFrame();
      for (int f : frames)
        if (f == i) shots[f] = engine.ReadScreen();
    }
  }
  std::filesystem::current_path(before, ec);
  return shots;
}

// Pixels that differ inside the rectangle (x, y, w, h).
int Differing(const Image& a, const Image& b, int x0, int y0, int w, int h) {
  int n = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x)
      if (!Same(PixelAt(a, x, y), PixelAt(b, x, y))) ++n;
  return n;
}

TEST(HeadlessRepeat, FixedFrameRateGivesTheSameFramesAndTheSpinnerTurns) {
  QUELLOR_REQUIRE_GL();
  if (!std::filesystem::exists(std::filesystem::path(QUELLOR_SOURCE_DIR) / "Data/Anim/spin.png"))
    GTEST_SKIP() << "shipped images missing";
  std::map<int, Image> a = RenderDemo(60, {30, 45, 120});
  std::map<int, Image> b = RenderDemo(60, {120});
  ASSERT_EQ(a[120].Width, 800);
  EXPECT_EQ(a[120].Rgba, b[120].Rgba);
  // The start-up animation sits at (84, 82), 32 x 32: its frame changes in a quarter second.
  EXPECT_GT(Differing(a[30], a[45], 84, 82, 32, 32), 20);
}

}  // namespace
