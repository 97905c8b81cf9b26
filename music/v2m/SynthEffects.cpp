#include "music/v2m/SynthEffects.h"

#include <cstring>

namespace quellor::music::v2m {

void ModDelay::Bind(float* left, float* right, uint32_t length) {
  line_[0] = left;
  line_[1] = right;
  mask_ = length - 1;
  Reset();
}

void ModDelay::Reset() {
  pos_ = 0;
  counter_ = 0;
  std::memset(line_[0], 0, sizeof(float) * (mask_ + 1));
  std::memset(line_[1], 0, sizeof(float) * (mask_ + 1));
}

void ModDelay::Configure(const float* p, const SynthRate& rate) {
  wet_ = (p[0] - 64.0f) / 64.0f;
  dry_ = 1.0f - std::fabs(wet_);
  feedback_ = (p[1] - 64.0f) / 64.0f;
  // Lengths span the line minus room for the modulation sweep.
  const float scale = (float(mask_) - 1023.0f) / 128.0f;
  offset_[0] = uint32_t(TruncInt(p[2] * scale));
  offset_[1] = uint32_t(TruncInt(p[3] * scale));
  inc_ = uint32_t(TruncInt(rate.linFreq * 1973915.49f * Curve10(p[4] / 128.0f)));
  depth_ = uint32_t(TruncInt(p[5] * 1023.0f / 128.0f));
  phase_ = UnitToPhase((p[6] - 64.0f) / 128.0f);
}

float ModDelay::Tap(int ch, float in, float dry) {
  // The read position sweeps along a triangle; the stereo phase offsets the right side.
  uint32_t c = counter_ + (ch ? phase_ : 0u);
  c = c < 0x80000000u ? c << 1 : ~(c << 1);
  const uint64_t sweep = uint64_t(c) * depth_;  // 32.32 samples
  const uint32_t back = uint32_t(sweep >> 32) + offset_[ch];
  const uint32_t at = pos_ - back;
  float* line = line_[ch];
  const float a = line[at & mask_], b = line[(at - 1) & mask_];
  const float delayed = a + PhaseToUnit(uint32_t(sweep)) * (b - a);
  line[pos_] = in + delayed * feedback_;
  return in * dry + delayed * wet_;
}

void ModDelay::RenderInPlace(StereoFrame* buf, int n) {
  if (wet_ == 0.0f) return;
  for (int i = 0; i < n; ++i) {
    buf[i].l = Tap(0, buf[i].l + kAntiDenormal, dry_);
    buf[i].r = Tap(1, buf[i].r + kAntiDenormal, dry_);
    Advance();
  }
}

void ModDelay::RenderSendInto(StereoFrame* mix, const float* send, int n) {
  if (wet_ == 0.0f) return;
  for (int i = 0; i < n; ++i) {
    const float in = send[i] + kAntiDenormal;
    mix[i].l += Tap(0, in, 0.0f);
    mix[i].r += Tap(1, in, 0.0f);
    Advance();
  }
}

// Low shelf at 150 Hz (the usual biquad cookbook shape) boosting up to ~18 dB.
void BassBoost::Configure(float amount, const SynthRate& rate) {
  on_ = TruncInt(amount) != 0;
  if (!on_) return;
  const float A = std::exp2(amount / 128.0f);
  const float bs = std::sqrt(2.0f * A) * rate.boostSin;
  const float am1 = A - 1.0f, ap1 = A + 1.0f;
  const float cam1 = am1 * rate.boostCos, cap1 = ap1 * rate.boostCos;
  const float ia0 = 1.0f / (ap1 + cam1 + bs);
  b0_ = A * (ap1 - cam1 + bs) * ia0;
  b1_ = 2.0f * A * (am1 - cap1) * ia0;
  b2_ = A * (ap1 - cam1 - bs) * ia0;
  a1_ = -2.0f * (am1 + cap1) * ia0;
  a2_ = (ap1 + cam1 - bs) * ia0;
}

void BassBoost::Render(StereoFrame* buf, int n) {
  if (!on_) return;
  for (int i = 0; i < n; ++i) {
    float* s = &buf[i].l;
    for (int ch = 0; ch < 2; ++ch) {
      const float x = s[ch] + kAntiDenormal;
      const float y = b0_ * x + b1_ * x1_[ch] + b2_ * x2_[ch] - a1_ * y1_[ch] - a2_ * y2_[ch];
      x2_[ch] = x1_[ch];
      x1_[ch] = x;
      y2_[ch] = y1_[ch];
      y1_[ch] = y;
      s[ch] = y;
    }
  }
}

}  // namespace quellor::music::v2m
