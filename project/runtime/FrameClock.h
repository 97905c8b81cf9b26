#pragma once
#include <cstdint>

namespace quellor {
// Per-frame timing state of the preview.
struct FrameClock {
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
