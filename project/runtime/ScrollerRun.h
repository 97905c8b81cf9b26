#pragma once
#include <cstdint>

namespace quellor {
// Running state of one sine scroller (not stored in the project). Phase, Angle and
// Slots live with the scroller's fields in the model.
struct ScrollerRun {
  int32_t TextPos = 1;       // 1-based text index in the leftmost slot; 0 shows a blank
  float Offset = 0.0f;       // offset of the leftmost slot, in (-cspX, 0]
  int32_t Speed = 2;         // pixels per 60-Hz frame
  uint32_t PauseStart = 0;   // FrameNow of the last pause control
  bool Paused = false;       // a pause control has acted (PauseStart is meaningful)
  int32_t LastControl = -1;  // control code last acted upon
  int32_t TextLength = 0;    // taken when the text is set
  float RollRot = 0.0f;      // shared character rotation of "Rolling Chars"
  float SwingSine = 0.0f;    // sine of the swing angle, taken once per frame
};
}
