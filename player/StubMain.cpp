// An exported intro: a player stub whose data slots the editor has filled. Each stub
// variant carries one replayer; QUELLOR_STUB_MUSIC_TYPE says which (Music.Type numbers),
// and the variant links that replayer's library only.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
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

#include "engine/fx/FxWorker.h"
#include "engine/fx/compile/FxWorkerLoop.h"
#include "player/PlayerOptions.h"
#include "player/RunPlayer.h"
#include "player/StubSlots.h"

int main(int argc, char** argv) {
  using namespace quellor;
  // The intro carries its own effect translator: it starts itself as the worker, since
  // no worker program lies beside it on the machine it is shared to.
  if (argc == 2 && std::string_view(argv[1]) == kFxWorkerArgument) return RunFxWorker();
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) setenv("QUELLOR_FXWORKER", self.c_str(), 1);

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
