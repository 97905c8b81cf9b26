// Parts of the V2 synth checked against what their parameters promise:
// oscillator wave shapes, filter cutoff, velocity through the modulation
// matrix, and the speech voice on channel 16.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "music/Tune.h"
#include "music/v2m/Synth.h"
#include "music/v2m/SynthFilter.h"
#include "music/v2m/SynthOscillator.h"
#include "tests/v2m_test_support.h"

namespace quellor::music::v2m {
namespace {

const SynthRate kRate = SynthRate::For(kOutputRate);

// One oscillator alone: mode, colour and volume 128 (gain 1), at `note`.
std::vector<float> Wave(int mode, float colour, float note, int n) {
  Oscillator osc;
  osc.Reset(0);
  osc.SetNote(note);
  const float p[6] = {float(mode), 0, 64, 64, colour, 128};
  osc.Configure(p, kRate);
  std::vector<float> out(size_t(n), 0.0f);
  osc.Render(out.data(), n, {});
  return out;
}

double Mean(const std::vector<float>& v) { return std::accumulate(v.begin(), v.end(), 0.0) / double(v.size()); }

TEST(V2mSynthParts, OscillatorShapesFollowTheirColour) {
  // Note 48 is about 65.4 Hz: 674.3 samples per period; use 100 whole periods.
  const int n = 67430;
  const auto pulse = Wave(Oscillator::kPulse, 32, 48, n);  // high for a quarter period
  EXPECT_NEAR(Mean(pulse), -0.5, 0.01);
  EXPECT_NEAR(*std::max_element(pulse.begin(), pulse.end()), 1.0, 1e-3);
  const auto square = Wave(Oscillator::kPulse, 64, 48, n);
  EXPECT_NEAR(Mean(square), 0.0, 0.01);
  const auto tri = Wave(Oscillator::kTriSaw, 64, 48, n);  // symmetric triangle: peaks at +-1
  EXPECT_NEAR(Mean(tri), 0.0, 0.01);
  EXPECT_NEAR(*std::max_element(tri.begin(), tri.end()), 1.0, 0.01);
  EXPECT_NEAR(*std::min_element(tri.begin(), tri.end()), -1.0, 0.01);
  EXPECT_LT(tri[1], tri[100]);  // rising from phase 0
  const auto saw = Wave(Oscillator::kTriSaw, 0, 48, n);  // colour 0: falling saw
  EXPECT_NEAR(Mean(saw), 0.0, 0.01);
  EXPECT_GT(saw[10], saw[100]);
  const auto sine = Wave(Oscillator::kSine, 0, 48, n);
  EXPECT_NEAR(sine[168], 1.0, 0.01);  // a quarter period in
  // Every octave doubles the frequency: count rising zero crossings.
  auto crossings = [](const std::vector<float>& v) {
    int c = 0;
    for (size_t i = 1; i < v.size(); ++i) c += v[i - 1] < 0 && v[i] >= 0;
    return c;
  };
  EXPECT_NEAR(crossings(sine), 100, 1);
  EXPECT_NEAR(crossings(Wave(Oscillator::kSine, 0, 60, n)), 200, 1);
}

double FilteredLevel(float cutoff, int note) {
  std::vector<float> in = Wave(Oscillator::kSine, 0, float(note), 22050);
  Filter f;
  f.Reset();
  f.Configure(Filter::kLow, cutoff, 0, kRate);
  f.Render(in.data(), in.data(), int(in.size()));
  double sum = 0.0;
  for (size_t i = 11025; i < in.size(); ++i) sum += double(in[i]) * in[i];
  return std::sqrt(2.0 * sum / 11025.0);
}

TEST(V2mSynthParts, LowPassKeepsLowNotesAndCutsHighOnes) {
  EXPECT_NEAR(FilteredLevel(60, 36), 1.0, 0.05);  // cutoff ~ 2^((60/128-1)*10) of the range
  EXPECT_LT(FilteredLevel(60, 108), 0.1);
  EXPECT_GT(FilteredLevel(127, 108), 0.5);  // open filter
}

double NoteLevel(int channel, int velocity, const V2mSong& song, std::initializer_list<uint8_t> extra = {}) {
  Synth synth(song, kOutputRate);
  std::vector<uint8_t> msg(extra);
  msg.insert(msg.end(), {uint8_t(0x90 | channel), 48, uint8_t(velocity), Synth::kEndOfMessages});
  synth.ProcessMessages(msg);
  std::vector<float> out(2 * 22050);
  synth.Render(out.data(), 22050);
  double sum = 0.0;
  for (size_t i = out.size() / 2; i < out.size(); ++i) sum += double(out[i]) * out[i];
  return std::sqrt(sum / double(out.size() / 2));
}

TEST(V2mSynthParts, VelocityScalesTheAmpEnvelopeThroughTheMatrix) {
  V2mSong song;
  ASSERT_TRUE(ReadV2m(WriteV2m(test::ThreeNoteSong()), song, nullptr));
  const double soft = NoteLevel(0, 40, song), loud = NoteLevel(0, 120, song);
  EXPECT_NEAR(loud / soft, 3.0, 0.15);
}

TEST(V2mSynthParts, ChannelSixteenSpeaksItsTexts) {
  V2mSketch s = test::ThreeNoteSong();
  s.speech = {"ah", "sh"};
  V2mSong song;
  ASSERT_TRUE(ReadV2m(WriteV2m(s), song, nullptr));
  const double plain = NoteLevel(14, 100, song);
  const double vowel = NoteLevel(15, 100, song);
  const double hiss = NoteLevel(15, 100, song, {0xbf, 4, 1});  // CC 4 picks text 2
  EXPECT_GT(vowel, 1e-3);
  EXPECT_GT(hiss, 1e-3);
  EXPECT_GT(std::fabs(vowel / plain - 1.0), 0.1);  // formant filtered, not the raw voice
  EXPECT_GT(std::fabs(hiss / vowel - 1.0), 0.1);
}

}  // namespace
}  // namespace quellor::music::v2m
