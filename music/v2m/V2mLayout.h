#pragma once
// Where the parts of a V2M file lie. Every block found here is checked to lie
// inside the file, so later readers may index within a block freely.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace quellor::music::v2m {

struct ListBlock {
  size_t offset = 0;  // first byte of the list's columns
  uint32_t count = 0;
};

struct ChannelBlocks {
  bool present = false;
  ListBlock notes, programs, bends;
  std::array<ListBlock, 7> controls;
};

struct V2mLayout {
  uint32_t ticksPerBeat = 0;
  uint32_t endTick = 0;
  ListBlock tempo;
  std::array<ChannelBlocks, 16> channels;
  size_t globalsOffset = 0;
  uint32_t globalsSize = 0;
  size_t patchesOffset = 0;
  uint32_t patchesSize = 0;
  size_t speechOffset = 0;
  uint32_t speechSize = 0;  // 0 when the file has no usable speech block
};

// Limits the players hold a file to.
constexpr uint32_t kMaxGlobalsSize = 16384;
constexpr uint32_t kMaxPatchMapSize = 1u << 20;
constexpr uint32_t kMaxSpeechSize = 8192;  // exclusive

bool LocateV2mBlocks(std::span<const uint8_t> file, V2mLayout& out, std::string* error);

inline uint32_t ReadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace quellor::music::v2m
