#pragma once
// The sound of a render without a device, frame by frame: after each picture frame the
// output is pulled for exactly that frame's share of time, so a run of F frames at N
// frames per second holds F x 1000 / N ms of sound, the same on every run.
#include <cstdint>
#include <string>
#include <vector>

#include "music/sdl/AudioOut.h"

namespace quellor::music {

class SoundCapture {
 public:
  SoundCapture(AudioOut& out, int framesPerSecond);
  // Pulls the sound belonging to the frame just drawn.
  void AfterFrame();
  const std::vector<int16_t>& Samples() const { return pcm_; }  // interleaved stereo
  bool Write(const std::string& path, std::string* why) const;

 private:
  AudioOut& out_;
  int fps_;
  uint64_t frames_ = 0;  // picture frames so far
  uint64_t pulled_ = 0;  // sound frames so far
  std::vector<float> chunk_;
  std::vector<int16_t> pcm_;
};

}  // namespace quellor::music
