#include "render/Bobs.h"

namespace quellor {
// Placeholder until the bobs module lands.
void GenerateClones(IntroModel&, Engine&) {}
void AddBobRecords(IntroModel&, Engine&) {}
}
