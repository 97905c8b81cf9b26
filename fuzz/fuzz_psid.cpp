// The PSID/RSID header reader on arbitrary input: it must never read outside the file,
// and whatever it accepts must describe C64 data that lies inside the file and memory.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "music/sid/SidHeader.h"

using namespace quellor::music;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SidInfo info;
  std::string why;
  if (!ReadSidHeader(std::span<const uint8_t>(data, size), info, &why)) {
    if (why.empty()) std::abort();  // a refusal always says why
    return 0;
  }
  if (info.Songs == 0 || info.Songs > 256) std::abort();
  if (info.DataOffset >= size || info.DataSize == 0 || info.DataSize > size) std::abort();
  if (info.LoadAddress + info.DataSize > 0x10000) std::abort();
  if (info.StartIndex() < 0 || info.StartIndex() >= info.Songs) std::abort();
  return 0;
}
