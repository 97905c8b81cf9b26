#include "music/Upkeep.h"

namespace quellor::music {

void KeepTunePlaying(Mixer& mix, MusicType type) {
  mix.Reclaim();
  // A position read while requests are under way may be stale.
  if (!mix.HasTune() || !mix.Settled()) return;
  if (type == MusicType::V2m && mix.LengthMs() >= 0 && mix.Position() > mix.LengthMs() + 500) {
    mix.FadeOut(100);
    mix.SetPosition(0);
  } else if (type == MusicType::Tracker && mix.Position() == 255) {
    mix.SetPosition(0);
  }
}

}  // namespace quellor::music
