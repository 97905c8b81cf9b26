#pragma once
#include <chrono>
#include <cstdint>

namespace quellor {
// Millisecond system clock (wraps like a 32-bit multimedia timer).
inline uint32_t SystemMs() {
  using namespace std::chrono;
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// Per-frame timing state of the preview.
struct FrameClock {
  // The clock every part reads; tests replace it to step time by hand.
  uint32_t (*Now)() = SystemMs;
  uint32_t NowMs() const { return Now(); }
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
