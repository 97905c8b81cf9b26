#pragma once
// Keeps the loop of one event and one frame at the display's pace where presenting does
// not wait for the display (virtual displays, remote desktops, drivers that ignore the
// swap interval): a present that comes back sooner than one refresh period waits out the
// rest of it. Where presenting does wait for the retrace, nothing is added. Only the
// window host paces; headless renders run as fast as they can.
#include <cstdint>
#include <functional>

#include "engine/Clock.h"

namespace quellor {

// One refresh period in 100 ns units. A rate no display has (unknown, 0, or outside
// 20..500 Hz) counts as 60 Hz.
uint64_t RefreshPeriod100ns(double hz);

class FramePacer {
 public:
  // `wait` blocks for about the given time in 100 ns units.
  FramePacer(const Clock& clock, std::function<void(uint64_t)> wait);

  void SetRefreshHz(double hz) { period_ = RefreshPeriod100ns(hz); }
  uint64_t Period100ns() const { return period_; }

  // Called right after each present.
  void FramePresented();

 private:
  const Clock& clock_;
  std::function<void(uint64_t)> wait_;
  uint64_t period_;
  uint64_t due_ = 0;  // when the next present should come back; 0 before the first
};

// The `wait` of the editor: sleeps the calling thread.
void SleepFor100ns(uint64_t t);

}  // namespace quellor
