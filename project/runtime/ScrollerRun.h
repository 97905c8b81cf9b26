#pragma once
#include <cstdint>

namespace quellor {
// Running state of one sine scroller (not stored in the project).
struct ScrollerRun {
  int32_t TextPos = 1;
  float Offset = 0.0f;
  int32_t Speed = 2;
  uint32_t PauseStart = 0;
  int32_t LastControl = 0;
  float SwingSine = 0.0f;  // sine of the swing angle, taken once per frame
};
}
