// Raster bars and the post effect in real frames on headless GL.
#include <cmath>

#include "engine/Clock.h"
#include "fx_test_support.h"
#include "render/Effects3d.h"
#include "render/Frame.h"
#include "render/RasterBars.h"

namespace quellor {
namespace {

using gltest::PixelAt;
using gltest::Rgb;
using gltest::Same;

class EffectsGlFrame : public fxtest::FxGlTest {
 protected:
  void SetUp() override {
    FxGlTest::SetUp();
    if (!e) return;
    InitModel(m);
    m.ScreenX = kW;
    m.ScreenY = kH;
    m.Clock.Source = &clock;
    e->SetClock(clock);
    m.ScreenTexture = e->CreateRenderTarget(kW, kH);
  }

  // A sprite of `img` shown at (x, y) on `layer` ("2d", "Both", "3d" = 0, 1, 2) as GFX slot.
  void Gfx(int slot, const Image& img, int x, int y, int layer, int alpha = 255) {
    m.GFX.Sprite[slot] = e->CreateSprite(e->TextureFromImage(img));
    m.GFX.XPos[slot] = x;
    m.GFX.YPos[slot] = y;
    m.GFX.Layer[slot] = layer;
    m.GFX.Trans[slot] = alpha;
  }

  IntroModel m;
  ManualClock clock{50000ull * 10000};
};

// w x 8 pixels, the left half one colour, the right half another.
Image Halves(int w, uint32_t left, uint32_t right) {
  Image img = gltest::Solid(w, 8, left);
  const Image r = gltest::Solid(w / 2, 8, right);
  for (int y = 0; y < 8; ++y)
    std::copy_n(&r.Rgba[static_cast<size_t>(y) * r.Width * 4], r.Width * 4,
                &img.Rgba[(static_cast<size_t>(y) * img.Width + w / 2) * 4]);
  return img;
}

TEST_F(EffectsGlFrame, RasterRecoloursTheExactKeyAndNotAKeyOffByOne) {
  SetRasterEffectSource(m);
  CompileRasterEffect(m, *e);
  ASSERT_NE(m.Raster.Effect, 0u) << e->ErrorText();
  // (7, 6, 3): a colour llvmpipe samples a float step away from n / 255.
  Gfx(1, Halves(kW, 0xFF070603u, 0xFF070604u), 0, 20, 0);
  RasterFields& r = m.Raster;
  r.enb[1] = 1;
  r.rgb[1] = {7 * 0.00392157f, 6 * 0.00392157f, 3 * 0.00392157f, 0};
  r.Texture[1] = e->TextureFromImage(gltest::Solid(2, 2, 0xFFC86432u));
  r.RasterCount = 1;
  // Two frames: items of the 2d Layer are drawn by the next frame's 3D pass.
  DrawFrame(m, *e, nullptr);
  DrawFrame(m, *e, nullptr);
  const Image out = e->ReadScreen();
  const Rgb left = PixelAt(out, 5, 24), right = PixelAt(out, kW - 5, 24);
  EXPECT_TRUE(Same(left, {200, 100, 50})) << left.R << "," << left.G << "," << left.B;
  EXPECT_TRUE(Same(right, {7, 6, 4})) << right.R << "," << right.G << "," << right.B;
  EXPECT_TRUE(Same(PixelAt(out, kW - 5, 40), {0, 0, 0}));  // not a key: black background
}

TEST_F(EffectsGlFrame, SinusSwingsTheRasterByHalfAScreenAtItsPeak) {
  SetRasterEffectSource(m);
  CompileRasterEffect(m, *e);
  // Key black: the whole empty screen shows the raster; rows of distinct green.
  Image rows = gltest::Solid(1, kH, 0xFF000000u);
  for (int y = 0; y < kH; ++y) rows.Rgba[static_cast<size_t>(y) * 4 + 1] = static_cast<uint8_t>(y * 5);
  RasterFields& r = m.Raster;
  r.enb[3] = 1;
  r.fxt[3] = 1;
  r.val[3] = 0.5f;
  r.Texture[3] = e->TextureFromImage(rows);
  r.RasterCount = 1;
  clock.Set100ns(15707963);  // pi / 2 seconds: sin(time) = 1
  DrawFrame(m, *e, nullptr);
  const Image out = e->ReadScreen();
  for (int y : {30, 40, 47}) EXPECT_EQ(PixelAt(out, 40, y).G, ((y + kH / 2) % kH) * 5) << y;
}

TEST_F(EffectsGlFrame, PostEffectLiesBetweenTheLayers) {
  m.PostFX.Effect = Effect(PostEffect("float4 c = tex2D(screen, uv); return float4(1 - c.rgb, 1);"));
  Gfx(1, gltest::Solid(8, 8, 0xFFFF0000u), 30, 30, 2);       // 3d Layer: processed
  Gfx(2, gltest::Solid(8, 8, 0xFF00FF00u), 42, 30, 0);       // 2d Layer: not processed
  Gfx(3, gltest::Solid(8, 8, 0xFF0000FFu), 50, 30, 1, 128);  // Both: under and over
  DrawFrame(m, *e, nullptr);
  const Image out = e->ReadScreen();
  const double a = 128 / 255.0;
  const int under = static_cast<int>(std::lround(255 * a));  // blue over black, then inverted below
  EXPECT_TRUE(Same(PixelAt(out, 33, 33), {0, 255, 255}));
  EXPECT_TRUE(Same(PixelAt(out, 45, 33), {0, 255, 0}));
  EXPECT_TRUE(Same(PixelAt(out, 20, 33), {255, 255, 255}));  // the empty screen, inverted
  EXPECT_TRUE(Same(PixelAt(out, 53, 33),
                   {static_cast<int>(std::lround(255 * (1 - a))), static_cast<int>(std::lround(255 * (1 - a))),
                    static_cast<int>(std::lround(255 * a + (255 - under) * (1 - a)))},
                   2));
}

}  // namespace
}  // namespace quellor
