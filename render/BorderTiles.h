#pragma once
#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {
// Queues the border pieces along the enabled edges, alpha 255. Horizontal edges step
// by CspX from x = 0 to TilesX × CspX; vertical edges step by CspX as well (the side
// pieces are the piece turned a quarter) and sit CspY in from the right edge.
void DisplayBorderTiles(const IntroModel& m, Engine& e);
}
