#pragma once
// One V2 oscillator: band-limited triangle/saw and pulse (each sample is the
// waveform's average over the sample period), sine, filtered noise, sine FM by
// whatever the voice buffer already holds, or a copy of an aux bus. It adds to
// the voice buffer, or multiplies it when ring modulation is on.
#include <cstdint>

#include "music/v2m/SynthMath.h"

namespace quellor::music::v2m {

struct AuxBuses {
  const StereoFrame* a = nullptr;
  const StereoFrame* b = nullptr;
};

class Oscillator {
 public:
  enum Mode { kOff, kTriSaw, kPulse, kSine, kNoise, kFm, kAuxA, kAuxB };

  void Reset(int index);  // phase 0, noise generator back to its seed
  // p: mode, ring, transpose, detune, colour, volume (0..128 each).
  void Configure(const float* p, const SynthRate& rate);
  void SetNote(float note) { note_ = note; }
  void Retune(const SynthRate& rate);
  void ZeroPhase() { phase_ = 0; }
  void Render(float* voice, int n, const AuxBuses& aux);

 private:
  void RenderTriSaw(float* voice, int n);
  void RenderPulse(float* voice, int n);
  void RenderSine(float* voice, int n);
  void RenderNoise(float* voice, int n);
  void RenderFm(float* voice, int n);
  void RenderAux(float* voice, int n, const StereoFrame* bus);
  void Put(float* dst, float v) const { *dst = ring_ ? *dst * v : *dst + v; }

  int mode_ = kOff;
  bool ring_ = false;
  uint32_t phase_ = 0;
  uint32_t inc_ = 0;
  uint32_t breakpoint_ = 0;  // where the rising half ends (tri) or the pulse goes low
  float gain_ = 0.0f;
  float pitch_ = 0.0f;  // semitones relative to the note
  float note_ = 0.0f;
  float noiseFreq_ = 0.0f, noiseRes_ = 0.0f;
  uint32_t seed_ = 0;
};

}  // namespace quellor::music::v2m
