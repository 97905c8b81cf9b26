#pragma once
// Raster bars: up to three key colours of the finished frame are replaced, pixel by
// pixel, by a raster texture that may wave or scroll, through a built-in effect.
#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {

// The built-in recolor effect (technique "recolor", pass "p1").
extern const char* const kRasterEffectSource;

// Copies the built-in text into Raster.EffectSource (start-up, before the window).
void SetRasterEffectSource(IntroModel& m);
// Compiles Raster.EffectSource into Raster.Effect (start-up, once the engine is open).
void CompileRasterEffect(IntroModel& m, Engine& e);

}  // namespace quellor
