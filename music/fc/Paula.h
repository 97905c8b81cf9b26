#pragma once
// Four Amiga-like sound channels. Each plays a stretch of signed 8-bit sample data
// once, then repeats the stretch queued behind it for ever, at the PAL clock divided
// by its period, at a volume of 0-64. Channels 0 and 3 are heard left, 1 and 2 right.
#include <array>
#include <cstdint>
#include <span>

namespace quellor::music::fc {

class Paula {
 public:
  static constexpr double kPalClock = 3546895.0;

  // The sample memory every channel reads; `silence` is an offset of at least two zero
  // bytes in it, played where a stretch would leave the memory. All channels stop.
  void Attach(std::span<const uint8_t> memory, uint32_t silence, int rate);

  // Register writes, as the replayer does them.
  // The stretch to play: start offset and length in words (0 words: nothing).
  void SetStretch(int ch, uint32_t start, uint32_t words);
  // A channel that is off takes the stretch as what it plays now; every channel takes
  // it as the stretch to repeat after the current one.
  void TakeStretch(int ch);
  void Off(int ch) { v_[ch].On = false; }
  // Switches the channel on: it starts playing the set stretch from its beginning.
  void On(int ch);
  void SetPeriod(int ch, uint16_t period);
  void SetVolume(int ch, int volume) { v_[ch].Volume = volume; }

  // Mixes `frames` stereo frames into `stereo`, replacing its content.
  void Mix(float* stereo, size_t frames);

 private:
  struct Channel {
    bool On = false;
    uint32_t RegStart = 0, RegBytes = 0;   // last written registers
    uint32_t Pos = 0, End = 0;             // the stretch playing now
    uint32_t RepStart = 0, RepEnd = 0;     // the stretch repeated after it
    uint32_t Frac = 0;                     // position fraction, 1/2^32 of a byte
    uint64_t Step = 0;                     // bytes per output frame, 32.32 fixed point
    uint16_t Period = 0;
    int Volume = 0;
  };
  void Clip(uint32_t& start, uint32_t& bytes) const;
  std::span<const uint8_t> mem_;
  uint32_t silence_ = 0;
  double clockPerFrame_ = 0.0;
  std::array<Channel, 4> v_{};
};

}  // namespace quellor::music::fc
