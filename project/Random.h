#pragma once
#include <cstdint>

namespace quellor {
// Small xorshift generator over a state word kept in the model, so every random
// choice of the effects can be replayed by seeding that word.
inline uint32_t NextRandom(uint64_t& state) {
  if (state == 0) state = 0x9E3779B97F4A7C15ULL;
  state ^= state << 13;
  state ^= state >> 7;
  state ^= state << 17;
  return static_cast<uint32_t>(state >> 32);
}

// Uniform whole number in lo..hi inclusive; lo when the range is empty.
inline int64_t RandomRange(uint64_t& state, int64_t lo, int64_t hi) {
  if (hi <= lo) return lo;
  uint64_t span = static_cast<uint64_t>(hi - lo) + 1;
  uint64_t r = (static_cast<uint64_t>(NextRandom(state)) << 32) | NextRandom(state);
  return lo + static_cast<int64_t>(r % span);
}
}
