#include <cstring>

#include "export/jcalg1/Jcalg1.h"
#include "export/jcalg1/Jcalg1Bits.h"

namespace quellor {

namespace {

// MSB-first bits out of little-endian 32-bit words; running out of input is an error
// rather than a read past the end.
class BitReader {
 public:
  BitReader(const uint8_t* p, const uint8_t* end) : p_(p), end_(end) {}

  bool Bit(uint32_t& bit) {
    if (left_ == 0) {
      if (end_ - p_ < 4) return false;
      word_ = uint32_t(p_[0]) | uint32_t(p_[1]) << 8 | uint32_t(p_[2]) << 16 | uint32_t(p_[3]) << 24;
      p_ += 4;
      left_ = 32;
    }
    --left_;
    bit = (word_ >> left_) & 1u;
    return true;
  }

  // Up to 63 bits, MSB first.
  bool Bits(int count, uint64_t& value) {
    value = 0;
    for (int i = 0; i < count; ++i) {
      uint32_t b;
      if (!Bit(b)) return false;
      value = (value << 1) | b;
    }
    return true;
  }

  // Interleaved gamma code (values >= 2); at most 32 data bits.
  bool Gamma(uint64_t& value) {
    value = 1;
    for (int n = 0;; ++n) {
      uint32_t b, more;
      if (n == 32 || !Bit(b)) return false;
      value = (value << 1) | b;
      if (!Bit(more)) return false;
      if (!more) return true;
    }
  }

 private:
  const uint8_t* p_;
  const uint8_t* end_;
  uint32_t word_ = 0;
  int left_ = 0;
};

uint32_t Bias(uint64_t distance) {
  return distance > 0xFFFFFFFFu ? 3 : jcalg1::LengthBias(uint32_t(distance));
}

}  // namespace

bool Jcalg1Decompress(const uint8_t* in, size_t inLen, uint8_t* out, size_t outLen) {
  Jcalg1Header header;
  if (!Jcalg1ReadHeader(in, inLen, header) || header.UnpackedSize != outLen) return false;
  if (outLen > 0 && !out) return false;

  BitReader br(in + kJcalg1HeaderSize, in + inLen);
  size_t pos = 0;
  uint64_t lastIndex = 1;
  int indexBase = 8;
  int literalBits = 8;  // a literal before any size code reads as a plain byte
  uint32_t literalMin = 0;

  auto copy = [&](uint64_t distance, uint64_t length) {
    if (distance == 0 || distance > pos || length > outLen - pos) return false;
    const uint8_t* src = out + pos - distance;
    uint8_t* dst = out + pos;
    // Forward byte copy: overlapping copies repeat the last `distance` bytes.
    for (uint64_t i = 0; i < length; ++i) dst[i] = src[i];
    pos += static_cast<size_t>(length);
    return true;
  };

  for (;;) {
    uint32_t b;
    uint64_t v;
    if (!br.Bit(b)) return false;
    if (b) {  // literal
      if (!br.Bits(literalBits, v)) return false;
      if (pos >= outLen) return false;
      out[pos++] = static_cast<uint8_t>(v + literalMin);
      continue;
    }
    if (!br.Bit(b)) return false;
    if (b) {  // normal match
      uint64_t high, length;
      if (!br.Gamma(high)) return false;
      if (high == 2) {
        if (!br.Gamma(length) || !copy(lastIndex, length)) return false;
        continue;
      }
      high -= 3;
      uint64_t low = 0;
      if (!br.Bits(indexBase, low)) return false;
      // Anything that would not fit in 64 bits is far beyond any real output.
      if (indexBase >= 32 && high != 0) return false;
      uint64_t distance = (high << indexBase) | low;
      if (!br.Gamma(length)) return false;
      length += Bias(distance);
      if (!copy(distance, length)) return false;
      lastIndex = distance;
      continue;
    }
    if (!br.Bit(b)) return false;
    if (b) {  // one-byte phrase and control codes
      if (!br.Bits(4, v)) return false;
      if (v == 1) {
        if (pos >= outLen) return false;
        out[pos++] = 0;
      } else if (v >= 2) {
        if (!copy(v - 1, 1)) return false;
      } else {
        if (!br.Bit(b)) return false;
        if (b) {  // raw 256-byte blocks
          do {
            if (outLen - pos < 256) return false;
            for (int i = 0; i < 256; ++i) {
              if (!br.Bits(8, v)) return false;
              out[pos++] = static_cast<uint8_t>(v);
            }
            if (!br.Bit(b)) return false;
          } while (b);
        } else {  // literal size
          if (!br.Bit(b)) return false;
          literalBits = 7 + int(b);
          literalMin = 0;
          if (literalBits == 7) {
            if (!br.Bits(8, v)) return false;
            literalMin = static_cast<uint32_t>(v);
          }
        }
      }
      continue;
    }
    // short match or control
    uint64_t idx, len;
    if (!br.Bits(7, idx) || !br.Bits(2, len)) return false;
    len += 2;
    if (idx != 0) {
      if (!copy(idx, len)) return false;
      lastIndex = idx;
      continue;
    }
    if (len == 2) break;  // end of stream
    if (!br.Bits(int(len) + 1, v)) return false;
    indexBase = static_cast<int>(v);  // 0 reads no bits, it never loops
  }

  if (pos != outLen) return false;
  return header.Checksum == 0 || header.Checksum == Jcalg1Checksum(out, outLen);
}

bool Jcalg1DecompressToVector(const uint8_t* in, size_t inLen, std::vector<uint8_t>& out,
                              size_t maxSize) {
  out.clear();
  Jcalg1Header header;
  if (!Jcalg1ReadHeader(in, inLen, header) || header.UnpackedSize > maxSize) return false;
  out.resize(header.UnpackedSize);
  if (!Jcalg1Decompress(in, inLen, out.data(), out.size())) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace quellor
