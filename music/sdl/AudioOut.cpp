#include "music/sdl/AudioOut.h"

#include <SDL.h>

namespace quellor::music {

AudioOut::~AudioOut() { Close(); }

bool AudioOut::Open(std::string* why) {
  if (device_ != 0) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    if (why) *why = SDL_GetError();
    return false;
  }
  SDL_AudioSpec want{};
  want.freq = kOutputRate;
  want.format = AUDIO_F32SYS;
  want.channels = 2;
  want.samples = kBufferFrames;
  want.callback = &AudioOut::Callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the device wants.
  SDL_AudioDeviceID dev = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (dev == 0) {
    if (why) *why = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  device_ = dev;
  mixer_.SetRenderThread(true);
  SDL_PauseAudioDevice(dev, 0);
  return true;
}

void AudioOut::Close() {
  if (device_ == 0) return;
  SDL_CloseAudioDevice(device_);  // waits for a running callback
  device_ = 0;
  mixer_.SetRenderThread(false);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void AudioOut::Pull(float* stereo, size_t frames) {
  if (device_ == 0) mixer_.Render(stereo, frames);
}

void AudioOut::Callback(void* self, uint8_t* stream, int bytes) {
  auto* out = static_cast<AudioOut*>(self);
  out->mixer_.Render(reinterpret_cast<float*>(stream), static_cast<size_t>(bytes) / (2 * sizeof(float)));
}

}  // namespace quellor::music
