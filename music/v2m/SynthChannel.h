#pragma once
// The per-channel effect strip of the V2 synth: aux bus receive, DC blocker,
// compressor, bass boost, distortion and chorus (in either order), then the
// sends to reverb, delay, the aux buses and the mix.
#include "music/v2m/SynthCompressor.h"
#include "music/v2m/SynthDistortion.h"
#include "music/v2m/SynthEffects.h"

namespace quellor::music::v2m {

// The frame buffers the channels read and add to.
struct MixBuses {
  StereoFrame* mix;
  float* reverbSend;
  float* delaySend;
  StereoFrame* auxA;
  StereoFrame* auxB;
};

class ChannelStrip {
 public:
  void Bind(const SynthRate* rate, float* chorusL, float* chorusR, uint32_t chorusLength);
  void Clear();  // start-up state, without allocating
  // Takes the channel parameters (kChannelParamCount values, already modulated).
  void Apply(const float* p);
  void Process(StereoFrame* chan, int n, const MixBuses& bus);

 private:
  const SynthRate* rate_ = nullptr;
  float volume_ = 0.0f, reverb_ = 0.0f, delay_ = 0.0f;
  float recvA_ = 0.0f, recvB_ = 0.0f, sendA_ = 0.0f, sendB_ = 0.0f;
  bool chorusFirst_ = false;
  DcBlocker dcIn_, dcOut_;
  Compressor comp_;
  BassBoost boost_;
  Distortion dist_;
  ModDelay chorus_;
};

}  // namespace quellor::music::v2m
