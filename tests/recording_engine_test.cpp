#include <gtest/gtest.h>

#include "engine/recording/RecordingEngine.h"

using namespace quellor;

namespace {
Image Solid(int w, int h) {
  Image img;
  img.Width = w;
  img.Height = h;
  img.Rgba.assign(static_cast<size_t>(w) * h * 4, 255);
  return img;
}
}  // namespace

TEST(RecordingEngine, DrawsBySpriteListThenQueueOrder) {
  RecordingEngine e;
  ASSERT_TRUE(e.Open(800, 600));
  Handle t = e.TextureFromImage(Solid(32, 32));
  Handle a = e.CreateSprite(t), b = e.CreateSprite(t);
  e.DisplaySprite(b, 1, 1, 255);
  e.DisplaySprite(a, 2, 2, 255);
  e.RotateSprite(b, 90);
  e.DisplaySprite(b, 3, 3, 128);
  e.RenderWorld();
  ASSERT_EQ(e.Drawn.size(), 3u);
  EXPECT_EQ(e.Drawn[0].Sprite, a);
  EXPECT_EQ(e.Drawn[1].Sprite, b);
  EXPECT_EQ(e.Drawn[1].X, 1);
  EXPECT_NEAR(e.Drawn[1].RotationDeg, 0.0f, 1e-4);  // state recorded at call time
  EXPECT_NEAR(e.Drawn[2].RotationDeg, 90.0f, 1e-3);
  EXPECT_EQ(e.Drawn[2].Alpha, 128);

  e.Clear();
  e.SpriteToFront(a, 1);
  e.DisplaySprite(a, 0, 0, 255);
  e.DisplaySprite(b, 0, 0, 255);
  e.RenderWorld();
  ASSERT_EQ(e.Drawn.size(), 2u);
  EXPECT_EQ(e.Drawn[0].Sprite, b);
  EXPECT_EQ(e.Drawn[1].Sprite, a);
}

TEST(RecordingEngine, BlendOutsideOneToThirteenKeepsTheFactor) {
  RecordingEngine e;
  e.Open(64, 64);
  Handle s = e.CreateSprite(e.TextureFromImage(Solid(4, 4)));
  e.SpriteBlending(s, 5, 2);
  e.SpriteBlending(s, 14, 0);
  e.DisplaySprite(s, 0, 0, 255);
  e.RenderWorld();
  ASSERT_EQ(e.Drawn.size(), 1u);
  EXPECT_EQ(e.Drawn[0].SrcBlend, 5);
  EXPECT_EQ(e.Drawn[0].DestBlend, 2);
}

TEST(RecordingEngine, SpriteFramesClampAndSheetSizes) {
  RecordingEngine e;
  e.Open(64, 64);
  Handle s = e.CreateSprite(e.TextureFromImage(Solid(128, 64)), 32, 32);
  EXPECT_EQ(e.SpriteWidth(s), 32);
  EXPECT_EQ(e.SpriteFrameCount(s), 8);
  e.SetSpriteFrame(s, 99);
  EXPECT_EQ(e.SpriteFrame(s), 7);
  e.SetSpriteFrame(s, -3);
  EXPECT_EQ(e.SpriteFrame(s), 0);
  EXPECT_EQ(e.SpriteWidth(12345), 0);
}

TEST(RecordingEngine, BackdropScrollCarriesFractionsAndWraps) {
  RecordingEngine e;
  e.Open(64, 64);
  Handle bd = e.CreateBackdrop(e.TextureFromImage(Solid(10, 10)));
  e.ScrollBackdrop(bd, 0, 0.6f);
  EXPECT_EQ(e.Backdrop(bd)->OffsetX, 0);
  e.ScrollBackdrop(bd, 0, 0.6f);  // 1.2 -> one pixel, 0.2 carried
  EXPECT_EQ(e.Backdrop(bd)->OffsetX, 1);
  e.ScrollBackdrop(bd, 0, 9.8f);  // 11.0 total -> wraps to 1
  EXPECT_EQ(e.Backdrop(bd)->OffsetX, 1);
  e.ScrollBackdrop(bd, -2.0f, 0);
  EXPECT_EQ(e.Backdrop(bd)->OffsetY, 8);
}

TEST(RecordingEngine, KeyHitFiresOnceOnPress) {
  RecordingEngine e;
  EXPECT_FALSE(e.KeyDown(-1));
  e.SetKeyState(0x1C, true);
  EXPECT_TRUE(e.KeyDown(-1));
  EXPECT_TRUE(e.KeyHit(0x1C));
  EXPECT_FALSE(e.KeyHit(0x1C));
  e.SetKeyState(0x1C, false);
  EXPECT_FALSE(e.KeyHit(0x1C));
  e.SetKeyState(0x1C, true);
  EXPECT_TRUE(e.KeyHit(0x1C));
}

TEST(RecordingEngine, MeasureFpsCountsOverHalfSecondWindows) {
  RecordingEngine e;
  ManualClock clock;
  e.SetClock(clock);
  e.Open(64, 64);
  int fps = 0;
  for (int i = 0; i < 20; ++i) {
    clock.AdvanceMs(30);
    e.FlipBuffers();
    fps = e.MeasureFps();
    if (i == 0) EXPECT_EQ(fps, 60);  // before the first half second is measured
  }
  EXPECT_EQ(fps, 34);  // 17 frames exceed 0.5 s -> 17 x 2
}

TEST(RecordingEngine, TextureRowsAndColumnsScrollWithWrap) {
  RecordingEngine e;
  e.Open(64, 64);
  Image img;
  img.Width = 3;
  img.Height = 2;
  for (int i = 0; i < 6; ++i) img.Rgba.insert(img.Rgba.end(), {uint8_t(i), 0, 0, 255});
  Handle t = e.TextureFromImage(img);
  auto red = [&](int x, int y) { return e.Texture(t)->Pixels.Rgba[(y * 3 + x) * 4]; };
  e.ScrollTextureRows(t, 1, 0);  // columns one to the left
  EXPECT_EQ(red(0, 0), 1);
  EXPECT_EQ(red(2, 0), 0);
  EXPECT_EQ(red(0, 1), 4);
  e.ScrollTextureRows(t, -1, 3);  // back again, and rows up by 3 = 1 (mod 2)
  EXPECT_EQ(red(0, 0), 3);
  EXPECT_EQ(red(2, 1), 2);
}
