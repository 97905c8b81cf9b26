// The shared V2M tunes load and play (skipped where the shared material is absent).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "music/v2m/V2mTune.h"
#include "tests/v2m_test_support.h"

namespace quellor::music::v2m {
namespace {

TEST(V2mCorpus, SharedTunesLoadAndPlay) {
  if (test::SharedDir().empty()) GTEST_SKIP() << "no shared material";
  const auto dir = test::SharedDir() / "corpus" / "v2m";
  // Lengths by hand from each header: every tune sets its one tempo at tick 0,
  // so length = end tick x us per beat / (ticks per beat x 1000).
  const struct {
    const char* name;
    int32_t lengthMs;
  } tunes[] = {
      {"0test.v2m", 242096},                          // 83410 x 371519 / 128000
      {"KB--fr-08_the_product-loader.v2m", 212998},   // 255598 x 400000 / 480000
      {"Paniq--maschinenzeit.v2m", 164539},           // 56689 x 371519 / 128000
      {"Pista--crystal_gate-loader.v2m", 82622},      // 28466 x 371519 / 128000
      {"TAD--short-Piano.v2m", 6858},                 // 2363 x 371519 / 128000
      {"Wayfinder--kkrieger-chapter_i.v2m", 140224},  // 19968 x 674157 / 96000
  };
  for (const auto& t : tunes) {
    std::ifstream in(dir / t.name, std::ios::binary);
    if (!in) GTEST_SKIP() << "missing " << t.name;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    std::string error;
    auto tune = OpenV2m(bytes, kOutputRate, &error);
    ASSERT_NE(tune, nullptr) << t.name << ": " << error;
    EXPECT_EQ(tune->LengthMs(), t.lengthMs) << t.name;
    std::vector<float> out(2 * 5 * kOutputRate);
    tune->Render(out.data(), out.size() / 2);
    double sum = 0.0;
    for (float v : out) sum += double(v) * v;
    EXPECT_GT(std::sqrt(sum / double(out.size())), 0.003) << t.name;
  }
}

}  // namespace
}  // namespace quellor::music::v2m
