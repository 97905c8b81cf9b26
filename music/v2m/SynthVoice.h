#pragma once
// One V2 voice: three oscillators into two filters (single, serial or
// parallel), distortion, DC blocker, then panned into the channel buffer with
// the amp envelope ramped across the frame.
#include "music/v2m/SynthDistortion.h"
#include "music/v2m/SynthFilter.h"
#include "music/v2m/SynthModulators.h"
#include "music/v2m/SynthOscillator.h"
#include "music/v2m/V2mParams.h"

namespace quellor::music::v2m {

class Voice {
 public:
  void Bind(const SynthRate* rate, int index) { rate_ = rate; index_ = index; }
  // Clears the sound-making state (oscillator phases, filters, LFO counters),
  // as on start-up and on "all sound off". Envelope levels and gains stay.
  void Reset();
  // Takes the voice parameters (kVoiceParamCount values, already modulated).
  void Apply(const float* p);
  void NoteOn(int note, int velocity);
  void NoteOff() { gate_ = false; }
  void Tick();  // once per frame: envelopes, LFOs, volume ramp
  void Render(StereoFrame* chan, int n, float* work, float* work2, const AuxBuses& aux);

  bool gate() const { return gate_; }
  int note() const { return note_; }
  bool finished() const { return env_[0].stage() == Envelope::Stage::kOff; }
  // Modulation sources owned by the voice.
  float velocity() const { return velocity_; }
  float envelope(int i) const { return env_[i].out(); }
  float lfo(int i) const { return lfo_[i].out(); }

 private:
  void UpdateOscNotes();

  const SynthRate* rate_ = nullptr;
  int index_ = 0;
  int note_ = 0;
  float velocity_ = 0.0f;
  bool gate_ = false;
  float volume_ = 0.0f, volumeStep_ = 0.0f;
  float transpose_ = 0.0f;
  int routing_ = 0, keySync_ = 0;
  float panL_ = 0.0f, panR_ = 0.0f;
  float gain1_ = 1.0f, gain2_ = 1.0f;  // parallel filter balance
  Oscillator osc_[3];
  Filter filter_[2];
  Envelope env_[2];
  Lfo lfo_[2];
  Distortion dist_;
  DcBlocker dc_;
};

}  // namespace quellor::music::v2m
