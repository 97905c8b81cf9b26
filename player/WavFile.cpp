#include "player/WavFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "project/FileReplace.h"

namespace quellor {

namespace {
void Put(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Tag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}
}  // namespace

std::vector<uint8_t> EncodeWav(const std::vector<float>& stereo, int rate) {
  const uint32_t dataBytes = static_cast<uint32_t>(stereo.size() * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  Tag(out, "RIFF");
  Put(out, 36 + dataBytes, 4);
  Tag(out, "WAVE");
  Tag(out, "fmt ");
  Put(out, 16, 4);
  Put(out, 1, 2);  // PCM
  Put(out, 2, 2);  // stereo
  Put(out, static_cast<uint32_t>(rate), 4);
  Put(out, static_cast<uint32_t>(rate) * 4, 4);
  Put(out, 4, 2);
  Put(out, 16, 2);
  Tag(out, "data");
  Put(out, dataBytes, 4);
  for (float s : stereo) {
    const float c = std::isfinite(s) ? std::clamp(s, -1.0f, 1.0f) : 0.0f;
    Put(out, static_cast<uint16_t>(static_cast<int16_t>(std::lrint(c * 32767.0f))), 2);
  }
  return out;
}

bool WriteWavFile(const std::string& path, const std::vector<float>& stereo, int rate) {
  std::vector<uint8_t> bytes = EncodeWav(stereo, rate);
  return ReplaceFileContents(path, bytes.data(), bytes.size());
}

}  // namespace quellor
