#pragma once
#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {
// Frame step 7: pager letters with the page state machine.
void AddPagerRecords(IntroModel& m, Engine& e);
// Frame step 7: trainer letters, keyboard and mouse control.
void AddTrainerRecords(IntroModel& m, Engine& e);
// Rebuilds the letter lists after the texts, fonts or settings changed.
void RestartPager(IntroModel& m, Engine& e);
void RestartTrainer(IntroModel& m, Engine& e);
}
