// Every replayer renders offline from tunes the tests make, and from the shared corpus.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "music/TuneFactory.h"
#include "music/sid/SidHeader.h"
#include "music/sid/SidPlayTune.h"
#include "tests/tune_samples.h"

using namespace quellor::music;
using namespace quellor::testing;

namespace {

std::unique_ptr<Tune> Open(const Bytes& b, MusicType t, int song = 0) {
  TuneOptions o;
  o.SidSong = song;
  std::string why;
  auto tune = OpenTune(b, t, o, &why);
  EXPECT_TRUE(tune) << why;
  return tune;
}

// Loudness of successive 20 ms windows.
std::vector<double> Envelope(const std::vector<float>& pcm) {
  std::vector<double> e;
  const size_t w = kOutputRate / 50 * 2;
  for (size_t at = 0; at + w <= pcm.size(); at += w) e.push_back(Rms(pcm.data() + at, w));
  return e;
}

Bytes ReadFile(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(TrackerTune, PlaysDeterministicallyReportsItsEndAsPosition255AndRestartsFromZero) {
  Bytes mod = MakeMod();
  auto a = Open(mod, MusicType::Tracker), b = Open(mod, MusicType::Tracker);
  ASSERT_TRUE(a && b);
  std::vector<float> first = RenderSeconds(*a, 0.5);
  EXPECT_GT(Rms(first), 0.01);
  EXPECT_EQ(first, RenderSeconds(*b, 0.5));
  EXPECT_EQ(a->Position(), 0);
  RenderSeconds(*a, 0.8);  // 1.3 s: inside the second order
  EXPECT_EQ(a->Position(), 1);
  RenderSeconds(*a, 1.0);  // the song lasts 1.92 s
  EXPECT_EQ(a->Position(), 255);
  EXPECT_EQ(Rms(RenderSeconds(*a, 0.2)), 0.0);
  a->SetPosition(0);
  EXPECT_EQ(a->Position(), 0);
  EXPECT_GT(Rms(RenderSeconds(*a, 0.2)), 0.01);
}

TEST(SidTune, HeaderIsReadBigEndianAndTheChosenSongRunsInTheEmulatedMachine) {
  Bytes psid = MakePsid(4, 3);
  SidInfo info;
  std::string why;
  ASSERT_TRUE(ReadSidHeader(psid, info, &why)) << why;
  EXPECT_EQ(info.Songs, 4);
  EXPECT_EQ(info.StartSong, 3);
  EXPECT_EQ(info.StartIndex(), 2);
  EXPECT_EQ(info.Name, "Quellor test tune");
  EXPECT_EQ(info.LoadAddress, 0x1000);
  EXPECT_EQ(info.PlayAddress, 0x1003);

  auto a = Open(psid, MusicType::Sid, info.StartIndex());
  auto b = Open(psid, MusicType::Sid, info.StartIndex());
  ASSERT_TRUE(a && b);
  std::vector<float> pcm = RenderSeconds(*a, 1.0), again = RenderSeconds(*b, 1.0);
  EXPECT_GT(Rms(pcm), 0.005);
  // The library dithers its output from one random generator for the whole process, so
  // a second tune in the same process may differ by a step of 16-bit sound.
  for (size_t i = 0; i < pcm.size(); ++i) ASSERT_NEAR(pcm[i], again[i], 2.0 / 32768) << i;
  EXPECT_EQ(a->Position(), 1000);
  uint8_t regs[32];
  ASSERT_TRUE(ReadSidRegisters(*a, regs));
  EXPECT_EQ(regs[1], 0x10 + 2) << "the init routine got the song index in A";
  auto first = Open(psid, MusicType::Sid, 0);
  RenderSeconds(*first, 0.1);
  ASSERT_TRUE(ReadSidRegisters(*first, regs));
  EXPECT_EQ(regs[1], 0x10);
}

TEST(SidTune, BrokenHeadersAndRsidWithoutRomsAreRefusedWithAReason) {
  Bytes good = MakePsid(1, 1);
  auto refused = [](const Bytes& b) {
    std::string why;
    bool none = OpenTune(b, MusicType::Sid, {}, &why) == nullptr;
    return none && !why.empty();
  };
  for (size_t n : {size_t{0}, size_t{4}, size_t{0x75}, size_t{0x7B}, size_t{0x7C}, size_t{0x7D}})
    EXPECT_TRUE(refused(Bytes(good.begin(), good.begin() + n))) << n << " bytes";
  Bytes b = good;
  b[5] = 9;  // version 9
  EXPECT_TRUE(refused(b));
  b = good;
  PutBe16(b, 6, 0xFFF0);  // data offset past the end
  EXPECT_TRUE(refused(b));
  b = good;
  PutBe16(b, 8, 0xFFF0);  // data beyond 64 KB
  EXPECT_TRUE(refused(b));
  b = good;
  PutBe16(b, 14, 0);  // no songs
  EXPECT_TRUE(refused(b));

  Bytes rsid = MakeRsid();
  SidInfo info;
  ASSERT_TRUE(ReadSidHeader(rsid, info, nullptr));
  std::string why;
  EXPECT_EQ(OpenTune(rsid, MusicType::Sid, {}, &why), nullptr);
  EXPECT_EQ(why, kSidRomsMissing);
}

TEST(FutureComposerTune, PlaysDeterministicallyAndWrapsToItsFirstStep) {
  Bytes fc = FcBuilder::Song().Build();
  auto a = Open(fc, MusicType::FutureComposer), b = Open(fc, MusicType::FutureComposer);
  ASSERT_TRUE(a && b);
  std::vector<float> pcm = RenderSeconds(*a, 4.0);
  EXPECT_EQ(pcm, RenderSeconds(*b, 4.0));
  EXPECT_EQ(a->Position(), 4000);
  // The song is one step of 32 rows at speed 3: 96 ticks. Its second round sounds like
  // the first.
  std::vector<double> env = Envelope(pcm);
  ASSERT_GE(env.size(), 192u);
  for (size_t t = 0; t < 96; ++t) {
    EXPECT_GT(env[t], 0.01) << "tick " << t;
    EXPECT_NEAR(env[t + 96], env[t], 0.02 * env[t] + 1e-4) << "tick " << t;
  }
  // Voices 1 and 4 are heard on the left, 2 and 3 on the right.
  double left = 0, right = 0;
  for (size_t i = 0; i < pcm.size(); i += 2) left += std::abs(pcm[i]), right += std::abs(pcm[i + 1]);
  EXPECT_GT(left, 0.0);
  EXPECT_GT(right, 0.0);
  EXPECT_NE(left, right);
}

TEST(FutureComposerTune, DamagedFilesAreRefusedOrPlayWithoutFaults) {
  Bytes good = FcBuilder::Song().Build();
  std::string why;
  // Cut short anywhere (the last sample's silent word aside): refused.
  for (size_t n = 0; n + 2 < good.size(); n += 5)
    EXPECT_EQ(OpenTune(Bytes(good.begin(), good.begin() + n), MusicType::FutureComposer, {}, &why), nullptr) << n;
  Bytes fake = good;
  std::copy_n("FC13", 4, fake.begin());
  EXPECT_EQ(OpenTune(fake, MusicType::FutureComposer, {}, &why), nullptr);
  // Offsets and numbers pointing anywhere: plays (or is refused), never reads astray.
  uint32_t seed = 12345;
  for (int round = 0; round < 200; ++round) {
    Bytes b = good;
    for (int k = 0; k < 12; ++k) {
      seed = seed * 1664525u + 1013904223u;
      b[4 + seed % (b.size() - 4)] = static_cast<uint8_t>(seed >> 24);
    }
    if (auto t = OpenTune(b, MusicType::FutureComposer, {}, &why)) RenderSeconds(*t, 0.3);
  }
}

TEST(CorpusTunes, PsidTunesPlayAndRsidTunesAskForTheRoms) {
  std::string shared = SharedDir();
  if (shared.empty()) GTEST_SKIP() << "shared corpus not present";
  int played = 0;
  for (const auto& e : std::filesystem::directory_iterator(shared + "/corpus/sid")) {
    Bytes b = ReadFile(e.path());
    SidInfo info;
    ASSERT_TRUE(ReadSidHeader(b, info, nullptr)) << e.path();
    TuneOptions o;
    o.SidSong = info.StartIndex();
    std::string why;
    auto tune = OpenTune(b, MusicType::Sid, o, &why);
    if (info.Rsid) {
      EXPECT_EQ(tune, nullptr) << e.path();
      EXPECT_EQ(why, kSidRomsMissing);
      continue;
    }
    ASSERT_TRUE(tune) << e.path() << ": " << why;
    EXPECT_GT(Rms(RenderSeconds(*tune, 3.0)), 0.001) << e.path();
    ++played;
  }
  EXPECT_GE(played, 1);
  for (const auto& e : std::filesystem::directory_iterator(shared + "/corpus/fc")) {
    if (e.path().extension() == ".flac") continue;
    auto tune = Open(ReadFile(e.path()), MusicType::FutureComposer);
    ASSERT_TRUE(tune) << e.path();
    EXPECT_GT(Rms(RenderSeconds(*tune, 3.0)), 0.01) << e.path();
  }
}
