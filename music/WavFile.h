#pragma once
// Writing 16-bit PCM WAV files.
#include <cstdint>
#include <span>
#include <string>

namespace quellor::music {

// Float samples (-1..1, clipped) to 16-bit, rounding to the nearest step.
int16_t ToPcm16(float sample);

// Writes interleaved 16-bit samples as a WAV file. The file appears complete or not at
// all: it is written beside its place under a temporary name and then renamed.
bool WriteWav16(const std::string& path, std::span<const int16_t> samples, int rate, int channels,
                std::string* why);

}  // namespace quellor::music
