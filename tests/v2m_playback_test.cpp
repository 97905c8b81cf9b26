// V2M playback: tick timing in samples, the per-tick message list, song length
// and positions in milliseconds, seeking and fading.
#include <gtest/gtest.h>

#include <cmath>

#include "music/v2m/V2mSequencer.h"
#include "music/v2m/V2mSong.h"
#include "music/v2m/V2mTune.h"
#include "tests/v2m_test_support.h"

namespace quellor::music::v2m {
namespace {

using test::ThreeNoteSong;

V2mSong Read(const V2mSketch& sketch) {
  V2mSong song;
  std::string error;
  EXPECT_TRUE(ReadV2m(WriteV2m(sketch), song, &error)) << error;
  return song;
}

double Rms(const std::vector<float>& v, size_t from, size_t to) {
  double sum = 0.0;
  for (size_t i = from; i < to; ++i) sum += double(v[i]) * v[i];
  return std::sqrt(sum / double(to - from));
}

TEST(V2mPlayback, ThreeNoteSongPlaysTheSameEveryTime) {
  const std::vector<uint8_t> file = WriteV2m(ThreeNoteSong());
  std::string error;
  auto a = OpenV2m(file, kOutputRate, &error);
  auto b = OpenV2m(file, kOutputRate, &error);
  ASSERT_NE(a, nullptr) << error;
  EXPECT_EQ(a->LengthMs(), 1500);
  std::vector<float> first(2 * 88200), second(first.size());
  a->Render(first.data(), 88200);
  for (size_t done = 0; done < 88200; done += 1000)  // any block size gives the same samples
    b->Render(second.data() + 2 * done, std::min<size_t>(1000, 88200 - done));
  EXPECT_EQ(first, second);
  EXPECT_GT(Rms(first, 0, 2 * 11025), 0.01);              // first note
  EXPECT_LT(Rms(first, 2 * 20000, 2 * 22000), 1e-3);       // the gap after it
  EXPECT_GT(Rms(first, 2 * 44100, 2 * 50000), 0.01);       // third note
  EXPECT_EQ(a->Position(), 2000);
  a->SetPosition(0);
  a->Render(second.data(), 88200);
  EXPECT_EQ(first, second);
}

TEST(V2mPlayback, TicksFallOnExactSamplesAcrossTempoChanges) {
  V2mSong song = Read(ThreeNoteSong());
  V2mSequencer seq(song, kOutputRate);
  seq.TakeTick();  // tick 0
  EXPECT_EQ(seq.NextTickSample(), 11025u);  // 48 ticks of 96 at 0.5 s per beat
  for (int i = 0; i < 3; ++i) seq.TakeTick();
  EXPECT_EQ(seq.tick(), 144u);
  seq.TakeTick();
  EXPECT_EQ(seq.tick(), 192u);
  EXPECT_EQ(seq.TickSample(), 44100u);
  EXPECT_EQ(seq.NextTickSample(), 44100u + 12403u);  // 108 ticks at 0.25 s per beat: 12403.125
  seq.TakeTick();
  EXPECT_FALSE(seq.Running());

  // 7 ticks per beat at 333333 us: 2099.9979 samples per tick. Rounding each
  // gap would lose a sample per event; positions must stay on the exact grid.
  V2mSketch s = ThreeNoteSong();
  s.ticksPerBeat = 7;
  s.tempo = {{0, 333333}};
  s.channels[0].notes.clear();
  for (uint32_t t = 0; t < 1000; ++t) s.channels[0].notes.push_back({t, 60, uint8_t(t & 1 ? 0 : 90)});
  s.endTick = 1000;
  V2mSong dense = Read(s);
  V2mSequencer grid(dense, kOutputRate);
  for (uint64_t t = 0; t < 999; ++t) {
    grid.TakeTick();
    ASSERT_EQ(grid.NextTickSample(), (t + 1) * 333333 * 441 / 70000) << t;
  }
}

TEST(V2mPlayback, MessagesComeInChannelOrderWithRunningStatus) {
  V2mSketch s = ThreeNoteSong();
  s.patches.push_back(s.patches[0]);
  s.channels[0].controls[0] = {{0, 5}};
  s.channels[0].controls[6] = {{0, 99}};
  s.channels[0].notes.insert(s.channels[0].notes.begin() + 1, {0, 62, 80});
  s.channels[3].programs = {{0, 1}};
  s.channels[3].notes = {{0, 40, 1}};
  V2mSong song = Read(s);
  V2mSequencer seq(song, kOutputRate);
  const auto msg = seq.TakeTick();
  const std::vector<uint8_t> expected = {0xc0, 0,                  // program
                                         0xb0, 1, 5, 7, 99,        // CC1, CC7 under one status
                                         0x90, 60, 100, 62, 80,    // both notes of tick 0
                                         0xc3, 1, 0x93, 40, 1,     // channel 4
                                         0xfd};
  EXPECT_EQ(std::vector<uint8_t>(msg.begin(), msg.end()), expected);
}

TEST(V2mPlayback, LengthFollowsTempoSegments) {
  // 100 ticks per beat: 150 ticks at 0.5 s, 50 at 0.2 s, 300 at 1 s per beat.
  const uint32_t deltas[] = {150, 50};
  const uint32_t tempi[] = {200000, 1000000};
  EXPECT_EQ(SongLengthMs(100, 500, deltas, tempi), 750 + 100 + 3000);
  EXPECT_EQ(SongLengthMs(100, 120, deltas, tempi), 600);  // ends before the first change
  EXPECT_EQ(SongLengthMs(3, 1, {}, {}), 166);               // 1/3 beat at 120 BPM, rounded down
}

TEST(V2mPlayback, SeekingAndFadingOut) {
  auto tune = OpenV2m(WriteV2m(ThreeNoteSong()), kOutputRate, nullptr);
  ASSERT_NE(tune, nullptr);
  std::vector<float> out(2 * 4410);
  tune->SetPosition(1000);
  EXPECT_EQ(tune->Position(), 1000);
  tune->Render(out.data(), 4410);
  EXPECT_EQ(tune->Position(), 1100);
  EXPECT_GT(Rms(out, 0, out.size()), 0.01);  // the third note, started by the seek
  tune->FadeOut(50);
  tune->Render(out.data(), 4410);
  EXPECT_LT(Rms(out, 2 * 2205, out.size()), 1e-9);  // silent after 50 ms
  EXPECT_GT(Rms(out, 0, 2 * 1000), 0.001);
  tune->Render(out.data(), 4410);
  EXPECT_LT(Rms(out, 0, out.size()), 1e-9);  // and stays so
  tune->SetPosition(0);                        // playing again lifts the fade
  tune->Render(out.data(), 4410);
  EXPECT_GT(Rms(out, 0, out.size()), 0.01);
}

// The players jump straight to the first tick. A tempo change at tick 0 wakes
// them there; so does a program change without pitch bends, which arms a
// phantom bend time (read from the bytes after the empty bend list: zero here).
TEST(V2mPlayback, LeadingSilenceIsSkippedUnlessAPhantomBendTimeArmsTickZero) {
  V2mSketch s = ThreeNoteSong();
  for (SketchNote& n : s.channels[0].notes) n.tick += 96;  // first note half a second in
  s.endTick += 96;
  s.tempo = {{288, 250000}};  // 120 BPM, the default, until then
  std::vector<float> out(2 * 4410);

  auto armed = OpenV2m(WriteV2m(s), kOutputRate, nullptr);
  ASSERT_NE(armed, nullptr);
  armed->Render(out.data(), 4410);
  EXPECT_EQ(armed->Position(), 100);
  EXPECT_LT(Rms(out, 0, out.size()), 1e-4);

  s.channels[0].programs.clear();  // no program change: nothing before the note
  auto bare = OpenV2m(WriteV2m(s), kOutputRate, nullptr);
  ASSERT_NE(bare, nullptr);
  bare->Render(out.data(), 4410);
  EXPECT_EQ(bare->Position(), 600);
  EXPECT_GT(Rms(out, 0, out.size()), 0.01);
}

TEST(V2mPlayback, NothingPlaysAfterTheEndTick) {
  V2mSketch s = ThreeNoteSong();
  s.endTick = 100;  // the third note at 192 lies past the end
  auto tune = OpenV2m(WriteV2m(s), kOutputRate, nullptr);
  ASSERT_NE(tune, nullptr);
  std::vector<float> out(2 * 88200);
  tune->Render(out.data(), 88200);
  EXPECT_GT(Rms(out, 2 * 22050, 2 * 30000), 0.01);  // the second note, at tick 96
  EXPECT_LT(Rms(out, 2 * 44100, 2 * 60000), 1e-3);
}

}  // namespace
}  // namespace quellor::music::v2m
