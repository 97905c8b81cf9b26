#pragma once
#include <array>

#include "engine/Handle.h"

namespace quellor {
// Parameter indices of an effect (Engine::EffectParam), resolved once per effect
// handle so that frames set parameters by index.
struct EffectSlots {
  Handle For = 0;
  std::array<int, 32> Index{};
};
}  // namespace quellor
