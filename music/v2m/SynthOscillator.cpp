#include "music/v2m/SynthOscillator.h"


namespace quellor::music::v2m {

namespace {
constexpr double kPhaseScale = 1.0 / 4294967296.0;
constexpr uint32_t kNoiseSeeds[3] = {0xdeadbeefu, 0xbaadf00du, 0xd3adc0deu};
}  // namespace

void Oscillator::Reset(int index) {
  phase_ = 0;
  seed_ = kNoiseSeeds[index % 3];
}

void Oscillator::Configure(const float* p, const SynthRate& rate) {
  mode_ = TruncInt(p[0]);
  ring_ = (TruncInt(p[1]) & 1) != 0;
  pitch_ = (p[2] - 64.0f) + (p[3] - 64.0f) / 128.0f;
  Retune(rate);
  gain_ = p[5] / 128.0f;
  const float colour = p[4] / 128.0f;
  breakpoint_ = UnitToPhase(colour);
  noiseRes_ = 1.0f - std::sqrt(colour);
}

void Oscillator::Retune(const SynthRate& rate) {
  noiseFreq_ = rate.linFreq * Curve10((pitch_ + 64.0f) / 128.0f);
  inc_ = uint32_t(TruncInt(rate.oscBase * std::exp2((pitch_ + note_ - 60.0f) / 12.0f)));
}

void Oscillator::Render(float* voice, int n, const AuxBuses& aux) {
  switch (mode_ & 7) {
    case kTriSaw: RenderTriSaw(voice, n); break;
    case kPulse: RenderPulse(voice, n); break;
    case kSine: RenderSine(voice, n); break;
    case kNoise: RenderNoise(voice, n); break;
    case kFm: RenderFm(voice, n); break;
    case kAuxA: RenderAux(voice, n, aux.a); break;
    case kAuxB: RenderAux(voice, n, aux.b); break;
    default: break;
  }
}

// The triangle rises from -gain at phase 0 to +gain at the breakpoint and falls
// back by the period's end; breakpoint 0 makes it a falling saw. Its integral W
// is zero at 0, at the breakpoint and at 1, so the average over the sample
// period (a, b] is (W(b) - W(a)) / f even when the phase wraps in between.
void Oscillator::RenderTriSaw(float* voice, int n) {
  const double g = gain_;
  const double bp = double(breakpoint_) * kPhaseScale;
  const double f = double(inc_) * kPhaseScale;
  auto integral = [&](double x) {
    if (x < bp) return g * x * (x / bp - 1.0);
    const double d = x - bp;
    return g * d * (1.0 - d / (1.0 - bp));
  };
  for (int i = 0; i < n; ++i) {
    const double b = double(phase_) * kPhaseScale;
    double v;
    if (inc_ == 0) {
      v = b < bp ? g * (2.0 * b / bp - 1.0) : g * (1.0 - 2.0 * (b - bp) / (1.0 - bp));
    } else {
      const double a = double(uint32_t(phase_ - inc_)) * kPhaseScale;
      v = (integral(b) - integral(a)) / f;
    }
    phase_ += inc_;
    Put(voice + i, float(v));
  }
}

// High (+gain) before the breakpoint, low after; averaged like the triangle.
void Oscillator::RenderPulse(float* voice, int n) {
  const double g = gain_;
  const double bp = double(breakpoint_) * kPhaseScale;
  const double f = double(inc_) * kPhaseScale;
  auto integral = [&](double x) { return x < bp ? g * x : g * (2.0 * bp - x); };
  const double period = integral(1.0);
  for (int i = 0; i < n; ++i) {
    const uint32_t prev = phase_ - inc_;
    double v;
    if (inc_ == 0) {
      v = phase_ < breakpoint_ ? g : -g;
    } else {
      const double a = double(prev) * kPhaseScale, b = double(phase_) * kPhaseScale;
      const double wrapped = prev > phase_ ? period : 0.0;
      v = (integral(b) - integral(a) + wrapped) / f;
    }
    phase_ += inc_;
    Put(voice + i, float(v));
  }
}

void Oscillator::RenderSine(float* voice, int n) {
  for (int i = 0; i < n; ++i) {
    // Signed phase as an angle in -pi..pi, folded into the polynomial's range.
    float t = float(int32_t(phase_)) * (kPi / 2147483648.0f);
    if (t > 0.5f * kPi)
      t = kPi - t;
    else if (t < -0.5f * kPi)
      t = -kPi - t;
    phase_ += inc_;
    Put(voice + i, gain_ * SinePoly(t));
  }
}

// White noise through a state-variable filter tuned by the transpose, with the
// colour mixing low+high against band. The filter starts from rest in every
// frame, as in the players the tunes are heard with; that thins the noise.
void Oscillator::RenderNoise(float* voice, int n) {
  float low = 0.0f, band = 0.0f;
  for (int i = 0; i < n; ++i) {
    const float in = RandomBipolar(seed_);
    low += noiseFreq_ * band;
    const float high = in - band * noiseRes_ - low;
    band += noiseFreq_ * high;
    Put(voice + i, gain_ * (noiseRes_ * (low + high) + band));
  }
}

void Oscillator::RenderFm(float* voice, int n) {
  for (int i = 0; i < n; ++i) {
    const float angle = (PhaseToUnit(phase_) + 2.0f * voice[i]) * kTwoPi;
    phase_ += inc_;
    const float v = gain_ * FoldedSine(angle);
    voice[i] = ring_ ? voice[i] * v : v;
  }
}

void Oscillator::RenderAux(float* voice, int n, const StereoFrame* bus) {
  const float g = gain_ * kMixGain;
  for (int i = 0; i < n; ++i) {
    const float v = g * (bus[i].l + bus[i].r);
    voice[i] = ring_ ? voice[i] * v : v;
  }
}

}  // namespace quellor::music::v2m
