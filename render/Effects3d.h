#pragma once
#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {
// Hooks of the 3D layer, post effect and raster pass.

// Frame step 8.3: takes the mouse vector, then, when the 3D object has an effect, sets
// its parameters in the contract's order: "mouse", the ten matrices and vectors,
// "postfx" 0, "texture0".."texture3", "time", "Var1".."Var3".
void SetObjectShaderParameters(IntroModel& m, Engine& e);
void RunPostEffect(IntroModel& m, Engine& e);    // frame step 8.7
void RunRasterPass(IntroModel& m, Engine& e);    // frame step 12

// Pieces both effects share.
// The mouse vector by VertexShader.M_opt: 0 the preview mouse (-1 outside the preview)
// over the screen size less 10, 1 the fixed position over the screen size, 2 the size
// of the sine of scroller 1's swing twice; the third component is 0.
void UpdateShaderMouse(IntroModel& m);
// "worldViewProjI", "worldViewProj", "matWorld", "matWorldI", "lightDir",
// "matLightWorld", "matCamView", "matCamViewI", "matCamProj", "vecEye", in that order,
// for the 3D object (the identity world while there is none).
void SetMatrixParameters(const IntroModel& m, Engine& e, Handle effect);
// "time": seconds of system up-time from the engine's timer.
float ShaderTime(const Engine& e);
}
