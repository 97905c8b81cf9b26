#pragma once
// The tests' one clock: a hand-moved ManualClock that fixtures hand to the model (and,
// where a test times frames, to the engine).
#include "engine/Clock.h"

namespace quellor::testing {
inline ManualClock& TestClock() {
  static ManualClock clock;
  return clock;
}
inline uint32_t TestMs() { return TestClock().NowMs(); }
}  // namespace quellor::testing
