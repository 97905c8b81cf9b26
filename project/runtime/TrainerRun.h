#pragma once
#include <cstdint>
#include <vector>
#include "engine/Handle.h"

namespace quellor {
struct TrainerLetter {
  Handle Sprite = 0;
  int32_t X = 0, Y = 0, SizeX = 100, SizeY = 100;
};
struct TrainerRun {
  std::vector<TrainerLetter> Letters;
  int32_t Selected = 0;
  int32_t BarX = 0, BarY = 0;  // where the frame draws the trainer bar
  bool MouseLatch = false;     // left button already toggled during this press
};
}
