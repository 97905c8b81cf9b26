#pragma once
// Tunes made procedurally, for the tests, the fuzzing seeds and the benchmarks: a
// 4-channel Protracker module, a PSID with a small 6502 routine of our own, and Future
// Composer 1.4 modules built step by step.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <tuple>
#include <vector>

namespace quellor::tuneart {

using Bytes = std::vector<uint8_t>;

inline void PutBe16(Bytes& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v >> 8);
  b[at + 1] = static_cast<uint8_t>(v);
}
inline void PutBe32(Bytes& b, size_t at, uint32_t v) {
  PutBe16(b, at, v >> 16);
  PutBe16(b, at + 2, v & 0xFFFF);
}

// "M.K." module: one looped 32-byte square sample, two 16-row patterns (a pattern break
// ends each) at speed 3, order list 0, 1. It plays for 2 x 16 x 3 ticks = 1.92 s.
inline Bytes MakeMod() {
  Bytes b(1084, 0);
  std::copy_n("quellor test", 12, b.begin());
  size_t s1 = 20;
  PutBe16(b, s1 + 22, 16);  // length in words
  b[s1 + 25] = 64;          // volume
  PutBe16(b, s1 + 26, 0);   // loop start
  PutBe16(b, s1 + 28, 16);  // loop length
  b[950] = 2;               // orders
  b[951] = 127;
  b[952] = 0;
  b[953] = 1;
  std::copy_n("M.K.", 4, b.begin() + 1080);
  auto cell = [](Bytes& p, int row, int ch, int period, int sample, int fx, int param) {
    size_t at = static_cast<size_t>(row * 16 + ch * 4);
    p[at] = static_cast<uint8_t>((sample & 0xF0) | (period >> 8));
    p[at + 1] = static_cast<uint8_t>(period & 0xFF);
    p[at + 2] = static_cast<uint8_t>((sample & 0x0F) << 4 | fx);
    p[at + 3] = static_cast<uint8_t>(param);
  };
  for (int pat = 0; pat < 2; ++pat) {
    Bytes p(1024, 0);
    cell(p, 0, 0, pat == 0 ? 428 : 320, 1, 0, 0);
    cell(p, 0, 1, pat == 0 ? 339 : 254, 1, 0, 0);
    cell(p, 0, 3, 0, 0, 0xF, 3);  // speed 3
    cell(p, 8, 2, 214, 1, 0, 0);
    cell(p, 15, 3, 0, 0, 0xD, 0);  // pattern break
    b.insert(b.end(), p.begin(), p.end());
  }
  for (int i = 0; i < 32; ++i) b.push_back(i < 16 ? 0x60 : 0xA0);
  return b;
}

// PSID v2 loading at $1000. Init stores the song index (A) and starts voice 1, a
// sawtooth whose frequency high byte is $10 + the song index; play sweeps its low byte.
inline Bytes MakePsid(uint16_t songs, uint16_t startSong) {
  Bytes b(0x7C, 0);
  std::copy_n("PSID", 4, b.begin());
  PutBe16(b, 4, 2);
  PutBe16(b, 6, 0x7C);
  PutBe16(b, 8, 0x1000);
  PutBe16(b, 10, 0x1000);
  PutBe16(b, 12, 0x1003);
  PutBe16(b, 14, songs);
  PutBe16(b, 16, startSong);
  std::copy_n("Quellor test tune", 17, b.begin() + 22);
  std::copy_n("Quellor", 7, b.begin() + 54);
  PutBe16(b, 0x76, 0x14);  // PAL, 6581
  const uint8_t code[] = {
      0x4C, 0x06, 0x10,  // jmp init
      0x4C, 0x30, 0x10,  // jmp play
      0x85, 0xFB,        // init: sta $fb
      0xA9, 0x0F, 0x8D, 0x18, 0xD4,  // volume 15
      0xA9, 0x00, 0x8D, 0x05, 0xD4,  // attack/decay 0
      0xA9, 0xF0, 0x8D, 0x06, 0xD4,  // sustain 15
      0xA9, 0x00, 0x8D, 0x00, 0xD4,  // frequency low 0
      0xA5, 0xFB, 0x18, 0x69, 0x10, 0x8D, 0x01, 0xD4,  // frequency high $10 + song
      0xA9, 0x21, 0x8D, 0x04, 0xD4,  // sawtooth, gate on
      0x60,
      0xEA, 0xEA, 0xEA, 0xEA, 0xEA, 0xEA,  // to $1030
      0xE6, 0xFC, 0xA5, 0xFC,        // play: inc $fc, lda $fc
      0x8D, 0x00, 0xD4,              // frequency low follows the frame count
      0x60};
  b.insert(b.end(), std::begin(code), std::end(code));
  return b;
}

// A Future Composer 1.4 module assembled from its parts. Sound 10 is a 32-byte square
// wave; instruments and sequences are given as raw 64-byte blocks (padded with E1).
struct FcBuilder {
  struct Step {
    uint8_t Pattern[4] = {0, 0, 0, 0};
    int8_t Transpose[4] = {0, 0, 0, 0};
    int8_t SoundTranspose[4] = {0, 0, 0, 0};
    uint8_t Speed = 0;
  };
  std::vector<Step> Steps;
  std::vector<Bytes> Patterns;  // each 64 bytes: 32 rows of note, info
  std::vector<Bytes> FreqSeqs, VolSeqs;

  static Bytes Block(std::initializer_list<uint8_t> head, uint8_t fill = 0xE1) {
    Bytes b(head);
    b.resize(64, fill);
    return b;
  }
  // A pattern with notes at the given rows (note, info); other rows empty.
  static Bytes Pattern(std::initializer_list<std::tuple<int, uint8_t, uint8_t>> rows) {
    Bytes p(64, 0);
    for (auto [row, note, info] : rows) {
      p[static_cast<size_t>(row) * 2] = note;
      p[static_cast<size_t>(row) * 2 + 1] = info;
    }
    return p;
  }

  Bytes Build() const {
    Bytes b(0xB4, 0);
    std::copy_n("FC14", 4, b.begin());
    size_t track = 0xB4;
    uint32_t trackLen = static_cast<uint32_t>(Steps.size() * 13);
    size_t pat = track + trackLen;
    size_t freq = pat + Patterns.size() * 64;
    size_t vol = freq + FreqSeqs.size() * 64;
    size_t samples = vol + VolSeqs.size() * 64;
    size_t waves = samples;  // no samples
    PutBe32(b, 4, trackLen);
    PutBe32(b, 8, static_cast<uint32_t>(pat));
    PutBe32(b, 12, static_cast<uint32_t>(Patterns.size() * 64));
    PutBe32(b, 16, static_cast<uint32_t>(freq));
    PutBe32(b, 20, static_cast<uint32_t>(FreqSeqs.size() * 64));
    PutBe32(b, 24, static_cast<uint32_t>(vol));
    PutBe32(b, 28, static_cast<uint32_t>(VolSeqs.size() * 64));
    PutBe32(b, 32, static_cast<uint32_t>(samples));
    PutBe32(b, 36, static_cast<uint32_t>(waves));
    b[0x64] = 16;  // sound 10: 16 words
    for (const Step& s : Steps) {
      for (int v = 0; v < 4; ++v) {
        b.push_back(s.Pattern[v]);
        b.push_back(static_cast<uint8_t>(s.Transpose[v]));
        b.push_back(static_cast<uint8_t>(s.SoundTranspose[v]));
      }
      b.push_back(s.Speed);
    }
    for (const std::vector<Bytes>* group : {&Patterns, &FreqSeqs, &VolSeqs})
      for (const Bytes& block : *group) b.insert(b.end(), block.begin(), block.end());
    for (int i = 0; i < 32; ++i) b.push_back(i < 16 ? 0x7F : 0x80);
    return b;
  }

  // A small song: voice 1 plays notes on a square wave with a falling envelope, voice 2
  // an arpeggio; one step of 32 rows at speed 3 (1.92 s) that wraps round.
  static FcBuilder Song() {
    FcBuilder f;
    Step s;
    s.Pattern[1] = 1;
    s.Pattern[2] = s.Pattern[3] = 2;
    s.Speed = 3;
    f.Steps = {s};
    f.Patterns = {Pattern({{0, 25, 0}, {8, 29, 0}, {16, 32, 0}, {24, 37, 0}}),
                  Pattern({{0, 13, 1}, {16, 20, 1}}), Bytes(64, 0)};
    f.FreqSeqs = {Block({0xE2, 10, 0, 0xE1}), Block({0xE2, 10, 0, 4, 7, 12, 0xE0, 3})};
    f.VolSeqs = {Block({1, 0, 0, 0, 0, 64, 60, 56, 52, 48, 44, 40, 0xE1}),
                 Block({2, 1, 0, 0, 0, 40, 0xE1})};
    return f;
  }
};

// The same code as a well-formed RSID tune: load address in the data, no play address.
inline Bytes MakeRsid() {
  Bytes b = MakePsid(1, 1);
  std::copy_n("RSID", 4, b.begin());
  PutBe16(b, 8, 0);
  PutBe16(b, 12, 0);
  b.insert(b.begin() + 0x7C, {0x00, 0x10});
  return b;
}

}  // namespace quellor::tuneart
