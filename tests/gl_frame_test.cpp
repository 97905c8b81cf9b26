// Backdrop, texts, render targets and point sprites of the GL engine, and its draw
// order against the recording engine, on read-back pixels of a headless context.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "engine/D3DMatrix.h"
#include "engine/gl/GlEngine.h"
#include "engine/recording/RecordingEngine.h"
#include "gl_test_support.h"

using namespace quellor;
using namespace quellor::gltest;

namespace {
int InkPixels(const Image& img, int x0, int y0, int x1, int y1, Rgb background) {
  int n = 0;
  for (int y = std::max(0, y0); y < std::min(img.Height, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(img.Width, x1); ++x)
      n += !Same(PixelAt(img, x, y), background);
  return n;
}
}  // namespace

TEST(GlFrame, BackdropCoversTheScreenAndScrollsWithWrapAndCarry) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(40, 30));
  Image grad = Gradient(40, 30);
  Handle b = e.CreateBackdrop(e.TextureFromImage(grad));
  ASSERT_NE(b, 0u);
  auto expectShifted = [&](int ox, int oy) {
    e.RenderWorld();
    Image shot = e.ReadScreen();
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x)
        ASSERT_TRUE(Same(PixelAt(shot, x, y), PixelAt(grad, (x + ox) % 40, (y + oy) % 30)))
            << "offset " << ox << "," << oy << " pixel " << x << "," << y;
  };
  expectShifted(0, 0);
  e.ScrollBackdrop(b, 0, 1.5f);  // dy, dx: one whole pixel, half carried
  expectShifted(1, 0);
  e.ScrollBackdrop(b, 0, 1.5f);  // 1.5 + 0.5 carried = 2
  expectShifted(3, 0);
  e.ScrollBackdrop(b, 2.25f, 38.0f);  // wraps past the right edge
  expectShifted(1, 2);
  e.ScrollBackdrop(b, -3.0f, 0);  // -3 + 0.25 carried: two pixels back, -0.75 carried
  expectShifted(1, 0);
  e.ScrollBackdrop(b, -0.5f, 0);  // negative steps wrap too
  expectShifted(1, 29);

  // Sprites lie on top of the backdrop.
  Handle s = e.CreateSprite(e.TextureFromImage(Solid(4, 4, 0xFFFFFFFFu)));
  e.DisplaySprite(s, 10, 10, 255);
  e.RenderWorld();
  EXPECT_TRUE(Same(PixelAt(e.ReadScreen(), 11, 11), {255, 255, 255}));
}

TEST(GlFrame, TextsAreDrawnInTheirColourWhereQueued) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(200, 100));
  if (e.FontFile().empty()) GTEST_SKIP() << "no font: " << e.ErrorText();
  e.SetClearColor(0xFF000000u);
  e.SetTextColor(0xFFFFFFFFu);
  e.DrawText(10, 10, "Hello World");
  e.DrawTextColored(20, 60, "Quellor\nline", 0xFFFF0000u);
  e.RenderWorld();
  Image shot = e.ReadScreen();
  const Rgb black{0, 0, 0};
  const int white = InkPixels(shot, 10, 10, 110, 28, black);
  EXPECT_GT(white, 60);
  EXPECT_GT(InkPixels(shot, 20, 60, 80, 76, black), 30);
  EXPECT_GT(InkPixels(shot, 20, 76, 60, 95, black), 10);  // the second line
  // Nothing outside the text boxes.
  const int all = InkPixels(shot, 0, 0, 200, 100, black);
  EXPECT_EQ(all, white + InkPixels(shot, 20, 60, 80, 95, black));
  for (int y = 60; y < 95; ++y)
    for (int x = 20; x < 80; ++x) {
      Rgb p = PixelAt(shot, x, y);
      ASSERT_EQ(p.G, 0);
      ASSERT_EQ(p.B, 0);
    }
  // Texts were taken from the queue, and FlushText draws without clearing.
  Handle s = e.CreateSprite(e.TextureFromImage(Solid(8, 8, 0xFF0000FFu)));
  e.DisplaySprite(s, 150, 50, 255);
  e.RenderWorld();
  EXPECT_EQ(InkPixels(e.ReadScreen(), 0, 0, 140, 100, black), 0);
  e.DrawTextColored(10, 10, "Flush", 0x80FFFFFFu);
  e.FlushText();
  Image flushed = e.ReadScreen();
  EXPECT_TRUE(Same(PixelAt(flushed, 152, 52), {0, 0, 255}));
  int brightest = 0;
  for (int y = 10; y < 28; ++y)
    for (int x = 10; x < 60; ++x) brightest = std::max(brightest, PixelAt(flushed, x, y).R);
  EXPECT_GT(brightest, 60);   // half-transparent text is drawn ...
  EXPECT_LT(brightest, 140);  // ... at half strength
}

TEST(GlFrame, TextsKeepADarkShadowOverBrightAreas) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(200, 80));
  if (e.FontFile().empty()) GTEST_SKIP() << "no font: " << e.ErrorText();
  e.SetClearColor(0xFFFFFFFFu);
  e.DrawTextColored(10, 10, "Hello World", 0xC8FFFFFFu);  // a status line's white
  e.DrawTextColored(10, 40, "Quellor", 0xFFFF0000u);
  e.RenderWorld();
  Image shot = e.ReadScreen();
  auto count = [&](int x0, int y0, int x1, int y1, auto&& pick) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += pick(PixelAt(shot, x, y));
    return n;
  };
  auto dark = [](Rgb p) { return p.R < 100 && p.G < 100 && p.B < 100; };
  // White on white would vanish without it; the shadow shows where the glyphs are.
  const int shadowOfWhite = count(10, 10, 110, 30, dark);
  EXPECT_GT(shadowOfWhite, 30);
  // The coloured text still lies on top of its own shadow, in its own colour.
  EXPECT_GT(count(10, 40, 70, 60, [](Rgb p) { return p.R > 200 && p.G < 60 && p.B < 60; }), 20);
  EXPECT_GT(count(10, 40, 70, 60, dark), 10);
  // Shadows stay one pixel from their glyphs: nothing dark above or left of the texts,
  // and everything dark lies in the two text boxes.
  EXPECT_EQ(count(0, 0, 200, 10, dark) + count(0, 0, 10, 80, dark), 0);
  EXPECT_EQ(count(0, 0, 200, 80, dark), shadowOfWhite + count(10, 40, 70, 60, dark));
}

TEST(GlFrame, DrawsTheSameSequenceAsTheRecordingEngine) {
  QUELLOR_REQUIRE_GL();
  GlEngine gl;
  RecordingEngine rec;
  ASSERT_TRUE(gl.Open(120, 90));
  ASSERT_TRUE(rec.Open(120, 90));
  gl.SetClearColor(0xFF000000u);
  std::mt19937 rng(7);
  std::vector<Handle> glSprites, recSprites;
  std::unordered_map<Handle, uint32_t> colourOf;  // recording handle -> colour
  for (int i = 0; i < 12; ++i) {
    uint32_t colour = 0xFF000000u | (static_cast<uint32_t>(20 * i + 15) << 16) |
                      (static_cast<uint32_t>(255 - 17 * i) << 8) | static_cast<uint32_t>(i * 9);
    int w = 6 + static_cast<int>(rng() % 20), h = 6 + static_cast<int>(rng() % 20);
    glSprites.push_back(gl.CreateSprite(gl.TextureFromImage(Solid(w, h, colour))));
    recSprites.push_back(rec.CreateSprite(rec.TextureFromImage(Solid(w, h, colour))));
    colourOf[recSprites.back()] = colour;
  }
  for (int step = 0; step < 60; ++step) {
    int k = static_cast<int>(rng() % 12);
    int x = static_cast<int>(rng() % 110) - 5, y = static_cast<int>(rng() % 80) - 5;
    if (rng() % 7 == 0) {
      int end = static_cast<int>(rng() % 2);
      gl.SpriteToFront(glSprites[k], end);
      rec.SpriteToFront(recSprites[k], end);
    }
    gl.DisplaySprite(glSprites[k], x, y, 255);
    rec.DisplaySprite(recSprites[k], x, y, 255);
  }
  gl.RenderWorld();
  rec.RenderWorld();
  ASSERT_EQ(rec.Drawn.size(), 60u);
  // Paint the recorded sequence by hand, opaque rectangles in recorded order.
  std::vector<uint32_t> canvas(120 * 90, 0xFF000000u);
  for (const DrawnSprite& d : rec.Drawn) {
    int w = rec.SpriteWidth(d.Sprite), h = rec.SpriteHeight(d.Sprite);
    for (int y = std::max(0, d.Y); y < std::min(90, d.Y + h); ++y)
      for (int x = std::max(0, d.X); x < std::min(120, d.X + w); ++x)
        canvas[static_cast<size_t>(y) * 120 + x] = colourOf[d.Sprite];
  }
  Image shot = gl.ReadScreen();
  for (int y = 0; y < 90; ++y)
    for (int x = 0; x < 120; ++x) {
      uint32_t c = canvas[static_cast<size_t>(y) * 120 + x];
      Rgb want{static_cast<int>((c >> 16) & 255), static_cast<int>((c >> 8) & 255),
               static_cast<int>(c & 255)};
      ASSERT_TRUE(Same(PixelAt(shot, x, y), want)) << "pixel " << x << "," << y;
    }
}

TEST(GlFrame, RenderTargetGrabOverlayAndCopyBack) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(64, 48));
  Image grad = Gradient(64, 48);
  Handle bd = e.CreateBackdrop(e.TextureFromImage(grad));
  e.RenderWorld();
  Image before = e.ReadScreen();
  Handle target = e.CreateRenderTarget(64, 48);
  ASSERT_NE(target, 0u);
  EXPECT_EQ(e.TextureWidth(target), 64);
  e.GrabScreen(target);

  e.FreeBackdrop(bd);
  e.SetClearColor(0xFF00FF00u);
  e.RenderWorld();
  EXPECT_TRUE(Same(PixelAt(e.ReadScreen(), 5, 5), {0, 255, 0}));

  // Overlay sprites land in the target at their screen places, without clearing it.
  Handle s = e.CreateSprite(e.TextureFromImage(Solid(8, 4, 0xFFFFFFFFu)));
  e.DisplaySprite(s, 50, 2, 255);
  e.RenderOverlayToTarget(target);
  EXPECT_FALSE(e.HasQueuedDraws());
  EXPECT_TRUE(Same(PixelAt(e.ReadScreen(), 52, 3), {0, 255, 0}));  // screen untouched
  e.CopyTargetToScreen(target);
  Image after = e.ReadScreen();
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) {
      bool sprite = x >= 50 && x < 58 && y >= 2 && y < 6;
      ASSERT_TRUE(Same(PixelAt(after, x, y), sprite ? Rgb{255, 255, 255} : PixelAt(before, x, y)))
          << "pixel " << x << "," << y;
    }

  // A target is a texture like any other, top row first: a sprite of it shows the grab.
  Handle fromTarget = e.CreateSprite(target, 16, 16);
  e.SetClearColor(0xFF000000u);
  e.DisplaySprite(fromTarget, 10, 20, 255);
  e.RenderWorld();
  Image shown = e.ReadScreen();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_TRUE(Same(PixelAt(shown, 10 + x, 20 + y), PixelAt(before, x, y)));
  EXPECT_TRUE(e.IsRenderTarget(target));
  e.FreeRenderTarget(target);
  EXPECT_FALSE(e.IsRenderTarget(target));
  EXPECT_EQ(e.TextureWidth(target), 0);
  e.GrabScreen(target);  // a freed target is ignored
  e.CopyTargetToScreen(target);
  e.DisplaySprite(s, 0, 0, 255);
  e.RenderOverlayToTarget(target);
  EXPECT_FALSE(e.HasQueuedDraws());
}

TEST(GlFrame, PointSpritesAddUpUnderTheWorldMatrix) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(100, 100));
  e.SetClearColor(0xFF101010u);
  Handle tex = e.TextureFromImage(Solid(8, 8, 0xFFFFFFFFu));
  // Two equal points straight ahead; size 10 at distance 100 on a 100 pixel high
  // screen gives 10 pixels across.
  PointVertex pts[3] = {{0, 0, 100, 10, 0xFF102030u, 0},
                        {0, 0, 100, 10, 0xFF102030u, 0},
                        {0, 0, -50, 10, 0xFFFFFFFFu, 0}};  // behind the camera
  e.RenderWorld();
  e.DrawPoints(pts, 3, tex, nullptr);
  Image shot = e.ReadScreen();
  EXPECT_TRUE(Same(PixelAt(shot, 50, 50), {0x30, 0x50, 0x70}));
  EXPECT_TRUE(Same(PixelAt(shot, 46, 46), {0x30, 0x50, 0x70}));
  EXPECT_TRUE(Same(PixelAt(shot, 50, 42), {0x10, 0x10, 0x10}));
  EXPECT_TRUE(Same(PixelAt(shot, 10, 10), {0x10, 0x10, 0x10}));

  // Moved right and up by the world matrix: x grows to the right, y upwards.
  D3DMatrix world = MatrixTranslation(20, 20, 0);
  e.RenderWorld();
  e.DrawPoints(pts, 1, tex, world.data());
  shot = e.ReadScreen();
  EXPECT_TRUE(Same(PixelAt(shot, 50, 50), {0x10, 0x10, 0x10}));
  const float ys = 1.0f / std::tan(0.785398f / 2);  // 45 degree field of view
  const int sx = 50 + static_cast<int>(std::lround(20.0f / 100 * ys * 50));
  const int sy = 50 - static_cast<int>(std::lround(20.0f / 100 * ys * 50));
  EXPECT_TRUE(Same(PixelAt(shot, sx, sy), {0x20, 0x30, 0x40}));

  // No texture, no points; more than the buffer holds are cut, not overrun: the
  // last point that fits is drawn, those after it are not.
  e.RenderWorld();
  e.DrawPoints(pts, 1, 0, nullptr);
  std::vector<PointVertex> many(12000, PointVertex{0, 0, 100, 1, 0xFF000000u, 0});
  many[9998] = {-20, -20, 100, 10, 0xFFFFFFFFu, 0};
  for (size_t i = 9999; i < many.size(); ++i) many[i] = {20, 20, 100, 10, 0xFFFFFFFFu, 0};
  e.DrawPoints(many.data(), static_cast<int>(many.size()), tex, nullptr);
  shot = e.ReadScreen();
  EXPECT_TRUE(Same(PixelAt(shot, 100 - sx, 100 - sy), {255, 255, 255}));
  EXPECT_TRUE(Same(PixelAt(shot, sx, sy), {0x10, 0x10, 0x10}));
}

TEST(GlFrame, FlipPresentsThroughTheHostAndMeasuresTime) {
  QUELLOR_REQUIRE_GL();
  int presented = 0;
  GlEngine e([&] { ++presented; });
  ASSERT_TRUE(e.Open(32, 32));
  ManualClock clock(1000);
  e.SetClock(clock);
  e.FlipBuffers();
  clock.Set100ns(1000 + 166667);  // 16.6667 ms in 100 ns units
  e.FlipBuffers();
  EXPECT_EQ(presented, 2);
  EXPECT_NEAR(e.LastFrameSeconds(), 0.0166667f, 1e-6);
}
