#include "music/v2m/Speech.h"

#include <cmath>

#include "music/v2m/SpeechTables.h"

namespace quellor::music::v2m {

namespace {

float Lerp(float a, float b, float x) { return a + x * (b - a); }
float DbToGain(float a, float b, float x) { return std::exp2((Lerp(a, b, x) - 70.0f) / 6.0f); }

// Length of `unit` when `text` starts with it, ignoring case; 0 otherwise.
int Matches(const char* unit, const char* text) {
  int n = 0;
  while (*unit && *text) {
    if ((*unit++ | 0x20) != (*text++ | 0x20)) return 0;
    ++n;
  }
  return *unit ? 0 : n;
}

// Per resonator: frequency, bandwidth and level of a phoneme; formants 4..6
// have fixed frequencies and bandwidths.
struct ResonatorSpec {
  float freq, bandwidth, level;
};
ResonatorSpec Spec(const Phoneme& p, int r) {
  switch (r) {
    case 0: return {p.nasalFreq, 100.0f, p.ampNasal};
    case 1: return {p.f1, p.b1, p.amp1};
    case 2: return {p.f2, p.b2, p.amp2};
    case 3: return {p.f3, p.b3, p.amp3};
    case 4: return {3200.0f, 200.0f, p.amp4};
    case 5: return {4000.0f, 500.0f, p.amp56};
    default: return {6000.0f, 800.0f, p.amp56};
  }
}

}  // namespace

void Speech::Resonator::Tune(float freq, float bandwidth, float gain, const SynthRate& rate) {
  const float r = std::exp(-kPi / float(rate.rate) * bandwidth);
  c = -(r * r);
  b = r * std::cos(kTwoPi / float(rate.rate) * freq) * 2.0f;
  a = gain * (1.0f - b - c);
}

void Speech::Target(int from, int to, float x, Frame& out) const {
  const Phoneme& p1 = kPhonemes[from];
  const Phoneme& p2 = kPhonemes[to];
  for (int r = 0; r < 7; ++r) {
    const ResonatorSpec s1 = Spec(p1, r), s2 = Spec(p2, r);
    out.res[r].Tune(Lerp(s1.freq, s2.freq, x) * pitch_, Lerp(s1.bandwidth, s2.bandwidth, x),
                    DbToGain(s1.level, s2.level, x), *rate_);
  }
  out.voicing = DbToGain(p1.voicing, p2.voicing, x);
  out.aspiration = DbToGain(p1.aspiration, p2.aspiration, x);
  out.frication = DbToGain(p1.frication, p2.frication, x);
  out.bypass = DbToGain(p1.bypass, p2.bypass, x);
}

void Speech::Silence() {
  Target(kSilencePhoneme, kSilencePhoneme, 0.0f, now_);
  Target(kSilencePhoneme, kSilencePhoneme, 0.0f, next_);
  from_ = to_ = kSilencePhoneme;
  position_ = 4;  // past any syllable: the next step reads the text
}

void Speech::StartText(int index) {
  Silence();
  const bool have = texts_ && index >= 0 && size_t(index) < texts_->size();
  text_ = cursor_ = have ? (*texts_)[size_t(index)].c_str() : "";
}

void Speech::Reset() {
  for (auto& s : state_) s[0] = s[1] = 0.0f;
  eqState_[0] = eqState_[1] = 0.0f;
  seed_ = 0;
  noise_ = lastIn_ = high1_ = high2_ = 0.0f;
  frameCount_ = stepsLeft_ = syllable_ = 0;
  stretch_ = 1;
  invLength_ = 0.0f;
  waitForNote_ = waitForRelease_ = false;
  pitch_ = 1.0f;
  stepFrames_ = 3;
  eq_.Tune(12000.0f, 4000.0f, 2.0f, *rate_);
  StartText(0);
}

void Speech::Controller(int cc, int value) {
  if (cc == 4) {
    if (value < 63)
      StartText(value);
    else
      stepFrames_ = value - 63;
  } else if (cc == 5) {
    pitch_ = std::exp2((float(value) - 64.0f) / 128.0f);
  }
}

// Reads the next syllable from the text. False when the text asks to wait.
bool Speech::NextSyllable() {
  if (*cursor_ == 0) {  // end of text: a short silence, then from the top
    stretch_ = 1;
    frameCount_ = 1;
    syllable_ = kSyllableCount - 1;
    position_ = 0;
    cursor_ = text_;
  } else if (*cursor_ == '!' || *cursor_ == '_') {
    frameCount_ = 0;
    stepsLeft_ = 0;
    (*cursor_ == '!' ? waitForNote_ : waitForRelease_) = true;
    ++cursor_;
    return false;
  }
  if (*cursor_ && *cursor_ != '!' && *cursor_ != '_') {
    // Optional decimal stretch factor, then the syllable; unknown letters are skipped as silence.
    stretch_ = 0;
    while (*cursor_ >= '0' && *cursor_ <= '9') stretch_ = 10 * stretch_ + (*cursor_++ - '0');
    if (stretch_ == 0) stretch_ = 1;
    int s = 0, length = 1;
    for (; s < kSyllableCount - 1; ++s) {
      if (const int m = Matches(kSyllables[s].text, cursor_)) {
        length = m;
        break;
      }
    }
    syllable_ = s;
    position_ = 0;
    cursor_ += length;
  }
  return true;
}

void Speech::Tick() {
  if (waitForNote_ || waitForRelease_) return;
  if (frameCount_ <= 0) {
    frameCount_ = stepFrames_;
    if (stepsLeft_ <= 0) {
      ++position_;
      if (position_ >= 4 || kSyllables[syllable_].phonemes[position_] < 0) {
        if (!NextSyllable()) return;
      }
      from_ = to_;
      to_ = kSyllables[syllable_].phonemes[position_];
      stepsLeft_ = int(std::round(kPhonemes[to_].steps * float(stretch_)));
      if (stepsLeft_ == 0) stepsLeft_ = 1;
      invLength_ = 1.0f / (float(stepsLeft_) * float(stepFrames_));
    }
    --stepsLeft_;
  }
  --frameCount_;
  // Blend from the previous phoneme into the current one, shaped by their ranks;
  // a much stronger current phoneme takes over at once.
  const Phoneme& p1 = kPhonemes[from_];
  const Phoneme& p2 = kPhonemes[to_];
  float x = float(stepsLeft_ * stepFrames_ + frameCount_) * invLength_;
  x = std::pow(x, p1.rank / p2.rank);
  Target(to_, std::fabs(p2.rank - p1.rank) > 8.0f ? to_ : from_, x, next_);
}

float Speech::Noise() {
  noise_ = RandomBipolar(seed_) + 0.75f * noise_;  // slightly low-passed
  return noise_ * 0.25f;
}

void Speech::Process(StereoFrame* chan, int n) {
  float* now = &now_.res[0].a;
  const float* target = &next_.res[0].a;
  float step[kFrameFloats];
  for (int k = 0; k < kFrameFloats; ++k) step[k] = (target[k] - now[k]) / float(n);

  auto ring = [&](int r, float in) {
    const Resonator& c = now_.res[r];
    const float y = c.a * in + c.b * state_[r][0] + c.c * state_[r][1];
    state_[r][1] = state_[r][0];
    state_[r][0] = y;
    return y;
  };
  for (int i = 0; i < n; ++i) {
    for (int k = 0; k < kFrameFloats; ++k) now[k] += step[k];
    float in = chan[i].l * now_.voicing + Noise() * now_.aspiration;
    float out = ring(0, in) + ring(1, in);  // nasal and first formant take the voiced source
    const float plain = in;
    in = Noise() * now_.frication + in - lastIn_;  // the rest take it differentiated, plus frication
    lastIn_ = plain;
    for (int r = 2; r < 7; ++r) out = ring(r, in) - out;
    out = in * now_.bypass - out;
    out -= high1_;  // two gentle high passes
    high1_ += 0.012f * out;
    out -= high2_;
    high2_ += 0.012f * out;
    const float eq = eq_.a * out + eq_.b * eqState_[0] + eq_.c * eqState_[1];
    eqState_[1] = eqState_[0];
    eqState_[0] = eq;
    out = eq - out;
    chan[i].l = chan[i].r = out;
  }
}

}  // namespace quellor::music::v2m
