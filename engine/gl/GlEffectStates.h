#pragma once
// Direct3D 9 pass render states on GL, and the plain state the engine's own drawing
// expects back afterwards.
#include <vector>

#include "engine/fx/FxTypes.h"

namespace quellor {

// Applies the states a pass names; states it does not name keep their GL values.
// `flipped`: drawing with y negated (into a render target), which swaps the winding the
// cull mode refers to. `keepAlpha`: the target's alpha is not written (X8R8G8B8).
void ApplyFxStates(const std::vector<FxRenderState>& states, bool flipped, bool keepAlpha);

// Blending off, no depth test, depth writes on, no culling, every colour channel,
// solid fill, additive blend equation.
void ResetFxStates();

}  // namespace quellor
