// The hand-over between the main thread and the render side of the sound.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "music/Mixer.h"

using namespace quellor::music;

namespace {

// Renders a constant level; counts its own destruction.
class LevelTune : public Tune {
 public:
  LevelTune(float level, int* freed) : level_(level), freed_(freed) {}
  ~LevelTune() override { ++*freed_; }
  void Render(float* s, size_t n) override {
    for (size_t i = 0; i < n * 2; ++i) s[i] = level_;
    pos_ += static_cast<int32_t>(n);
  }
  int32_t Position() const override { return pos_; }
  void SetPosition(int32_t p) override { pos_ = p; }

 private:
  float level_;
  int* freed_;
  int32_t pos_ = 0;
};

float RenderOne(Mixer& m) {
  float s[2 * 64];
  m.Render(s, 64);
  return s[0];
}

}  // namespace

TEST(MixerHandOver, RequestsTakeEffectOnTheRenderSideAndTunesAreFreedOnlyAfterItLetGo) {
  int freedA = 0, freedB = 0;
  Mixer m;
  m.SetRenderThread(true);  // this test plays the device thread itself
  ASSERT_TRUE(m.Play(std::make_unique<LevelTune>(0.25f, &freedA)));
  EXPECT_TRUE(m.HasTune());
  EXPECT_FALSE(m.Settled());
  EXPECT_EQ(RenderOne(m), 0.25f);
  EXPECT_TRUE(m.Settled());
  EXPECT_EQ(m.Position(), 64);

  ASSERT_TRUE(m.Play(std::make_unique<LevelTune>(0.5f, &freedB)));
  m.Reclaim();
  EXPECT_EQ(freedA, 0) << "freed while the render side may still use it";
  EXPECT_EQ(RenderOne(m), 0.5f);
  m.Reclaim();
  EXPECT_EQ(freedA, 1);

  m.Pause();
  EXPECT_EQ(RenderOne(m), 0.0f);
  m.SetPosition(1000);
  m.Resume();
  EXPECT_EQ(RenderOne(m), 0.5f);
  EXPECT_EQ(m.Position(), 1064);

  m.Stop();
  EXPECT_FALSE(m.HasTune());
  EXPECT_EQ(RenderOne(m), 0.0f);
  m.Reclaim();
  EXPECT_EQ(freedB, 1);
}

TEST(MixerHandOver, WithoutARenderThreadRequestsApplyAtOnceAndAStalledOneNeverBlocks) {
  int freed = 0;
  {
    Mixer m;
    m.Play(std::make_unique<LevelTune>(0.25f, &freed));
    EXPECT_TRUE(m.Settled());
    m.SetPosition(7);
    EXPECT_EQ(m.Position(), 7);
    m.Stop();
    EXPECT_EQ(freed, 1);
  }
  // A device thread that no longer renders: requests pile up to the ring's size, then
  // new tunes are refused (and freed here) instead of waiting.
  Mixer m;
  m.SetRenderThread(true);
  int refused = 0;
  freed = 0;
  for (int i = 0; i < 300; ++i)
    if (!m.Play(std::make_unique<LevelTune>(0.1f, &freed))) ++refused;
  EXPECT_GT(refused, 0);
  EXPECT_EQ(freed, refused);
  EXPECT_EQ(RenderOne(m), 0.1f);  // the render side catches up in one go
  m.Reclaim();
  EXPECT_EQ(freed, 299);
}

TEST(MixerHandOver, ARealRenderThreadSeesOnlyWholeTunes) {
  Mixer m;
  m.SetRenderThread(true);
  std::atomic<bool> run{true};
  std::atomic<int> bad{0};
  std::thread device([&] {
    float s[2 * 256];
    while (run) {
      m.Render(s, 256);
      for (float v : s)
        if (v != 0.0f && v != 0.25f && v != 0.5f) ++bad;
    }
  });
  int freed = 0;
  for (int i = 0; i < 2000; ++i) {
    m.Play(std::make_unique<LevelTune>(i % 2 ? 0.25f : 0.5f, &freed));
    if (i % 7 == 0) m.Stop();
    m.Reclaim();
  }
  m.Stop();
  run = false;
  device.join();
  m.SetRenderThread(false);
  EXPECT_EQ(bad, 0);
  EXPECT_EQ(freed, 2000);
}
