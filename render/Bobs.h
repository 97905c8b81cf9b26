#pragma once
#include <array>
#include <cstdint>

#include "engine/Engine.h"
#include "project/CloneTable.h"
#include "project/IntroModel.h"

namespace quellor {
// Frame step 7: moves every clone and adds its DrawRecord.
void AddBobRecords(IntroModel& m, Engine& e);


// A movement preset: the values it sets (HasX false = left unchanged) and how the
// options window labels and enables the four value fields.
struct BobPreset {
  const char* Title;
  float XAdd, YAdd;
  bool HasInt1, HasFlt1, HasInt2, HasFlt2;
  int32_t Int1;
  float Flt1;
  int32_t Int2;
  float Flt2;
  std::array<const char*, 4> Labels;  // i value #1, i value #2, f value #1, f value #2
  std::array<bool, 4> Enabled;
};
extern const std::array<BobPreset, 4> kBobPresets;
// Labels of the other clone fields, the same in every preset.
extern const std::array<const char*, 6> kBobFieldLabels;

// Chooses movement preset movps (0..3): sets MovPS and the preset's values, and
// regenerates the clones when the preset changed while clones are active.
void ApplyBobPreset(IntroModel& m, Engine& e, int32_t movps);
}
