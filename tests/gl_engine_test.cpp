// Sprite drawing of the GL engine, checked on read-back pixels of a headless context.
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "engine/gl/GlEngine.h"
#include "gl_test_support.h"

using namespace quellor;
using namespace quellor::gltest;

namespace {
constexpr uint32_t kBlack = 0xFF000000u;

// Expected screen pixel of a sprite drawn at (px, py) with zoom and rotation, found by
// taking the pixel centre back into the frame; false outside the frame.
bool TexelUnder(int sx, int sy, int px, int py, int w, int h, float zx, float zy, float rad,
                int* tx, int* ty) {
  const double cx = w * zx / 2.0, cy = h * zy / 2.0;
  const double dx = sx + 0.5 - px - cx, dy = sy + 0.5 - py - cy;
  const double c = std::cos(rad), s = std::sin(rad);
  const double lx = dx * c + dy * s + cx, ly = -dx * s + dy * c + cy;
  const double u = lx / zx, v = ly / zy;
  if (u < 0 || v < 0 || u >= w || v >= h) return false;
  *tx = static_cast<int>(u);
  *ty = static_cast<int>(v);
  return true;
}
}  // namespace

TEST(GlEngine, SpriteAtZoom100CoversItsTexelsOneToOne) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(100, 80)) << e.ErrorText();
  e.SetClearColor(kBlack);
  Image grad = Gradient(32, 32);
  Handle s = e.CreateSprite(e.TextureFromImage(grad));
  e.DisplaySprite(s, 10, 20, 255);
  e.RenderWorld();
  Image shot = e.ReadScreen();
  ASSERT_EQ(shot.Width, 100);
  ASSERT_EQ(shot.Height, 80);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 100; ++x) {
      bool inside = x >= 10 && x <= 41 && y >= 20 && y <= 51;
      Rgb want = inside ? PixelAt(grad, x - 10, y - 20) : Rgb{0, 0, 0};
      ASSERT_TRUE(Same(PixelAt(shot, x, y), want)) << "pixel " << x << "," << y;
    }
  // Drawn entries leave the queue: the next frame shows only the clear colour.
  e.SetClearColor(0xFF0000FFu);
  e.RenderWorld();
  EXPECT_TRUE(Same(PixelAt(e.ReadScreen(), 20, 30), {0, 0, 255}));
}

TEST(GlEngine, ZoomAndRotationPlaceTexelsAsTheTransformSays) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(160, 120));
  e.SetClearColor(kBlack);
  Image grad = Gradient(32, 16);
  Handle tex = e.TextureFromImage(grad);
  Handle zoomed = e.CreateSprite(tex);
  Handle turned = e.CreateSprite(tex);
  e.ZoomSprite(zoomed, 200, 300);
  e.DisplaySprite(zoomed, 4, 2, 255);
  e.RotateSprite(turned, 90);
  e.ZoomSprite(turned, 100, 200);
  e.DisplaySprite(turned, 90, 40, 255);
  e.RenderWorld();
  Image shot = e.ReadScreen();
  const float rad = 90 * 0.017453f;
  int checked = 0;
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 160; ++x) {
      int tx, ty;
      Rgb want{0, 0, 0};
      if (TexelUnder(x, y, 90, 40, 32, 16, 1, 2, rad, &tx, &ty))
        want = PixelAt(grad, tx, ty);
      else if (TexelUnder(x, y, 4, 2, 32, 16, 2, 3, 0, &tx, &ty))
        want = PixelAt(grad, tx, ty);
      ASSERT_TRUE(Same(PixelAt(shot, x, y), want)) << "pixel " << x << "," << y;
      checked += want.R + want.G + want.B > 0;
    }
  EXPECT_GT(checked, 64 * 48 + 32 * 32 - 40);  // both sprites really landed on screen
  // The turned sprite (32 x 32 after zoom) keeps its centre at (90 + 16, 40 + 16):
  // its first texel column now runs along the top edge, right to left.
  EXPECT_TRUE(Same(PixelAt(shot, 121, 40), PixelAt(grad, 0, 0)));
  EXPECT_TRUE(Same(PixelAt(shot, 90, 40), PixelAt(grad, 0, 15)));
}

TEST(GlEngine, StackingFollowsTheSpriteListNotTheCallOrder) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(64, 64));
  Handle red = e.CreateSprite(e.TextureFromImage(Solid(16, 16, 0xFFFF0000u)));
  Handle green = e.CreateSprite(e.TextureFromImage(Solid(16, 16, 0xFF00FF00u)));
  Handle blue = e.CreateSprite(e.TextureFromImage(Solid(16, 16, 0xFF0000FFu)));
  auto top = [&]() {
    e.DisplaySprite(blue, 8, 8, 255);
    e.DisplaySprite(green, 8, 8, 255);
    e.DisplaySprite(red, 8, 8, 255);
    e.RenderWorld();
    return PixelAt(e.ReadScreen(), 12, 12);
  };
  EXPECT_TRUE(Same(top(), {0, 0, 255}));  // created last, drawn last
  e.SpriteToFront(red, 1);
  EXPECT_TRUE(Same(top(), {255, 0, 0}));
  e.SpriteToFront(red, 0);  // back to the start: blue on top again
  EXPECT_TRUE(Same(top(), {0, 0, 255}));
  e.SpriteToFront(green, 1);
  EXPECT_TRUE(Same(top(), {0, 255, 0}));

  // Entries of one sprite keep their call order and the state of their call: the
  // second entry blends to black (zero, zero) over the first.
  e.DisplaySprite(red, 30, 30, 255);
  e.SpriteBlending(red, 1, 1);
  e.DisplaySprite(red, 30, 30, 255);
  e.SpriteBlending(red, 5, 6);
  e.DisplaySprite(red, 40, 40, 255);
  e.RenderWorld();
  Image shot = e.ReadScreen();
  EXPECT_TRUE(Same(PixelAt(shot, 35, 35), {0, 0, 0}));
  EXPECT_TRUE(Same(PixelAt(shot, 50, 50), {255, 0, 0}));
}

TEST(GlEngine, BlendFactorsAndAlphaModulation) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(32, 32));
  e.SetClearColor(0xFF404040u);
  Handle s = e.CreateSprite(e.TextureFromImage(Solid(8, 8, 0xFFC86432u)));  // 200, 100, 50
  auto drawn = [&](int src, int dest, int alpha) {
    e.SpriteBlending(s, src, dest);
    e.DisplaySprite(s, 4, 4, alpha);
    e.RenderWorld();
    return PixelAt(e.ReadScreen(), 6, 6);
  };
  const double a = 128 / 255.0;
  auto near = [](Rgb got, double r, double g, double b) {
    return std::abs(got.R - r) <= 1.5 && std::abs(got.G - g) <= 1.5 && std::abs(got.B - b) <= 1.5;
  };
  Rgb normal = drawn(5, 6, 128);
  EXPECT_TRUE(near(normal, 200 * a + 64 * (1 - a), 100 * a + 64 * (1 - a), 50 * a + 64 * (1 - a)))
      << normal.R << " " << normal.G << " " << normal.B;
  Rgb additive = drawn(5, 2, 128);
  EXPECT_TRUE(near(additive, 200 * a + 64, 100 * a + 64, 50 * a + 64))
      << additive.R << " " << additive.G << " " << additive.B;
  Rgb saturated = drawn(2, 2, 255);
  EXPECT_TRUE(Same(saturated, {255, 164, 114}));
  Rgb opaque = drawn(5, 6, 255);
  EXPECT_TRUE(Same(opaque, {200, 100, 50}));
  // "Both source alpha" as source factor means plain alpha blending.
  Rgb both = drawn(12, 2, 128);
  EXPECT_TRUE(Same(both, normal, 1));
  // The screen has no alpha of its own: destination alpha reads as one.
  Rgb destAlpha = drawn(7, 1, 128);
  EXPECT_TRUE(Same(destAlpha, {200, 100, 50}));
  // Factors outside 1..13 leave the sprite's factors as they were (7, 1 here).
  Rgb kept = drawn(14, 0, 128);
  EXPECT_TRUE(Same(kept, {200, 100, 50}));
  Rgb hidden = drawn(5, 6, 0);
  EXPECT_TRUE(Same(hidden, {64, 64, 64}));

  // Every pair of factors is one GL accepts.
  while (glGetError() != GL_NO_ERROR) {
  }
  for (int src = 1; src <= 13; ++src)
    for (int dest = 1; dest <= 13; ++dest) {
      e.SpriteBlending(s, src, dest);
      e.DisplaySprite(s, 4, 4, 100);
    }
  e.RenderWorld();
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(GlEngine, AnimationFramesShowTheirPartOfTheTexture) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(64, 64));
  e.SetClearColor(kBlack);
  Image grad = Gradient(32, 32);
  Handle s = e.CreateSprite(e.TextureFromImage(grad), 16, 16);
  ASSERT_EQ(e.SpriteFrameCount(s), 4);
  e.DisplaySprite(s, 0, 0, 255, 3);  // bottom-right quarter
  e.SetSpriteFrame(s, 1);
  e.DisplaySprite(s, 32, 32, 255);  // the sprite's current frame: top-right quarter
  e.RenderWorld();
  Image shot = e.ReadScreen();
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      ASSERT_TRUE(Same(PixelAt(shot, x, y), PixelAt(grad, 16 + x, 16 + y)));
      ASSERT_TRUE(Same(PixelAt(shot, 32 + x, 32 + y), PixelAt(grad, 16 + x, y)));
    }
  EXPECT_TRUE(Same(PixelAt(shot, 16, 16), {0, 0, 0}));
}

TEST(GlEngine, ChangedTexturePixelsReachTheScreenAndFreedOnesAreSkipped) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(40, 40));
  e.SetClearColor(kBlack);
  Image grad = Gradient(8, 8);
  Handle tex = e.TextureFromImage(grad);
  Handle s = e.CreateSprite(tex);
  e.DisplaySprite(s, 0, 0, 255);
  e.RenderWorld();
  EXPECT_TRUE(Same(PixelAt(e.ReadScreen(), 0, 0), PixelAt(grad, 0, 0)));
  e.ScrollTextureRows(tex, 0, 3);  // rows move up by three
  e.DisplaySprite(s, 0, 0, 255);
  e.RenderWorld();
  EXPECT_TRUE(Same(PixelAt(e.ReadScreen(), 0, 0), PixelAt(grad, 0, 3)));
  EXPECT_TRUE(Same(PixelAt(e.ReadScreen(), 2, 7), PixelAt(grad, 2, 2)));
  ASSERT_TRUE(e.ResizeTexture(tex, 16, 16));  // the sprite keeps its 8 x 8 frame
  e.DisplaySprite(s, 0, 0, 255);
  e.RenderWorld();
  EXPECT_TRUE(Same(PixelAt(e.ReadScreen(), 7, 7), PixelAt(grad, 3, 6)));

  e.FreeTexture(tex);  // the sprite still names it
  e.DisplaySprite(s, 0, 0, 255);
  e.RenderWorld();
  EXPECT_TRUE(Same(PixelAt(e.ReadScreen(), 1, 1), {0, 0, 0}));
  EXPECT_FALSE(e.HasQueuedDraws());
}

TEST(GlEngine, EqualStateIsDrawnInOneCallPerRun) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(200, 200));
  Handle t1 = e.TextureFromImage(Solid(4, 4, 0xFFFFFFFFu));
  Handle t2 = e.TextureFromImage(Solid(4, 4, 0xFF808080u));
  Handle a = e.CreateSprite(t1), b = e.CreateSprite(t1), c = e.CreateSprite(t2);
  for (int i = 0; i < 500; ++i) {
    e.DisplaySprite(c, i % 200, i / 2, 200);
    e.DisplaySprite(a, i % 200, i / 3, 255);
    e.DisplaySprite(b, i / 3, i % 200, 128);
  }
  e.RenderWorld();
  EXPECT_EQ(e.LastDrawCalls(), 2);  // a and b share texture and blend, then c
  e.SpriteBlending(b, 5, 2);
  e.DisplaySprite(a, 0, 0, 255);
  e.DisplaySprite(b, 0, 0, 255);
  e.DisplaySprite(c, 0, 0, 255);
  e.RenderWorld();
  EXPECT_EQ(e.LastDrawCalls(), 3);
}

TEST(GlEngine, OpenWithoutCurrentContextFailsWithDeviceError) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  EXPECT_FALSE(e.Open(0, 10));
  EXPECT_EQ(e.LastError(), 2);
  {
    auto other = EglContext::Create();
    ASSERT_NE(other, nullptr);
  }  // destroying it leaves no context current
  GlEngine bare;
  EXPECT_FALSE(bare.Open(32, 32));
  EXPECT_EQ(bare.LastError(), 2);
  EXPECT_EQ(bare.ErrorText().rfind("#2 Directx Device kann nicht erzeugt werden, DX9 fehlt", 0), 0u);
  // Drawing on an engine that never opened stays harmless and drops its queue.
  Handle s = bare.CreateSprite(bare.TextureFromImage(Solid(4, 4, 0xFFFFFFFFu)));
  bare.DisplaySprite(s, 0, 0, 255);
  bare.DrawText(0, 0, "x");
  bare.RenderWorld();
  EXPECT_FALSE(bare.HasQueuedDraws());
  EXPECT_TRUE(bare.ReadScreen().Rgba.empty());
  // An engine outliving its context lets go without touching GL.
  {
    auto own = EglContext::Create();
    ASSERT_NE(own, nullptr);
    auto late = std::make_unique<GlEngine>();
    ASSERT_TRUE(late->Open(16, 16));
    late->CreateRenderTarget(16, 16);
    late->RenderWorld();
    own.reset();
    late.reset();
  }
  ASSERT_TRUE(Context()->MakeCurrent());
}
