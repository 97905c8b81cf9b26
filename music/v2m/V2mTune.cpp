#include "music/v2m/V2mTune.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "music/v2m/Synth.h"
#include "music/v2m/V2mSequencer.h"
#include "music/v2m/V2mSong.h"

namespace quellor::music {

namespace v2m {
namespace {

class V2mTune final : public Tune {
 public:
  V2mTune(std::unique_ptr<V2mSong> song, int rate)
      : song_(std::move(song)), rate_(rate), synth_(*song_, rate), seq_(*song_, rate) {
    std::vector<uint32_t> us;
    for (const TempoChange& t : song_->tempo) us.push_back(t.usPerBeat);
    const int64_t len = SongLengthMs(song_->ticksPerBeat, song_->endTick, song_->tempoDelta, us);
    lengthMs_ = int32_t(std::min<int64_t>(len, INT32_MAX));
  }

  void Render(float* stereo, size_t frames) override {
    if (silent_) {
      std::memset(stereo, 0, frames * 2 * sizeof(float));
      return;
    }
    float* out = stereo;
    size_t left = frames;
    while (left > 0) {
      if (seq_.Running() && (!started_ || sample_ >= seq_.NextTickSample())) {
        synth_.ProcessMessages(seq_.TakeTick());
        if (!started_) sample_ = std::max(sample_, seq_.TickSample());
        started_ = true;
        continue;
      }
      size_t n = left;
      if (seq_.Running()) n = size_t(std::min<uint64_t>(n, seq_.NextTickSample() - sample_));
      synth_.Render(out, n);
      out += 2 * n;
      left -= n;
      sample_ += n;
    }
    ApplyFade(stereo, frames);
    // A filter driven past stability must not hand the sound output NaN or infinity.
    for (size_t i = 0; i < 2 * frames; ++i)
      if (!std::isfinite(stereo[i])) stereo[i] = 0.0f;
  }

  int32_t Position() const override {
    return int32_t(std::min<uint64_t>(sample_ * 1000 / uint64_t(rate_), INT32_MAX));
  }

  // Replays the song's events up to the position without rendering, as the
  // players seek; voices then start from there.
  void SetPosition(int32_t ms) override {
    synth_.Reset();
    seq_.Restart();
    started_ = false;
    silent_ = false;
    fade_ = 1.0f;
    fadeStep_ = 0.0f;
    sample_ = uint64_t(std::max(ms, 0)) * uint64_t(rate_) / 1000;
    while (seq_.Running() && seq_.NextTickSample() < sample_) {
      synth_.ProcessMessages(seq_.TakeTick());
      started_ = true;
    }
  }

  int32_t LengthMs() const override { return lengthMs_; }

  void FadeOut(int32_t ms) override {
    const uint64_t samples = uint64_t(std::max(ms, 0)) * uint64_t(rate_) / 1000;
    if (samples == 0) {
      silent_ = true;
      return;
    }
    fadeStep_ = fade_ / float(samples);
  }

 private:
  void ApplyFade(float* stereo, size_t frames) {
    if (fadeStep_ == 0.0f) return;
    for (size_t i = 0; i < frames; ++i) {
      stereo[2 * i] *= fade_;
      stereo[2 * i + 1] *= fade_;
      fade_ = std::max(0.0f, fade_ - fadeStep_);
    }
    if (fade_ == 0.0f) silent_ = true;
  }

  std::unique_ptr<V2mSong> song_;
  int rate_;
  int32_t lengthMs_ = 0;
  v2m::Synth synth_;
  v2m::V2mSequencer seq_;
  bool started_ = false;  // the first tick, whenever it lies, starts playback at once
  uint64_t sample_ = 0;   // output sample of the song the next render starts at
  bool silent_ = false;
  float fade_ = 1.0f, fadeStep_ = 0.0f;
};

}  // namespace
}  // namespace v2m

std::unique_ptr<Tune> OpenV2m(std::span<const uint8_t> bytes, int rate, std::string* error) {
  // Below 44.1 kHz the synth's filters run past their stable range.
  if (rate < 44100 || rate > 96000) {
    if (error) *error = "V2M playback rate must lie between 44100 and 96000 Hz";
    return nullptr;
  }
  auto song = std::make_unique<v2m::V2mSong>();
  if (!v2m::ReadV2m(bytes, *song, error)) return nullptr;
  return std::make_unique<v2m::V2mTune>(std::move(song), rate);
}

const Replayer kV2mReplayer = {
    MusicType::V2m, [](std::span<const uint8_t> bytes, const TuneOptions&, std::string* error) {
      return OpenV2m(bytes, kOutputRate, error);
    }};

}  // namespace quellor::music
