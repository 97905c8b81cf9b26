#pragma once
// The exported intro from start to end: read the slots, open the window (or a headless
// surface), load the intro, play the frames with the music, leave, and start the
// program the intro names, if any.
#include <cstdint>

#include "player/IntroSlots.h"
#include "player/PlayerOptions.h"

namespace quellor {

// `musicType` is the replayer this player variant carries. Returns the exit code.
int RunPlayer(const PlayerOptions& options, const SlotBytes& slots, int32_t musicType);

}  // namespace quellor
