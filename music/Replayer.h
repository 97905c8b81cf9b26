#pragma once
// One replayer as a program links it: its kind and how it opens a tune from the file's
// bytes. Each replayer library defines one; the editor reaches all four through OpenTune
// (music/TuneFactory.h), an exported intro holds only its own.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "music/Tune.h"
#include "music/sid/SidRoms.h"

namespace quellor::music {

// SidSong value: the song the tune's header names as its start song.
constexpr int kSidHeaderStartSong = -1;

struct TuneOptions {
  int SidSong = 0;  // 0-based song of a SID tune, or kSidHeaderStartSong
  SidRoms Roms;     // C64 ROMs for RSID tunes, where the user provides them
};

// The tune ready to render from its start, or null with a reason (for the status log).
using TuneOpener = std::unique_ptr<Tune> (*)(std::span<const uint8_t> bytes, const TuneOptions& options,
                                             std::string* error);

struct Replayer {
  MusicType Type;
  TuneOpener Open;
};

}  // namespace quellor::music
