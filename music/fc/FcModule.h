#pragma once
// A Future Composer module (1.0-1.3 "SMOD" and 1.4 "FC14") as the replayer reads it:
// the file's bytes with every region checked against the file, the sound table, and a
// tail of built-in data (the old versions' waveforms and silent sequences).
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quellor::music::fc {

constexpr int kSampleSlots = 10;   // sounds 0-9: samples (or sample packs)
constexpr int kSoundCount = 90;    // 10 samples + up to 80 waveforms
constexpr int kStepBytes = 13;     // one track table step
constexpr int kPatternBytes = 64;  // 32 rows of note + info
constexpr int kSequenceBytes = 64;

// One playable sound: where it starts in Module::Data, its length in words, and its
// loop (start in bytes from the sound's start, length in words).
struct Sound {
  uint32_t Start = 0;
  uint32_t Words = 0;
  uint32_t LoopStart = 0;
  uint32_t LoopWords = 0;
};

struct Module {
  bool Fc14 = false;
  std::vector<uint8_t> Data;  // the file, then the built-in tail
  size_t FileSize = 0;
  uint32_t TrackTable = 0, Steps = 0;
  uint32_t Patterns = 0, PatternCount = 0;
  uint32_t FreqSeqs = 0, FreqSeqCount = 0;
  uint32_t VolSeqs = 0, VolSeqCount = 0;
  std::array<Sound, kSoundCount> Sounds{};
  // Built-in tail: an empty pattern, an instrument and a frequency sequence that play
  // nothing, and a stretch of silent sample data.
  uint32_t SilentPattern = 0, SilentVolSeq = 0, SilentFreqSeq = 0, SilentSample = 0;
  static constexpr uint32_t kSilentSampleBytes = 16;

  uint8_t At(uint32_t offset) const { return offset < Data.size() ? Data[offset] : 0; }
  int8_t SignedAt(uint32_t offset) const { return static_cast<int8_t>(At(offset)); }
};

// Parses and checks a module. False with a reason for anything that is not a Future
// Composer module or whose track table or patterns lie outside the file.
bool LoadModule(std::span<const uint8_t> file, Module& out, std::string* why);

// The 47 waveforms built into Future Composer 1.0-1.3 (sounds 10-56), one after the
// other, and each one's length in bytes.
std::span<const uint8_t> BuiltinWaveData();
std::span<const uint8_t> BuiltinWaveLengths();

}  // namespace quellor::music::fc
