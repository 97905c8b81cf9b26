#include "player/SteppedClock.h"

#include <atomic>

namespace quellor {

namespace {
// The model's clock is a plain function pointer, so its time lives here.
std::atomic<uint32_t> gSteppedMs{0};
uint32_t SteppedNow() { return gSteppedMs.load(std::memory_order_relaxed); }
}  // namespace

SteppedClock::SteppedClock(int fps, IntroModel& m, EngineCore& e) : m_(m), fps_(fps > 0 ? fps : 60) {
  gSteppedMs = 0;
  m_.Clock.Now = SteppedNow;
  e.SetClock([] { return static_cast<uint64_t>(SteppedNow()) * 10000; });  // 100 ns units
}

SteppedClock::~SteppedClock() { m_.Clock.Now = SystemMs; }

void SteppedClock::Step() {
  ++frame_;
  gSteppedMs = static_cast<uint32_t>(frame_ * 1000 / static_cast<uint64_t>(fps_));
}

uint32_t SteppedClock::Ms() const { return SteppedNow(); }

}  // namespace quellor
