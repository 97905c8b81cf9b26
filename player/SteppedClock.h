#pragma once
// Frame-stepped time for renders to a file: frame k is shown at k * 1000 / fps ms on
// both the model's and the engine's clock, so a run gives the same pictures on any
// machine and at any speed.
#include <cstdint>

#include "engine/EngineCore.h"
#include "project/IntroModel.h"

namespace quellor {

class SteppedClock {
 public:
  // Puts both clocks of the intro on this clock, starting at frame 0. Only one stepped
  // clock drives a process at a time (the model's clock is a plain function).
  SteppedClock(int fps, IntroModel& m, EngineCore& e);
  ~SteppedClock();
  SteppedClock(const SteppedClock&) = delete;
  SteppedClock& operator=(const SteppedClock&) = delete;

  void Step();
  uint32_t Ms() const;

 private:
  IntroModel& m_;
  int fps_;
  uint64_t frame_ = 0;
};

}  // namespace quellor
