#pragma once
// Keeping a tune going, once per picture frame on the thread that owns the mixer: a
// tracker module that has played to its end (position 255) starts again at position 0,
// and a V2M song more than 500 ms past its length fades and plays again from 0. Future
// Composer songs wrap by themselves; SID tunes never end.
#include "music/Mixer.h"

namespace quellor::music {

void KeepTunePlaying(Mixer& mix, MusicType type);

}  // namespace quellor::music
