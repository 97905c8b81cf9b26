#pragma once
#include <cstdint>

#include "engine/Clock.h"

namespace quellor {
// Per-frame timing state of the preview.
struct FrameClock {
  // The clock every part reads; the system clock unless a test or a fixed-rate render
  // hands in another. It must outlive the model's use of it.
  const Clock* Source = &SystemClock();
  uint32_t NowMs() const { return Source->NowMs(); }
  uint32_t FrameNow = 0;
  uint32_t PreviewStart = 0;
  float FramesPerSecond = 60.0f;
  float SpeedFactor = 1.0f;
  int32_t LastFps = 60;  // integer frame rate used while the window has no focus
  bool Focused = true;   // set by the host each pass
  // carried fractions of the backdrop and border scroll steps
  float BackdropCarryX = 0.0f;
  float BackdropCarryY = 0.0f;
  float BorderCarry = 0.0f;
};
}
