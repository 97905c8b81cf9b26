#include "engine/Clock.h"

#include <chrono>

namespace quellor {

namespace {
class SteadyClock final : public Clock {
 public:
  uint64_t Now100ns() const override {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count() / 100);
  }
};
}  // namespace

const Clock& SystemClock() {
  static const SteadyClock clock;
  return clock;
}

}  // namespace quellor
