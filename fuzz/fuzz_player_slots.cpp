// The player's slot reader on arbitrary slot bytes, then the intro it reads loaded from
// memory on the recording engine: never a crash, never a read outside a slot, and the
// embedded files can only be made of bytes the slots hold.
// Input: 37 little-endian 16-bit slot sizes, then the slots' bytes one after another.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/recording/RecordingEngine.h"
#include "player/IntroSlots.h"
#include "player/PlayerIntro.h"

using namespace quellor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const size_t header = 2 * slots::kSlotCount;
  if (size < header) return 0;
  SlotBytes spans;
  size_t at = header;
  for (int i = 0; i < slots::kSlotCount; ++i) {
    size_t n = static_cast<size_t>(data[2 * i] | (data[2 * i + 1] << 8));
    if (n > size - at) n = size - at;
    spans[i] = std::span<const uint8_t>(data + at, n);
    at += n;
  }
  EmbeddedIntro intro;
  std::string error;
  if (!ReadIntroSlots(spans, intro, &error)) {
    if (error.empty()) __builtin_trap();
    return 0;
  }
  size_t embedded = intro.Music.size();
  for (const EmbeddedFile& f : intro.Files) {
    if (f.Name.rfind(kEmbeddedRoot, 0) != 0) __builtin_trap();
    embedded += f.Bytes.size();
  }
  if (embedded > 2 * size) __builtin_trap();  // the tune is held twice, nothing more
  // Loading is the project reader's and the loaders' work on hostile values; keep the
  // screen small so a run stays quick.
  if (intro.Model->ScreenX > 1024 || intro.Model->ScreenY > 1024) return 0;
  RecordingEngine e;
  e.Open(intro.Model->ScreenX, intro.Model->ScreenY);
  auto play = std::make_unique<IntroModel>();
  InitModel(*play);
  LoadEmbeddedIntro(intro, e, *play);
  return 0;
}
