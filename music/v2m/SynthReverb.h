#pragma once
// The V2 master reverb: per side four damped comb filters in parallel (every
// other one fed inverted) into two all-pass filters, then a low cut.
#include <array>
#include <cstdint>
#include <vector>

#include "music/v2m/SynthMath.h"

namespace quellor::music::v2m {

class Reverb {
 public:
  Reverb();
  void Clear();  // silent lines, without allocating
  // p: time, high cut, low cut, volume.
  void Configure(const float* p, const SynthRate& rate);
  void RenderInto(StereoFrame* mix, const float* send, int n);

 private:
  struct Line {
    std::vector<float> buf;
    uint32_t pos = 0;
    float Read() const { return buf[pos]; }
    void Write(float v) {
      buf[pos] = v;
      if (++pos == buf.size()) pos = 0;
    }
  };
  std::array<std::array<Line, 4>, 2> comb_;
  std::array<std::array<Line, 2>, 2> allpass_;
  float lowCutState_[2] = {};
  float combGain_[4] = {}, allpassGain_[2] = {};
  float inGain_ = 0.0f, damp_ = 0.0f, lowCut_ = 0.0f;
};

}  // namespace quellor::music::v2m
