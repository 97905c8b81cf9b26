#pragma once
// The bob clone table: one record per clone of the bob animation, made from the
// AnimClone settings and moved by the renderer every frame.
#include <cstdint>

#include "project/IntroModel.h"

namespace quellor {
// Largest clone count generated; bigger counts are cut to it.
constexpr int32_t kMaxBobClones = 100000;

// Builds the clone table (Count + 1 records, 1..Count used) from the AnimClone settings.
void GenerateClones(IntroModel& m);

// A random start position inside the clone area, one sprite size beyond its edges.
float RandomCloneX(IntroModel& m);
float RandomCloneY(IntroModel& m);
}  // namespace quellor
