#pragma once
// Helpers of the music tests: the procedural tunes, rendering, loudness, the corpus.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "music/Tune.h"
#include "tests/shared_dir.h"
#include "tools/TuneArt.h"

namespace quellor::testing {

using namespace quellor::tuneart;

// Renders `seconds` of a tune into interleaved stereo.
inline std::vector<float> RenderSeconds(music::Tune& t, double seconds) {
  std::vector<float> pcm(static_cast<size_t>(seconds * music::kOutputRate) * 2);
  t.Render(pcm.data(), pcm.size() / 2);
  return pcm;
}

inline double Rms(const float* s, size_t n) {
  double sum = 0;
  for (size_t i = 0; i < n; ++i) sum += static_cast<double>(s[i]) * s[i];
  return n ? std::sqrt(sum / static_cast<double>(n)) : 0.0;
}
inline double Rms(const std::vector<float>& s) { return Rms(s.data(), s.size()); }


}  // namespace quellor::testing
