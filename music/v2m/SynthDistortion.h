#pragma once
// The V2 distortion unit (voice and channel): overdrive, clip, bit crusher,
// sample-rate decimator, or one of the filter modes. Also the DC blocker that
// follows it.
#include <cstdint>

#include "music/v2m/SynthFilter.h"
#include "music/v2m/SynthMath.h"

namespace quellor::music::v2m {

class Distortion {
 public:
  enum Mode { kOff, kOverdrive, kClip, kCrush, kDecimate, kFilterBase = kDecimate };

  void Reset();
  // p: mode, input gain, param 1, param 2.
  void Configure(const float* p, const SynthRate& rate);
  void RenderMono(float* buf, int n);
  void RenderStereo(StereoFrame* buf, int n);

 private:
  float Shape(float x) const;  // the stateless modes

  int mode_ = kOff;
  float inGain_ = 1.0f, outGain_ = 0.0f, offset_ = 0.0f;
  float crushIn_ = 0.0f;
  int32_t crushOut_ = 1, crushXor_ = 0;
  uint32_t decCount_ = 0, decInc_ = 0;
  float holdL_ = 0.0f, holdR_ = 0.0f;
  Filter left_, right_;
};

class DcBlocker {
 public:
  void Reset() { x1_[0] = x1_[1] = y1_[0] = y1_[1] = 0.0f; }
  void RenderMono(float* buf, int n, float pole);
  void RenderStereo(StereoFrame* buf, int n, float pole);

 private:
  float Step(int ch, float x, float pole) {
    const float y = (kAntiDenormal + pole * y1_[ch] - x1_[ch] + x) - kAntiDenormal;
    x1_[ch] = x;
    y1_[ch] = y;
    return y;
  }
  float x1_[2] = {}, y1_[2] = {};
};

}  // namespace quellor::music::v2m
