#include "project/NewIntro.h"

namespace quellor {
// Placeholders until New Intro and the display order land.
void ClearIntro(IntroModel&, Engine&) {}
void AddToDisplayOrder(IntroModel&, const std::string&) {}
void RemoveFromDisplayOrder(IntroModel&, const std::string&) {}
void ApplyDisplayOrder(IntroModel&, Engine&) {}
}
