#pragma once
// The parameters the renderer hands to user effects: names, values and the slots that
// keep their indices from frame to frame.
#include <array>
#include <span>

#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {

// Resolves `names` on `effect` into `slots` (in order) unless that was done for this
// handle already. Names beyond the slots' capacity are not resolved.
void ResolveEffectSlots(Engine& e, Handle effect, std::span<const char* const> names, EffectSlots& slots);

// "time": seconds of the engine clock (its 10 us ticks / 100000).
float EffectTime(const Engine& e);

// "mouse" by VertexShader.M_opt: 0 the preview mouse over (ScreenX - 10, ScreenY - 10)
// (-1 outside the preview), 1 the locked position over the screen size, 2 the absolute
// sine of scroller 1's swing in both. The third component is 0.
std::array<float, 3> MouseVector(const IntroModel& m);

// The 3D object's texture as effects see it: the texture shader's when the object
// uses one, else the loaded image.
Handle ObjectTexture(const IntroModel& m);

// Sets the ten matrix and vector parameters of the contract (worldViewProjI,
// worldViewProj, matWorld, matWorldI, lightDir, matLightWorld, matCamView, matCamViewI,
// matCamProj, vecEye) from the slots at `first`.. `first + 9`.
void SetContractMatrices(const IntroModel& m, Engine& e, Handle effect, const EffectSlots& slots, int first);
inline constexpr int kContractMatrixCount = 10;
inline constexpr const char* kContractMatrixNames[kContractMatrixCount] = {
    "worldViewProjI", "worldViewProj", "matWorld",    "matWorldI",  "lightDir",
    "matLightWorld",  "matCamView",    "matCamViewI", "matCamProj", "vecEye"};

}  // namespace quellor
