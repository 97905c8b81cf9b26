#pragma once
// Which replayer plays a file, and how the editor names each replayer.
#include <optional>
#include <string>
#include <string_view>

#include "music/Tune.h"

namespace quellor::music {

// Text after the last dot of the file part, lower-cased; "" when there is none.
std::string LowerExtension(std::string_view path);

// The replayer for an extension as the music loader routes it (xm, it, mod, s3m, ams,
// amf, mdl; sid; fc, fc3, fc4, fc13, fc14; v2m). The extension must be lower-case.
std::optional<MusicType> TypeForExtension(std::string_view lowerExt);

// Replayer names as the options window shows them: "ModPlug", "Tiny Sid",
// "TinyFC4 Replayer", "Farbrausch v2m"; "" for an unknown type.
const char* ReplayerName(int32_t type);

// The status line of a successful load of this type.
const char* LoadedLine(MusicType type);

// The panel text for a player handle and a type: "No music loaded" without a player.
std::string PanelName(int32_t player, int32_t type);

}  // namespace quellor::music
