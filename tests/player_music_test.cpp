// The exported intro's tune around its frames: silent without a sound device (said once),
// and its way out, which fades a V2M song for good.
#include <gtest/gtest.h>

#include <cstdlib>

#include "music/fc/FcTune.h"
#include "music/v2m/V2mTune.h"
#include "player/PlayerMusic.h"
#include "tests/tune_samples.h"
#include "tests/v2m_test_support.h"

namespace quellor {
namespace {

double Listen(PlayerMusic& music, double seconds) {
  std::vector<float> pcm;
  for (long i = 0; i < std::lround(seconds * 60); ++i) {
    music.Upkeep();
    std::vector<float> frame(735 * 2);
    music.Out().Pull(frame.data(), 735);
    pcm.insert(pcm.end(), frame.begin(), frame.end());
  }
  return testing::Rms(pcm);
}

TEST(PlayerMusic, WithoutASoundDeviceTheIntroRunsOnSilentAndSaysSoOnce) {
  ::setenv("SDL_AUDIODRIVER", "quellor-no-such-driver", 1);
  PlayerMusic music(music::kFutureComposerReplayer);
  ::testing::internal::CaptureStderr();
  music.Start(testing::FcBuilder::Song().Build(), true);
  const std::string said = ::testing::internal::GetCapturedStderr();
  ::unsetenv("SDL_AUDIODRIVER");
  EXPECT_FALSE(music.Out().IsOpen());
  size_t at = said.find("no sound device");
  ASSERT_NE(at, std::string::npos) << said;
  EXPECT_EQ(said.find("no sound device", at + 1), std::string::npos) << said;
  // The tune is there all the same (a capture could pull it).
  EXPECT_TRUE(music.Playing());
  EXPECT_GT(Listen(music, 0.3), 0.01);
}

TEST(PlayerMusic, LeavingFadesAV2mSongForGood) {
  // One second long: unless the fade holds, the upkeep starts it again 500 ms after its end.
  music::v2m::V2mSketch song = music::v2m::test::ThreeNoteSong();
  song.endTick = 192;
  PlayerMusic music(music::kV2mReplayer);
  music.Start(music::v2m::WriteV2m(song), false);
  EXPECT_GT(Listen(music, 0.2), 0.01);
  music.Leave(100);
  Listen(music, 0.15);
  EXPECT_EQ(Listen(music, 2.0), 0.0);
  music.Stop();
  EXPECT_FALSE(music.Playing());
}

}  // namespace
}  // namespace quellor
