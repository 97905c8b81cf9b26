#pragma once
// C64 ROM images for RSID tunes. Debian ships none; the user may put them in the
// program's data folder. Empty spans: not provided.
#include <cstdint>
#include <span>

namespace quellor::music {

struct SidRoms {
  std::span<const uint8_t> Kernal;   // 8192 bytes
  std::span<const uint8_t> Basic;    // 8192 bytes
  std::span<const uint8_t> Chargen;  // 4096 bytes

  static constexpr size_t kKernalSize = 8192, kBasicSize = 8192, kChargenSize = 4096;
  bool Complete() const {
    return Kernal.size() == kKernalSize && Basic.size() == kBasicSize && Chargen.size() == kChargenSize;
  }
};

}  // namespace quellor::music
