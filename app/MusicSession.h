#pragma once
// The editor's sound, held beside the engine rather than in the model: the playing
// output and what the loaded tune needs kept.
#include <cstdint>
#include <vector>

#include "music/sdl/AudioOut.h"
#include "music/sid/SidHeader.h"

namespace quellor {

struct MusicSession {
  music::AudioOut Out;
  std::vector<uint8_t> SidData;  // the whole SID file while a SID tune is loaded
  music::SidInfo SidInfo;        // its header
  std::vector<uint8_t> ReadBuffer;  // tune files are read through it
  int32_t NextModuleHandle = 1;     // player handles given to tracker modules
  bool DeviceTried = false;
};

}  // namespace quellor
