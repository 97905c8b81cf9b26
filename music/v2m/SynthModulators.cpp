#include "music/v2m/SynthModulators.h"

namespace quellor::music::v2m {

namespace {
constexpr float kEnvFloor = 1.220703125e-4f;  // 2^-13: below this an envelope is off
constexpr float kEnvTop = 128.0f;
}  // namespace

void Envelope::Configure(const float* p) {
  attackStep_ = std::exp2(p[0] * -0.09375f + 7.0f);  // 128 per frame down to ~1/32
  decayFactor_ = 1.0f - Curve11(1.0f - p[1] / 128.0f);
  sustainLevel_ = p[2];
  sustainFactor_ = std::exp2(0.0019375f * (p[3] - 64.0f));  // fades out, holds or swells
  releaseFactor_ = 1.0f - Curve11(1.0f - p[4] / 128.0f);
  gain_ = p[5] / 128.0f;
}

void Envelope::Tick(bool gate) {
  const bool held = stage_ == Stage::kAttack || stage_ == Stage::kDecay || stage_ == Stage::kSustain;
  if (gate && !held)
    stage_ = Stage::kAttack;
  else if (!gate && held)
    stage_ = Stage::kRelease;

  switch (stage_) {
    case Stage::kOff:
      level_ = 0.0f;
      break;
    case Stage::kAttack:
      level_ += attackStep_;
      if (level_ >= kEnvTop) {
        level_ = kEnvTop;
        stage_ = Stage::kDecay;
      }
      break;
    case Stage::kDecay:
      level_ *= decayFactor_;
      if (level_ <= sustainLevel_) {
        level_ = sustainLevel_;
        stage_ = Stage::kSustain;
      }
      break;
    case Stage::kSustain:
      level_ = std::fmin(level_ * sustainFactor_, kEnvTop);
      break;
    case Stage::kRelease:
      level_ *= releaseFactor_;
      break;
  }
  if (level_ <= kEnvFloor) {
    level_ = 0.0f;
    stage_ = Stage::kOff;
  }
  out_ = level_ * gain_;
}

void Lfo::Reset(uint32_t seed) {
  counter_ = last_ = 0;
  seed_ = seed;
}

void Lfo::Configure(const float* p) {
  mode_ = TruncInt(p[0]);
  keySync_ = TruncInt(p[1]) != 0;
  oneShot_ = TruncInt(p[2]) != 0;
  inc_ = uint32_t(TruncInt(1073741824.0f * Curve10(p[3] / 128.0f)));  // per frame
  startPhase_ = UnitToPhase(p[4] / 128.0f);
  const float amp = p[6];
  switch (TruncInt(p[5])) {
    case 0: gain_ = amp; offset_ = 0.0f; break;
    case 1: gain_ = -amp; offset_ = 0.0f; break;
    case 2: gain_ = amp; offset_ = -0.5f * amp; break;
    default: break;  // other values keep the previous polarity
  }
}

void Lfo::KeyOn() {
  if (!keySync_) return;
  counter_ = startPhase_;
  last_ = ~0u;  // makes sample & hold pick a new value on the next tick
}

void Lfo::Tick() {
  const uint32_t fold = (counter_ & 0x80000000u) ? ~0u : 0u;
  float v;
  switch (mode_ & 7) {
    case 1: v = PhaseToUnit((counter_ << 1) ^ fold); break;  // triangle
    case 2: v = PhaseToUnit(fold); break;                    // pulse
    case 3: v = FoldedSine(PhaseToUnit(counter_) * kTwoPi) * 0.5f + 0.5f; break;
    case 4:  // sample & hold: a new random value each time the counter wraps
      if (counter_ < last_) NextRandom(seed_);
      last_ = counter_;
      v = PhaseToUnit(seed_);
      break;
    default: v = PhaseToUnit(counter_); break;  // saw
  }
  out_ = v * gain_ + offset_;
  counter_ += inc_;
  if (oneShot_ && counter_ < inc_) counter_ = ~0u;  // one-shot stops at the end
}

}  // namespace quellor::music::v2m
