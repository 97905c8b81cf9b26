#include "music/TuneFactory.h"

#include "music/fc/FcTune.h"
#include "music/sid/SidPlayTune.h"
#include "music/tracker/ModPlugTune.h"
#include "music/v2m/V2mTune.h"

namespace quellor::music {

namespace {

using Bytes = std::span<const uint8_t>;
using Opener = std::unique_ptr<Tune> (*)(Bytes, const TuneOptions&, std::string*);

struct Replayer {
  MusicType Type;
  Opener Open;
};

// One row per replayer; a type without a row is "not available".
constexpr Replayer kReplayers[] = {
    {MusicType::Tracker, [](Bytes bytes, const TuneOptions&, std::string* e) { return OpenTrackerTune(bytes, e); }},
    {MusicType::Sid,
     [](Bytes bytes, const TuneOptions& o, std::string* e) { return OpenSidTune(bytes, o.SidSong, o.Roms, e); }},
    {MusicType::FutureComposer,
     [](Bytes bytes, const TuneOptions&, std::string* e) { return OpenFutureComposerTune(bytes, e); }},
    {MusicType::V2m, [](Bytes bytes, const TuneOptions&, std::string* e) { return OpenV2m(bytes, kOutputRate, e); }},
};

const Replayer* Find(MusicType type) {
  for (const Replayer& r : kReplayers)
    if (r.Type == type) return &r;
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
