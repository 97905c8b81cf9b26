#pragma once
// The exported intro from start to end: read the slots, open the window (or a headless
// surface), load the intro, play the frames with the music, leave, and start the
// program the intro names, if any.
#include <memory>
#include <span>
#include <string>

#include "music/Tune.h"
#include "player/IntroSlots.h"
#include "player/PlayerOptions.h"

namespace quellor {

// Opens the intro's tune with the one replayer a player variant carries; null (with the
// reason) when it cannot. Each variant passes its own, so it links no other replayer.
using TuneOpener = std::unique_ptr<music::Tune> (*)(std::span<const uint8_t> bytes, std::string* error);

// Returns the exit code.
int RunPlayer(const PlayerOptions& options, const SlotBytes& slots, TuneOpener openTune);

}  // namespace quellor
