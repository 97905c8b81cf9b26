#pragma once
// The exported intro's tune: opened by the one replayer the player carries and played
// through the editor's own sound output and upkeep (music/sdl/AudioOut, Mixer,
// KeepTunePlaying), so an intro sounds and loops as it did in the preview.
#include <cstdint>
#include <span>

#include "music/Replayer.h"
#include "music/sdl/AudioOut.h"

namespace quellor {

class PlayerMusic {
 public:
  explicit PlayerMusic(const music::Replayer& replayer) : replayer_(replayer) {}
  ~PlayerMusic() { Stop(); }

  // Opens the intro's tune (a SID tune at its header's start song) and plays it from
  // its start; no bytes, no tune. With `openDevice` the sound goes to the sound device;
  // without one the intro runs silent and says so once on stderr. Headless runs pull
  // the sound from Out() themselves.
  void Start(std::span<const uint8_t> bytes, bool openDevice);
  // Once per picture frame: a song that has ended starts again.
  void Upkeep();
  // The intro is on its way out: the tune fades over `fadeMs` where its replayer can
  // fade (V2M; a faded song stays silent), once.
  void Leave(int32_t fadeMs);
  // Silence, and the device closed.
  void Stop();

  music::AudioOut& Out() { return out_; }
  bool Playing() const { return out_.Mix().HasTune(); }

 private:
  const music::Replayer& replayer_;
  music::AudioOut out_;
  bool leaving_ = false;
};

}  // namespace quellor
