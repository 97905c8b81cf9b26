#pragma once
// Small stereo effects of the V2 channel strip and master: the modulated delay
// (chorus/flanger per channel, the big stereo delay globally) and the bass boost.
#include <cstdint>

#include "music/v2m/SynthMath.h"

namespace quellor::music::v2m {

class ModDelay {
 public:
  // The buffers (a power of two long) belong to the caller.
  void Bind(float* left, float* right, uint32_t length);
  void Reset();
  // p: amount (64 = dry), feedback (64 = none), left and right length,
  // modulation rate, depth and stereo phase.
  void Configure(const float* p, const SynthRate& rate);
  void RenderInPlace(StereoFrame* buf, int n);               // channel chorus
  void RenderSendInto(StereoFrame* mix, const float* send, int n);  // master delay, wet only

 private:
  float Tap(int ch, float in, float dry);
  void Advance() {
    counter_ += inc_;
    pos_ = (pos_ + 1) & mask_;
  }

  float* line_[2] = {nullptr, nullptr};
  uint32_t mask_ = 0, pos_ = 0;
  uint32_t offset_[2] = {0, 0};
  uint32_t counter_ = 0, inc_ = 0, phase_ = 0, depth_ = 0;
  float feedback_ = 0.0f, dry_ = 1.0f, wet_ = 0.0f;
};

class BassBoost {
 public:
  void Configure(float amount, const SynthRate& rate);
  void Render(StereoFrame* buf, int n);

 private:
  bool on_ = false;
  float b0_ = 0, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  float x1_[2] = {}, x2_[2] = {}, y1_[2] = {}, y2_[2] = {};
};

}  // namespace quellor::music::v2m
