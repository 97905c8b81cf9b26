#include "music/fc/Paula.h"

#include <algorithm>
#include <cmath>

namespace quellor::music::fc {

void Paula::Attach(std::span<const uint8_t> memory, uint32_t silence, int rate) {
  mem_ = memory;
  silence_ = silence;
  clockPerFrame_ = kPalClock / rate;
  v_ = {};
  for (int ch = 0; ch < 4; ++ch) {
    SetStretch(ch, silence_, 1);
    TakeStretch(ch);
  }
}

void Paula::Clip(uint32_t& start, uint32_t& bytes) const {
  if (bytes == 0 || start >= mem_.size()) {
    start = silence_;
    bytes = 2;
  } else if (bytes > mem_.size() - start) {
    bytes = static_cast<uint32_t>(mem_.size() - start);
  }
}

void Paula::SetStretch(int ch, uint32_t start, uint32_t words) {
  uint32_t bytes = words * 2;
  Clip(start, bytes);
  v_[ch].RegStart = start;
  v_[ch].RegBytes = bytes;
}

void Paula::TakeStretch(int ch) {
  Channel& c = v_[ch];
  if (!c.On) {
    c.Pos = c.RegStart;
    c.End = c.RegStart + c.RegBytes;
  }
  c.RepStart = c.RegStart;
  c.RepEnd = c.RegStart + c.RegBytes;
}

void Paula::On(int ch) {
  TakeStretch(ch);
  v_[ch].On = true;
}

void Paula::SetPeriod(int ch, uint16_t period) {
  Channel& c = v_[ch];
  if (period == c.Period) return;
  c.Period = period;
  c.Step = period == 0 ? 0 : static_cast<uint64_t>(std::ldexp(clockPerFrame_ / period, 32));
}

void Paula::Mix(float* stereo, size_t frames) {
  std::fill(stereo, stereo + frames * 2, 0.0f);
  // Full volume on both channels of a side reaches 1.0.
  constexpr float kScale = 1.0f / (128.0f * 64.0f * 2.0f);
  static constexpr int kSide[4] = {0, 1, 1, 0};
  const uint8_t* mem = mem_.data();
  for (int ch = 0; ch < 4; ++ch) {
    Channel& c = v_[ch];
    if (!c.On) continue;
    float gain = c.Volume * kScale;
    float* out = stereo + kSide[ch];
    uint64_t pos = (static_cast<uint64_t>(c.Pos) << 32) | c.Frac;
    uint64_t end = static_cast<uint64_t>(c.End) << 32;
    for (size_t i = 0; i < frames; ++i) {
      pos += c.Step;
      if (pos >= end) {
        // The current stretch is done: the queued one repeats from here on, keeping
        // the part of the step that went past the end.
        uint64_t over = pos - end;
        uint64_t loop = static_cast<uint64_t>(c.RepEnd - c.RepStart) << 32;
        pos = (static_cast<uint64_t>(c.RepStart) << 32) + (loop ? over % loop : 0);
        end = static_cast<uint64_t>(c.RepEnd) << 32;
        c.End = c.RepEnd;
      }
      out[i * 2] += static_cast<int8_t>(mem[pos >> 32]) * gain;
    }
    c.Pos = static_cast<uint32_t>(pos >> 32);
    c.Frac = static_cast<uint32_t>(pos);
  }
}

}  // namespace quellor::music::fc
