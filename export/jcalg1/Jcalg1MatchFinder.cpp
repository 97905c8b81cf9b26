#include "export/jcalg1/Jcalg1MatchFinder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace quellor::jcalg1 {

namespace {
constexpr int kMaxHash3Bits = 17;
// Two-byte matches only pay off at distances with a small length bias.
constexpr uint32_t kMaxDistance2 = 0x27E;
constexpr int kMaxChain2 = 8;

uint32_t Hash3(const uint8_t* p, int bits) {
  uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
  return (v * 2654435761u) >> (32 - bits);
}
}  // namespace

MatchFinder::MatchFinder(const uint8_t* data, size_t size, uint32_t window, int maxChain,
                         uint32_t niceLength)
    : data_(data), size_(size), window_(window), maxChain_(maxChain), nice_(niceLength) {
  uint32_t ring = std::bit_ceil(uint32_t(std::min<size_t>(size_t(window) + 1, size + 1)));
  if (ring < 2) ring = 2;
  mask_ = ring - 1;
  // Small inputs get a small table: setting it up would dominate their time.
  hashBits_ = std::clamp(int(std::bit_width(size)), 8, kMaxHash3Bits);
  head3_.assign(size_t(1) << hashBits_, 0);
  prev3_.assign(ring, 0);
  head2_.assign(65536, 0);
  prev2_.assign(ring, 0);
}

void MatchFinder::Insert(size_t pos) {
  if (pos + 2 > size_) return;
  uint32_t h2 = uint32_t(data_[pos]) << 8 | data_[pos + 1];
  prev2_[pos & mask_] = head2_[h2];
  head2_[h2] = uint32_t(pos + 1);
  if (pos + 3 > size_) return;
  uint32_t h3 = Hash3(data_ + pos, hashBits_);
  prev3_[pos & mask_] = head3_[h3];
  head3_[h3] = uint32_t(pos + 1);
}

uint32_t MatchFinder::MatchLength(size_t pos, size_t from, uint32_t maxLength) const {
  const uint8_t* a = data_ + pos;
  const uint8_t* b = data_ + from;
  uint32_t n = 0;
  while (n + 8 <= maxLength) {
    uint64_t x, y;
    std::memcpy(&x, a + n, 8);
    std::memcpy(&y, b + n, 8);
    if (x != y) return n + uint32_t(std::countr_zero(x ^ y) >> 3);
    n += 8;
  }
  while (n < maxLength && a[n] == b[n]) ++n;
  return n;
}

size_t MatchFinder::Find(size_t pos, uint32_t maxLength, std::vector<Match>& out) const {
  out.clear();
  if (maxLength < 2) return 0;
  uint32_t best = 1;

  // Nearest two-byte match, for the cheap short and small-distance codes.
  uint32_t cand = prev2_[pos & mask_];
  for (int steps = 0; cand != 0 && steps < kMaxChain2; ++steps) {
    size_t from = cand - 1;
    if (from >= pos || pos - from > kMaxDistance2 || pos - from > window_) break;
    uint32_t len = MatchLength(pos, from, maxLength);
    if (len > best) {
      best = len;
      out.push_back({len, uint32_t(pos - from)});
      break;
    }
    cand = prev2_[from & mask_];
  }
  if (maxLength < 3 || best >= maxLength) return out.size();

  cand = prev3_[pos & mask_];
  for (int steps = 0; cand != 0 && steps < maxChain_; ++steps) {
    size_t from = cand - 1;
    if (from >= pos || pos - from > window_) break;
    // Cheap reject: a longer match must agree on the byte just past the current best.
    if (data_[from + best] == data_[pos + best] && data_[from] == data_[pos]) {
      uint32_t len = MatchLength(pos, from, maxLength);
      if (len > best) {
        best = len;
        out.push_back({len, uint32_t(pos - from)});
        if (len >= nice_ || len >= maxLength) break;
      }
    }
    cand = prev3_[from & mask_];
  }
  return out.size();
}

}  // namespace quellor::jcalg1
