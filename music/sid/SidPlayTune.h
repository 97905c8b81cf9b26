#pragma once
// C64 SID tunes through libsidplayfp and its reSIDfp emulation.
#include <memory>
#include <span>
#include <string>

#include "music/Replayer.h"

namespace quellor::music {

// Plays song `songIndex` (0-based; kSidHeaderStartSong: the header's start song) of the tune. RSID tunes need all three ROMs and are
// refused without them. Null with a reason when the tune cannot be run.
std::unique_ptr<Tune> OpenSidTune(std::span<const uint8_t> bytes, int songIndex, const SidRoms& roms,
                                  std::string* error);

// Opens TuneOptions::SidSong.
extern const Replayer kSidReplayer;

// The first SID chip's 32 registers as the emulation last saw them written (for tests
// and diagnostics). False for a tune of another kind.
bool ReadSidRegisters(Tune& tune, uint8_t regs[32]);

// The message given when an RSID tune comes without the ROMs it needs.
extern const char* const kSidRomsMissing;

}  // namespace quellor::music
