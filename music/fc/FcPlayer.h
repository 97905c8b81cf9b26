#pragma once
// The Future Composer replay routine: one call per 50 Hz tick reads the patterns, runs
// each voice's frequency and volume sequences, vibrato, portamento and pitch bends, and
// writes period, volume and sample registers of the four Paula channels.
#include <array>
#include <cstdint>

#include "music/fc/FcModule.h"
#include "music/fc/Paula.h"

namespace quellor::music::fc {

// What one voice shows after a tick (for tests and diagnostics).
struct VoiceView {
  uint16_t Period = 0;
  int Volume = 0;
  uint8_t Note = 0;
};

class Player {
 public:
  // The module must outlive the player; the Paula is the player's output.
  Player(const Module& mod, Paula& paula);
  // Back to the first step with every voice silent.
  void Restart();
  void Tick();

  VoiceView Voice(int v) const { return {voices_[v].Period, voices_[v].Volume, voices_[v].Note}; }
  // How often the track table has wrapped to its first step.
  uint32_t SongEnds() const { return songEnds_; }
  uint32_t Speed() const { return speed_; }

 private:
  struct VoiceState {
    uint32_t Step = 0;
    uint32_t PatternAt = 0, Row = 0;  // Row counts bytes, 2 per row
    int8_t Transpose = 0, SoundTranspose = 0;
    uint8_t Note = 0;
    bool Trigger = false;  // switched off this tick, on again at its end

    uint32_t FreqSeq = 0, FreqPos = 0;
    uint8_t FreqSustain = 0;
    int8_t SeqTranspose = 0;

    uint32_t VolSeq = 0, VolPos = 0;  // VolSeq points behind the instrument's 5 header bytes
    uint8_t EnvSpeed = 1, EnvCount = 1, VolSustain = 0;
    int8_t SlideSpeed = 0;
    uint8_t SlideTime = 0;
    bool SlideHalf = false;
    int Volume = 0;

    uint8_t VibSpeed = 0, VibDepth = 0, VibDelay = 0;
    int VibOffset = 0;
    bool VibUp = false;

    uint8_t Porta = 0;
    bool PortaHalf = false;
    int8_t BendSpeed = 0;
    uint8_t BendTime = 0;
    bool BendHalf = false;
    int PitchOffset = 0;  // portamento and pitch bend together

    uint32_t SoundStart = 0, LoopStart = 0, LoopWords = 0;
    uint8_t LoopDelay = 0;  // counts down to the tick the loop is queued
    uint16_t Period = 0;
  };

  void EnterStep(int v, uint32_t step);
  void NextRow(int v);
  void StartInstrument(VoiceState& s, uint8_t instrument);
  void FrequencySequence(int v);
  void VolumeEnvelope(VoiceState& s);
  void Slide(VoiceState& s);
  uint16_t Pitch(VoiceState& s);
  void SetSound(int v, uint8_t sound);
  void SetPackSample(int v, uint8_t slot, uint8_t entry);
  void Retrigger(int v);

  const Module& mod_;
  Paula& paula_;
  std::array<VoiceState, 4> voices_{};
  uint32_t speed_ = 3, count_ = 1;
  uint32_t songEnds_ = 0;
};

}  // namespace quellor::music::fc
