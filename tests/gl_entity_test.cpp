// Entities drawn by the GL engine, checked on read-back pixels of a headless context.
#include <gtest/gtest.h>

#include "engine/gl/GlEngine.h"
#include "gl_test_support.h"

using namespace quellor;
using namespace quellor::gltest;

namespace {
constexpr uint32_t kBlue = 0xFF0000FFu;

int Brightness(Rgb c) { return c.R + c.G + c.B; }

Handle Teapot(GlEngine& e) {
  Handle h = e.CreatePrimitive(Primitive::Teapot);
  e.PositionEntity(h, 0, 0, 10);
  e.TurnEntity(h, 20, 30, 0);
  return h;
}
}  // namespace

TEST(GlEntities, LitTeapotCoversTheCentreBetweenBackdropAndSprites) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(200, 150)) << e.ErrorText();
  e.SetClearColor(kBlue);
  Handle pot = Teapot(e);
  ASSERT_NE(pot, 0u);
  e.RenderWorld();
  EXPECT_EQ(e.LastEntitiesDrawn(), 1);
  Image shot = e.ReadScreen();
  const Rgb centre = PixelAt(shot, 100, 75);
  EXPECT_FALSE(Same(centre, {0, 0, 255}, 8)) << "the teapot is not at the centre";
  // White material under a light from the viewer's side: well above the ambient share.
  EXPECT_GT(Brightness(centre), 3 * 255 / 2);
  EXPECT_TRUE(Same(PixelAt(shot, 2, 2), {0, 0, 255}));

  // A backdrop lies under the teapot and a sprite over it.
  Handle red = e.TextureFromImage(Solid(8, 8, 0xFFFF0000u));
  e.CreateBackdrop(red);
  Handle green = e.CreateSprite(e.TextureFromImage(Solid(10, 10, 0xFF00FF00u)));
  e.DisplaySprite(green, 95, 70, 255);
  e.RenderWorld();
  shot = e.ReadScreen();
  EXPECT_TRUE(Same(PixelAt(shot, 2, 2), {255, 0, 0}));
  EXPECT_TRUE(Same(PixelAt(shot, 100, 75), {0, 255, 0}));
  EXPECT_FALSE(Same(PixelAt(shot, 100, 90), {255, 0, 0}, 8)) << "the teapot went under the backdrop";
}

TEST(GlEntities, TextureColoursTheObjectAndTheLightPicksItsSide) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(160, 120));
  e.SetClearColor(0xFF000000u);
  Handle ball = e.CreatePrimitive(Primitive::Sphere);
  e.PositionEntity(ball, 0, 0, 6);
  e.EntityTexture(ball, e.TextureFromImage(Solid(4, 4, 0xFF00C000u)));
  e.PositionLight(-100, 0, 6);  // on the left: it shines toward +x
  e.RenderWorld();
  Image shot = e.ReadScreen();
  const Rgb left = PixelAt(shot, 60, 60), right = PixelAt(shot, 100, 60);
  EXPECT_LT(left.R + left.B, 8) << "the texture's green should be all there is";
  EXPECT_GT(left.G, right.G + 40);
  e.PositionLight(100, 0, 6);
  e.RenderWorld();
  shot = e.ReadScreen();
  EXPECT_GT(PixelAt(shot, 100, 60).G, PixelAt(shot, 60, 60).G + 40);
}

TEST(GlEntities, ShadowDarkensSomeFacesAndFogFadesToTheClearColour) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(200, 150));
  e.SetClearColor(kBlue);
  // Lit from the right, the spout throws its shadow on the body.
  Handle pot = e.CreatePrimitive(Primitive::Teapot);
  e.PositionEntity(pot, 0, 0, 10);
  e.TurnEntity(pot, 0, -30, 0);
  e.PositionLight(100, 30, -20);
  e.RenderWorld();
  const Image plain = e.ReadScreen();
  e.EntityShadow(pot, true);
  e.RenderWorld();
  const Image shadowed = e.ReadScreen();
  int darker = 0, brighter = 0;
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) {
      const int d = Brightness(PixelAt(shadowed, x, y)) - Brightness(PixelAt(plain, x, y));
      darker += d < -30;
      brighter += d > 30;
    }
  EXPECT_GT(darker, 20);
  EXPECT_EQ(brighter, 0);

  e.EntityShadow(pot, false);
  e.SetFog(4, 12);  // the teapot at 10 lies three quarters into the fog
  e.RenderWorld();
  const Rgb fogged = PixelAt(e.ReadScreen(), 100, 75), clear = PixelAt(plain, 100, 75);
  EXPECT_GT(fogged.B, clear.B + 60);
  EXPECT_LT(fogged.R, clear.R - 60);
}

// A user's effect draws the object: its vertex shader places it with the transposed
// world-view-projection the frame hands over, its pixel shader colours it.
TEST(GlEntities, AnEffectDrawsTheObjectWithItsOwnShaders) {
  QUELLOR_REQUIRE_GL();
  GlEngine e;
  ASSERT_TRUE(e.Open(160, 120));
  e.SetClearColor(0xFF000000u);
  Handle ball = e.CreatePrimitive(Primitive::Sphere);
  e.PositionEntity(ball, 0, 0, 6);
  const char* source =
      "float4x4 worldViewProj;\n"
      "float Var1 = 1.0;\n"
      "float4 Vs(float4 p : POSITION) : POSITION { return mul(worldViewProj, float4(p.xyz * Var1, 1)); }\n"
      "float4 Ps() : COLOR { return float4(1, 0.5, 0, 1); }\n"
      "technique Technique0 { pass p0 { VertexShader = compile vs_2_0 Vs(); PixelShader = compile ps_2_0 Ps(); } }\n";
  Handle fx = e.CreateEffect(source);
  ASSERT_NE(fx, 0u) << e.ErrorText();
  e.EffectTechnique(fx, "Technique0");
  e.EntityEffect(ball, fx);
  auto draw = [&](float scale) {
    e.EffectFloat(fx, "Var1", scale);
    e.EffectMatrix(fx, "worldViewProj", e.QueryMatrix(MatrixKind::WorldViewProjection, ball));
    e.RenderWorld();
    return e.ReadScreen();
  };
  Image full = draw(1.0f);
  EXPECT_TRUE(Same(PixelAt(full, 80, 60), {255, 128, 0}, 2));
  EXPECT_TRUE(Same(PixelAt(full, 2, 2), {0, 0, 0}));
  // Find the ball's right edge on the middle row, then shrink it in the vertex shader.
  int edge = 80;
  while (edge < 159 && !Same(PixelAt(full, edge + 1, 60), {0, 0, 0})) ++edge;
  ASSERT_GT(edge, 90);
  Image half = draw(0.5f);
  EXPECT_TRUE(Same(PixelAt(half, 80, 60), {255, 128, 0}, 2));
  EXPECT_TRUE(Same(PixelAt(half, (80 + edge) / 2 + 4, 60), {0, 0, 0}, 2)) << "the vertex shader did not run";
  // Without its effect the object is drawn lit and white again.
  e.EntityEffect(ball, 0);
  e.RenderWorld();
  EXPECT_FALSE(Same(PixelAt(e.ReadScreen(), 80, 60), {255, 128, 0}, 8));
}
