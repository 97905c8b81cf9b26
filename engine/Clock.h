#pragma once
// The one time source of the engine, the preview and the music, in 100 ns units.
// The editor runs on the system clock; tests and repeatable renders step a clock by hand.
#include <cstdint>

namespace quellor {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint64_t Now100ns() const = 0;
  // Milliseconds, wrapping like a 32-bit multimedia timer.
  uint32_t NowMs() const { return static_cast<uint32_t>(Now100ns() / 10000); }
};

// The steady system clock.
const Clock& SystemClock();

// A clock that moves only when told to.
class ManualClock : public Clock {
 public:
  explicit ManualClock(uint64_t start100ns = 0) : now_(start100ns) {}
  uint64_t Now100ns() const override { return now_; }
  void Set100ns(uint64_t t) { now_ = t; }
  void SetMs(uint64_t ms) { now_ = ms * 10000; }
  void AdvanceMs(uint64_t ms) { now_ += ms * 10000; }

 private:
  uint64_t now_;
};

// A clock that advances by exactly 1 / fps seconds per frame, computed from the frame
// count so rounding never accumulates: frame k is at start + k * 10^7 / fps.
class FrameStepClock : public Clock {
 public:
  FrameStepClock(int fps, uint64_t start100ns) : fps_(fps > 0 ? fps : 60), start_(start100ns) {}
  uint64_t Now100ns() const override { return start_ + frame_ * 10000000ull / static_cast<uint64_t>(fps_); }
  void NextFrame() { ++frame_; }
  uint64_t Frame() const { return frame_; }
  int Fps() const { return fps_; }

 private:
  int fps_;
  uint64_t start_;
  uint64_t frame_ = 0;
};

}  // namespace quellor
