#pragma once
#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {
// Hooks of the 3D layer, post effect and raster pass; filled in with the effects.
void SetObjectShaderParameters(IntroModel& m, Engine& e);
void RunPostEffect(IntroModel& m, Engine& e);    // frame step 8.7
void RunRasterPass(IntroModel& m, Engine& e);    // frame step 12
}
