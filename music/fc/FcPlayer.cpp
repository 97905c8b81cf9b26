#include "music/fc/FcPlayer.h"

#include <algorithm>

namespace quellor::music::fc {

namespace {

// Amiga periods by note index. 60-71 is the low octave added in 1.3; 72-127 repeat 0-55.
constexpr std::array<uint16_t, 128> MakePeriods() {
  constexpr uint16_t base[72] = {
      1712, 1616, 1524, 1440, 1356, 1280, 1208, 1140, 1076, 1016, 960,  906,
      856,  808,  762,  720,  678,  640,  604,  570,  538,  508,  480,  453,
      428,  404,  381,  360,  339,  320,  302,  285,  269,  254,  240,  226,
      214,  202,  190,  180,  170,  160,  151,  143,  135,  127,  120,  113,
      113,  113,  113,  113,  113,  113,  113,  113,  113,  113,  113,  113,
      3424, 3232, 3048, 2880, 2712, 2560, 2416, 2280, 2152, 2032, 1920, 1812};
  std::array<uint16_t, 128> t{};
  for (int i = 0; i < 72; ++i) t[i] = base[i];
  for (int i = 72; i < 128; ++i) t[i] = base[i - 72];
  return t;
}
constexpr std::array<uint16_t, 128> kPeriods = MakePeriods();

constexpr uint16_t kMinPeriod = 113;
constexpr uint16_t kMaxPeriodOld = 1712, kMaxPeriod14 = 3424;
constexpr uint8_t kPatternBreak = 0x49;
// Sequences may jump into each other for ever; a tick follows this many jumps at most.
constexpr int kJumpLimit = 16;
constexpr uint32_t kPosLimit = 0xFFFF;
// Far beyond the period range: a slide that long only needs to stay clamped.
constexpr int kMaxPitchOffset = 1 << 14;

uint32_t Add(uint32_t a, uint32_t b) { return static_cast<uint32_t>(std::min<uint64_t>(uint64_t{a} + b, UINT32_MAX)); }

}  // namespace

Player::Player(const Module& mod, Paula& paula) : mod_(mod), paula_(paula) { Restart(); }

void Player::Restart() {
  voices_ = {};
  for (int v = 0; v < 4; ++v) {
    VoiceState& s = voices_[v];
    s.VolSeq = mod_.SilentVolSeq + 5;
    s.FreqSeq = mod_.SilentFreqSeq;
    EnterStep(v, 0);
    paula_.Off(v);
    paula_.SetStretch(v, mod_.SilentSample, 1);
    paula_.TakeStretch(v);
  }
  uint8_t first = mod_.At(mod_.TrackTable + 12);
  speed_ = first != 0 ? first : 3;
  count_ = 1;  // the first tick reads row 0
  songEnds_ = 0;
}

void Player::EnterStep(int v, uint32_t step) {
  VoiceState& s = voices_[v];
  s.Step = step;
  uint32_t at = mod_.TrackTable + step * kStepBytes + v * 3;
  uint8_t pattern = mod_.At(at);
  s.Transpose = mod_.SignedAt(at + 1);
  s.SoundTranspose = mod_.SignedAt(at + 2);
  s.PatternAt = pattern < mod_.PatternCount ? mod_.Patterns + pattern * kPatternBytes : mod_.SilentPattern;
  s.Row = 0;
}

void Player::Tick() {
  if (--count_ == 0) {
    count_ = speed_;
    for (int v = 0; v < 4; ++v) NextRow(v);
  }
  for (int v = 0; v < 4; ++v) {
    VoiceState& s = voices_[v];
    FrequencySequence(v);
    VolumeEnvelope(s);
    s.Period = Pitch(s);
    paula_.SetPeriod(v, s.Period);
    paula_.SetVolume(v, s.Volume);
    // The sound's loop becomes the channel's next stretch at the end of the tick after
    // the sound was set.
    if (s.LoopDelay != 0 && --s.LoopDelay == 1) {
      s.LoopDelay = 0;
      paula_.SetStretch(v, Add(s.SoundStart, s.LoopStart), s.LoopWords);
      paula_.TakeStretch(v);
    }
  }
  for (int v = 0; v < 4; ++v) {
    if (!voices_[v].Trigger) continue;
    voices_[v].Trigger = false;
    paula_.On(v);
  }
}

void Player::NextRow(int v) {
  VoiceState& s = voices_[v];
  uint32_t at = s.PatternAt + s.Row;
  if (s.Row >= kPatternBytes || (mod_.Fc14 && mod_.At(at) == kPatternBreak)) {
    uint32_t next = s.Step + 1;
    if (next >= mod_.Steps) {
      next = 0;
      if (v == 0) ++songEnds_;
    }
    EnterStep(v, next);
    if (v == 0) {
      uint8_t speed = mod_.At(mod_.TrackTable + next * kStepBytes + 12);
      if (speed != 0) speed_ = count_ = speed;
    }
    at = s.PatternAt;
  }
  uint8_t note = mod_.At(at);
  uint8_t info = mod_.At(at + 1);
  if (note != 0) {
    s.PitchOffset = 0;
    s.Porta = 0;
    s.Note = note & 0x7F;
    Retrigger(v);
    StartInstrument(s, static_cast<uint8_t>(((info & 0x3F) + s.SoundTranspose) & 0x3F));
  }
  if (info & 0x40) s.Porta = 0;
  if (info & 0x80) s.Porta = mod_.At(at + 3) & 0x3F;  // the next row's info byte
  s.Row += 2;
}

void Player::StartInstrument(VoiceState& s, uint8_t instrument) {
  uint32_t at = instrument < mod_.VolSeqCount ? mod_.VolSeqs + instrument * kSequenceBytes : mod_.SilentVolSeq;
  s.EnvSpeed = s.EnvCount = mod_.At(at);
  uint8_t freq = mod_.At(at + 1);
  s.VibSpeed = mod_.At(at + 2);
  s.VibUp = false;
  s.VibDepth = mod_.At(at + 3);
  s.VibOffset = s.VibDepth;
  s.VibDelay = mod_.At(at + 4);
  s.VolSeq = at + 5;
  s.VolPos = 0;
  s.VolSustain = 0;
  s.FreqSeq = freq < mod_.FreqSeqCount ? mod_.FreqSeqs + freq * kSequenceBytes : mod_.SilentFreqSeq;
  s.FreqPos = 0;
  s.FreqSustain = 0;
}

void Player::Retrigger(int v) {
  paula_.Off(v);
  voices_[v].Trigger = true;
}

void Player::FrequencySequence(int v) {
  VoiceState& s = voices_[v];
  if (s.FreqSustain > 0) {
    --s.FreqSustain;
    return;
  }
  auto readTranspose = [&] {
    s.SeqTranspose = mod_.SignedAt(s.FreqSeq + s.FreqPos);
    s.FreqPos = std::min(s.FreqPos + 1, kPosLimit);
  };
  for (int jumps = 0; jumps < kJumpLimit; ++jumps) {
    uint32_t at = s.FreqSeq + s.FreqPos;
    uint8_t op = mod_.At(at);
    if (op == 0xE0) {  // jump inside the sequence, then read there
      s.FreqPos = mod_.At(at + 1) & 0x3F;
      at = s.FreqSeq + s.FreqPos;
      op = mod_.At(at);
    }
    switch (op) {
      case 0xE1:  // end: hold
        return;
      case 0xE2:  // set sound, restart it and the envelope
        Retrigger(v);
        SetSound(v, mod_.At(at + 1));
        s.VolPos = 0;
        s.EnvCount = 1;
        s.FreqPos += 2;
        readTranspose();
        return;
      case 0xE4: {  // change sound at the end of the current stretch, no restart
        uint8_t n = mod_.At(at + 1);
        const Sound& snd = mod_.Sounds[n < kSoundCount ? n : 0];
        uint32_t words = n < kSoundCount ? snd.Words : 0;
        s.SoundStart = snd.Start;
        s.LoopStart = snd.LoopStart;
        s.LoopWords = snd.LoopWords;
        s.LoopDelay = 0;
        paula_.SetStretch(v, snd.Start, words);
        paula_.TakeStretch(v);
        s.FreqPos += 2;
        readTranspose();
        return;
      }
      case 0xE9:  // a sample from a sample pack
        Retrigger(v);
        SetPackSample(v, mod_.At(at + 1), mod_.At(at + 2));
        s.FreqPos += 3;
        readTranspose();
        return;
      case 0xE7: {  // continue with another sequence
        uint8_t n = mod_.At(at + 1);
        s.FreqSeq = n < mod_.FreqSeqCount ? mod_.FreqSeqs + n * kSequenceBytes : mod_.SilentFreqSeq;
        s.FreqPos = 0;
        continue;
      }
      case 0xE8:  // hold the sequence for a number of ticks, this one included
        s.FreqSustain = mod_.At(at + 1);
        s.FreqPos += 2;
        if (s.FreqSustain > 0) {
          --s.FreqSustain;
          return;
        }
        continue;
      case 0xE3:  // new vibrato
        s.VibSpeed = mod_.At(at + 1);
        s.VibDepth = mod_.At(at + 2);
        s.FreqPos += 3;
        return;
      case 0xEA:  // pitch bend
        s.BendSpeed = mod_.SignedAt(at + 1);
        s.BendTime = mod_.At(at + 2);
        s.FreqPos += 3;
        readTranspose();
        return;
      default:  // a transpose value
        s.SeqTranspose = static_cast<int8_t>(op);
        s.FreqPos = std::min(s.FreqPos + 1, kPosLimit);
        return;
    }
  }
}

void Player::SetSound(int v, uint8_t n) {
  VoiceState& s = voices_[v];
  Sound snd = n < kSoundCount ? mod_.Sounds[n] : Sound{mod_.SilentSample, 1, 0, 1};
  s.SoundStart = snd.Start;
  s.LoopStart = snd.LoopStart;
  s.LoopWords = snd.LoopWords;
  s.LoopDelay = 3;
  paula_.SetStretch(v, snd.Start, snd.Words);
  paula_.TakeStretch(v);
}

void Player::SetPackSample(int v, uint8_t slot, uint8_t entry) {
  if (slot >= kSampleSlots || entry >= 20) return;
  uint32_t pack = mod_.Sounds[slot].Start;
  if (mod_.At(pack) != 'S' || mod_.At(pack + 1) != 'S' || mod_.At(pack + 2) != 'M' || mod_.At(pack + 3) != 'P')
    return;
  uint32_t e = Add(pack, 4 + 16 * entry);
  auto be16 = [&](uint32_t at) { return static_cast<uint32_t>(mod_.At(at) << 8 | mod_.At(at + 1)); };
  uint32_t offset = be16(e) << 16 | be16(e + 2);
  VoiceState& s = voices_[v];
  s.SoundStart = Add(Add(pack, 4 + 320), offset);
  s.LoopStart = be16(e + 6);
  s.LoopWords = be16(e + 8);
  s.LoopDelay = 3;
  s.VolPos = 0;
  s.EnvCount = 1;
  paula_.SetStretch(v, s.SoundStart, be16(e + 4));
  paula_.TakeStretch(v);
}

void Player::VolumeEnvelope(VoiceState& s) {
  for (int restarts = 0; restarts < kJumpLimit; ++restarts) {
    if (s.VolSustain > 0) {
      --s.VolSustain;
      return;
    }
    if (s.SlideTime > 0) {
      Slide(s);
      return;
    }
    if (--s.EnvCount != 0) return;  // speed 0 wraps round to 256 ticks per step
    s.EnvCount = s.EnvSpeed;
    bool again = false;
    for (int jumps = 0; jumps < kJumpLimit && !again; ++jumps) {
      uint32_t at = s.VolSeq + s.VolPos;
      uint8_t op = mod_.At(at);
      switch (op) {
        case 0xE8:  // sustain, counted from this tick
          s.VolSustain = mod_.At(at + 1);
          s.VolPos = std::min(s.VolPos + 2, kPosLimit);
          again = true;
          break;
        case 0xEA:  // volume slide
          s.SlideSpeed = mod_.SignedAt(at + 1);
          s.SlideTime = mod_.At(at + 2);
          s.VolPos = std::min(s.VolPos + 3, kPosLimit);
          Slide(s);
          return;
        case 0xE0:  // jump; the target counts from the instrument's first byte
          s.VolPos = static_cast<uint32_t>(mod_.At(at + 1) - 5) & 0x3F;
          continue;
        case 0xE1:  // end: hold
          return;
        default:
          s.Volume = std::min<int>(op, 64);
          s.VolPos = std::min<uint32_t>(s.VolPos + 1, 0x3F);
          return;
      }
    }
    if (!again) return;
  }
}

void Player::Slide(VoiceState& s) {
  s.SlideHalf = !s.SlideHalf;  // one step every second tick
  if (!s.SlideHalf) return;
  --s.SlideTime;
  s.Volume += s.SlideSpeed;
  if (s.Volume < 0) {
    s.Volume = 0;
    s.SlideTime = 0;
  } else if (s.Volume > 64) {
    s.Volume = 64;
    s.SlideTime = 0;
  }
}

uint16_t Player::Pitch(VoiceState& s) {
  int note = s.SeqTranspose;
  if (note >= 0) note += s.Note + s.Transpose;  // else the sequence names the note itself
  int index = note & 0x7F;
  int period = kPeriods[index];

  if (s.VibDelay == 0) {
    int twice = s.VibDepth * 2;
    int cur = s.VibOffset;
    if (!s.VibUp) {
      cur -= s.VibSpeed;
      if (cur < 0) {
        cur = 0;
        s.VibUp = true;
      }
    } else {
      cur += s.VibSpeed;
      if (cur > twice) {
        cur = twice;
        s.VibUp = false;
      }
    }
    s.VibOffset = cur;
    int offset = cur - s.VibDepth;
    for (int o = index * 2 + 160; o < 256; o += 24) offset *= 2;  // wider in lower octaves
    period += offset;
  } else {
    --s.VibDelay;
  }

  // FC 1.4 slides at half the speed of the older versions.
  s.PortaHalf = !s.PortaHalf;
  if (s.Porta != 0 && (!mod_.Fc14 || s.PortaHalf)) {
    int step = s.Porta > 0x1F ? -(s.Porta & 0x1F) : s.Porta;
    s.PitchOffset = std::clamp(s.PitchOffset - step, -kMaxPitchOffset, kMaxPitchOffset);
  }
  s.BendHalf = !s.BendHalf;
  if (s.BendHalf && s.BendTime > 0) {
    --s.BendTime;
    s.PitchOffset = std::clamp(s.PitchOffset - s.BendSpeed, -kMaxPitchOffset, kMaxPitchOffset);
  }
  period += s.PitchOffset;
  int maxPeriod = mod_.Fc14 ? kMaxPeriod14 : kMaxPeriodOld;
  return static_cast<uint16_t>(std::clamp(period, static_cast<int>(kMinPeriod), maxPeriod));
}

}  // namespace quellor::music::fc
