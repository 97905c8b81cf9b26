#pragma once
#include <cstdint>

#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {
// Frame step 7: pager letters with the page state machine.
void AddPagerRecords(IntroModel& m, Engine& e);
// Frame step 7: trainer letters, keyboard and mouse control.
void AddTrainerRecords(IntroModel& m, Engine& e);
// Rebuilds the letter lists after the texts, fonts or settings changed.
// RestartPager: page count taken again, page 0 laid out, state 0.
void RestartPager(IntroModel& m, Engine& e);
// RestartTrainer: the trainer set-up (line check, bar, option states off, letters).
void RestartTrainer(IntroModel& m, Engine& e);

// Pager page states.
enum PagerStateId : int32_t {
  kPagerArriving = 0,
  kPagerShown = 1,
  kPagerLeaving = 2,
  kPagerGone = 3,
  kPagerNext = 4,
};

// Lays page `page` out into the letter list (state 0) with start times from `now`.
void BuildPagerPage(IntroModel& m, int32_t page, uint32_t now);
// Gives every letter its departure target and start time (entering state 2).
void SetupPagerVanish(IntroModel& m, uint32_t now);
// Number of whole pages in the page text (0 when YLins is not positive).
int32_t PagerPageCount(const IntroModel& m);
// True while one of the pager placement modes lays the page out at once.
bool PagerPlacementActive(const IntroModel& m);

// Trainer bar zoom and position from TB_CSX / TB_Line (no-op without a bar sprite).
void RefreshTrainerBar(IntroModel& m, Engine& e);
// Trainer letters from the option states (the selected line and bar stay).
void BuildTrainerLetters(IntroModel& m);
// Flips option i between off and on and rebuilds the letters.
void ToggleTrainerOption(IntroModel& m, int32_t i);

// Display order and start/end mode names of the pager's spawn and vanish settings.
extern const char* const kPagerDelayModeNames[5];
extern const char* const kPagerStartModeNames[4];
}
