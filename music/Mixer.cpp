#include "music/Mixer.h"

#include <algorithm>
#include <chrono>

namespace quellor::music {

Mixer::Mixer() { owned_.reserve(8); }

Mixer::~Mixer() = default;

bool Mixer::Post(Op kind, int32_t value, Tune* target) {
  size_t head = head_.load(std::memory_order_relaxed);
  if (head - tail_.load(std::memory_order_acquire) >= kRing) return false;  // render side stalled
  Request& r = ring_[head & (kRing - 1)];
  r.Kind = kind;
  r.Value = value;
  r.Target = target;
  r.Serial = ++issued_;
  head_.store(head + 1, std::memory_order_release);
  return true;
}

void Mixer::Flush() {
  // Nobody else renders: this thread is the render side for the moment.
  if (renderThread_.load(std::memory_order_acquire)) return;
  ApplyRequests();
  Reclaim();
  ApplyRequests();  // a stop Reclaim could only post now
  Reclaim();
}

void Mixer::Retire(Tune* tune, uint64_t serial) {
  for (Owned& o : owned_)
    if (o.T.get() == tune && o.RetiredAt == 0) o.RetiredAt = serial;
}

bool Mixer::Play(std::unique_ptr<Tune> tune, bool paused) {
  if (!tune) return false;
  Tune* raw = tune.get();
  int32_t length = raw->LengthMs();
  owned_.push_back({std::move(tune), 0});
  if (!Post(Op::Play, paused ? 1 : 0, raw)) {
    owned_.pop_back();
    return false;
  }
  Retire(live_, issued_);
  Retire(stopPending_, issued_);  // the new tune replaces it on the render side
  stopPending_ = nullptr;
  live_ = raw;
  pausedAsked_ = paused;
  lengthMs_ = length;
  Flush();
  return true;
}

void Mixer::Stop() {
  if (!live_) return;
  if (Post(Op::Stop)) Retire(live_, issued_);
  else stopPending_ = live_;  // posted again by Reclaim
  live_ = nullptr;
  pausedAsked_ = false;
  lengthMs_ = -1;
  Flush();
}

void Mixer::Pause() {
  if (live_ && Post(Op::Pause)) pausedAsked_ = true;
  Flush();
}

void Mixer::Resume() {
  if (live_ && Post(Op::Resume)) pausedAsked_ = false;
  Flush();
}

void Mixer::SetPosition(int32_t pos) {
  if (live_) Post(Op::Seek, pos);
  Flush();
}

void Mixer::FadeOut(int32_t ms) {
  if (live_) Post(Op::Fade, ms);
  Flush();
}

void Mixer::Reclaim() {
  if (stopPending_ && Post(Op::Stop)) {
    Retire(stopPending_, issued_);
    stopPending_ = nullptr;
  }
  uint64_t applied = applied_.load(std::memory_order_acquire);
  std::erase_if(owned_, [applied](const Owned& o) { return o.RetiredAt != 0 && o.RetiredAt <= applied; });
}

void Mixer::SetRenderThread(bool running) {
  renderThread_.store(running, std::memory_order_release);
  Flush();
}

void Mixer::ApplyRequests() {
  size_t tail = tail_.load(std::memory_order_relaxed);
  size_t head = head_.load(std::memory_order_acquire);
  if (tail == head) return;
  uint64_t last = 0;
  for (; tail != head; ++tail) {
    const Request& r = ring_[tail & (kRing - 1)];
    switch (r.Kind) {
      case Op::Play:
        current_ = r.Target;
        paused_ = r.Value != 0;
        break;
      case Op::Stop:
        current_ = nullptr;
        paused_ = false;
        break;
      case Op::Pause:
        paused_ = true;
        break;
      case Op::Resume:
        paused_ = false;
        break;
      case Op::Seek:
        if (current_) current_->SetPosition(r.Value);
        break;
      case Op::Fade:
        if (current_) current_->FadeOut(r.Value);
        break;
    }
    last = r.Serial;
  }
  position_.store(current_ ? current_->Position() : 0, std::memory_order_release);
  tail_.store(tail, std::memory_order_release);
  applied_.store(last, std::memory_order_release);
}

void Mixer::Render(float* stereo, size_t frames) {
  auto t0 = std::chrono::steady_clock::now();
  if (lastStart_ != std::chrono::steady_clock::time_point{}) {
    auto gap = static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(t0 - lastStart_).count());
    if (gap > statGapNs_.load(std::memory_order_relaxed)) statGapNs_.store(gap, std::memory_order_relaxed);
  }
  lastStart_ = t0;
  ApplyRequests();
  if (current_ && !paused_) {
    current_->Render(stereo, frames);
    position_.store(current_->Position(), std::memory_order_release);
  } else {
    std::fill(stereo, stereo + frames * 2, 0.0f);
  }
  uint64_t ns = static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - t0).count());
  statCalls_.store(statCalls_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
  statTotalNs_.store(statTotalNs_.load(std::memory_order_relaxed) + ns, std::memory_order_relaxed);
  if (ns > statWorstNs_.load(std::memory_order_relaxed)) statWorstNs_.store(ns, std::memory_order_relaxed);
}

MixerStats Mixer::Stats() const {
  MixerStats s;
  s.Calls = statCalls_.load(std::memory_order_relaxed);
  s.WorstNs = statWorstNs_.load(std::memory_order_relaxed);
  s.TotalNs = statTotalNs_.load(std::memory_order_relaxed);
  s.LongestGapNs = statGapNs_.load(std::memory_order_relaxed);
  return s;
}

}  // namespace quellor::music
