#include "music/v2m/SynthChannel.h"

#include "music/v2m/V2mParams.h"

namespace quellor::music::v2m {

namespace {
constexpr int kChan = kVoiceParamCount;  // channel parameters follow the voice ones

void AddScaled(StereoFrame* dst, const StereoFrame* src, int n, float g) {
  if (g == 0.0f) return;
  for (int i = 0; i < n; ++i) {
    dst[i].l += g * src[i].l;
    dst[i].r += g * src[i].r;
  }
}

void AddMono(float* dst, const StereoFrame* src, int n, float g) {
  if (g == 0.0f) return;
  for (int i = 0; i < n; ++i) dst[i] += g * (src[i].l + src[i].r);
}
}  // namespace

void ChannelStrip::Bind(const SynthRate* rate, float* chorusL, float* chorusR, uint32_t chorusLength) {
  rate_ = rate;
  chorus_.Bind(chorusL, chorusR, chorusLength);
}

void ChannelStrip::Clear() {
  volume_ = reverb_ = delay_ = recvA_ = recvB_ = sendA_ = sendB_ = 0.0f;
  chorusFirst_ = false;
  dcIn_.Reset();
  dcOut_.Reset();
  comp_.Clear();
  boost_ = BassBoost{};
  dist_ = Distortion{};
  chorus_.Reset();
}

void ChannelStrip::Apply(const float* p) {
  recvA_ = p[kAuxARecv - kChan] / 128.0f;
  recvB_ = p[kAuxBRecv - kChan] / 128.0f;
  sendA_ = kMixGain * p[kAuxASend - kChan] / 128.0f;
  sendB_ = kMixGain * p[kAuxBSend - kChan] / 128.0f;
  volume_ = kMixGain * p[kChanVolume - kChan] / 128.0f;
  reverb_ = volume_ * kMixGain * p[kReverbSend - kChan] / 128.0f;
  delay_ = volume_ * kMixGain * p[kDelaySend - kChan] / 128.0f;
  chorusFirst_ = TruncInt(p[kFxRoute - kChan]) != 0;
  dist_.Configure(p + kChanDistFirst - kChan, *rate_);
  chorus_.Configure(p + kChorusFirst - kChan, *rate_);
  comp_.Configure(p + kCompFirst - kChan, *rate_);
  boost_.Configure(p[kBassBoost - kChan], *rate_);
}

void ChannelStrip::Process(StereoFrame* chan, int n, const MixBuses& bus) {
  AddScaled(chan, bus.auxA, n, recvA_);
  AddScaled(chan, bus.auxB, n, recvB_);
  dcIn_.RenderStereo(chan, n, rate_->dcPole);
  comp_.Render(chan, n);
  boost_.Render(chan, n);
  if (chorusFirst_) chorus_.RenderInPlace(chan, n);
  dist_.RenderStereo(chan, n);
  dcOut_.RenderStereo(chan, n, rate_->dcPole);
  if (!chorusFirst_) chorus_.RenderInPlace(chan, n);

  AddMono(bus.reverbSend, chan, n, reverb_);
  AddMono(bus.delaySend, chan, n, delay_);
  AddScaled(bus.auxA, chan, n, sendA_);
  AddScaled(bus.auxB, chan, n, sendB_);
  AddScaled(bus.mix, chan, n, volume_);
}

}  // namespace quellor::music::v2m
