#pragma once
// V2M playback through the Tune interface: "Farbrausch v2m" tunes played by
// our own V2 synthesizer.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "music/Replayer.h"

namespace quellor::music {

// Reads a V2M file and prepares it to play from the start at `rate` Hz (44100
// is the V2's own rate and sounds as intended; up to 96000 works, with the
// reverb and delays tuned in samples). Returns nullptr with a reason in *error
// when the file cannot be played.
std::unique_ptr<Tune> OpenV2m(std::span<const uint8_t> bytes, int rate, std::string* error);

// Plays at kOutputRate.
extern const Replayer kV2mReplayer;

}  // namespace quellor::music
