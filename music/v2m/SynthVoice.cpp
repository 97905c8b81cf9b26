#include "music/v2m/SynthVoice.h"

#include <cstring>

namespace quellor::music::v2m {

void Voice::Reset() {
  for (int i = 0; i < 3; ++i) osc_[i].Reset(i);
  for (Filter& f : filter_) f.Reset();
  for (Envelope& e : env_) e.Silence();
  // V2 seeded sample & hold from the clock; a fixed seed per voice keeps renders repeatable.
  for (int i = 0; i < 2; ++i) lfo_[i].Reset(0x9e3779b9u * uint32_t(2 * index_ + i + 1));
  dist_.Reset();
  dc_.Reset();
}

void Voice::UpdateOscNotes() {
  const float n = transpose_ + float(note_);
  for (Oscillator& o : osc_) o.SetNote(n);
}

void Voice::Apply(const float* p) {
  transpose_ = p[kTranspose] - 64.0f;
  UpdateOscNotes();
  routing_ = TruncInt(p[kRouting]);
  keySync_ = TruncInt(p[kKeySync]);
  const float pan = p[kPan] / 128.0f;  // equal-power panning
  panL_ = std::sqrt(1.0f - pan);
  panR_ = std::sqrt(pan);
  const float balance = (p[kFilterBalance] - 64.0f) / 64.0f;
  gain1_ = balance >= 0.0f ? 1.0f - balance : 1.0f;
  gain2_ = balance >= 0.0f ? 1.0f : 1.0f + balance;
  for (int i = 0; i < 3; ++i) osc_[i].Configure(p + kOscFirst + i * kOscStride, *rate_);
  for (int i = 0; i < 2; ++i) env_[i].Configure(p + kEnvFirst + i * kEnvStride);
  for (int i = 0; i < 2; ++i) {
    const float* f = p + kFilterFirst + i * kFilterStride;
    filter_[i].Configure(f[0], f[1], f[2], *rate_);
  }
  for (int i = 0; i < 2; ++i) lfo_[i].Configure(p + kLfoFirst + i * kLfoStride);
  dist_.Configure(p + kVoiceDistFirst, *rate_);
}

void Voice::NoteOn(int note, int velocity) {
  note_ = note;
  UpdateOscNotes();
  velocity_ = float(velocity);
  gate_ = true;
  for (Envelope& e : env_) e.Restart();
  if (keySync_ == 2) {  // full sync: the voice starts from silence
    for (Envelope& e : env_) e.ZeroLevel();
    volume_ = 0.0f;
    for (int i = 0; i < 3; ++i) osc_[i].Reset(i);
    for (Filter& f : filter_) f.Reset();
    dist_.Reset();
  }
  if (keySync_ == 1 || keySync_ == 2)
    for (Oscillator& o : osc_) o.ZeroPhase();
  for (Oscillator& o : osc_) o.Retune(*rate_);
  for (Lfo& l : lfo_) l.KeyOn();
  dc_.Reset();
}

void Voice::Tick() {
  for (Envelope& e : env_) e.Tick(gate_);
  for (Lfo& l : lfo_) l.Tick();
  volumeStep_ = (env_[0].out() / 128.0f - volume_) * rate_->invFrame;
}

void Voice::Render(StereoFrame* chan, int n, float* work, float* work2, const AuxBuses& aux) {
  std::memset(work, 0, sizeof(float) * size_t(n));
  for (Oscillator& o : osc_) o.Render(work, n, aux);

  switch (routing_) {
    case 0:
      filter_[0].Render(work, work, n);
      break;
    case 2:  // parallel, mixed by the balance
      filter_[1].Render(work2, work, n);
      filter_[0].Render(work, work, n);
      for (int i = 0; i < n; ++i) work[i] = work[i] * gain1_ + work2[i] * gain2_;
      break;
    default:  // serial
      filter_[0].Render(work, work, n);
      filter_[1].Render(work, work, n);
      break;
  }
  dist_.RenderMono(work, n);
  dc_.RenderMono(work, n, rate_->dcPole);

  float v = volume_;
  for (int i = 0; i < n; ++i) {
    const float s = work[i] * v;
    v += volumeStep_;
    chan[i].l += panL_ * s + kAntiDenormal;
    chan[i].r += panR_ * s + kAntiDenormal;
  }
  volume_ = v;
}

}  // namespace quellor::music::v2m
