#pragma once
#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {
// Builds the clone table from the AnimClone settings.
void GenerateClones(IntroModel& m, Engine& e);
// Frame step 7: moves every clone and adds its DrawRecord.
void AddBobRecords(IntroModel& m, Engine& e);
}
