#include "music/fc/FcModule.h"

#include <algorithm>
#include <cstring>

namespace quellor::music::fc {

namespace {

// Waveforms 10-56 of Future Composer 1.0-1.3, built from their rules.
struct BuiltinWaves {
  std::array<uint8_t, 1344> Data{};
  std::array<uint8_t, 47> Lengths{};
};

constexpr BuiltinWaves MakeBuiltinWaves() {
  BuiltinWaves w;
  size_t at = 0;
  int wave = 0;
  auto put = [&](uint8_t b) { w.Data[at++] = b; };
  auto end = [&](int bytes) { w.Lengths[wave++] = static_cast<uint8_t>(bytes); };
  auto dist = [](int j) { return j < 8 ? 8 - j : j - 8; };

  const uint8_t rampHead[16] = {0xC0, 0xC0, 0xD0, 0xD8, 0xE0, 0xE8, 0xF0, 0xF8,
                                0x00, 0xF8, 0xF0, 0xE8, 0xE0, 0xD8, 0xD0, 0xC8};
  for (int k = 0; k < 16; ++k) {  // 10-25: a fixed first half, a second half shaped by k
    for (uint8_t b : rampHead) put(b);
    for (int j = 0; j < 16; ++j)
      put(static_cast<uint8_t>(j < k ? 0x80 + 8 * dist(j) : 8 * dist(j) - 1));
    end(32);
  }
  for (int n = 26; n <= 39; ++n) {  // pulses of growing width
    for (int i = 0; i < 32; ++i) put(i < 16 + n - 26 ? 0x81 : 0x7F);
    end(32);
  }
  for (int lows : {30, 31}) {  // 40, 41
    for (int i = 0; i < 32; ++i) put(i < lows ? 0x80 : 0x7F);
    end(32);
  }
  for (int n = 42; n <= 49; ++n) {  // 16-byte pulses; 49 repeats 48
    int lows = 8 - (std::min(n, 48) - 42);
    for (int i = 0; i < 16; ++i) put(i < lows ? 0x80 : 0x7F);
    end(16);
  }
  size_t saw32 = at;  // 50
  put(0x80), put(0x80);
  for (int j = 2; j <= 30; ++j) put(static_cast<uint8_t>(0x80 + 8 * j));
  put(0x7F);
  end(32);
  size_t saw16 = at;  // 51
  put(0x80), put(0x80);
  for (int j = 2; j <= 15; ++j) put(static_cast<uint8_t>(0x80 + 16 * j));
  end(16);
  const uint8_t w52[32] = {0x45, 0x45, 0x79, 0x7D, 0x7A, 0x77, 0x70, 0x66, 0x61, 0x58, 0x53,
                           0x4D, 0x2C, 0x20, 0x18, 0x12, 0x04, 0xDB, 0xD3, 0xCD, 0xC6, 0xBC,
                           0xB5, 0xAE, 0xA8, 0xA3, 0x9D, 0x99, 0x93, 0x8E, 0x8B, 0x8A};
  const uint8_t w53[32] = {0x45, 0x45, 0x79, 0x7D, 0x7A, 0x77, 0x70, 0x66, 0x5B, 0x4B, 0x43,
                           0x37, 0x2C, 0x20, 0x18, 0x12, 0x04, 0xF8, 0xE8, 0xDB, 0xCF, 0xC6,
                           0xBE, 0xB0, 0xA8, 0xA4, 0x9E, 0x9A, 0x95, 0x94, 0x8D, 0x83};
  for (uint8_t b : w52) put(b);
  end(32);
  for (uint8_t b : w53) put(b);
  end(32);
  const uint8_t sine[16] = {0x00, 0x00, 0x40, 0x60, 0x7F, 0x60, 0x40, 0x20,
                            0x00, 0xE0, 0xC0, 0xA0, 0x80, 0xA0, 0xC0, 0xE0};
  for (int twice = 0; twice < 2; ++twice) {  // 54, 55
    for (uint8_t b : sine) put(b);
    end(16);
  }
  for (size_t i = 0; i < 32; ++i) put(w.Data[saw32 + i]);  // 56: 50 then 51
  for (size_t i = 0; i < 16; ++i) put(w.Data[saw16 + i]);
  end(48);
  return w;
}

constexpr BuiltinWaves kBuiltin = MakeBuiltinWaves();

uint32_t Be32(std::span<const uint8_t> f, size_t at) {
  return static_cast<uint32_t>(f[at]) << 24 | static_cast<uint32_t>(f[at + 1]) << 16 |
         static_cast<uint32_t>(f[at + 2]) << 8 | f[at + 3];
}
uint16_t Be16(std::span<const uint8_t> f, size_t at) { return static_cast<uint16_t>(f[at] << 8 | f[at + 1]); }

bool Fail(std::string* why, const char* text) {
  if (why) *why = text;
  return false;
}

bool InFile(size_t fileSize, uint64_t offset, uint64_t length) { return offset + length <= fileSize; }

bool IsPackTag(const std::vector<uint8_t>& d, uint64_t at) {
  return at + 4 <= d.size() && std::memcmp(d.data() + at, "SSMP", 4) == 0;
}

// A one-shot sound loops over one word; that word is cleared so the loop is silent.
void ClearWord(std::vector<uint8_t>& d, size_t fileSize, uint64_t at) {
  if (at + 2 <= fileSize) d[at] = d[at + 1] = 0;
}

constexpr size_t kPackTable = 4 + 20 * 16;  // "SSMP" and 20 entries of 16 bytes

}  // namespace

std::span<const uint8_t> BuiltinWaveData() { return kBuiltin.Data; }
std::span<const uint8_t> BuiltinWaveLengths() { return kBuiltin.Lengths; }

bool LoadModule(std::span<const uint8_t> f, Module& m, std::string* why) {
  m = Module{};
  if (f.size() < 8) return Fail(why, "file too short for a Future Composer module");
  bool smod = std::memcmp(f.data(), "SMOD", 4) == 0;
  bool fc14 = std::memcmp(f.data(), "FC14", 4) == 0;
  if ((!smod && !fc14) || f[4] != 0 || f[5] != 0) return Fail(why, "not a Future Composer module");
  m.Fc14 = fc14;
  const size_t header = fc14 ? 0xB4 : 0x64;
  if (f.size() < header) return Fail(why, "Future Composer header cut short");

  uint32_t trackBytes = Be32(f, 4);
  uint32_t patOffset = Be32(f, 8), patBytes = Be32(f, 12);
  uint32_t freqOffset = Be32(f, 16), freqBytes = Be32(f, 20);
  uint32_t volOffset = Be32(f, 24), volBytes = Be32(f, 28);
  uint64_t sampleAt = Be32(f, 32);

  m.TrackTable = static_cast<uint32_t>(header);
  if (trackBytes == 0 && patOffset > header) trackBytes = patOffset - static_cast<uint32_t>(header);
  m.Steps = trackBytes / kStepBytes;
  if (m.Steps == 0 || !InFile(f.size(), m.TrackTable, trackBytes))
    return Fail(why, "Future Composer track table missing or cut short");
  m.Patterns = patOffset;
  m.PatternCount = patBytes / kPatternBytes;
  if (m.PatternCount == 0 || !InFile(f.size(), patOffset, patBytes))
    return Fail(why, "Future Composer patterns missing or cut short");
  m.FreqSeqs = freqOffset;
  m.FreqSeqCount = freqBytes / kSequenceBytes;
  m.VolSeqs = volOffset;
  m.VolSeqCount = volBytes / kSequenceBytes;
  if (!InFile(f.size(), freqOffset, freqBytes) || !InFile(f.size(), volOffset, volBytes))
    return Fail(why, "Future Composer sequences cut short");

  m.FileSize = f.size();
  m.Data.assign(f.begin(), f.end());

  // Samples follow each other from the sample offset; FC 1.4 keeps a silent word
  // behind every sample that has data.
  for (int s = 0; s < kSampleSlots; ++s) {
    size_t h = 0x28 + 6 * s;
    Sound& snd = m.Sounds[s];
    snd.Words = Be16(f, h);
    snd.LoopStart = Be16(f, h + 2);
    snd.LoopWords = Be16(f, h + 4);
    snd.Start = static_cast<uint32_t>(std::min<uint64_t>(sampleAt, UINT32_MAX));
    bool oneShot = snd.LoopWords == 1;
    uint64_t after = sampleAt + 2ull * snd.Words;
    if (oneShot && !fc14) ClearWord(m.Data, m.FileSize, sampleAt);
    if (oneShot && fc14 && !IsPackTag(m.Data, after)) ClearWord(m.Data, m.FileSize, after);
    sampleAt = after + (fc14 && snd.Words != 0 ? 2 : 0);
  }
  // The silent word behind the last sample may be missing; anything more is not.
  if (!InFile(f.size() + 2, 0, sampleAt)) return Fail(why, "Future Composer samples cut short");
  // Sample packs: their one-shot entries get the same treatment.
  for (int s = 0; s < kSampleSlots; ++s) {
    uint64_t start = m.Sounds[s].Start;
    if (!IsPackTag(m.Data, start) || start + kPackTable > m.FileSize) continue;
    for (int e = 0; e < 20; ++e) {
      size_t entry = static_cast<size_t>(start) + 4 + 16 * e;
      if (Be16(f, entry + 8) != 1) continue;
      uint64_t data = start + kPackTable + Be32(f, entry);
      ClearWord(m.Data, m.FileSize, data + Be16(f, entry + 6));
    }
  }

  // The built-in tail.
  uint32_t tail = static_cast<uint32_t>(m.Data.size());
  if (!fc14) {
    std::span<const uint8_t> waves = BuiltinWaveData();
    m.Data.insert(m.Data.end(), waves.begin(), waves.end());
    uint32_t at = tail;
    std::span<const uint8_t> lengths = BuiltinWaveLengths();
    for (size_t w = 0; w < lengths.size(); ++w) {
      uint32_t words = lengths[w] / 2u;
      m.Sounds[kSampleSlots + w] = {at, words, 0, words};
      at += lengths[w];
    }
  } else {
    uint64_t waveAt = Be32(f, 36);
    for (int w = 0; w < 80; ++w) {
      uint32_t words = f[0x64 + w];
      m.Sounds[kSampleSlots + w] = {static_cast<uint32_t>(std::min<uint64_t>(waveAt, UINT32_MAX)), words, 0,
                                    words};
      waveAt += 2ull * words;
    }
    if (!InFile(f.size(), 0, waveAt)) return Fail(why, "Future Composer waveforms cut short");
  }
  m.SilentPattern = static_cast<uint32_t>(m.Data.size());
  m.Data.resize(m.Data.size() + kPatternBytes, 0);
  // Instrument: envelope speed 1, no frequency sequence, volume 0, end.
  m.SilentVolSeq = static_cast<uint32_t>(m.Data.size());
  const uint8_t silentVol[] = {1, 0xFF, 0, 0, 0, 0, 0xE1, 0xE1};
  m.Data.insert(m.Data.end(), std::begin(silentVol), std::end(silentVol));
  m.SilentFreqSeq = static_cast<uint32_t>(m.Data.size());
  m.Data.push_back(0xE1);
  m.Data.push_back(0xE1);
  m.SilentSample = static_cast<uint32_t>(m.Data.size());
  m.Data.resize(m.Data.size() + Module::kSilentSampleBytes, 0);
  return true;
}

}  // namespace quellor::music::fc
