#pragma once
// The sound device: 44100 Hz stereo float through SDL2 audio. One callback renders the
// mixer's tune straight into the device buffer; everything else goes through the
// mixer's requests. Without a device the mixer stays usable: requests apply at once on
// the calling thread, and a caller may pull the sound itself (offline capture).
#include <cstdint>
#include <string>

#include "music/Mixer.h"

namespace quellor::music {

class AudioOut {
 public:
  static constexpr int kBufferFrames = 1024;  // ~23 ms per callback

  AudioOut() = default;
  ~AudioOut();
  AudioOut(const AudioOut&) = delete;
  AudioOut& operator=(const AudioOut&) = delete;

  // Opens and starts the default output device. False with a reason when there is none
  // (no sound server, a headless machine); the program then runs silent.
  bool Open(std::string* why);
  void Close();
  bool IsOpen() const { return device_ != 0; }

  Mixer& Mix() { return mixer_; }
  const Mixer& Mix() const { return mixer_; }

  // Renders the next frames on the calling thread; only while no device is open.
  void Pull(float* stereo, size_t frames);

 private:
  static void Callback(void* self, uint8_t* stream, int bytes);
  Mixer mixer_;
  uint32_t device_ = 0;
};

}  // namespace quellor::music
