#pragma once
// Bit-level helpers of JCALG1 streams: the MSB-first writer (bits fill 32-bit words
// from the top, each stored little-endian) and the code-length rules shared with the
// decoder.
#include <bit>
#include <cstdint>
#include <vector>

namespace quellor::jcalg1 {

class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}

  void Bits(uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) Bit((value >> i) & 1u);
  }

  void Bit(uint32_t bit) {
    word_ = (word_ << 1) | (bit & 1u);
    if (++used_ == 32) Flush();
  }

  // Interleaved gamma: the bits below the leading one, each followed by a "more" flag.
  void Gamma(uint32_t value) {
    int top = std::bit_width(value) - 1;
    for (int i = top - 1; i >= 0; --i) {
      Bit((value >> i) & 1u);
      Bit(i > 0 ? 1u : 0u);
    }
  }

  // Pads the last word with zero bits.
  void Finish() {
    if (used_ == 0) return;
    word_ <<= (32 - used_);
    Flush();
  }

 private:
  void Flush() {
    out_.push_back(uint8_t(word_));
    out_.push_back(uint8_t(word_ >> 8));
    out_.push_back(uint8_t(word_ >> 16));
    out_.push_back(uint8_t(word_ >> 24));
    word_ = 0;
    used_ = 0;
  }

  std::vector<uint8_t>& out_;
  uint32_t word_ = 0;
  int used_ = 0;
};

// Bits taken by Gamma(value), value >= 2.
inline uint32_t GammaCost(uint32_t value) { return 2u * (std::bit_width(value) - 1u); }

// Extra length implied by a match distance in the explicit-distance code.
inline uint32_t LengthBias(uint32_t distance) {
  if (distance <= 0x7F) return 4;
  if (distance < 0x27F) return 0;
  if (distance < 0x37FF) return 1;
  if (distance < 0x10000) return 2;
  return 3;
}

}  // namespace quellor::jcalg1
