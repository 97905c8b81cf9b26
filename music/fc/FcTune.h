#pragma once
// Future Composer 1.0-1.4 modules through our own replayer.
#include <memory>
#include <span>
#include <string>

#include "music/Replayer.h"

namespace quellor::music {

// Null with a reason when the file is not a Future Composer module it can play.
std::unique_ptr<Tune> OpenFutureComposerTune(std::span<const uint8_t> bytes, std::string* error);

extern const Replayer kFutureComposerReplayer;

}  // namespace quellor::music
