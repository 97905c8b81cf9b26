// The Future Composer loader and replayer on arbitrary input: a module that loads is
// played for a few seconds, which must never read outside its memory nor hang.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "music/fc/FcTune.h"

using namespace quellor::music;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string why;
  std::unique_ptr<Tune> tune = OpenFutureComposerTune(std::span<const uint8_t>(data, size), &why);
  if (!tune) {
    if (why.empty()) std::abort();
    return 0;
  }
  std::vector<float> pcm(2 * 4410);
  for (int i = 0; i < 30; ++i) {  // 3 s: 150 ticks
    tune->Render(pcm.data(), 4410);
    for (float s : pcm)
      if (!(s >= -1.0f && s <= 1.0f)) std::abort();
  }
  tune->SetPosition(5000);
  tune->Render(pcm.data(), 4410);
  return 0;
}
