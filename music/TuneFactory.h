#pragma once
// Opening a tune from its file's bytes: the one entry the editor, the headless renderer
// and the exported player share.
#include <memory>
#include <span>
#include <string>

#include "music/Replayer.h"

namespace quellor::music {

// The tune ready to render from its start. Null with a reason (for the status log) when
// the file cannot be played or its replayer is not available.
std::unique_ptr<Tune> OpenTune(std::span<const uint8_t> bytes, MusicType type, const TuneOptions& options,
                               std::string* error);

// Whether a replayer for the type is built in.
bool ReplayerAvailable(MusicType type);

}  // namespace quellor::music
