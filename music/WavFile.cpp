#include "music/WavFile.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace quellor::music {

namespace {
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
bool Fail(std::string* why, const std::string& text) {
  if (why) *why = text;
  return false;
}
}  // namespace

int16_t ToPcm16(float sample) {
  return static_cast<int16_t>(std::lround(std::fmax(-1.0f, std::fmin(1.0f, sample)) * 32767.0f));
}

bool WriteWav16(const std::string& path, std::span<const int16_t> samples, int rate, int channels,
                std::string* why) {
  uint64_t dataBytes = samples.size() * 2ull;
  if (dataBytes > 0xFFFFFFFFull - 36) return Fail(why, "too much sound for one WAV file");
  std::vector<uint8_t> head;
  head.reserve(44);
  head.insert(head.end(), {'R', 'I', 'F', 'F'});
  Put32(head, static_cast<uint32_t>(36 + dataBytes));
  head.insert(head.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(head, 16);
  Put16(head, 1);  // PCM
  Put16(head, static_cast<uint16_t>(channels));
  Put32(head, static_cast<uint32_t>(rate));
  Put32(head, static_cast<uint32_t>(rate * channels * 2));
  Put16(head, static_cast<uint16_t>(channels * 2));
  Put16(head, 16);
  head.insert(head.end(), {'d', 'a', 't', 'a'});
  Put32(head, static_cast<uint32_t>(dataBytes));

  std::vector<uint8_t> body;
  body.reserve(dataBytes);
  for (int16_t s : samples) Put16(body, static_cast<uint16_t>(s));

  std::string temp = path + ".part";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return Fail(why, "cannot create " + temp);
  bool ok = std::fwrite(head.data(), 1, head.size(), f) == head.size() &&
            std::fwrite(body.data(), 1, body.size(), f) == body.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return Fail(why, "cannot write " + path);
  }
  return true;
}

}  // namespace quellor::music
