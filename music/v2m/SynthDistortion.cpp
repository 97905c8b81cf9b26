#include "music/v2m/SynthDistortion.h"

#include <algorithm>

namespace quellor::music::v2m {

void Distortion::Reset() {
  decCount_ = 0;
  holdL_ = holdR_ = 0.0f;
  left_.Reset();
  right_.Reset();
}

void Distortion::Configure(const float* p, const SynthRate& rate) {
  mode_ = TruncInt(p[0]);
  inGain_ = std::exp2((p[1] - 32.0f) / 16.0f);  // -12 .. +36 dB
  switch (mode_) {
    case kOff: break;
    case kOverdrive:
      outGain_ = (p[2] / 128.0f) / std::atan(inGain_);
      offset_ = inGain_ * 2.0f * (p[3] / 128.0f - 0.5f);
      break;
    case kClip:
      outGain_ = p[2] / 128.0f;
      offset_ = inGain_ * 2.0f * (p[3] / 128.0f - 0.5f);
      break;
    case kCrush: {
      const float steps = p[2] * 256.0f + 1.0f;
      crushOut_ = TruncInt(steps);
      crushIn_ = inGain_ * (32768.0f / steps);
      crushXor_ = int32_t(uint32_t(TruncInt(p[3])) << 9);
      break;
    }
    case kDecimate: decInc_ = UnitToPhase(Curve10(p[2] / 128.0f)); break;
    default:
      left_.Configure(float(mode_ - kFilterBase), p[2], p[3], rate);
      right_.Configure(float(mode_ - kFilterBase), p[2], p[3], rate);
      break;
  }
}

float Distortion::Shape(float x) const {
  switch (mode_) {
    case kOverdrive: return outGain_ * SoftAtan(x * inGain_ + offset_);
    case kClip: return outGain_ * std::clamp(x * inGain_ + offset_, -1.0f, 1.0f);
    case kCrush: {
      // 32-bit wrap-around multiply, then clamp and flip bits.
      const int32_t t = int32_t(uint32_t(TruncInt(x * crushIn_)) * uint32_t(crushOut_));
      return float(std::clamp(t, -0x7fff, 0x7fff) ^ crushXor_) / 32768.0f;
    }
    default: return x;
  }
}

void Distortion::RenderMono(float* buf, int n) {
  switch (mode_) {
    case kOff: break;
    case kOverdrive:
    case kClip:
    case kCrush:
      for (int i = 0; i < n; ++i) buf[i] = Shape(buf[i]);
      break;
    case kDecimate:
      for (int i = 0; i < n; ++i) {
        decCount_ += decInc_;
        if (decCount_ < decInc_) holdL_ = buf[i];  // counter wrapped: take a new sample
        buf[i] = holdL_;
      }
      break;
    default: left_.Render(buf, buf, n); break;
  }
}

void Distortion::RenderStereo(StereoFrame* buf, int n) {
  if (mode_ == kDecimate) {
    for (int i = 0; i < n; ++i) {
      decCount_ += decInc_;
      if (decCount_ < decInc_) {
        holdL_ = buf[i].l;
        holdR_ = buf[i].r;
      }
      buf[i].l = holdL_;
      buf[i].r = holdR_;
    }
  } else if (mode_ > kFilterBase && mode_ < int(kFilterBase) + int(Filter::kLadderLow)) {
    left_.Render(&buf[0].l, &buf[0].l, n, 2);
    right_.Render(&buf[0].r, &buf[0].r, n, 2);
  } else {
    // Everything else runs as one mono stream over the interleaved samples,
    // the ladder modes included: that is how V2 always did it.
    RenderMono(&buf[0].l, 2 * n);
  }
}

void DcBlocker::RenderMono(float* buf, int n, float pole) {
  for (int i = 0; i < n; ++i) buf[i] = Step(0, buf[i], pole);
}

void DcBlocker::RenderStereo(StereoFrame* buf, int n, float pole) {
  for (int i = 0; i < n; ++i) {
    buf[i].l = Step(0, buf[i].l, pole);
    buf[i].r = Step(1, buf[i].r, pole);
  }
}

}  // namespace quellor::music::v2m
