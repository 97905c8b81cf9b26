// Sprite animations run on the preview clock: rate from Speed, range from Frames,
// direction from Dir, the play-once start-up animation holding its last frame, bob
// clones offset from the shared frame.
#include <gtest/gtest.h>

#include <algorithm>

#include "project/CloneTable.h"
#include "render/Bobs.h"
#include "render/Frame.h"
#include "tests/frame_fixtures.h"

using namespace quellor;
using namespace quellor::testing;

namespace {

class Animation : public ModelFixture {
 protected:
  // An 8-frame strip of 16 x 16 frames as animation `kind` (0 start-up, 1 bob).
  void LoadStrip(AnimFields& a, int kind) {
    // Cut into frames as the project reader does once the frame size is known.
    a.Sprite = e.LoadSprite(Png(kind == 0 ? "anim.png" : "bob.png", 128, 16), 16, 16);
    ASSERT_NE(a.Sprite, 0u);
    a.FSizeX = a.FSizeY = 16;
    a.Frames = 8;
  }
  // `ms` of preview time in steps of 50 ms (a SpeedFactor of 3: three 60 Hz frames).
  void Run(int ms) {
    m.Clock.SpeedFactor = 3.0f;
    for (int t = 0; t < ms; t += 50) AnimateSprites(m, e);
  }
};

TEST_F(Animation, FramesAdvanceWithPreviewTimeInEitherDirectionAndWrap) {
  LoadStrip(m.Anim_2d, 0);
  m.Anim_2d.Speed = 50;  // 50 ms a frame
  Run(0);
  EXPECT_EQ(e.SpriteFrame(m.Anim_2d.Sprite), 0);
  Run(150);
  EXPECT_EQ(e.SpriteFrame(m.Anim_2d.Sprite), 3);
  Run(250);  // 400 ms in: frame 8 wraps to 0
  EXPECT_EQ(e.SpriteFrame(m.Anim_2d.Sprite), 0);

  // A frozen preview stops it.
  m.Clock.SpeedFactor = 0.0f;
  AnimateSprites(m, e);
  EXPECT_EQ(e.SpriteFrame(m.Anim_2d.Sprite), 0);

  // Backwards from the frame on screen: 0, 7, 6, ...
  m.Anim_2d.Dir = -1;
  Run(100);
  EXPECT_EQ(e.SpriteFrame(m.Anim_2d.Sprite), 6);

  // Fewer frames than the strip holds: the range is cut to Frames.
  m.Anim_2d.Dir = 1;
  m.Anim_2d.Frames = 3;
  e.SetSpriteFrame(m.Anim_2d.Sprite, 0);
  Run(150);
  EXPECT_EQ(e.SpriteFrame(m.Anim_2d.Sprite), 0);
}

TEST_F(Animation, PlayOnceStopsOnTheLastFrameAndTheDrawShowsIt) {
  LoadStrip(m.Anim_2d, 0);
  m.Anim_2d.Speed = 50;
  m.Anim_2d.Intro = 1;
  TestClock().SetMs(60000);
  for (int i = 0; i < 60; ++i) {  // one second at 60 frames a second
    TestClock().AdvanceMs(17);
    DrawFrame(m, e, nullptr);
  }
  EXPECT_EQ(e.SpriteFrame(m.Anim_2d.Sprite), 7);
  EXPECT_EQ(m.Anim_2d.Frame, 7);
  e.Clear();
  TestClock().AdvanceMs(17);
  DrawFrame(m, e, nullptr);
  TestClock().AdvanceMs(17);
  DrawFrame(m, e, nullptr);  // the 2D pass of the frame before is drawn here
  bool seen = false;
  for (const DrawnSprite& d : e.Drawn)
    if (d.Sprite == m.Anim_2d.Sprite) {
      EXPECT_EQ(d.Frame, 7);
      seen = true;
    }
  EXPECT_TRUE(seen);
}

TEST_F(Animation, BobClonesKeepTheirOwnStartFramesAndAdvanceTogether) {
  LoadStrip(m.Anim_BOB, 1);
  m.Anim_BOB.Speed = 50;
  m.AnimClone.Active = 1;
  m.AnimClone.Count = 20;
  m.AnimClone.AnmPS = 1;  // random start frames
  GenerateClones(m);
  auto frames = [&] {
    m.Draws.clear();
    AddBobRecords(m, e);
    std::vector<int> f;
    for (const DrawRecord& d : m.Draws) f.push_back(d.Frame);
    return f;
  };
  std::vector<int> before = frames();
  ASSERT_EQ(before.size(), 20u);
  EXPECT_NE(std::count(before.begin(), before.end(), before[0]), 20);  // not all alike
  Run(100);  // two frames on
  std::vector<int> after = frames();
  ASSERT_EQ(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i], (before[i] + 2) % 8) << i;
}

}  // namespace
