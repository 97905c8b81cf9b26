// Parts of the GL engine that need no context: blend mapping, sprite placement, text
// decoding.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/D3DMatrix.h"
#include "engine/gl/GlBlend.h"
#include "engine/gl/GlyphAtlas.h"
#include "engine/gl/SpriteQuad.h"

using namespace quellor;

TEST(GlBlendMap, PlainFactorsAndCombinedOnes) {
  EXPECT_EQ(MapD3DBlend(5, 6).Src, GLenum(GL_SRC_ALPHA));
  EXPECT_EQ(MapD3DBlend(5, 6).Dest, GLenum(GL_ONE_MINUS_SRC_ALPHA));
  EXPECT_EQ(MapD3DBlend(5, 2).Dest, GLenum(GL_ONE));
  EXPECT_EQ(MapD3DBlend(9, 10).Src, GLenum(GL_DST_COLOR));
  EXPECT_EQ(MapD3DBlend(9, 10).Dest, GLenum(GL_ONE_MINUS_DST_COLOR));
  EXPECT_EQ(MapD3DBlend(11, 1).Src, GLenum(GL_SRC_ALPHA_SATURATE));
  EXPECT_EQ(MapD3DBlend(11, 1).Dest, GLenum(GL_ZERO));
  // Source "both" factors decide the destination factor too, whatever it says.
  GlBlendPair both = MapD3DBlend(12, 2);
  EXPECT_EQ(both.Src, GLenum(GL_SRC_ALPHA));
  EXPECT_EQ(both.Dest, GLenum(GL_ONE_MINUS_SRC_ALPHA));
  GlBlendPair inv = MapD3DBlend(13, 1);
  EXPECT_EQ(inv.Src, GLenum(GL_ONE_MINUS_SRC_ALPHA));
  EXPECT_EQ(inv.Dest, GLenum(GL_SRC_ALPHA));
  // Unknown numbers fall back to the default factor of their side.
  EXPECT_EQ(MapD3DBlend(0, 99).Src, GLenum(GL_SRC_ALPHA));
  EXPECT_EQ(MapD3DBlend(0, 99).Dest, GLenum(GL_ONE_MINUS_SRC_ALPHA));
}

TEST(SpritePlacement, ZoomFromTopLeftRotationAboutZoomedCentre) {
  SpriteCorners plain = PlaceSprite(10, 20, 32, 16, 1, 1, 0);
  EXPECT_FLOAT_EQ(plain.X[0], 10);
  EXPECT_FLOAT_EQ(plain.Y[0], 20);
  EXPECT_FLOAT_EQ(plain.X[2], 42);
  EXPECT_FLOAT_EQ(plain.Y[2], 36);

  SpriteCorners zoomed = PlaceSprite(10, 20, 32, 16, 2.0f, 0.5f, 0);
  EXPECT_FLOAT_EQ(zoomed.X[0], 10);  // zoom keeps the top-left corner
  EXPECT_FLOAT_EQ(zoomed.Y[0], 20);
  EXPECT_FLOAT_EQ(zoomed.X[2], 74);
  EXPECT_FLOAT_EQ(zoomed.Y[2], 28);

  // A quarter turn clockwise about the centre (10 + 32, 20 + 4) of the 64 x 8 frame:
  // the top-left corner swings to the top-right of the turned box.
  SpriteCorners turned = PlaceSprite(10, 20, 32, 16, 2.0f, 0.5f, 1.5707963f);
  float cx = 0, cy = 0;
  for (int i = 0; i < 4; ++i) {
    cx += turned.X[i] / 4;
    cy += turned.Y[i] / 4;
  }
  EXPECT_NEAR(cx, 42, 1e-3);
  EXPECT_NEAR(cy, 24, 1e-3);
  EXPECT_NEAR(turned.X[0], 46, 1e-3);
  EXPECT_NEAR(turned.Y[0], -8, 1e-3);
  EXPECT_NEAR(turned.X[1], 46, 1e-3);  // top-right goes down the right edge
  EXPECT_NEAR(turned.Y[1], 56, 1e-3);
}

TEST(TextDecoding, Utf8WithLatin1Fallback) {
  EXPECT_EQ(DecodeText("A\xC3\xA9z"), (std::vector<uint32_t>{'A', 0xE9, 'z'}));
  EXPECT_EQ(DecodeText("\xE2\x82\xAC"), (std::vector<uint32_t>{0x20AC}));
  EXPECT_EQ(DecodeText("\xF0\x9F\x98\x80"), (std::vector<uint32_t>{0x1F600}));
  // A lone Latin-1 byte, a truncated sequence at the end, an overlong form.
  EXPECT_EQ(DecodeText("gr\xFC\xDF"), (std::vector<uint32_t>{'g', 'r', 0xFC, 0xDF}));
  EXPECT_EQ(DecodeText("x\xE2\x82"), (std::vector<uint32_t>{'x', 0xE2, 0x82}));
  EXPECT_EQ(DecodeText("\xC0\xAF"), (std::vector<uint32_t>{0xC0, 0xAF}));
  EXPECT_EQ(DecodeText("\xED\xA0\x80").size(), 3u);  // surrogate half
  EXPECT_TRUE(DecodeText("").empty());
}

TEST(D3DMatrices, ProjectionAndRotationFollowDirect3D) {
  // A point straight ahead at the far plane gets depth 1, at the near plane 0.
  D3DMatrix p = MatrixPerspectiveFovLH(0.785398f, 1.0f, 1.0f, 100.0f);
  auto depth = [&](float z) { return (z * p[10] + p[14]) / (z * p[11]); };
  EXPECT_NEAR(depth(1.0f), 0.0f, 1e-6);
  EXPECT_NEAR(depth(100.0f), 1.0f, 1e-6);
  // Roll turns x towards y; yaw turns z towards x (left-handed, row vectors).
  D3DMatrix roll = MatrixYawPitchRoll(0, 0, 1.5707963f);
  EXPECT_NEAR(roll[0 * 4 + 1], 1.0f, 1e-6);
  D3DMatrix yaw = MatrixYawPitchRoll(1.5707963f, 0, 0);
  EXPECT_NEAR(yaw[2 * 4 + 0], 1.0f, 1e-6);
  D3DMatrix t = MatrixMultiply(MatrixTranslation(1, 2, 3), MatrixTranslation(4, 5, 6));
  EXPECT_FLOAT_EQ(t[12], 5);
  EXPECT_FLOAT_EQ(t[14], 9);
}
