#pragma once
#include <string>

#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {
// Releases every asset and resets the intro to a fresh state (New Intro).
void ClearIntro(IntroModel& m, Engine& e);

void AddToDisplayOrder(IntroModel& m, const std::string& name);
void RemoveFromDisplayOrder(IntroModel& m, const std::string& name);
// Moves each listed asset's sprites to the top of the engine's stack, in list order,
// and re-applies its blend pair.
void ApplyDisplayOrder(IntroModel& m, Engine& e);
}
