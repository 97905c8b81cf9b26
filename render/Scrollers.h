#pragma once
#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {
// Frame step 2: sine of the swing angle, then the angle advances (s = 0 or 1).
void ScrollerSwing(IntroModel& m, int s);
// Frame step 7: one DrawRecord per visible character of scroller s, text moves on.
void AddScrollerRecords(IntroModel& m, Engine& e, int s);
// Characters per screen, start character 1, offset 0, speed 2, for both scrollers.
void ResetScrollers(IntroModel& m);
}
