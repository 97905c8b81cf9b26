#pragma once
// Small helpers shared by the hand-written decoders: little-endian reads that never
// leave the buffer, checked image sizes and bit-mask channel extraction.
#include <bit>
#include <cstddef>
#include <cstdint>

#include "engine/Engine.h"

namespace quellor::imagebytes {

inline uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

// True when [offset, offset + count) lies inside a buffer of `size` bytes.
inline bool InRange(size_t size, uint64_t offset, uint64_t count) {
  return offset <= size && count <= size - offset;
}

// Sizes the output for w x h RGBA pixels; refuses sides outside 1..maxSide.
inline bool AllocateRgba(Image& img, int64_t w, int64_t h, int maxSide) {
  if (w <= 0 || h <= 0 || w > maxSide || h > maxSide) return false;
  img.Width = static_cast<int>(w);
  img.Height = static_cast<int>(h);
  img.Rgba.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0);
  return true;
}

// One colour channel described by a bit mask (BMP bitfields, DDS pixel formats).
struct MaskChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;

  static MaskChannel From(uint32_t mask) {
    MaskChannel c;
    c.Mask = mask;
    if (mask == 0) return c;
    c.Shift = std::countr_zero(mask);
    c.Bits = 32 - std::countl_zero(mask >> c.Shift);
    return c;
  }
  bool Present() const { return Mask != 0; }
  // Scales the field to 0..255; narrow fields are stretched so their maximum maps to 255.
  uint8_t Extract(uint32_t px) const {
    if (Bits == 0) return 0;
    uint32_t v = (px & Mask) >> Shift;
    if (Bits >= 8) return static_cast<uint8_t>(v >> (Bits - 8));
    uint32_t max = (1u << Bits) - 1;
    return static_cast<uint8_t>((v * 255 + max / 2) / max);
  }
};

}  // namespace quellor::imagebytes
