#include "music/sid/SidPlayTune.h"

#include <algorithm>
#include <array>
#include <vector>

#include <sidplayfp/SidConfig.h>
#include <sidplayfp/SidInfo.h>
#include <sidplayfp/SidTune.h>
#include <sidplayfp/SidTuneInfo.h>
#include <sidplayfp/builders/residfp.h>
#include <sidplayfp/sidplayfp.h>

#include "music/sid/SidHeader.h"

namespace quellor::music {

const char* const kSidRomsMissing =
    "Sorry, this RSID tune needs the C64 ROMs: put kernal, basic and chargen into Data/bin.";

namespace {

class SidPlayTune final : public Tune {
 public:
  SidPlayTune() : builder_("Quellor") {}

  bool Start(std::span<const uint8_t> bytes, int songIndex, const SidRoms& roms, std::string* error) {
    tune_ = std::make_unique<SidTune>(bytes.data(), static_cast<uint_least32_t>(bytes.size()));
    if (!tune_->getStatus()) return Fail(error, tune_->statusString());
    // The tune keeps its own copy of the ROMs, whatever the library does with them.
    kernal_.assign(roms.Kernal.begin(), roms.Kernal.end());
    basic_.assign(roms.Basic.begin(), roms.Basic.end());
    chargen_.assign(roms.Chargen.begin(), roms.Chargen.end());
    auto rom = [](const std::vector<uint8_t>& r, size_t size) { return r.size() == size ? r.data() : nullptr; };
    engine_.setRoms(rom(kernal_, SidRoms::kKernalSize), rom(basic_, SidRoms::kBasicSize),
                    rom(chargen_, SidRoms::kChargenSize));
    builder_.create(engine_.info().maxsids());
    if (!builder_.getStatus()) return Fail(error, builder_.error());
    SidConfig cfg = engine_.config();
    cfg.frequency = kOutputRate;
    cfg.playback = SidConfig::STEREO;
    cfg.samplingMethod = SidConfig::INTERPOLATE;
    cfg.fastSampling = true;
    cfg.sidEmulation = &builder_;
    cfg.powerOnDelay = 0;  // a fixed start, so that every rendering is the same
    if (!engine_.config(cfg)) return Fail(error, engine_.error());
    unsigned songs = std::max(1u, tune_->getInfo()->songs());
    unsigned song = static_cast<unsigned>(std::clamp(songIndex, 0, static_cast<int>(songs) - 1)) + 1;
    tune_->selectSong(song);
    if (!engine_.load(tune_.get())) return Fail(error, engine_.error());
    return true;
  }

  void Render(float* stereo, size_t frames) override {
    while (frames > 0) {
      size_t chunk = std::min(frames, kChunkFrames);
      uint_least32_t got = engine_.play(pcm_.data(), static_cast<uint_least32_t>(chunk * 2));
      size_t samples = std::min<size_t>(got, chunk * 2);
      for (size_t i = 0; i < samples; ++i) stereo[i] = pcm_[i] * (1.0f / 32768.0f);
      std::fill(stereo + samples, stereo + chunk * 2, 0.0f);
      stereo += chunk * 2;
      frames -= chunk;
      rendered_ += chunk;
    }
  }

  // Milliseconds played.
  int32_t Position() const override { return static_cast<int32_t>(rendered_ * 1000 / kOutputRate); }
  // A SID tune has no positions to jump to; it is restarted by opening it again.
  void SetPosition(int32_t) override {}

  bool ReadRegisters(uint8_t regs[32]) { return engine_.getSidStatus(0, regs); }

 private:
  static bool Fail(std::string* error, const char* why) {
    if (error) *error = why ? why : "the SID emulation refused the tune";
    return false;
  }
  static constexpr size_t kChunkFrames = 1024;
  sidplayfp engine_;
  ReSIDfpBuilder builder_;
  std::unique_ptr<SidTune> tune_;
  std::vector<uint8_t> kernal_, basic_, chargen_;
  std::array<short, kChunkFrames * 2> pcm_{};
  uint64_t rendered_ = 0;
};

}  // namespace

bool ReadSidRegisters(Tune& tune, uint8_t regs[32]) {
  auto* sid = dynamic_cast<SidPlayTune*>(&tune);
  return sid && sid->ReadRegisters(regs);
}

std::unique_ptr<Tune> OpenSidTune(std::span<const uint8_t> bytes, int songIndex, const SidRoms& roms,
                                  std::string* error) {
  SidInfo info;
  if (!ReadSidHeader(bytes, info, error)) return nullptr;
  if (info.Rsid && !roms.Complete()) {
    if (error) *error = kSidRomsMissing;
    return nullptr;
  }
  auto tune = std::make_unique<SidPlayTune>();
  if (!tune->Start(bytes, songIndex == kSidHeaderStartSong ? info.StartIndex() : songIndex, roms, error))
    return nullptr;
  return tune;
}

const Replayer kSidReplayer = {
    MusicType::Sid, [](std::span<const uint8_t> bytes, const TuneOptions& options, std::string* error) {
      return OpenSidTune(bytes, options.SidSong, options.Roms, error);
    }};

}  // namespace quellor::music
