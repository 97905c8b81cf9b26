// V2M reading: event lists as stored, the pitch-bend stride quirk, synth
// version detection and the conversion of old patch layouts.
#include <gtest/gtest.h>

#include "music/v2m/V2mBank.h"
#include "music/v2m/V2mSong.h"
#include "tests/v2m_test_support.h"

namespace quellor::music::v2m {
namespace {

using test::ThreeNoteSong;

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

TEST(V2mReader, ReadsColumnsAsDeltasAndRunningValues) {
  const std::vector<uint8_t> file = WriteV2m(ThreeNoteSong());
  V2mSong song;
  std::string error;
  ASSERT_TRUE(ReadV2m(file, song, &error)) << error;
  EXPECT_EQ(song.ticksPerBeat, 96u);
  EXPECT_EQ(song.endTick, 384u);
  ASSERT_EQ(song.tempo.size(), 2u);
  EXPECT_EQ(song.tempoDelta[1], 192u);
  EXPECT_EQ(song.tempo[1].usPerBeat, 250000u);
  const EventList& notes = song.channels[0].notes;
  EXPECT_EQ(notes.delta, (std::vector<uint32_t>{0, 48, 48, 48, 48, 108}));
  EXPECT_EQ(notes.first, (std::vector<uint8_t>{60, 60, 64, 64, 67, 67}));
  EXPECT_EQ(notes.second, (std::vector<uint8_t>{100, 0, 100, 0, 100, 0}));
  EXPECT_FALSE(song.channels[1].present);
  EXPECT_EQ(song.synthVersion, kNewestSynthVersion);
  EXPECT_TRUE(song.speech.empty());
}

// Channel 1 with three program changes and one pitch bend, bytes laid out by hand.
TEST(V2mReader, PitchBendsUseTheProgramChangeCountAsStride) {
  std::vector<uint8_t> f;
  Put32(f, 96);  // ticks per beat
  Put32(f, 96);  // end
  Put32(f, 0);   // tempo changes
  Put32(f, 2);   // notes at ticks 5 and 10
  f.insert(f.end(), {5, 5, 0, 0, 0, 0, 60, 0, 100, 156});
  Put32(f, 3);  // three program changes at ticks 0, 1, 2 (all program 0)
  f.insert(f.end(), {0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  const size_t b = f.size() + 4;
  Put32(f, 1);  // one bend: delta 7, LSB 0x11, MSB 0x22 to a reader without the quirk
  f.insert(f.end(), {7, 0, 0, 0x11, 0x22});
  Put32(f, 1);  // CC1 holds one event, the other controllers none
  f.insert(f.end(), {9, 0, 0, 3});
  for (int cc = 1; cc < 7; ++cc) Put32(f, 0);
  for (int ch = 1; ch < 16; ++ch) Put32(f, 0);
  const std::vector<uint8_t> globals = InitialGlobals(kNewestSynthVersion);
  Put32(f, uint32_t(globals.size()));
  f.insert(f.end(), globals.begin(), globals.end());
  const std::vector<uint8_t> patch = PatchBytes(InitialPatchParams(kNewestSynthVersion), {});
  Put32(f, uint32_t(4 + patch.size()));
  Put32(f, 4);
  f.insert(f.end(), patch.begin(), patch.end());

  V2mSong song;
  std::string error;
  ASSERT_TRUE(ReadV2m(f, song, &error)) << error;
  const EventList& bend = song.channels[0].bends;
  ASSERT_EQ(bend.size(), 1u);
  // Columns three bytes apart: the time from block bytes 0, 3, 6 (the last in
  // CC1's count), LSB and MSB from bytes 9 and 12, inside CC1's event.
  EXPECT_EQ(f[b + 9], 9);
  EXPECT_EQ(bend.firstTick, 0x1107u);
  EXPECT_EQ(bend.first[0], 9);
  EXPECT_EQ(bend.second[0], 3);
  EXPECT_EQ(bend.armCount, 3u);
}

// A song whose three patches are all used, stored in the layout of `version`.
std::vector<uint8_t> SongOfVersion(int version) {
  V2mSketch s = ThreeNoteSong();
  s.globals = InitialGlobals(version);
  const std::vector<uint8_t> params = InitialPatchParams(version);
  const Modulation two[] = {{0, 127, 5}, {1, 70, 6}};
  const Modulation one[] = {{2, 90, 7}};
  s.patches = {PatchBytes(params, {}), PatchBytes(params, two), PatchBytes(params, one)};
  s.channels[0].programs = {{0, 0}, {100, 1}, {200, 2}};
  return WriteV2m(s);
}

TEST(V2mVersion, PicksTheLayoutEachVersionWrote) {
  for (int v = 0; v <= kNewestSynthVersion; ++v) {
    V2mSong song;
    std::string error;
    ASSERT_TRUE(ReadV2m(SongOfVersion(v), song, &error)) << "version " << v << ": " << error;
    EXPECT_EQ(song.synthVersion, v);
    ASSERT_EQ(song.patches.size(), 3u);
    EXPECT_EQ(song.patches[1].mods.size(), 2u);
  }
  EXPECT_EQ(DetectSynthVersion({}, 5, 1), -1);  // no version stores five globals
}

TEST(V2mVersion, ConvertsAVersion0PatchToTheNewestLayout) {
  std::vector<uint8_t> old(68);
  for (size_t i = 0; i < old.size(); ++i) old[i] = uint8_t(i);
  // Version 0 lacks transpose (new 1), the ring switches (3, 9, 15), balance (27),
  // polarities (49, 56), aux routing (60..63), boost (67) and the compressor (79..87).
  const Modulation mods[] = {{0, 100, 1}, {8, 90, 22}, {12, 80, 67}};
  std::vector<uint8_t> bank(4);
  bank[0] = 4;
  const std::vector<uint8_t> patch = PatchBytes(old, mods);
  bank.insert(bank.end(), patch.begin(), patch.end());

  std::vector<Patch> out;
  std::string error;
  ASSERT_TRUE(ConvertPatches(bank, 0, out, &error)) << error;
  ASSERT_EQ(out.size(), 1u);
  const auto& p = out[0].params;
  EXPECT_EQ(p[0], 0);   // pan stays
  EXPECT_EQ(p[1], 64);  // new transpose: its initial value
  EXPECT_EQ(p[2], 1);   // osc 1 mode was old 1
  EXPECT_EQ(p[3], 0);   // new ring switch
  EXPECT_EQ(p[4], 2);
  EXPECT_EQ(p[26], 22);  // routing was old 22
  EXPECT_EQ(p[27], 64);  // new balance
  EXPECT_EQ(p[28], 23);
  EXPECT_EQ(p[49], 0);   // new polarity
  EXPECT_EQ(p[64], 53);  // reverb send was old 53
  EXPECT_EQ(p[67], 0);   // new boost
  EXPECT_EQ(p[81], 1);   // new compressor auto gain
  EXPECT_EQ(p[88], 67);  // polyphony was old 67
  ASSERT_EQ(out[0].mods.size(), 3u);
  EXPECT_EQ(out[0].mods[0].target, 2);
  EXPECT_EQ(out[0].mods[1].target, 26);
  EXPECT_EQ(out[0].mods[2].target, 88);
  EXPECT_EQ(out[0].mods[1].source, 8);
  EXPECT_EQ(out[0].mods[1].amount, 90);

  std::array<uint8_t, kGlobalParamCount> globals{};
  const uint8_t oldGlobals[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  ConvertGlobals(oldGlobals, 0, globals);
  EXPECT_EQ(globals[1], 2);
  EXPECT_EQ(globals[2], 32);  // reverb low cut came with version 4
  EXPECT_EQ(globals[3], 3);
  EXPECT_EQ(globals[12], 12);
  EXPECT_EQ(globals[17], 90);  // sum compressor threshold, initial
}

}  // namespace
}  // namespace quellor::music::v2m
