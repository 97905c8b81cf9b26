// Broken and hostile V2M files are refused with a reason, never read past
// their end; whatever does load plays without trouble.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "music/v2m/V2mLayout.h"
#include "music/v2m/V2mTune.h"
#include "tests/v2m_test_support.h"

namespace quellor::music::v2m {
namespace {

using test::ThreeNoteSong;

void Set32(std::vector<uint8_t>& f, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) f[at + size_t(i)] = uint8_t(v >> (8 * i));
}

void ExpectRefused(const std::vector<uint8_t>& file, const char* what) {
  std::string error;
  EXPECT_EQ(OpenV2m(file, kOutputRate, &error), nullptr) << what;
  EXPECT_FALSE(error.empty()) << what;
}

// Copies to the heap with nothing after them, so a read past the end is caught
// by the sanitizers.
std::unique_ptr<Tune> OpenExact(const std::vector<uint8_t>& file, std::string* error) {
  std::unique_ptr<uint8_t[]> copy(new uint8_t[file.size() + 1]);
  std::copy(file.begin(), file.end(), copy.get());
  return OpenV2m({copy.get(), file.size()}, kOutputRate, error);
}

TEST(V2mHostile, TruncatedFilesAreRefusedUntilTheBankIsComplete) {
  V2mSketch s = ThreeNoteSong();
  s.speech = {"!ah_"};
  const std::vector<uint8_t> file = WriteV2m(s);
  V2mLayout layout;
  ASSERT_TRUE(LocateV2mBlocks(file, layout, nullptr));
  const size_t bankEnd = layout.patchesOffset + layout.patchesSize;
  for (size_t n = 0; n < file.size(); ++n) {
    std::string error;
    const auto tune = OpenExact({file.begin(), file.begin() + long(n)}, &error);
    if (n < bankEnd) {
      EXPECT_EQ(tune, nullptr) << n;
      EXPECT_FALSE(error.empty()) << n;
    } else {
      EXPECT_NE(tune, nullptr) << n << " " << error;  // the speech block is optional
    }
  }
}

TEST(V2mHostile, ImpossibleCountsAndOffsetsAreRefused) {
  const std::vector<uint8_t> file = WriteV2m(ThreeNoteSong());
  V2mLayout layout;
  ASSERT_TRUE(LocateV2mBlocks(file, layout, nullptr));
  const size_t notesCount = 12 + 10 * 2;  // header, two tempo changes, then channel 1

  std::vector<uint8_t> f = file;
  Set32(f, 8, 0xffffffffu);
  ExpectRefused(f, "tempo count");
  f = file;
  Set32(f, notesCount, 0x40000000u);
  ExpectRefused(f, "note count");
  f = file;
  Set32(f, 0, 0);
  ExpectRefused(f, "no ticks per beat");
  f = file;
  Set32(f, layout.globalsOffset - 4, 20000);
  ExpectRefused(f, "globals size");
  f = file;
  Set32(f, layout.patchesOffset - 4, 0x7fffffffu);
  ExpectRefused(f, "bank size");
  f = file;
  Set32(f, layout.patchesOffset, 0x10000000u);
  ExpectRefused(f, "offset table past the bank");
}

TEST(V2mHostile, PatchesOutOfOrderOrPastTheBankAreRefused) {
  V2mSketch s = ThreeNoteSong();
  s.patches.push_back(s.patches[0]);
  s.patches.push_back(s.patches[0]);
  const std::vector<uint8_t> file = WriteV2m(s);
  V2mLayout layout;
  ASSERT_TRUE(LocateV2mBlocks(file, layout, nullptr));
  const size_t table = layout.patchesOffset;
  ASSERT_NE(OpenV2m(file, kOutputRate, nullptr), nullptr);

  std::vector<uint8_t> f = file;
  std::swap_ranges(f.begin() + long(table) + 4, f.begin() + long(table) + 8, f.begin() + long(table) + 8);
  ExpectRefused(f, "swapped offsets");
  f = file;
  Set32(f, table + 8, layout.patchesSize - 10);
  ExpectRefused(f, "last patch past the bank");
  f = file;
  Set32(f, table + 4, 2);
  ExpectRefused(f, "patch inside the offset table");
}

TEST(V2mHostile, MangledFilesEitherFailOrPlay) {
  V2mSketch s = ThreeNoteSong();
  s.speech = {"!ah_!oh_", "eh"};
  const std::vector<uint8_t> file = WriteV2m(s);
  std::mt19937 rng(7);
  std::vector<float> out(2 * 2048);
  int played = 0;
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> f = file;
    for (int k = 0; k < 1 + round % 6; ++k) f[rng() % f.size()] = uint8_t(rng());
    std::string error;
    const auto tune = OpenExact(f, &error);
    if (!tune) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    ++played;
    tune->Render(out.data(), 2048);
    tune->SetPosition(int32_t(rng() % 3000));
    tune->Render(out.data(), 2048);
  }
  EXPECT_GT(played, 0);
}

}  // namespace
}  // namespace quellor::music::v2m
