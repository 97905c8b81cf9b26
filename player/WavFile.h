#pragma once
// 16-bit PCM WAV files of interleaved stereo float samples (-1..1, clipped).
#include <string>
#include <vector>

namespace quellor {

std::vector<uint8_t> EncodeWav(const std::vector<float>& stereo, int rate);
bool WriteWavFile(const std::string& path, const std::vector<float>& stereo, int rate);

}  // namespace quellor
