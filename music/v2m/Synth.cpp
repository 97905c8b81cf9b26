#include "music/v2m/Synth.h"

#include <algorithm>
#include <cstring>

#include "music/v2m/V2mBank.h"

namespace quellor::music::v2m {

namespace {
constexpr uint32_t kDelayLength = 32768;
constexpr uint32_t kChorusLength = 2048;
}  // namespace

Synth::Synth(const V2mSong& song, int rate)
    : patches_(song.patches),
      globals_(song.globals),
      fallback_(InitialPatch()),
      rate_(SynthRate::For(rate)),
      delayLines_(2 * kDelayLength),
      chorusLines_(16 * 2 * kChorusLength),
      work_(kMaxFrame),
      work2_(kMaxFrame),
      reverbSend_(kMaxFrame),
      delaySend_(kMaxFrame),
      chan_(kMaxFrame),
      mix_(kMaxFrame),
      auxA_(kMaxFrame),
      auxB_(kMaxFrame) {
  delay_.Bind(&delayLines_[0], &delayLines_[kDelayLength], kDelayLength);
  speech_.Bind(&song.speech, &rate_);
  for (int c = 0; c < 16; ++c) {
    float* lines = &chorusLines_[size_t(c) * 2 * kChorusLength];
    strips_[size_t(c)].Bind(&rate_, lines, lines + kChorusLength, kChorusLength);
  }
  Reset();
}

void Synth::Reset() {
  status_ = 0;
  allocCounter_ = 0;
  voiceChannel_.fill(-1);
  voiceAge_.fill(0);
  lastVoice_.fill(0);
  for (ChannelState& c : channels_) {
    c = ChannelState{};
    c.controller[6] = 127;  // CC 7, volume, starts full
  }
  for (int v = 0; v < kVoices; ++v) {
    voices_[size_t(v)] = Voice{};
    voices_[size_t(v)].Bind(&rate_, v);
    voices_[size_t(v)].Reset();
  }
  for (ChannelStrip& s : strips_) s.Clear();
  speech_.Reset();

  reverb_.Clear();
  delay_.Reset();
  dc_.Reset();
  sumComp_.Clear();
  lowCutState_[0] = lowCutState_[1] = highCutState_[0] = highCutState_[1] = 0.0f;
  ready_ = 0;

  float g[kGlobalParamCount];
  for (int i = 0; i < kGlobalParamCount; ++i) g[i] = globals_[size_t(i)];
  reverb_.Configure(g + kReverbFirst, rate_);
  delay_.Configure(g + kDelayFirst, rate_);
  sumComp_.Configure(g + kSumCompFirst, rate_);
  const float lc = (g[kPostLowCut] + 1.0f) / 128.0f, hc = (g[kPostHighCut] + 1.0f) / 128.0f;
  lowCut_ = lc * lc;
  highCut_ = hc * hc;
}

const Patch& Synth::PatchFor(int ch) const {
  const size_t p = channels_[size_t(ch)].program;
  return p < patches_.size() ? patches_[p] : fallback_;
}

float Synth::ModSource(const Voice& v, int ch, int source) const {
  switch (source) {
    case 0: return v.velocity();
    case 1: case 2: case 3: case 4: case 5: case 6: case 7:
      return channels_[size_t(ch)].controller[size_t(source - 1)];
    case 8: case 9: return v.envelope(source - 8);
    case 10: case 11: return v.lfo(source - 10);
    default: return 2.0f * (float(v.note()) - 48.0f);
  }
}

void Synth::UpdateVoice(int index) {
  const int ch = voiceChannel_[size_t(index)];
  if (ch < 0) return;
  const Patch& patch = PatchFor(ch);
  const Voice& voice = voices_[size_t(index)];
  float p[kVoiceParamCount];
  for (int i = 0; i < kVoiceParamCount; ++i) p[i] = patch.params[size_t(i)];
  for (const Modulation& m : patch.mods) {
    if (m.target >= kVoiceParamCount) continue;
    const float scale = (float(m.amount) - 64.0f) / 64.0f;
    p[m.target] = std::clamp(p[m.target] + scale * ModSource(voice, ch, m.source), 0.0f, 128.0f);
  }
  voices_[size_t(index)].Apply(p);
}

void Synth::UpdateChannel(int ch) {
  const Patch& patch = PatchFor(ch);
  const Voice& voice = voices_[size_t(lastVoice_[size_t(ch)])];
  float p[kChannelParamCount];
  for (int i = 0; i < kChannelParamCount; ++i) p[i] = patch.params[size_t(kVoiceParamCount + i)];
  for (const Modulation& m : patch.mods) {
    const int t = int(m.target) - kVoiceParamCount;
    if (t < 0 || t >= kChannelParamCount) continue;
    const float scale = (float(m.amount) - 64.0f) / 64.0f;
    p[t] = std::clamp(p[t] + scale * ModSource(voice, ch, m.source), 0.0f, 128.0f);
  }
  strips_[size_t(ch)].Apply(p);
}

// A voice for a new note: below the patch's polyphony any free voice, else
// the oldest released voice, else the oldest of all. At the limit only the
// channel's own voices are candidates.
int Synth::PickVoice(int ch) {
  int used = 0;
  for (int c : voiceChannel_) used += c == ch ? 1 : 0;
  int mask = 0xf, match = ch;
  if (used == 0 || used < PatchFor(ch).params[kMaxPoly]) {
    for (int v = 0; v < kVoices; ++v)
      if (voiceChannel_[size_t(v)] < 0) return v;
    mask = 0;
    match = 0;
  }
  for (int pass = 0; pass < 2; ++pass) {
    int pick = -1;
    uint32_t oldest = allocCounter_;
    for (int v = 0; v < kVoices; ++v) {
      // A free voice counts as channel 15 here, as it always did.
      if ((voiceChannel_[size_t(v)] & mask) != match) continue;
      if (pass == 0 && voices_[size_t(v)].gate()) continue;
      if (voiceAge_[size_t(v)] < oldest) {
        oldest = voiceAge_[size_t(v)];
        pick = v;
      }
    }
    if (pick >= 0) return pick;
  }
  return 0;
}

void Synth::NoteOn(int ch, int note, int velocity) {
  if (ch == kSpeechChannel) speech_.NoteOn();
  const int v = PickVoice(ch);
  voiceChannel_[size_t(v)] = ch;
  lastVoice_[size_t(ch)] = v;
  voiceAge_[size_t(v)] = allocCounter_++;
  UpdateVoice(v);
  voices_[size_t(v)].NoteOn(note, velocity);
}

void Synth::NoteOff(int ch, int note) {
  if (ch == kSpeechChannel) speech_.NoteOff();
  for (int v = 0; v < kVoices; ++v) {
    Voice& voice = voices_[size_t(v)];
    if (voiceChannel_[size_t(v)] == ch && voice.note() == note && voice.gate()) voice.NoteOff();
  }
}

void Synth::ProcessMessages(std::span<const uint8_t> msg) {
  size_t i = 0;
  auto have = [&](size_t n) { return i + n <= msg.size(); };
  while (have(1) && msg[i] != kEndOfMessages) {
    if (msg[i] & 0x80) status_ = msg[i++];
    if (status_ < 0x80) break;
    const int ch = status_ & 15;
    switch ((status_ >> 4) & 7) {
      case 0:  // note off
      case 1:  // note on, velocity 0 meaning off
        if (!have(2)) return;
        if (((status_ >> 4) & 7) == 1 && msg[i + 1] != 0)
          NoteOn(ch, msg[i], msg[i + 1]);
        else
          NoteOff(ch, msg[i]);
        i += 2;
        break;
      case 2:  // aftertouch, ignored
        i += 1;
        break;
      case 3: {  // controller
        if (!have(2)) return;
        const int cc = msg[i], value = msg[i + 1];
        i += 2;
        if (cc >= 1 && cc <= 7) {
          channels_[size_t(ch)].controller[size_t(cc - 1)] = uint8_t(value);
          if (ch == kSpeechChannel) speech_.Controller(cc, value);
        } else if (cc == 120) {  // all sound off
          for (int v = 0; v < kVoices; ++v)
            if (voiceChannel_[size_t(v)] == ch) {
              voices_[size_t(v)].Reset();
              voiceChannel_[size_t(v)] = -1;
            }
        } else if (cc == 123) {  // all notes off
          if (ch == kSpeechChannel) speech_.NoteOff();
          for (int v = 0; v < kVoices; ++v)
            if (voiceChannel_[size_t(v)] == ch) voices_[size_t(v)].NoteOff();
        }
        break;
      }
      case 4: {  // program change: a new program silences the channel's voices
        if (!have(1)) return;
        const uint8_t program = msg[i++] & 0x7f;
        ChannelState& c = channels_[size_t(ch)];
        if (c.program != program) {
          c.program = program;
          for (int& vc : voiceChannel_)
            if (vc == ch) vc = -1;
        }
        for (int k = 0; k < 6; ++k) c.controller[size_t(k)] = 0;
        break;
      }
      case 5:  // channel pressure and pitch bend: ignored
      case 6:
        i += 2;
        break;
      default:  // system messages carry nothing this synth reads
        return;
    }
  }
}

void Synth::RenderFrame() {
  const int n = rate_.frame;
  for (int v = 0; v < kVoices; ++v) {
    if (voiceChannel_[size_t(v)] < 0) continue;
    UpdateVoice(v);
    voices_[size_t(v)].Tick();
    if (voices_[size_t(v)].finished()) voiceChannel_[size_t(v)] = -1;
  }
  for (int c = 0; c < 16; ++c) UpdateChannel(c);
  speech_.Tick();

  std::fill_n(mix_.begin(), n, StereoFrame{0.0f, 0.0f});
  std::fill_n(auxA_.begin(), n, StereoFrame{0.0f, 0.0f});
  std::fill_n(auxB_.begin(), n, StereoFrame{0.0f, 0.0f});
  std::fill_n(reverbSend_.begin(), n, 0.0f);
  std::fill_n(delaySend_.begin(), n, 0.0f);
  const MixBuses bus{mix_.data(), reverbSend_.data(), delaySend_.data(), auxA_.data(), auxB_.data()};
  const AuxBuses aux{auxA_.data(), auxB_.data()};

  for (int c = 0; c < 16; ++c) {
    if (std::find(voiceChannel_.begin(), voiceChannel_.end(), c) == voiceChannel_.end()) continue;
    std::fill_n(chan_.begin(), n, StereoFrame{0.0f, 0.0f});
    for (int v = 0; v < kVoices; ++v)
      if (voiceChannel_[size_t(v)] == c) voices_[size_t(v)].Render(chan_.data(), n, work_.data(), work2_.data(), aux);
    if (c == kSpeechChannel) speech_.Process(chan_.data(), n);
    strips_[size_t(c)].Process(chan_.data(), n, bus);
  }

  StereoFrame* mix = mix_.data();
  reverb_.RenderInto(mix, reverbSend_.data(), n);
  delay_.RenderSendInto(mix, delaySend_.data(), n);
  dc_.RenderStereo(mix, n, rate_.dcPole);
  for (int i = 0; i < n; ++i) {
    float* s = &mix[i].l;
    for (int ch = 0; ch < 2; ++ch) {
      float x = s[ch] - lowCutState_[ch];
      lowCutState_[ch] += lowCut_ * x;
      if (highCut_ != 1.0f) {
        highCutState_[ch] += highCut_ * (x - highCutState_[ch]);
        x = highCutState_[ch];
      }
      s[ch] = x;
    }
  }
  sumComp_.Render(mix, n);
}

void Synth::Render(float* out, size_t frames) {
  while (frames > 0) {
    if (ready_ == 0) {
      RenderFrame();
      ready_ = rate_.frame;
    }
    const size_t n = std::min(frames, size_t(ready_));
    const StereoFrame* src = &mix_[size_t(rate_.frame - ready_)];
    std::memcpy(out, src, n * sizeof(StereoFrame));
    out += 2 * n;
    frames -= n;
    ready_ -= int(n);
  }
}

int Synth::ActiveVoices() const {
  return int(std::count_if(voiceChannel_.begin(), voiceChannel_.end(), [](int c) { return c >= 0; }));
}

}  // namespace quellor::music::v2m
