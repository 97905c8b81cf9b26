// The Future Composer replay rules, tick by tick, on modules made for each rule. The
// expected periods and volumes are worked out by hand from the rules and the period
// table (note 25 = 404, 27 = 360, 37 = 202, 39 = 180, 40 = 170, 30 = 302, 51 = 113).
#include <gtest/gtest.h>

#include "music/fc/FcModule.h"
#include "music/fc/FcPlayer.h"
#include "music/fc/Paula.h"
#include "tests/tune_samples.h"

using namespace quellor::music;
using namespace quellor::testing;

namespace {

// One voice playing one note through the given sequences; the other voices are silent.
struct OneVoice {
  fc::Module mod;
  fc::Paula paula;
  std::unique_ptr<fc::Player> player;

  explicit OneVoice(const FcBuilder& b) {
    std::string why;
    EXPECT_TRUE(fc::LoadModule(b.Build(), mod, &why)) << why;
    paula.Attach(mod.Data, mod.SilentSample, kOutputRate);
    player = std::make_unique<fc::Player>(mod, paula);
  }
  // Periods (or volumes) of voice 1 over the first n ticks.
  std::vector<int> Periods(int n) {
    std::vector<int> out;
    for (int i = 0; i < n; ++i) player->Tick(), out.push_back(player->Voice(0).Period);
    return out;
  }
  std::vector<int> Volumes(int n) {
    std::vector<int> out;
    for (int i = 0; i < n; ++i) player->Tick(), out.push_back(player->Voice(0).Volume);
    return out;
  }
};

FcBuilder Note(uint8_t note, Bytes freqSeq, Bytes volSeq, Bytes pattern = {}) {
  FcBuilder f;
  FcBuilder::Step s;
  s.Pattern[1] = s.Pattern[2] = s.Pattern[3] = 1;
  s.Speed = 3;
  f.Steps = {s};
  f.Patterns = {pattern.empty() ? FcBuilder::Pattern({{0, note, 0}}) : pattern, Bytes(64, 0)};
  f.FreqSeqs = {std::move(freqSeq)};
  f.VolSeqs = {std::move(volSeq)};
  return f;
}

Bytes PlainSound() { return FcBuilder::Block({0xE2, 10, 0, 0xE1}); }
Bytes FullVolume() { return FcBuilder::Block({1, 0, 0, 0, 0, 64, 0xE1}); }

}  // namespace

TEST(FcRules, VolumeEnvelopeStepsSustainsAndSlidesEverySecondTick) {
  // Speed 2: 10, 20, sustain 3 ticks, 30, slide +5 for 4 steps, end.
  OneVoice v(Note(25, PlainSound(), FcBuilder::Block({2, 0, 0, 0, 0, 10, 20, 0xE8, 3, 30, 0xEA, 5, 4, 0xE1})));
  std::vector<int> expected = {10, 10, 20, 20, 20, 20, 20, 20, 30, 30, 35, 35, 40, 40, 45, 45, 50, 50, 50, 50};
  EXPECT_EQ(v.Volumes(20), expected);
  // A volume above 64 is held at 64, and a jump lands on an offset counted from the
  // instrument's first byte.
  OneVoice loud(Note(25, PlainSound(), FcBuilder::Block({1, 0, 0, 0, 0, 90, 3, 0xE0, 6})));
  EXPECT_EQ(loud.Volumes(5), (std::vector<int>{64, 3, 3, 3, 3}));
}

TEST(FcRules, FrequencySequenceTransposesLocksSustainsAndChains) {
  FcBuilder f = Note(25,
                     FcBuilder::Block({0xE2, 10, 0, 12, 0x80 | 30, 0xE8, 2, 0, 0xE7, 1}),
                     FullVolume());
  f.FreqSeqs.push_back(FcBuilder::Block({24, 0xE1}));
  f.Steps[0].Transpose[0] = 2;  // the track table's transpose applies to relative values
  OneVoice v(f);
  std::vector<int> expected = {360, 180, 302, 302, 302, 360, 113, 113};
  EXPECT_EQ(v.Periods(8), expected);
}

TEST(FcRules, VibratoStartsAfterItsDelayAndWidensInLowerOctaves) {
  // Speed 2, depth 3, delay 1 on note 40 (octave 36-47: offsets doubled).
  OneVoice v(Note(40, PlainSound(), FcBuilder::Block({1, 0, 2, 3, 1, 64, 0xE1})));
  std::vector<int> expected = {170, 166, 164, 168, 172, 176, 176, 172};
  EXPECT_EQ(v.Periods(8), expected);
}

TEST(FcRules, PortamentoAndPitchBendMoveEverySecondTickInVersion14) {
  // Portamento up by 5 (its speed is the next row's info byte).
  OneVoice up(Note(25, PlainSound(), FullVolume(), FcBuilder::Pattern({{0, 25, 0x80}, {1, 0, 0x05}})));
  EXPECT_EQ(up.Periods(6), (std::vector<int>{399, 399, 394, 394, 389, 389}));
  // Bit 5 of the speed turns it downwards.
  OneVoice down(Note(25, PlainSound(), FullVolume(), FcBuilder::Pattern({{0, 25, 0x80}, {1, 0, 0x25}})));
  EXPECT_EQ(down.Periods(4), (std::vector<int>{409, 409, 414, 414}));
  // Pitch bend of -2 for 3 steps, set on the second tick.
  OneVoice bend(Note(25, FcBuilder::Block({0xE2, 10, 0, 0xEA, 0xFE, 3, 0, 0xE1}), FullVolume()));
  EXPECT_EQ(bend.Periods(9), (std::vector<int>{404, 404, 406, 406, 408, 408, 410, 410, 410}));
}

TEST(FcRules, PatternBreakSpeedChangesAndTheSongWrapsToItsFirstStep) {
  FcBuilder f;
  FcBuilder::Step a, b;
  a.Speed = 3;
  b.Speed = 2;
  for (int v = 0; v < 4; ++v) a.Pattern[v] = 0, b.Pattern[v] = 1;
  f.Steps = {a, b};
  f.Patterns = {FcBuilder::Pattern({{0, 25, 0}, {4, 0x49, 0}}), FcBuilder::Pattern({{0, 30, 0}})};
  f.FreqSeqs = {PlainSound()};
  f.VolSeqs = {FullVolume()};
  fc::Module mod;
  ASSERT_TRUE(fc::LoadModule(f.Build(), mod, nullptr));
  fc::Paula paula;
  paula.Attach(mod.Data, mod.SilentSample, kOutputRate);
  fc::Player p(mod, paula);
  auto run = [&](int ticks) {
    for (int i = 0; i < ticks; ++i) p.Tick();
  };
  run(12);  // rows 0-3 of step 0 at speed 3
  EXPECT_EQ(p.Voice(0).Note, 25);
  EXPECT_EQ(p.Speed(), 3u);
  run(1);  // tick 13 meets the break and reads row 0 of step 1
  EXPECT_EQ(p.Voice(0).Note, 30);
  EXPECT_EQ(p.Speed(), 2u);
  run(31 * 2 + 1);  // the other 31 rows of step 1 at speed 2, and one tick more
  EXPECT_EQ(p.SongEnds(), 0u);
  run(1);
  EXPECT_EQ(p.SongEnds(), 1u);
  EXPECT_EQ(p.Voice(0).Note, 25);
  EXPECT_EQ(p.Speed(), 3u);
}
