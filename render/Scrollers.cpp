#include "render/Scrollers.h"

namespace quellor {
// Placeholder until the scroller module lands.
void ScrollerSwing(IntroModel&, int) {}
void AddScrollerRecords(IntroModel&, Engine&, int) {}
void ResetScrollers(IntroModel&) {}
}
