#pragma once
// Numeric building blocks shared by the V2 synth parts: parameter curves, the
// synth's phase and noise conventions, and rate-dependent constants.
#include <cmath>
#include <cstdint>
#include <cstring>

namespace quellor::music::v2m {

constexpr float kPi = 3.14159265358979f;
constexpr float kTwoPi = 6.28318530717959f;
// Tiny offset added to filter inputs and removed again so that recursive states
// never decay into denormals.
constexpr float kAntiDenormal = 3.814697265625e-6f;  // 2^-18
constexpr float kMixGain = 0.6f;  // channel, aux and send scaling

// Parameter 0..128 mapped to 2^-10..1 (cutoffs, rates) and to 2^-11..1 (envelopes).
inline float Curve10(float unit) { return std::exp2((unit - 1.0f) * 10.0f); }
inline float Curve11(float unit) { return std::exp2((unit - 1.0f) * 11.0f); }

// Float to int the way x86 truncating conversion behaves: out of range gives INT32_MIN.
inline int32_t TruncInt(float v) {
  if (!(v > -2147483648.0f && v < 2147483648.0f)) return INT32_MIN;
  return int32_t(v);
}

// 0..1 as a 0.32 phase; the lowest bit is dropped the way the synth always did.
inline uint32_t UnitToPhase(float unit) { return 2u * uint32_t(TruncInt(unit * 2147483648.0f)); }

// A 0.32 phase as 0..1, keeping the top 23 bits.
inline float PhaseToUnit(uint32_t phase) {
  const uint32_t bits = (phase >> 9) | 0x3f800000u;
  float f;
  std::memcpy(&f, &bits, 4);
  return f - 1.0f;
}

// The synth's linear congruential generator and its uniform -1..1 sample.
inline uint32_t NextRandom(uint32_t& seed) { return seed = seed * 196314165u + 907633515u; }
inline float RandomBipolar(uint32_t& seed) {
  const uint32_t bits = (NextRandom(seed) >> 9) | 0x40000000u;
  float f;
  std::memcpy(&f, &bits, 4);
  return f - 3.0f;
}

// Sine polynomial for -pi/2..pi/2 and the range reduction the FM oscillators and
// LFOs use. Reduction only folds positive angles properly; FM with a negative
// phase leaves the polynomial's range and distorts, which tunes rely on.
inline float SinePoly(float x) {
  const float x2 = x * x;
  return (((-0.00018542f * x2 + 0.0083143f) * x2 - 0.16666f) * x2 + 1.0f) * x;
}
inline float FoldedSine(float x) {
  x = std::fmod(x, kTwoPi);
  if (x > 1.5f * kPi)
    x -= kTwoPi;
  else if (x > 0.5f * kPi)
    x = kPi - x;
  return SinePoly(x);
}

// Rational arctangent approximation used by the overdrive.
inline float SoftAtan(float x) {
  const float sign = x < 0.0f ? -1.0f : 1.0f;
  x = std::fabs(x);
  const float x2 = x * x;
  float r;
  if (x < 1.0f)
    r = (0.43157974f * x2 + 1.0f) * x / ((0.76443945f * x2 + 0.05831938f) * x2 + 1.0f);
  else
    r = (-x2 - 0.431597974f) * x / ((0.76443945f * x2 + 1.0f) * x2 + 0.05831938f) + 1.57079633f;
  return r * sign;
}

struct StereoFrame {
  float l, r;
};

// Constants that follow from the output rate. The synth works in frames of
// 128 samples at 44.1 kHz (scaled for other rates) and updates all its
// parameters once per frame.
struct SynthRate {
  int rate = 44100;
  int frame = 128;
  float invFrame = 1.0f / 128.0f;
  float linFreq = 1.0f;       // 44100 / rate: scales cutoff-like values
  float oscBase = 0.0f;       // phase increment of middle C per sample, 0.32 / 2
  float dcPole = 0.0f;        // DC blocker feedback
  float boostCos = 0.0f, boostSin = 0.0f;  // bass boost corner (150 Hz)
  float samplesPerMs = 44.1f;

  static SynthRate For(int rate) {
    SynthRate s;
    const float sr = float(rate);
    s.rate = rate;
    s.frame = int(128.0f * sr / 44100.0f + 0.5f);
    s.invFrame = 1.0f / float(s.frame);
    s.linFreq = 44100.0f / sr;
    s.oscBase = 261.6255653f * 2147483648.0f / sr;
    s.dcPole = 1.0f - 126.0f / sr;
    const float w = 150.0f * kTwoPi / sr;
    s.boostCos = std::cos(w);
    s.boostSin = std::sin(w);
    s.samplesPerMs = sr / 1000.0f;
    return s;
  }
};

constexpr int kMaxFrame = 280;  // frame size at the highest supported rate (96 kHz)

}  // namespace quellor::music::v2m
