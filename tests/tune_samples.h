#pragma once
// Helpers of the music tests: the procedural tunes, rendering, loudness, the corpus.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "music/Tune.h"
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

// Where the shared corpus lies (QUELLOR_SHARED_DIR, else beside the checkout or beside
// its worktree folder), or "" when it is not there.
inline std::string SharedDir() {
  const char* env = std::getenv("QUELLOR_SHARED_DIR");
  std::vector<std::string> dirs;
  if (env && *env) dirs.push_back(env);
  dirs.push_back(std::string(QUELLOR_SOURCE_DIR) + "/../shared");
  dirs.push_back(std::string(QUELLOR_SOURCE_DIR) + "/../../shared");
  for (const std::string& dir : dirs) {
    if (FILE* f = std::fopen((dir + "/corpus/MANIFEST.tsv").c_str(), "rb")) {
      std::fclose(f);
      return dir;
    }
  }
  return {};
}

}  // namespace quellor::testing
