#include "render/PagerTrainer.h"

namespace quellor {
// Placeholder until the pager and trainer module lands.
void AddPagerRecords(IntroModel&, Engine&) {}
void AddTrainerRecords(IntroModel&, Engine&) {}
void RestartPager(IntroModel&, Engine&) {}
void RestartTrainer(IntroModel&, Engine&) {}
}
