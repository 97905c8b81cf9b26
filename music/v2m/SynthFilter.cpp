#include "music/v2m/SynthFilter.h"


namespace quellor::music::v2m {

void Filter::Reset() {
  low_ = band_ = 0.0f;
  for (float& s : stage_) s = 0.0f;
}

void Filter::Configure(float mode, float cutoff, float resonance, const SynthRate& rate) {
  mode_ = TruncInt(mode);
  float f = Curve10(cutoff / 128.0f) * rate.linFreq;
  const float r = resonance / 128.0f;
  if (mode_ < kLadderLow) {
    damp_ = 1.0f - r;
    freq_ = f;
    return;
  }
  // Ladder tuning after the well-known "Moog VCF variation" formulas, at a
  // quarter of the cutoff because each sample runs the ladder twice. The
  // stage pole carries the sign the established players give it.
  f *= 0.25f;
  const float t = 1.0f - f;
  ladderP_ = f + 0.8f * f * t;
  ladderK_ = 2.0f * ladderP_ - 1.0f;
  ladderQ_ = 4.0f * r * (1.0f + 0.5f * t * (1.0f - t + 5.6f * t * t));
}

float Filter::StepSvf(float in) {
  in += kAntiDenormal;
  low_ += freq_ * band_ - kAntiDenormal;
  band_ += freq_ * (in - band_ * damp_ - low_);
  low_ += freq_ * band_;
  const float high = in - band_ * damp_ - low_;
  band_ += freq_ * high;
  return high;
}

float Filter::StepLadder(float in) {
  float* s = stage_;
  const float x = in + kAntiDenormal - ladderQ_ * s[4];
  const float p = ladderP_, k = ladderK_;
  const float t1 = s[1];
  s[1] = (x + s[0]) * p + s[1] * k;
  const float t2 = s[2];
  s[2] = (t1 + s[1]) * p + s[2] * k;
  const float t3 = s[3];
  s[3] = (t2 + s[2]) * p + s[3] * k;
  float y = (t3 + s[3]) * p + s[4] * k;
  y -= y * y * y * (1.0f / 6.0f);  // soft clip in the feedback path
  y -= kAntiDenormal;
  s[4] = y;
  s[0] = in;
  return y;
}

void Filter::Render(float* dst, const float* src, int n, int stride) {
  const int mode = mode_ & 7;
  for (int i = 0; i < n; ++i) {
    const float in = src[i * stride];
    float out;
    switch (mode) {
      case kLow: StepSvf(in); out = low_; break;
      case kBand: StepSvf(in); out = band_; break;
      case kHigh: out = StepSvf(in); break;
      case kNotch: out = StepSvf(in) + low_; break;
      case kAll: { const float h = StepSvf(in); out = h + low_ + band_; break; }
      case kLadderLow: StepLadder(in); out = StepLadder(in); break;
      case kLadderHigh: StepLadder(in); out = in - StepLadder(in); break;
      default: out = in; break;
    }
    dst[i * stride] = out;
  }
}

}  // namespace quellor::music::v2m
