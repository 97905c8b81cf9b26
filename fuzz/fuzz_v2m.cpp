// V2M reader, synth version detection and bank conversion on arbitrary input.
// Whatever opens must also play, seek and fade without reading or writing out
// of bounds. The input also goes straight to the converter as a patch bank.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "music/v2m/V2mBank.h"
#include "music/v2m/V2mTune.h"

using namespace quellor::music;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  for (int version = 0; version <= v2m::kNewestSynthVersion; ++version) {
    std::vector<v2m::Patch> patches;
    std::string error;
    if (!v2m::ConvertPatches(bytes, version, patches, &error) && error.empty()) std::abort();
    (void)v2m::DetectSynthVersion(bytes, uint32_t(size % 32), int(size % 130));
  }

  std::string error;
  std::unique_ptr<Tune> tune = OpenV2m(bytes, kOutputRate, &error);
  if (!tune) {
    if (error.empty()) std::abort();  // a refusal always says why
    return 0;
  }
  std::vector<float> out(2 * 1024);
  tune->Render(out.data(), 1024);
  tune->SetPosition(size > 8 ? int32_t(data[size - 1]) * 40 : 0);
  tune->Render(out.data(), 1024);
  tune->FadeOut(10);
  tune->Render(out.data(), 1024);  // 441 samples of fade, then silence
  tune->Render(out.data(), 1024);
  for (float v : out)
    if (v != 0.0f) std::abort();  // silent after the fade
  (void)tune->Position();
  (void)tune->LengthMs();
  return 0;
}
