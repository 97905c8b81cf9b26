#pragma once
// The V2 compressor (per channel and on the sum): peak or RMS level detection,
// mono or stereo, a lookahead delay, and a gain follower with attack/release.
#include <cstdint>
#include <vector>

#include "music/v2m/SynthMath.h"

namespace quellor::music::v2m {

class Compressor {
 public:
  Compressor();
  void Clear();  // start-up state, without allocating
  // p: mode (off, peak, RMS), stereo, auto gain, lookahead ms, threshold,
  // ratio, attack, release, output gain.
  void Configure(const float* p, const SynthRate& rate);
  void Render(StereoFrame* buf, int n);

 private:
  static constexpr int kLookaheadMax = 5700;
  static constexpr int kRmsLength = 8192;
  enum Bits { kRms = 1, kStereo = 2, kOff = 4 };

  void ClearDetector();
  float Peak(int ch, float x);
  float Rms(int ch, float x);

  int mode_ = kStereo;
  float inVol_ = 1.0f, outVol_ = 1.0f, ratio_ = 0.0f, attack_ = 0.0f, release_ = 0.0f;
  uint32_t lookahead_ = 0, lookPos_ = 0;
  float gain_[2] = {1.0f, 1.0f};
  float peak_[2] = {}, rmsSum_[2] = {};
  uint32_t rmsPos_ = 0;
  std::vector<StereoFrame> delay_;  // lookahead line
  std::vector<StereoFrame> rms_;    // squared inputs of the RMS window
};

}  // namespace quellor::music::v2m
