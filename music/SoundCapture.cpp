#include "music/SoundCapture.h"

#include <algorithm>

#include "music/WavFile.h"

namespace quellor::music {

SoundCapture::SoundCapture(AudioOut& out, int framesPerSecond) : out_(out), fps_(std::max(1, framesPerSecond)) {}

void SoundCapture::AfterFrame() {
  ++frames_;
  uint64_t until = frames_ * kOutputRate / static_cast<uint64_t>(fps_);
  size_t n = static_cast<size_t>(until - pulled_);
  pulled_ = until;
  chunk_.resize(n * 2);
  out_.Pull(chunk_.data(), n);
  for (float s : chunk_) pcm_.push_back(ToPcm16(s));
}

bool SoundCapture::Write(const std::string& path, std::string* why) const {
  return WriteWav16(path, pcm_, kOutputRate, 2, why);
}

}  // namespace quellor::music
