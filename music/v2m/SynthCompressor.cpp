#include "music/v2m/SynthCompressor.h"

#include <algorithm>

namespace quellor::music::v2m {

Compressor::Compressor() : delay_(kLookaheadMax), rms_(kRmsLength) { Clear(); }

void Compressor::Clear() {
  mode_ = kStereo;
  lookahead_ = lookPos_ = 0;
  std::fill(delay_.begin(), delay_.end(), StereoFrame{0.0f, 0.0f});
  ClearDetector();
}

void Compressor::ClearDetector() {
  for (int ch = 0; ch < 2; ++ch) {
    peak_[ch] = rmsSum_[ch] = 0.0f;
    gain_[ch] = 1.0f;
  }
  std::fill(rms_.begin(), rms_.end(), StereoFrame{0.0f, 0.0f});
  rmsPos_ = 0;
}

void Compressor::Configure(const float* p, const SynthRate& rate) {
  // Mode 0 is off, 1 peak, 2 RMS; a change of detector starts it afresh.
  int mode = ((TruncInt(p[0]) - 1) & (kRms | kOff)) | (TruncInt(p[1]) != 0 ? kStereo : 0);
  if (mode != mode_) {
    mode_ = mode;
    ClearDetector();
  }
  lookahead_ = uint32_t(std::clamp(TruncInt(p[3] * rate.samplesPerMs), 0, kLookaheadMax - 1));
  float threshold = 8.0f * Curve10(p[4] / 128.0f);
  inVol_ = 1.0f / threshold;
  if (p[2] != 0.0f) threshold = 1.0f;  // auto gain
  outVol_ = threshold * std::exp2((p[8] - 64.0f) / 16.0f);
  ratio_ = p[5] / 128.0f;
  attack_ = std::exp2(-p[6] * 12.0f / 128.0f);
  release_ = std::exp2(-p[7] * 16.0f / 128.0f);
}

float Compressor::Peak(int ch, float x) {
  peak_[ch] = std::max(peak_[ch] * 0.9998f + kAntiDenormal, std::fabs(x));
  return peak_[ch];
}

float Compressor::Rms(int ch, float x) {
  const float sq = (x + kAntiDenormal) * (x + kAntiDenormal);
  float* slot = &rms_[rmsPos_].l + ch;
  rmsSum_[ch] += sq - *slot;
  *slot = sq;
  return std::sqrt(rmsSum_[ch] / float(kRmsLength));
}

void Compressor::Render(StereoFrame* buf, int n) {
  if (mode_ & kOff) return;
  for (int i = 0; i < n; ++i) {
    float level[2];
    if (mode_ & kStereo) {
      for (int ch = 0; ch < 2; ++ch) {
        const float x = ch ? buf[i].r : buf[i].l;
        level[ch] = inVol_ * ((mode_ & kRms) ? Rms(ch, x) : Peak(ch, x));
      }
    } else {
      const float x = 0.5f * (buf[i].l + buf[i].r);
      level[0] = level[1] = inVol_ * ((mode_ & kRms) ? Rms(0, x) : Peak(0, x));
    }
    if (mode_ & kRms) rmsPos_ = (rmsPos_ + 1) & (kRmsLength - 1);

    StereoFrame& d = delay_[lookPos_];
    const StereoFrame delayed = d;
    d = {inVol_ * buf[i].l, inVol_ * buf[i].r};
    if (++lookPos_ >= lookahead_) lookPos_ = 0;

    float out[2] = {outVol_ * delayed.l, outVol_ * delayed.r};
    for (int ch = 0; ch < 2; ++ch) {
      const float target = level[ch] >= 1.0f ? 1.0f / (1.0f + ratio_ * (level[ch] - 1.0f)) : 1.0f;
      gain_[ch] += (target < gain_[ch] ? attack_ : release_) * (target - gain_[ch]);
      out[ch] *= gain_[ch];
    }
    buf[i] = {out[0], out[1]};
  }
}

}  // namespace quellor::music::v2m
