// An exported intro: a player stub whose data slots the editor has filled. Each stub
// variant carries one replayer; QUELLOR_STUB_MUSIC_TYPE says which.
#include <cstdio>
#include <string>
#include <vector>

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
  return RunPlayer(o, StubSlotBytes(), QUELLOR_STUB_MUSIC_TYPE);
}
