#pragma once
#include <cstdint>

namespace quellor {
// Seedable generator state for clone placement, so tests are deterministic.
struct BobRun {
  uint64_t Seed = 0x2545F4914F6CDD1DULL;
};
}
