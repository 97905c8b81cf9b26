#pragma once
// The V2 filter: a 2x oversampled state-variable filter (low, band, high,
// notch, all) or a 2x oversampled four-pole ladder (low, high).
#include "music/v2m/SynthMath.h"

namespace quellor::music::v2m {

class Filter {
 public:
  enum Mode { kBypass, kLow, kBand, kHigh, kNotch, kAll, kLadderLow, kLadderHigh };

  void Reset();
  void Configure(float mode, float cutoff, float resonance, const SynthRate& rate);
  // Filters n samples `stride` floats apart (2 runs one side of a stereo buffer).
  void Render(float* dst, const float* src, int n, int stride = 1);

 private:
  float StepSvf(float in);       // returns the high-pass output
  float StepLadder(float in);    // returns the low-pass output

  int mode_ = kBypass;
  float freq_ = 0.0f, damp_ = 1.0f;             // state-variable coefficients
  float ladderP_ = 0.0f, ladderK_ = 0.0f, ladderQ_ = 0.0f;  // ladder input, pole and feedback
  float low_ = 0.0f, band_ = 0.0f;
  float stage_[5] = {};  // ladder input memory and four stages
};

}  // namespace quellor::music::v2m
