#include "player/StubSlots.h"

#include <cstdint>

namespace quellor {

template <uint32_t N>
struct StubSlotArea {
  uint32_t Room;
  char Tag[8];
  uint8_t Data[N];
};
static_assert(offsetof(StubSlotArea<16>, Data) == 12, "a slot starts 8 bytes after its tag");

// Initialised data, so the areas lie in the executable file where the exporter patches
// them. External linkage and written nowhere here: the compiler must read them.
#define QUELLOR_SLOT(id, tag)                                                          \
  __attribute__((used)) StubSlotArea<slots::SlotCapacity(slots::SlotId::id)> g##id##Slot = { \
      slots::SlotCapacity(slots::SlotId::id), tag, {}};
#include "export/slots/SlotTags.def"
#undef QUELLOR_SLOT

namespace {
// Hides where the bytes come from, so no read of them is folded to the zeros above.
const uint8_t* Opaque(const uint8_t* p) {
  asm volatile("" : "+r"(p));
  return p;
}
}  // namespace

SlotBytes StubSlotBytes() {
  SlotBytes out;
#define QUELLOR_SLOT(id, tag)                                        \
  out[static_cast<int>(slots::SlotId::id)] = std::span<const uint8_t>( \
      Opaque(g##id##Slot.Data), sizeof g##id##Slot.Data);
#include "export/slots/SlotTags.def"
#undef QUELLOR_SLOT
  return out;
}

}  // namespace quellor
