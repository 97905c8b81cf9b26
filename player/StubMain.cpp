// An exported intro: a player stub whose data slots the editor has filled. Each stub
// variant carries one replayer; QUELLOR_STUB_MUSIC_TYPE says which (Music.Type numbers),
// and the variant links that replayer's library only. No effect translator: the intro's
// effects come translated in its slots.
#include <cstdio>
#include <string>
#include <vector>

#if QUELLOR_STUB_MUSIC_TYPE == 0
#include "music/tracker/ModPlugTune.h"
#define QUELLOR_STUB_REPLAYER kTrackerReplayer
#elif QUELLOR_STUB_MUSIC_TYPE == 1
#include "music/sid/SidPlayTune.h"
#define QUELLOR_STUB_REPLAYER kSidReplayer
#elif QUELLOR_STUB_MUSIC_TYPE == 2
#include "music/fc/FcTune.h"
#define QUELLOR_STUB_REPLAYER kFutureComposerReplayer
#elif QUELLOR_STUB_MUSIC_TYPE == 3
#include "music/v2m/V2mTune.h"
#define QUELLOR_STUB_REPLAYER kV2mReplayer
#else
#error "QUELLOR_STUB_MUSIC_TYPE names no replayer"
#endif

#include "player/PlayerOptions.h"
#include "player/RunPlayer.h"
#include "player/StubSlots.h"

int main(int argc, char** argv) {
  using namespace quellor;
  PlayerOptions o = ParsePlayerOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!o.Error.empty()) {
    std::fprintf(stderr, "%s\n%s", o.Error.c_str(), PlayerUsage().c_str());
    return 2;
  }
  if (o.Help) {
    std::fputs(PlayerUsage().c_str(), stdout);
    return 0;
  }
  return RunPlayer(o, StubSlotBytes(), music::QUELLOR_STUB_REPLAYER);
}
