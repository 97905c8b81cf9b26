#pragma once
// The data area of a player stub: one slot per tag, each laid out as its room (32-bit
// little-endian), its tag with a zero byte, then the room's bytes. The exporter finds
// the tags in the stub's image and writes into the slots; the running player reads the
// same bytes back through its own symbols, so no tag is spelled a second time.
#include "player/IntroSlots.h"

namespace quellor {

SlotBytes StubSlotBytes();

}  // namespace quellor
