// Pacing of presents in the window host: early presents wait out the refresh period,
// presents that waited for the display themselves are left alone.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/FramePacer.h"

using namespace quellor;

namespace {

constexpr uint64_t kMs = 10000;  // 100 ns units

// A loop whose presents do not wait: each frame costs `work`, then the pacer may wait
// (`oversleep` more than asked, as sleeping threads do).
struct PacedLoop {
  ManualClock clock{5000 * kMs};
  std::vector<uint64_t> waits;
  uint64_t oversleep = 0;
  FramePacer pacer{clock, [this](uint64_t t) {
                     waits.push_back(t);
                     clock.Set100ns(clock.Now100ns() + t + oversleep);
                   }};
  std::vector<uint64_t> returns;  // when each frame's present came back, waits included

  void Frame(uint64_t work) {
    clock.Set100ns(clock.Now100ns() + work);
    pacer.FramePresented();
    returns.push_back(clock.Now100ns());
  }
};

TEST(FramePacer, RefreshPeriodFromTheDisplayRateWithSixtyHertzForUnknownRates) {
  EXPECT_EQ(RefreshPeriod100ns(60.0), 166667u);
  EXPECT_EQ(RefreshPeriod100ns(75.0), 133333u);
  EXPECT_EQ(RefreshPeriod100ns(144.0), 69444u);
  for (double bad : {0.0, -60.0, 1.0, 10000.0, std::nan("")})
    EXPECT_EQ(RefreshPeriod100ns(bad), RefreshPeriod100ns(60.0)) << bad;
}

TEST(FramePacer, EarlyPresentsWaitOutTheRestOfThePeriod) {
  PacedLoop loop;
  loop.pacer.SetRefreshHz(75.0);
  const uint64_t period = loop.pacer.Period100ns();
  for (int i = 0; i < 12; ++i) loop.Frame(3 * kMs);
  EXPECT_EQ(loop.waits.size(), 11u);  // all but the first frame
  for (size_t i = 1; i < loop.returns.size(); ++i)
    EXPECT_EQ(loop.returns[i] - loop.returns[i - 1], period) << i;
}

TEST(FramePacer, PresentsThatWaitedForTheDisplayAreNotDelayed) {
  PacedLoop loop;
  const uint64_t period = loop.pacer.Period100ns();
  // In step with the retrace, a touch faster than the stated rate, or slower than it.
  for (uint64_t took : {period, period - 2000, period, period + 5 * kMs, 2 * period, period - 1000})
    for (int i = 0; i < 5; ++i) loop.Frame(took);
  EXPECT_TRUE(loop.waits.empty());
}

TEST(FramePacer, OversleepAndStallsNeitherPileUpNorCauseABurst) {
  PacedLoop loop;
  const uint64_t period = loop.pacer.Period100ns();
  loop.oversleep = kMs / 2;
  for (int i = 0; i < 21; ++i) loop.Frame(2 * kMs);
  // The cadence holds: twenty periods from the first present to the last, plus at most
  // the last oversleep.
  const uint64_t span = loop.returns.back() - loop.returns.front();
  EXPECT_GE(span, 20 * period);
  EXPECT_LE(span, 20 * period + loop.oversleep);

  // After a frame that took far longer than a period, the next frames are a period
  // apart again instead of hurrying to make up for it.
  loop.oversleep = 0;
  loop.Frame(100 * kMs);
  const size_t stall = loop.returns.size() - 1;
  for (int i = 0; i < 5; ++i) loop.Frame(2 * kMs);
  EXPECT_GE(loop.returns[stall] - loop.returns[stall - 1], 100 * kMs);
  for (size_t i = stall + 1; i < loop.returns.size(); ++i)
    EXPECT_EQ(loop.returns[i] - loop.returns[i - 1], period) << i;
}

}  // namespace
