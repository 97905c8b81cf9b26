#include <cmath>

#include "render/Frame.h"

namespace quellor {

void UpdateFrameTiming(IntroModel& m, Engine& e) {
  FrameClock& c = m.Clock;
  c.FrameNow = c.NowMs();
  const uint32_t elapsed = c.FrameNow - c.PreviewStart;
  if (!c.Focused) {
    // Another window is in front: keep speeds where they were.
    c.FramesPerSecond = static_cast<float>(c.LastFps);
  } else if (elapsed > 999) {
    c.FramesPerSecond = static_cast<float>(e.MeasureFps());
  }
  if (c.FramesPerSecond != 0.0f) {
    c.SpeedFactor = 1.0f * (60.0f / c.FramesPerSecond);
    c.LastFps = static_cast<int32_t>(std::lrint(c.FramesPerSecond));
  } else {
    c.SpeedFactor = 0.0f;
  }
}

}  // namespace quellor
