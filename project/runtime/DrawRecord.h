#pragma once
#include <cstdint>
#include <vector>
#include "engine/Handle.h"

namespace quellor {
// One sprite draw of the per-frame list, filled by scrollers, pager, trainer and bobs.
struct DrawRecord {
  Handle Sprite = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 100;   // horizontal zoom, percent
  int32_t Height = 100;  // vertical zoom, percent
  int32_t Alpha = 255;
  float Rotation = 0.0f;  // degrees
  int32_t IsPagerLetter = 0;
  int32_t Layer = 0;
  int32_t Frame = 0;
};
// Cleared every frame; capacity is kept so the per-frame path does not allocate.
using DrawList = std::vector<DrawRecord>;
}
