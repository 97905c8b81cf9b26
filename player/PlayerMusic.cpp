#include "player/PlayerMusic.h"

#include <cstdio>
#include <memory>
#include <string>

#include "music/Upkeep.h"

namespace quellor {

void PlayerMusic::Start(std::span<const uint8_t> bytes, bool openDevice) {
  if (bytes.empty()) return;
  music::TuneOptions options;
  options.SidSong = music::kSidHeaderStartSong;  // RSID tunes would need ROMs an intro does not carry
  std::string why;
  std::unique_ptr<music::Tune> tune = replayer_.Open(bytes, options, &why);
  if (!tune) {
    std::fprintf(stderr, "quellor player: the intro plays without its music: %s\n", why.c_str());
    return;
  }
  if (openDevice && !out_.Open(&why))
    std::fprintf(stderr, "quellor player: no sound device, the intro plays silent: %s\n", why.c_str());
  out_.Mix().Play(std::move(tune));
}

void PlayerMusic::Upkeep() { music::KeepTunePlaying(out_.Mix(), replayer_.Type); }

void PlayerMusic::Leave(int32_t fadeMs) {
  if (leaving_) return;
  leaving_ = true;
  out_.Mix().FadeOut(fadeMs);
}

void PlayerMusic::Stop() {
  out_.Mix().Stop();
  out_.Close();
  out_.Mix().Reclaim();
}

}  // namespace quellor
