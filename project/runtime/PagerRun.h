#pragma once
#include <cstdint>
#include <vector>
#include "engine/Handle.h"

namespace quellor {
// One laid-out pager letter and its flight state.
struct PagerLetter {
  Handle Sprite = 0;
  float X = 0, Y = 0;
  float SizeX = 0, SizeY = 0;
  float Trans = 0;
  float Rot = 0;
  int32_t TargetX = 0, TargetY = 0;
  int32_t TargetSizeX = 100, TargetSizeY = 100;
  int32_t TargetRot = 0;
  int32_t TargetTrans = 255;
  int32_t Line = 0;        // line number within the whole text
  uint32_t Start = 0;      // clock value from which the letter moves
  int32_t LineInPage = 0;  // 0-based line index within the page
};

struct PagerRun {
  std::vector<PagerLetter> Letters;  // storage is kept between pages
  uint32_t StateStart = 0;           // clock value when the current state began
  int32_t GoneCount = 0;             // letters that have left in state 2
  int32_t PageCount = 0;             // page text lines / YLins
  uint64_t Rng = 0x9E3779B97F4A7C15ULL;  // random spawn rotations and delays
};
}
