#include "music/TuneFactory.h"

#include "music/fc/FcTune.h"
#include "music/sid/SidPlayTune.h"
#include "music/tracker/ModPlugTune.h"
#include "music/v2m/V2mTune.h"

namespace quellor::music {

namespace {

// A type without a row is "not available".
const Replayer* const kReplayers[] = {&kTrackerReplayer, &kSidReplayer, &kFutureComposerReplayer, &kV2mReplayer};

const Replayer* Find(MusicType type) {
  for (const Replayer* r : kReplayers)
    if (r->Type == type) return r;
  return nullptr;
}

}  // namespace

bool ReplayerAvailable(MusicType type) { return Find(type) != nullptr; }

std::unique_ptr<Tune> OpenTune(std::span<const uint8_t> bytes, MusicType type, const TuneOptions& options,
                               std::string* error) {
  const Replayer* r = Find(type);
  if (!r) {
    if (error) *error = "replayer not available";
    return nullptr;
  }
  return r->Open(bytes, options, error);
}

}  // namespace quellor::music
