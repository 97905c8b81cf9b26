#include <gtest/gtest.h>

#include "engine/gl/GlEngine.h"
#include "gl_test_support.h"

using namespace quellor;
using namespace quellor::gltest;

TEST(GlEngine, SpriteAtZoom100CoversItsTexelsOneToOne) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(100, 80)) << e.ErrorText();
  e.SetClearColor(0xFF000000u);
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
}
