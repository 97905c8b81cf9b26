#include "app/FramePacer.h"

#include <chrono>
#include <thread>

namespace quellor {

namespace {
constexpr uint64_t kSecond100ns = 10000000;
constexpr double kFallbackHz = 60.0;
}  // namespace

uint64_t RefreshPeriod100ns(double hz) {
  if (!(hz >= 20.0 && hz <= 500.0)) hz = kFallbackHz;  // also catches NaN
  return static_cast<uint64_t>(static_cast<double>(kSecond100ns) / hz + 0.5);
}

FramePacer::FramePacer(const Clock& clock, std::function<void(uint64_t)> wait)
    : clock_(clock), wait_(std::move(wait)), period_(RefreshPeriod100ns(0)) {}

void FramePacer::FramePresented() {
  const uint64_t now = clock_.Now100ns();
  // A present that waited for the retrace comes back about one period after the last;
  // the margin keeps a display slightly faster than its stated rate from being slowed.
  const uint64_t margin = period_ / 8;
  if (due_ != 0 && now + margin < due_) {
    wait_(due_ - now);
    // The next frame is due one period after this one was, so oversleeping does not
    // pile up from frame to frame.
    due_ += period_;
  } else {
    // On time, late, or the first frame: count the period from now, never catching up.
    due_ = now + period_;
  }
}

void SleepFor100ns(uint64_t t) { std::this_thread::sleep_for(std::chrono::nanoseconds(t * 100)); }

}  // namespace quellor
