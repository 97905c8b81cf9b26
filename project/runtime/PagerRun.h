#pragma once
#include <cstdint>
#include <vector>
#include "project/Handle.h"

namespace quellor {
// One laid-out pager letter and its flight state.
struct PagerLetter {
  Handle Sprite = 0;
  float X = 0, Y = 0, SizeX = 100, SizeY = 100, Rot = 0, Trans = 255;
  float TargetX = 0, TargetY = 0;
  int32_t Arrived = 0;
  int32_t Delay = 0;
};
struct PagerRun {
  std::vector<PagerLetter> Letters;
  uint32_t StateStart = 0;
  int32_t ArrivalCount = 0;
};
}
