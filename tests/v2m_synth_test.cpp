// The V2 synth's voice handling: per-patch polyphony with stealing, note-off by
// zero velocity, and the messages that free voices.
#include <gtest/gtest.h>

#include "music/Tune.h"
#include "music/v2m/Synth.h"
#include "music/v2m/V2mSong.h"
#include "tests/v2m_test_support.h"

namespace quellor::music::v2m {
namespace {

// Patch 0 plays two voices at most and ends a note at once on release;
// patch 1 is the same with one voice.
V2mSong TwoPatchSong() {
  V2mSketch s = test::ThreeNoteSong();
  std::vector<uint8_t> params = InitialPatchParams(kNewestSynthVersion);
  params[kEnvFirst + 4] = 0;  // release
  params[kMaxPoly] = 2;
  const Modulation mods[] = {{0, 127, 37}};
  s.patches = {PatchBytes(params, mods)};
  params[kMaxPoly] = 1;
  s.patches.push_back(PatchBytes(params, mods));
  V2mSong song;
  EXPECT_TRUE(ReadV2m(WriteV2m(s), song, nullptr));
  return song;
}

void Send(Synth& synth, std::vector<uint8_t> msg) {
  msg.push_back(Synth::kEndOfMessages);
  synth.ProcessMessages(msg);
}

void RenderFrames(Synth& synth, int frames) {
  std::vector<float> out(2 * 128);
  for (int i = 0; i < frames; ++i) synth.Render(out.data(), 128);
}

TEST(V2mSynth, PolyphonyIsCappedPerPatchByStealing) {
  const V2mSong song = TwoPatchSong();
  Synth synth(song, kOutputRate);
  Send(synth, {0x90, 60, 100, 62, 100, 64, 100});  // three notes, running status
  EXPECT_EQ(synth.ActiveVoices(), 2);
  Send(synth, {0x91, 30, 100, 31, 100});  // channel 2: its own budget
  EXPECT_EQ(synth.ActiveVoices(), 4);
  Send(synth, {0xc1, 1, 0x91, 32, 100, 33, 100});  // a new program frees channel 2; one voice
  EXPECT_EQ(synth.ActiveVoices(), 3);
}

TEST(V2mSynth, ZeroVelocityAndControllersEndNotes) {
  const V2mSong song = TwoPatchSong();
  Synth synth(song, kOutputRate);
  Send(synth, {0x90, 60, 100, 0x92, 70, 100});
  RenderFrames(synth, 4);
  EXPECT_EQ(synth.ActiveVoices(), 2);
  Send(synth, {0x90, 60, 0});  // note on with velocity 0 is a note off
  RenderFrames(synth, 4);
  EXPECT_EQ(synth.ActiveVoices(), 1);
  Send(synth, {0xb2, 123, 0});  // all notes off: released, gone once the envelope ends
  RenderFrames(synth, 4);
  EXPECT_EQ(synth.ActiveVoices(), 0);
  Send(synth, {0x90, 61, 100, 0xb0, 120, 0});  // all sound off: freed at once
  EXPECT_EQ(synth.ActiveVoices(), 0);
}

}  // namespace
}  // namespace quellor::music::v2m
