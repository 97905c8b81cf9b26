#pragma once
// Tracker modules (MOD, XM, IT, S3M, MDL, AMS, AMF, ...) through libmodplug.
#include <memory>
#include <span>
#include <string>

#include "music/Replayer.h"

namespace quellor::music {

// The whole file is handed to the library from memory. Null with a reason when the
// library does not take it.
std::unique_ptr<Tune> OpenTrackerTune(std::span<const uint8_t> bytes, std::string* error);

extern const Replayer kTrackerReplayer;

}  // namespace quellor::music
