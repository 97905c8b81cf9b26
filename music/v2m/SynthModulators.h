#pragma once
// The per-voice modulators: envelopes and LFOs, both updated once per frame.
// Their outputs run 0..128-ish and feed the modulation matrix.
#include <cstdint>

#include "music/v2m/SynthMath.h"

namespace quellor::music::v2m {

class Envelope {
 public:
  enum class Stage { kOff, kAttack, kDecay, kSustain, kRelease };

  // p: attack, decay, sustain level, sustain time, release, amplify.
  void Configure(const float* p);
  void Tick(bool gate);
  void Restart() { stage_ = Stage::kAttack; }
  void Silence() { stage_ = Stage::kOff; }
  void ZeroLevel() { level_ = 0.0f; }
  Stage stage() const { return stage_; }
  float out() const { return out_; }

 private:
  Stage stage_ = Stage::kOff;
  float level_ = 0.0f;  // 0..128
  float out_ = 0.0f;
  float attackStep_ = 0.0f, decayFactor_ = 0.0f, sustainLevel_ = 0.0f;
  float sustainFactor_ = 1.0f, releaseFactor_ = 0.0f, gain_ = 0.0f;
};

class Lfo {
 public:
  void Reset(uint32_t seed);
  // p: mode, key sync, one-shot, rate, phase, polarity, amplify.
  void Configure(const float* p);
  void KeyOn();
  void Tick();
  float out() const { return out_; }

 private:
  int mode_ = 0;
  bool keySync_ = false, oneShot_ = false;
  uint32_t counter_ = 0, inc_ = 0, startPhase_ = 0, last_ = 0, seed_ = 0;
  float gain_ = 0.0f, offset_ = 0.0f, out_ = 0.0f;
};

}  // namespace quellor::music::v2m
