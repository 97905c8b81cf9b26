#pragma once
// The exported intro from start to end: read the slots, open the window (or a headless
// surface), load the intro, play the frames with the music, leave, and start the
// program the intro names, if any.
#include <memory>
#include <span>
#include <string>

#include "music/Replayer.h"
#include "player/IntroSlots.h"
#include "player/PlayerOptions.h"

namespace quellor {

// `replayer` is the one a player variant carries, so it links no other. Returns the exit
// code.
int RunPlayer(const PlayerOptions& options, const SlotBytes& slots, const music::Replayer& replayer);

}  // namespace quellor
