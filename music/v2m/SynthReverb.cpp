#include "music/v2m/SynthReverb.h"

#include <algorithm>

namespace quellor::music::v2m {

namespace {
constexpr uint32_t kCombLength[2][4] = {{1309, 1635, 1811, 1926}, {1327, 1631, 1833, 1901}};
constexpr uint32_t kAllpassLength[2][2] = {{220, 74}, {205, 77}};
// Feedback gains at the reference decay, raised to a power for other times.
constexpr float kCombBase[4] = {0.966384599f, 0.958186359f, 0.953783929f, 0.950933178f};
constexpr float kAllpassBase[2] = {0.994260075f, 0.998044717f};
}  // namespace

Reverb::Reverb() {
  for (int ch = 0; ch < 2; ++ch) {
    for (int j = 0; j < 4; ++j) comb_[size_t(ch)][size_t(j)].buf.assign(kCombLength[ch][j], 0.0f);
    for (int j = 0; j < 2; ++j) allpass_[size_t(ch)][size_t(j)].buf.assign(kAllpassLength[ch][j], 0.0f);
  }
}

void Reverb::Clear() {
  for (int ch = 0; ch < 2; ++ch) {
    for (Line& l : comb_[size_t(ch)]) {
      std::fill(l.buf.begin(), l.buf.end(), 0.0f);
      l.pos = 0;
    }
    for (Line& l : allpass_[size_t(ch)]) {
      std::fill(l.buf.begin(), l.buf.end(), 0.0f);
      l.pos = 0;
    }
    lowCutState_[ch] = 0.0f;
  }
}

void Reverb::Configure(const float* p, const SynthRate& rate) {
  const float t = 64.0f / (p[0] + 1.0f);
  const float e = rate.linFreq * t * t;
  for (int j = 0; j < 4; ++j) combGain_[j] = std::pow(kCombBase[j], e);
  for (int j = 0; j < 2; ++j) allpassGain_[j] = std::pow(kAllpassBase[j], e);
  damp_ = rate.linFreq * (p[1] / 128.0f);
  inGain_ = p[3] / 128.0f;
  const float lc = p[2] / 128.0f;
  lowCut_ = rate.linFreq * lc * lc * lc * lc;
}

void Reverb::RenderInto(StereoFrame* mix, const float* send, int n) {
  for (int i = 0; i < n; ++i) {
    const float in = send[i] * inGain_ + kAntiDenormal;
    for (int ch = 0; ch < 2; ++ch) {
      float sum = 0.0f;
      for (int j = 0; j < 4; ++j) {
        Line& line = comb_[size_t(ch)][size_t(j)];
        const float fed = combGain_[j] * line.Read() + ((j & 1) ? -in : in);
        // Meant as a low pass in the loop, but in the players the tunes are
        // heard with its memory stays at rest: the damping is a plain gain.
        const float damped = damp_ * fed;
        line.Write(damped);
        sum += damped;
      }
      for (int j = 0; j < 2; ++j) {
        Line& line = allpass_[size_t(ch)][size_t(j)];
        const float delayed = line.Read();
        const float fed = sum + allpassGain_[j] * delayed;
        line.Write(fed);
        sum = delayed - allpassGain_[j] * fed;
      }
      lowCutState_[ch] += lowCut_ * (sum - lowCutState_[ch]);
      (ch ? mix[i].r : mix[i].l) += sum - lowCutState_[ch];
    }
  }
}

}  // namespace quellor::music::v2m
