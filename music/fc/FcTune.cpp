#include "music/fc/FcTune.h"

#include <algorithm>

#include "music/fc/FcModule.h"
#include "music/fc/FcPlayer.h"
#include "music/fc/Paula.h"

namespace quellor::music {

namespace {

constexpr uint32_t kTickFrames = kOutputRate / 50;  // PAL vertical blank
// A jump further than this is cut short so the sound callback stays quick.
constexpr int32_t kMaxSeekMs = 10 * 60 * 1000;

class FcTune final : public Tune {
 public:
  explicit FcTune(fc::Module mod) : mod_(std::move(mod)), player_(mod_, paula_) {
    paula_.Attach(mod_.Data, mod_.SilentSample, kOutputRate);
    player_.Restart();
  }

  void Render(float* stereo, size_t frames) override {
    while (frames > 0) {
      if (tickLeft_ == 0) {
        player_.Tick();
        tickLeft_ = kTickFrames;
      }
      size_t n = std::min<size_t>(frames, tickLeft_);
      paula_.Mix(stereo, n);
      stereo += n * 2;
      frames -= n;
      tickLeft_ -= static_cast<uint32_t>(n);
      rendered_ += n;
    }
  }

  int32_t Position() const override { return static_cast<int32_t>(rendered_ * 1000 / kOutputRate); }

  // Starts the song again and runs its ticks silently up to `ms`.
  void SetPosition(int32_t ms) override {
    paula_.Attach(mod_.Data, mod_.SilentSample, kOutputRate);
    player_.Restart();
    tickLeft_ = 0;
    rendered_ = 0;
    int32_t ticks = std::clamp(ms, 0, kMaxSeekMs) / 20;
    for (int32_t i = 0; i < ticks; ++i) player_.Tick();
    rendered_ = static_cast<uint64_t>(ticks) * kTickFrames;
  }

 private:
  fc::Module mod_;
  fc::Paula paula_;
  fc::Player player_;
  uint32_t tickLeft_ = 0;
  uint64_t rendered_ = 0;
};

}  // namespace

std::unique_ptr<Tune> OpenFutureComposerTune(std::span<const uint8_t> bytes, std::string* error) {
  fc::Module mod;
  if (!fc::LoadModule(bytes, mod, error)) return nullptr;
  return std::make_unique<FcTune>(std::move(mod));
}

const Replayer kFutureComposerReplayer = {
    MusicType::FutureComposer, [](std::span<const uint8_t> bytes, const TuneOptions&, std::string* error) {
      return OpenFutureComposerTune(bytes, error);
    }};

}  // namespace quellor::music
