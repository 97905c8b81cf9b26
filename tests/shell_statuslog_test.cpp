#include <gtest/gtest.h>

#include "engine/recording/RecordingEngine.h"
#include "project/StatusLog.h"
#include "render/Frame.h"
#include "tests/shell_rig.h"

using namespace quellor;
using quellor::testing::TestClock;

namespace {
struct LogRig {
  IntroModel m;
  RecordingEngine e;
  LogRig() {
    TestClock().SetMs(1000);
    m.Clock.Source = &TestClock();
    e.Open(800, 600);
  }
  // Draws the log as frame time t and returns the texts drawn.
  std::vector<RecordedText> FrameAt(uint32_t t) {
    m.Clock.FrameNow = t;
    e.Texts.clear();
    DrawStatusLog(m, e);
    e.FlushText();
    return e.Texts;
  }
};
}  // namespace

TEST(StatusLog, LineGoesInTheFirstFrameLaterThanItsExpiryAfterBeingDrawn) {
  LogRig r;
  AddStatusLine(r.m, "a", 100, kColorInfo);  // expires at 1100
  AddStatusLine(r.m, "b", 200, kColorSuccess);
  AddStatusLine(r.m, "c", 300, kColorError);

  auto t = r.FrameAt(1100);  // not later than the expiry yet
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(r.m.Log.Lines.size(), 3u);

  t = r.FrameAt(1101);  // drawn once more, then removed
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].Text, "a");
  EXPECT_EQ(t[0].Y, 0);
  EXPECT_EQ(t[1].Y, 20);
  EXPECT_EQ(t[2].Y, 40);
  EXPECT_EQ(t[2].Argb, kColorError);
  ASSERT_EQ(r.m.Log.Lines.size(), 2u);

  t = r.FrameAt(1102);  // the lines below moved up
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].Text, "b");
  EXPECT_EQ(t[0].Y, 0);
  EXPECT_EQ(t[0].Argb, kColorSuccess);
  EXPECT_EQ(t[1].Text, "c");
  EXPECT_EQ(t[1].Y, 20);
  EXPECT_EQ(t[0].X, 0);
}

TEST(StatusLog, ZeroDurationLineShowsInOneOrTwoFrames) {
  LogRig r;
  AddStatusLine(r.m, "now", 0, kColorInfo);
  EXPECT_EQ(r.FrameAt(1000).size(), 1u);  // same millisecond: kept
  EXPECT_EQ(r.FrameAt(1001).size(), 1u);  // drawn and removed
  EXPECT_EQ(r.FrameAt(1002).size(), 0u);

  AddStatusLine(r.m, "later", 0, kColorInfo);  // added at 1000, drawn first at 1500
  EXPECT_EQ(r.FrameAt(1500).size(), 1u);
  EXPECT_TRUE(r.m.Log.Lines.empty());
}

TEST(StatusLog, DisabledLogRecordsAndDrawsNothing) {
  LogRig r;
  r.m.LogEnabled = 0;
  AddStatusLine(r.m, "x", 1000, kColorInfo);
  EXPECT_TRUE(r.m.Log.Lines.empty());
  r.m.LogEnabled = 1;
  AddStatusLine(r.m, "y", 10, kColorInfo);
  r.m.LogEnabled = 0;
  EXPECT_TRUE(r.FrameAt(5000).empty());
  EXPECT_EQ(r.m.Log.Lines.size(), 1u);  // not drawn, so not removed either
}

TEST(StatusLog, ExpiryAcrossTheClockWrapIsNotTakenForThePast) {
  LogRig r;
  TestClock().SetMs(0xFFFFFFF0u);
  AddStatusLine(r.m, "wraps", 100, kColorInfo);  // expiry lands past zero
  EXPECT_EQ(r.FrameAt(0xFFFFFFF8u).size(), 1u);
  EXPECT_EQ(r.m.Log.Lines.size(), 1u);
  EXPECT_EQ(r.FrameAt(0x20u).size(), 1u);
  EXPECT_EQ(r.m.Log.Lines.size(), 1u);
  r.FrameAt(0x60u);
  EXPECT_TRUE(r.m.Log.Lines.empty());
}
