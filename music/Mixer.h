#pragma once
// The hand-over between the main thread and whoever renders the sound (the device
// callback, or the main thread itself when there is no device).
//
// The main thread owns every Tune. It posts requests (play, stop, pause, seek, fade)
// into a fixed ring; the render side takes them between two Render calls and only ever
// holds a raw pointer. A replaced or stopped tune is freed on the main thread once the
// render side has confirmed the request that let it go. Nothing here locks, and the
// render side never allocates or frees.
#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "music/Tune.h"

namespace quellor::music {

// Figures of the render side, for the benchmark and diagnostics.
struct MixerStats {
  uint64_t Calls = 0;
  uint64_t WorstNs = 0;   // longest single Render call
  uint64_t TotalNs = 0;
  uint64_t LongestGapNs = 0;  // longest time between the starts of two calls
};

class Mixer {
 public:
  Mixer();
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // --- main thread ---
  // Replaces the playing tune; `paused` keeps the output silent until Resume.
  // False (and the tune is dropped) only when the render side has stopped taking requests.
  bool Play(std::unique_ptr<Tune> tune, bool paused = false);
  void Stop();
  void Pause();
  void Resume();
  void SetPosition(int32_t pos);
  void FadeOut(int32_t ms);
  // Whether a tune is installed (paused or not), as the main thread last asked.
  bool HasTune() const { return live_ != nullptr; }
  bool Paused() const { return pausedAsked_; }
  // The tune's position as published after the last Render; Settled() is false while
  // requests are still on their way, when the published value may be stale.
  int32_t Position() const { return position_.load(std::memory_order_acquire); }
  bool Settled() const { return applied_.load(std::memory_order_acquire) == issued_; }
  int32_t LengthMs() const { return lengthMs_; }
  // Frees the tunes the render side has let go of, and posts a stop the ring was too
  // full to take before.
  void Reclaim();
  // True while another thread renders (a device callback). Without one, every request
  // is applied at once on the calling thread.
  void SetRenderThread(bool running);

  // --- render side (one thread at a time) ---
  void Render(float* stereo, size_t frames);
  MixerStats Stats() const;

 private:
  enum class Op : uint8_t { Play, Stop, Pause, Resume, Seek, Fade };
  struct Request {
    Op Kind = Op::Stop;
    int32_t Value = 0;
    Tune* Target = nullptr;
    uint64_t Serial = 0;
  };
  static constexpr size_t kRing = 256;  // a power of two

  bool Post(Op kind, int32_t value = 0, Tune* target = nullptr);
  void Flush();
  void ApplyRequests();
  void Retire(Tune* tune, uint64_t serial);

  // Ring: written by the main thread at head_, read by the render side at tail_.
  std::array<Request, kRing> ring_{};
  std::atomic<size_t> head_{0};
  std::atomic<size_t> tail_{0};

  // Render side.
  Tune* current_ = nullptr;
  bool paused_ = false;

  // Published by the render side.
  std::atomic<uint64_t> applied_{0};
  std::atomic<int32_t> position_{0};
  std::atomic<uint64_t> statCalls_{0}, statWorstNs_{0}, statTotalNs_{0}, statGapNs_{0};
  std::chrono::steady_clock::time_point lastStart_{};

  // Main thread.
  std::atomic<bool> renderThread_{false};
  uint64_t issued_ = 0;
  Tune* live_ = nullptr;
  Tune* stopPending_ = nullptr;  // a stop the full ring did not take yet
  bool pausedAsked_ = false;
  int32_t lengthMs_ = -1;
  struct Owned {
    std::unique_ptr<Tune> T;
    uint64_t RetiredAt = 0;  // serial of the request that let it go; 0 while live
  };
  std::vector<Owned> owned_;
};

}  // namespace quellor::music
