#include <algorithm>
#include <cstring>

#include "frame_fixtures.h"
#include "project/Loaders.h"

using namespace quellor;
using namespace quellor::testing;

namespace {

class Loaders : public ModelFixture {
 protected:
  int Count(const std::string& name) {
    return static_cast<int>(std::count(m.DisplayOrder.begin(), m.DisplayOrder.end(), name));
  }
  const uint8_t* Pixel(Handle tex, int x, int y) {
    const TextureData* t = e.Texture(tex);
    return &t->Pixels.Rgba[(static_cast<size_t>(y) * t->Pixels.Width + x) * 4];
  }
};

TEST_F(Loaders, LogoPlacementZoomBlendAndReplacement) {
  m.Logo.SRC = 5;
  m.Logo.Dest = 2;
  m.Logo.SizeX = 40;
  m.Logo.PosY = 7;
  LoadLogo(m, e, Png("a.png", 101, 20));
  const Handle first = m.Logo.Sprite;
  ASSERT_NE(first, 0u);
  EXPECT_EQ(m.Logo.PosX, 400 - 50);
  EXPECT_EQ(m.Logo.PosY, 100);
  EXPECT_EQ(m.Logo.SizeX, 100);
  EXPECT_FLOAT_EQ(e.Sprite(first)->ZoomX, 1.0f);
  EXPECT_EQ(e.Sprite(first)->SrcBlend, 5);
  EXPECT_EQ(e.Sprite(first)->DestBlend, 2);

  LoadLogo(m, e, Png("b.png", 30, 20));
  EXPECT_EQ(e.Sprite(first), nullptr);  // the first logo is gone, not leaked
  EXPECT_EQ(Count("Logo"), 1);
  EXPECT_EQ(m.Logo.PosX, 385);

  // An unreadable file: the logo on screen stays, and the engine's error says why.
  const Handle second = m.Logo.Sprite;
  m.Log.Lines.clear();
  LoadLogo(m, e, Missing());
  EXPECT_EQ(m.Logo.Sprite, second);
  EXPECT_NE(e.Sprite(second), nullptr);
  ASSERT_EQ(m.Log.Lines.size(), 1u);
  EXPECT_EQ(m.Log.Lines[0].Colour, 0xC8FF0000u);

  // An empty path does nothing at all.
  LoadLogo(m, e, Png("c.png", 8, 8));
  const Handle third = m.Logo.Sprite;
  LoadLogo(m, e, "");
  EXPECT_EQ(m.Logo.Sprite, third);
}

TEST_F(Loaders, GfxStoresThePathEvenWhenRefused) {
  LoadGfx(m, e, Png("g.png", 10, 10), 2);
  const Handle s = m.GFX.Sprite[2];
  const std::string big = Png("big.png", 10, 10, 262145);
  LoadGfx(m, e, big, 2);
  EXPECT_EQ(m.GFX.Sprite[2], s);
  EXPECT_EQ(m.GFX.File[2], big);
  EXPECT_EQ(m.GFX.Trans[2], 255);
  EXPECT_EQ(m.GFX.XSize[2], 100);
  EXPECT_EQ(Count("GFX2"), 1);
  LoadGfx(m, e, Png("h.png", 10, 10), 6);  // no slot 6
  EXPECT_EQ(Count("GFX6"), 0);
}

TEST_F(Loaders, OverlayIsMeasuredAndReleased) {
  const size_t sprites = e.SpriteList().size();
  LoadOverlay(m, e, Png("o.png", 33, 17));
  EXPECT_EQ(m.OverW, 33);
  EXPECT_EQ(m.OverH, 17);
  EXPECT_EQ(e.SpriteList().size(), sprites);
  EXPECT_TRUE(m.DisplayOrder.empty());
}

TEST_F(Loaders, FontGridsCutSixtyOneGlyphsAtMost) {
  // 10 x 6 grid: 60 cells, character 60 stays empty.
  m.PendingGrid = {32, 32, 10, 6};
  LoadFont(m, e, Png("f.png", 320, 192), 1);
  int filled = 0;
  for (const GlyphRecord& g : m.Font1.Chars) filled += g.Sprite != 0;
  EXPECT_EQ(filled, 60);
  EXPECT_EQ(m.Font1.Chars[60].Sprite, 0u);
  EXPECT_EQ(m.Font1.Chars[59].Image != 0, true);
  EXPECT_EQ(m.FontGrid[0].CL, 10);

  // 11 x 6 = 66 cells: only 61 records; the last column is clipped at the image edge.
  m.PendingGrid = {32, 32, 11, 6};
  const Handle oldGlyph = m.Font1.Chars[0].Sprite;
  LoadFont(m, e, Png("g.png", 330, 192), 1);
  EXPECT_EQ(e.Sprite(oldGlyph), nullptr);
  filled = 0;
  for (const GlyphRecord& g : m.Font1.Chars) filled += g.Sprite != 0;
  EXPECT_EQ(filled, 61);
  EXPECT_EQ(e.SpriteWidth(m.Font1.Chars[10].Sprite), 10);   // x 320..330
  EXPECT_EQ(e.SpriteWidth(m.Font1.Chars[11].Sprite), 32);   // row 1, column 0
  EXPECT_EQ(e.SpriteHeight(m.Font1.Chars[60].Sprite), 32);  // row 5, column 5
  EXPECT_EQ(std::count(m.DisplayOrder.begin(), m.DisplayOrder.end(), "Font1"), 1);

  // Cells below the image are missing, not read past its end.
  m.PendingGrid = {32, 32, 10, 6};
  LoadFont(m, e, Png("short.png", 320, 40), 2);
  EXPECT_NE(m.Font2.Chars[19].Sprite, 0u);
  EXPECT_EQ(e.SpriteHeight(m.Font2.Chars[19].Sprite), 8);
  EXPECT_EQ(m.Font2.Chars[20].Sprite, 0u);
}

TEST_F(Loaders, FontWithoutGridIsNotCaught) {
  m.PendingGrid = {32, 32, 10, -1};
  LoadFont(m, e, Png("f.png", 320, 192), 2);
  EXPECT_EQ(m.Font2.Image, 0u);
  ASSERT_FALSE(m.Log.Lines.empty());
  EXPECT_EQ(m.Log.Lines.back().Text, "Can't catch Font 2");
  EXPECT_TRUE(m.DisplayOrder.empty());
}

TEST_F(Loaders, FontRecomputesTheScrollerSpacing) {
  m.Scroller[0].SizX = 150;
  m.Scroller[0].Font = 0;
  m.PendingGrid = {20, 20, 10, 6};
  LoadFont(m, e, Png("f.png", 200, 120), 1);
  EXPECT_EQ(m.Scroller[0].cspX, 30);
  EXPECT_EQ(m.Scroller[0].Slots, 800 / 30 + 1);
  // A font with no character 1 leaves the spacing as it was.
  m.Scroller[1].cspX = 64;
  m.PendingGrid = {20, 20, 1, 1};
  m.Scroller[1].Font = 1;
  LoadFont(m, e, Png("one.png", 20, 20), 2);
  EXPECT_EQ(m.Scroller[1].cspX, 64);
  // Halfway spacings go to the even neighbour, like every other float-to-integer step:
  // 25 x 50 / 100 = 12.5 -> 12 and 35 x 50 / 100 = 17.5 -> 18.
  m.Scroller[0].SizX = 50;
  m.PendingGrid = {25, 20, 10, 6};
  LoadFont(m, e, Png("half.png", 250, 120), 1);
  EXPECT_EQ(m.Scroller[0].cspX, 12);
  EXPECT_EQ(m.Scroller[0].Slots, 800 / 12 + 1);
  m.PendingGrid = {35, 20, 10, 6};
  LoadFont(m, e, Png("half2.png", 350, 120), 1);
  EXPECT_EQ(m.Scroller[0].cspX, 18);
}

TEST_F(Loaders, BorderPiecesAndTileCounts) {
  m.Border.SRC = 2;
  LoadBorder(m, e, Png("border.png", 128, 48));
  EXPECT_EQ(m.Border.CspX, 128);
  EXPECT_EQ(m.Border.CspY, 48);
  EXPECT_EQ(m.Border.TilesX, 6);
  EXPECT_EQ(m.Border.TilesY, 4);
  EXPECT_EQ(m.Border.SizX, 100);
  for (int i = 0; i < 4; ++i) {
    ASSERT_NE(m.Border.Sprite[i], 0u);
    EXPECT_EQ(e.Sprite(m.Border.Sprite[i])->SrcBlend, 2);
  }
  EXPECT_EQ(e.SpriteWidth(m.Border.Sprite[1]), 128);
  EXPECT_EQ(e.SpriteWidth(m.Border.Sprite[2]), 48);
  EXPECT_EQ(e.SpriteHeight(m.Border.Sprite[3]), 128);
  // Right piece: turned clockwise, so its top row is the image's left column read upwards.
  const Image src = MakeImage(128, 48);
  const Handle right = e.SpriteTexture(m.Border.Sprite[2]);
  const Handle left = e.SpriteTexture(m.Border.Sprite[3]);
  for (int x = 0; x < 48; x += 7) {
    const uint8_t* want = &src.Rgba[(static_cast<size_t>(47 - x) * 128 + 0) * 4];
    EXPECT_EQ(0, std::memcmp(Pixel(right, x, 0), want, 4)) << x;
  }
  // Left piece: counter-clockwise, its top row is the image's right column read downwards.
  for (int x = 0; x < 48; x += 7) {
    const uint8_t* want = &src.Rgba[(static_cast<size_t>(x) * 128 + 127) * 4];
    EXPECT_EQ(0, std::memcmp(Pixel(left, x, 0), want, 4)) << x;
  }
  // Reloading frees every piece and both turned textures.
  const auto old = m.Border;
  LoadBorder(m, e, Png("border2.png", 64, 64));
  for (Handle s : old.Sprite) EXPECT_EQ(e.Sprite(s), nullptr);
  for (Handle t : old.SideTexture) EXPECT_EQ(e.Texture(t), nullptr);
  EXPECT_EQ(e.Texture(old.Texture), nullptr);
  EXPECT_EQ(std::count(m.DisplayOrder.begin(), m.DisplayOrder.end(), "Border"), 1);
}

TEST_F(Loaders, BorderPiecesZoomToTheirTileSpacing) {
  LoadBorder(m, e, Png("border.png", 128, 48));
  m.Border.SizX = 50;
  m.Border.SizY = 200;
  m.Border.CspX = 64;  // 128 x 50 %
  m.Border.CspY = 96;  // 48 x 200 %
  ZoomBorderPieces(m, e);
  // Drawn extent of each piece: along its edge CspX, into the screen CspY.
  auto extent = [&](int i, bool wide) {
    const Handle s = m.Border.Sprite[i];
    const SpriteData* d = e.Sprite(s);
    return wide ? e.SpriteWidth(s) * d->ZoomX : e.SpriteHeight(s) * d->ZoomY;
  };
  for (int i : {0, 1}) {
    EXPECT_FLOAT_EQ(extent(i, true), 64.0f) << i;
    EXPECT_FLOAT_EQ(extent(i, false), 96.0f) << i;
  }
  for (int i : {2, 3}) {
    EXPECT_FLOAT_EQ(extent(i, true), 96.0f) << i;
    EXPECT_FLOAT_EQ(extent(i, false), 64.0f) << i;
  }
  ReleaseBorder(m, e);
  ZoomBorderPieces(m, e);  // nothing loaded: nothing to zoom
}

TEST_F(Loaders, RasterTextureAmongRepeatsDownToTheScreenHeight) {
  LoadRasterTexture(m, e, Png("r.png", 4, 8), 1, 1);
  EXPECT_EQ(e.TextureHeight(m.Raster.Texture[1]), 600);
  EXPECT_EQ(e.TextureWidth(m.Raster.Texture[1]), 4);
  // Row y shows source row y % 8 (green = 5 * row in the test image), not a stretch.
  const Image& tiled = e.Texture(m.Raster.Texture[1])->Pixels;
  for (int y : {1, 7, 9, 599}) EXPECT_EQ(tiled.Rgba[static_cast<size_t>(y) * 4 * 4 + 1], (y % 8) * 5) << y;
  LoadRasterTexture(m, e, Png("s.png", 4, 8), 3, 0);
  EXPECT_EQ(e.TextureHeight(m.Raster.Texture[3]), 8);
  EXPECT_EQ(m.Raster.Path[3], (dir_ / "s.png").string());
}

TEST_F(Loaders, TrainerBarWidthAndKinds) {
  LoadTrainerBar(m, e, Png("bar.png", 77, 9));
  EXPECT_EQ(m.TrainerBar.TB_CSX, 77);
  EXPECT_FALSE(LoadAssetByKind(m, e, "gfx0", Png("x.png", 4, 4)));
  EXPECT_FALSE(LoadAssetByKind(m, e, "music", Png("y.png", 4, 4)));
  EXPECT_TRUE(LoadAssetByKind(m, e, "gfx5", Png("z.png", 4, 4)));
  EXPECT_NE(m.GFX.Sprite[5], 0u);
}

}  // namespace

namespace {

TEST_F(Loaders, OddPathsAndHostileGridsLoadNothingAndNeverCrash) {
  LoadLogo(m, e, "C:\\Quellor\\Data\\Logo\\logo.png");
  EXPECT_EQ(m.Logo.Sprite, 0u);
  LoadLogo(m, e, dir_.string());  // a folder, not a file
  EXPECT_EQ(m.Logo.Sprite, 0u);
  LoadBorder(m, e, dir_.string());
  EXPECT_EQ(m.Border.Texture, 0u);
  for (const StatusLine& l : m.Log.Lines)  // each attempt only says it could not read the file
    EXPECT_EQ(l.Text.rfind("#18 Grafik konnte nicht geladen werden", 0), 0u) << l.Text;
  EXPECT_TRUE(m.DisplayOrder.empty());

  const std::string font = Png("f.png", 64, 64);
  m.PendingGrid = {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX};
  LoadFont(m, e, font, 1);
  EXPECT_EQ(e.SpriteWidth(m.Font1.Chars[0].Sprite), 64);  // one cell, clipped to the image
  EXPECT_EQ(m.Font1.Chars[1].Sprite, 0u);
  m.PendingGrid = {-16, 16, 4, 4};
  LoadFont(m, e, font, 1);
  for (const GlyphRecord& g : m.Font1.Chars) EXPECT_EQ(g.Sprite, 0u);
}

}  // namespace
