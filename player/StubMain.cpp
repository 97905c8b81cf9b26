// An exported intro: a player stub whose data slots the editor has filled. Each stub
// variant carries one replayer; QUELLOR_STUB_MUSIC_TYPE says which (Music.Type numbers).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <string>
#include <vector>

#if QUELLOR_STUB_MUSIC_TYPE == 3
#include "music/v2m/V2mTune.h"
#endif

#include "engine/fx/FxWorker.h"
#include "engine/fx/compile/FxWorkerLoop.h"
#include "player/PlayerOptions.h"
#include "player/RunPlayer.h"
#include "player/StubSlots.h"

namespace {

// The only replayer this variant links. The tracker, SID and Future Composer variants
// stay silent until their replayers are part of the program.
std::unique_ptr<quellor::music::Tune> OpenStubTune(std::span<const uint8_t> bytes, std::string* error) {
#if QUELLOR_STUB_MUSIC_TYPE == 3
  return quellor::music::OpenV2m(bytes, quellor::music::kOutputRate, error);
#else
  (void)bytes;
  if (error) *error = "no replayer for this kind of music yet";
  return nullptr;
#endif
}

}  // namespace

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
  return RunPlayer(o, StubSlotBytes(), OpenStubTune);
}
