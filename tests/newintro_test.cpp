#include <cmath>

#include "frame_fixtures.h"
#include "project/Loaders.h"
#include "project/NewIntro.h"

using namespace quellor;
using namespace quellor::testing;

namespace {

class NewIntro : public ModelFixture {};

TEST_F(NewIntro, FreshModelFreesNothingAndStillLogs) {
  m.IntroName = "Kept";
  m.Logo.PosX = 33;
  m.Logo.Layer = 2;
  m.Scroller[0].PosY = 123;
  m.Pager.Po_spd = 9;
  m.GFX.AutoRot[2] = 1.5f;
  m.AnimClone.Count = 5;
  m.AnimClone.width = 1024;
  ClearIntro(m, e);
  ASSERT_EQ(m.Log.Lines.size(), 1u);
  EXPECT_EQ(m.Log.Lines[0].Text, "All data removed.");
  EXPECT_EQ(m.Log.Lines[0].Colour, 0xC8FFFFFFu);
  EXPECT_EQ(m.Log.Lines[0].Expiry, 60000u);
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(m.GFX.XSize[i], 100);
    EXPECT_EQ(m.GFX.YSize[i], 100);
    EXPECT_EQ(m.GFX.Trans[i], 255);
  }
  EXPECT_EQ(m.IntroName, "Kept");
  EXPECT_EQ(m.Logo.PosX, 33);
  EXPECT_EQ(m.Logo.Layer, 2);
  EXPECT_EQ(m.Scroller[0].PosY, 123);
  EXPECT_EQ(m.Pager.Po_spd, 9);
  EXPECT_FLOAT_EQ(m.GFX.AutoRot[2], 1.5f);
  EXPECT_EQ(m.AnimClone.Count, 0);
  EXPECT_EQ(m.AnimClone.width, 800);
  EXPECT_EQ(m.AnimClone.Clones.size(), 1u);
  EXPECT_EQ(m.Scroller[0].Text, "Scroller 1 ");
  EXPECT_EQ(m.Scroller[1].Text, "Scroller 2 ");
  EXPECT_TRUE(e.SpriteList().empty());
}

TEST_F(NewIntro, LoadedModelLosesEveryEngineObjectAndPath) {
  m.PendingGrid = {16, 16, 10, 6};
  LoadLogo(m, e, Png("logo.png", 40, 20));
  LoadSign(m, e, Png("sign.png", 20, 20));
  for (int i = 1; i <= 5; ++i) LoadGfx(m, e, Png("g" + std::to_string(i) + ".png", 8, 8), i);
  LoadBackground(m, e, Png("bg.png", 64, 64));
  LoadBorder(m, e, Png("border.png", 64, 16));
  LoadTrainerBar(m, e, Png("bar.png", 64, 8));
  LoadAnimation(m, e, Png("anim.png", 32, 32), 0);
  LoadAnimation(m, e, Png("bob.png", 32, 32), 1);
  LoadFont(m, e, Png("f1.png", 160, 96), 1);
  LoadFont(m, e, Png("f2.png", 160, 96), 2);
  LoadTexture(m, e, Png("t0.png", 8, 8), 0);
  LoadTexture(m, e, Png("t1.png", 8, 8), 1);
  LoadRasterTexture(m, e, Png("r.png", 4, 4), 2, 0);
  m.Raster.enb[2] = 1;
  m.Raster.RasterCount = 1;
  m.Border.Rgt = 1;
  m.Border.CspX = 40;
  m.Border.SRC = 2;
  m.Fonts.F1Layer = 1;
  m.Trainer.Active = 1;
  m.Scroller[1].Active = 1;
  m.Scroller[0].SinSiz = 50;
  m.Scroller[0].TablePhase = 77;
  ASSERT_EQ(m.DisplayOrder.size(), 13u);

  const Handle bg = m.Background.Texture, font = m.Font1.Image, glyph = m.Font1.Chars[3].Image,
               raster = m.Raster.Texture[2], tex = m.Tex3d.Texture, vtex = m.VertexShader.Texture[0],
               side = m.Border.SideTexture[0];
  ClearIntro(m, e);

  EXPECT_TRUE(e.SpriteList().empty());
  for (Handle t : {bg, font, glyph, raster, tex, vtex, side}) EXPECT_EQ(e.Texture(t), nullptr);
  EXPECT_TRUE(m.DisplayOrder.empty());
  for (const std::string* f :
       {&m.Logo.File, &m.Sign.File, &m.GFX.File[3], &m.Background.File, &m.Border.File,
        &m.TrainerBar.File, &m.Anim_2d.File, &m.Anim_BOB.File, &m.Font1.File, &m.Font2.File,
        &m.Tex3d.File, &m.VertexShader.TexFile[0], &m.Raster.Path[2]})
    EXPECT_TRUE(f->empty());
  EXPECT_EQ(m.Logo.Sprite, 0u);
  EXPECT_EQ(m.Border.Sprite[3], 0u);
  EXPECT_EQ(m.Font2.Chars[0].Sprite, 0u);
  EXPECT_EQ(m.FontGrid[0].X, 0);
  EXPECT_EQ(m.Raster.RasterCount, 0);
  EXPECT_FLOAT_EQ(m.Raster.enb[2], 0.0f);
  EXPECT_EQ(m.Border.Rgt, 0);
  EXPECT_EQ(m.Border.Top, 1);
  EXPECT_EQ(m.Border.TilesY, 0);
  EXPECT_EQ(m.Border.CspX, 40);  // spacing, blend and layer of the border stay
  EXPECT_EQ(m.Border.SRC, 2);
  EXPECT_EQ(m.Fonts.F1Layer, 1);
  EXPECT_EQ(m.TrainerBar.TB_CSX, 64);
  EXPECT_EQ(m.Trainer.Active, 0);
  EXPECT_EQ(m.Scroller[1].Active, 0);
  EXPECT_EQ(m.Anim_2d.FSizeX, 32);
  // The sine tables are rebuilt from phase 0 with the new amplitude.
  EXPECT_EQ(m.Scroller[0].SinSiz, 200);
  EXPECT_FLOAT_EQ(m.Scroller[0].SineTable[0], 0.0f);
  EXPECT_NEAR(m.Scroller[0].SineTable[1], std::sin(4.0f * 0.0174533f) * 200.0f, 1e-3);
  EXPECT_EQ(m.Log.Lines.back().Text, "All data removed.");
}

TEST_F(NewIntro, DisplayOrderListKeepsNamesOnce) {
  AddToDisplayOrder(m, "Logo");
  AddToDisplayOrder(m, "GFX2");
  AddToDisplayOrder(m, "Logo");
  AddToDisplayOrder(m, "logo");  // case matters
  EXPECT_EQ((std::vector<std::string>{"Logo", "GFX2", "logo"}), m.DisplayOrder);
  RemoveFromDisplayOrder(m, "Sign");
  RemoveFromDisplayOrder(m, "logo");
  EXPECT_EQ((std::vector<std::string>{"Logo", "GFX2"}), m.DisplayOrder);
}

TEST_F(NewIntro, ApplyDisplayOrderStacksLaterNamesOnTop) {
  LoadGfx(m, e, Png("g.png", 8, 8), 1);
  LoadLogo(m, e, Png("l.png", 8, 8));
  m.PendingGrid = {8, 8, 2, 1};
  LoadFont(m, e, Png("f.png", 16, 8), 1);
  // Loaded later, the logo and the font lie above GFX 1.
  m.DisplayOrder = {"Font1", "Logo", "GFX1"};
  m.GFX.SRC[1] = 5;
  m.GFX.Dest[1] = 2;
  ApplyDisplayOrder(m, e);
  const auto& list = e.SpriteList();
  ASSERT_GE(list.size(), 4u);
  EXPECT_EQ(list.back(), m.GFX.Sprite[1]);
  EXPECT_EQ(list[list.size() - 2], m.Logo.Sprite);
  EXPECT_EQ(list[list.size() - 3], m.Font1.Chars[1].Sprite);
  EXPECT_EQ(list[list.size() - 4], m.Font1.Chars[0].Sprite);
  EXPECT_EQ(e.Sprite(m.GFX.Sprite[1])->DestBlend, 2);

  // What is drawn follows the list, not the call order.
  e.DisplaySprite(m.GFX.Sprite[1], 0, 0, 255);
  e.DisplaySprite(m.Logo.Sprite, 0, 0, 255);
  e.RenderWorld();
  ASSERT_EQ(e.Drawn.size(), 2u);
  EXPECT_EQ(e.Drawn[0].Sprite, m.Logo.Sprite);
  EXPECT_EQ(e.Drawn[1].Sprite, m.GFX.Sprite[1]);
}

}  // namespace
