#include "render/EffectSlotsResolve.h"

namespace quellor {

void ResolveEffectSlots(Engine& e, Handle effect, std::span<const char* const> names, EffectSlots& slots) {
  if (slots.For == effect) return;
  slots.Index.fill(-1);
  for (size_t i = 0; i < names.size() && i < slots.Index.size(); ++i) slots.Index[i] = e.EffectParam(effect, names[i]);
  slots.For = effect;
}

}  // namespace quellor
