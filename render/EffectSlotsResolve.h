#pragma once
// Parameter indices of an effect resolved once, so that frames set them by index.
#include <span>

#include "engine/Engine.h"
#include "project/runtime/EffectSlots.h"

namespace quellor {
// Resolves `names` on `effect` into `slots` (in order) unless that was done for this
// handle already. Names beyond the slots' capacity are not resolved.
void ResolveEffectSlots(Engine& e, Handle effect, std::span<const char* const> names, EffectSlots& slots);
}  // namespace quellor
