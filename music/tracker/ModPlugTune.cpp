#include "music/tracker/ModPlugTune.h"

#include <algorithm>
#include <array>
#include <climits>
#include <mutex>

#include <libmodplug/modplug.h>

namespace quellor::music {

namespace {

// The library keeps its mixing settings process-wide; they are set once, before the
// first module is loaded, and never touched again while anything plays.
void ConfigureLibraryOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    ModPlug_Settings s;
    ModPlug_GetSettings(&s);
    s.mFlags = MODPLUG_ENABLE_OVERSAMPLING;
    s.mChannels = 2;
    s.mBits = 16;
    s.mFrequency = kOutputRate;
    s.mResamplingMode = MODPLUG_RESAMPLE_FIR;
    s.mLoopCount = 0;  // the end of the song is reported, and the caller decides to loop
    ModPlug_SetSettings(&s);
  });
}

class ModPlugTune final : public Tune {
 public:
  explicit ModPlugTune(ModPlugFile* file) : file_(file) {}
  ~ModPlugTune() override { ModPlug_Unload(file_); }

  void Render(float* stereo, size_t frames) override {
    seekedTo_ = -1;
    while (frames > 0) {
      size_t chunk = std::min(frames, kChunkFrames);
      size_t got = 0;
      if (!ended_) {
        int bytes = ModPlug_Read(file_, pcm_.data(), static_cast<int>(chunk * 4));
        got = bytes > 0 ? static_cast<size_t>(bytes) / 4 : 0;
        if (got < chunk) ended_ = true;  // the song ran out inside this chunk
      }
      for (size_t i = 0; i < got * 2; ++i) stereo[i] = pcm_[i] * (1.0f / 32768.0f);
      std::fill(stereo + got * 2, stereo + chunk * 2, 0.0f);
      stereo += chunk * 2;
      frames -= chunk;
    }
  }

  // The order position; 255 once the song has played to its end.
  // (The library reports a jump only once it has played on from there.)
  int32_t Position() const override {
    if (seekedTo_ >= 0) return seekedTo_;
    return ended_ ? 255 : ModPlug_GetCurrentOrder(file_);
  }

  void SetPosition(int32_t pos) override {
    ModPlug_SeekOrder(file_, pos);
    ended_ = false;
    seekedTo_ = pos;
  }

 private:
  static constexpr size_t kChunkFrames = 1024;
  ModPlugFile* file_;
  bool ended_ = false;
  int32_t seekedTo_ = -1;
  std::array<int16_t, kChunkFrames * 2> pcm_{};
};

}  // namespace

std::unique_ptr<Tune> OpenTrackerTune(std::span<const uint8_t> bytes, std::string* error) {
  if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX)) {
    if (error) *error = "empty or oversized module";
    return nullptr;
  }
  ConfigureLibraryOnce();
  ModPlugFile* f = ModPlug_Load(bytes.data(), static_cast<int>(bytes.size()));
  if (!f) {
    if (error) *error = "not a tracker module the replayer can read";
    return nullptr;
  }
  return std::make_unique<ModPlugTune>(f);
}

const Replayer kTrackerReplayer = {
    MusicType::Tracker, [](std::span<const uint8_t> bytes, const TuneOptions&, std::string* error) {
      return OpenTrackerTune(bytes, error);
    }};

}  // namespace quellor::music
