// Project files together with the asset loaders: these run once the loaders are in and
// skip while project/Loaders.cpp is still the placeholder.
#include <gtest/gtest.h>

#include <algorithm>

#include "project/Colors.h"
#include "project/ProjectFile.h"
#include "project_test_support.h"

using namespace quellor;
using namespace quellor::testsupport;

namespace {

bool HasLine(const IntroModel& m, const std::string& text) {
  return std::any_of(m.Log.Lines.begin(), m.Log.Lines.end(),
                     [&](const StatusLine& l) { return l.Text == text; });
}

// Every image FillEveryField names, small enough for each kind's size limit.
void MakeAssets(const fs::path& base) {
  for (int i = 1; i <= 5; ++i) WritePng(base / "Data/Bobs" / ("gfx" + std::to_string(i) + ".png"), 16 + i, 16);
  WritePng(base / "Data/Logo/logo.png", 64, 32);
  WritePng(base / "Data/Logo/sign.png", 16, 16);
  WritePng(base / "Data/Anim/anim.png", 64, 16);
  WritePng(base / "Data/Anim/bob.png", 64, 16);
  WritePng(base / "Data/Textures/back.png", 32, 32);
  WritePng(base / "Data/Textures/tex.png", 16, 16);
  for (int k = 1; k <= 3; ++k) WritePng(base / "Data/Textures" / ("t" + std::to_string(k) + ".png"), 8, 8);
  WritePng(base / "Data/Fonts/font1.png", 320, 192);
  WritePng(base / "Data/Fonts/font2.png", 128, 192);
  WritePng(base / "Data/Border/border.png", 64, 32);
  WritePng(base / "Data/TrainerBar/bar.png", 64, 8);
  WritePng(base / "Data/Overlay/over.png", 40, 30);
  for (int n = 1; n <= 3; ++n) WritePng(base / "Data/Raster" / ("ras" + std::to_string(n) + ".png"), 2, 8);
}

}  // namespace

TEST(ProjectAssets, PopulatedModelRoundTripsWithItsAssetsLoaded) {
  if (!LoadersAvailable()) GTEST_SKIP() << "asset loaders not merged yet";
  ScratchDir dir;
  MakeAssets(dir.Path);
  RecordingEngine e;
  e.Open(800, 600);
  IntroModel m = FreshModel(dir.Base());
  FillEveryField(m, dir.Base());
  m.AnimClone.Active = 1;
  // The stacking order the user chose is not the order the loaders run in.
  m.DisplayOrder = {"TrainerBar", "GFX2", "Logo", "Font1", "Border", "Sign", "GFX5",
                    "Anim", "Bob_Anim", "GFX1", "Font2", "GFX3", "GFX4"};
  std::string file = (dir.Path / "full.ini").string();
  ASSERT_TRUE(SaveProject(m, e, file));
  std::string first = ReadText(file);

  IntroModel back = FreshModel(dir.Base());
  LoadOutcome out = LoadProject(back, e, file);
  ASSERT_TRUE(out.Read);
  for (int i = 1; i <= 5; ++i) EXPECT_NE(back.GFX.Sprite[i], 0u) << i;
  EXPECT_NE(back.Logo.Sprite, 0u);
  EXPECT_NE(back.Sign.Sprite, 0u);
  EXPECT_NE(back.Anim_2d.Sprite, 0u);
  EXPECT_NE(back.Anim_BOB.Sprite, 0u);
  EXPECT_NE(back.Background.Texture, 0u);
  EXPECT_NE(back.Font1.Image, 0u);
  EXPECT_NE(back.Font2.Image, 0u);
  EXPECT_NE(back.Border.Texture, 0u);
  EXPECT_NE(back.TrainerBar.Sprite, 0u);
  EXPECT_NE(back.Tex3d.File, "");
  for (int n = 1; n <= 3; ++n) EXPECT_NE(back.Raster.Texture[n], 0u) << n;
  EXPECT_EQ(back.OverW, 40);
  EXPECT_EQ(back.OverPX, 7);  // stored placement wins over the loader's start values
  EXPECT_EQ(back.GFX.XPos[3], 30);
  EXPECT_EQ(back.Logo.PosX, 11);
  EXPECT_EQ(back.AnimClone.Active, 1);
  EXPECT_FALSE(HasLine(back, "Loading Error: Logo file Not found."));
  EXPECT_EQ(back.DisplayOrder, m.DisplayOrder);
  EXPECT_EQ(back.Border.TilesX, 800 / 64);

  // The sheet is cut into frames of the stored size; zoom, rotation and blend are applied.
  EXPECT_EQ(e.SpriteWidth(back.Anim_2d.Sprite), 16);
  EXPECT_EQ(e.SpriteFrameCount(back.Anim_2d.Sprite), 4);
  e.Clear();
  e.DisplaySprite(back.GFX.Sprite[2], 0, 0, 255);
  e.RenderWorld();
  ASSERT_EQ(e.Drawn.size(), 1u);
  EXPECT_NEAR(e.Drawn[0].ZoomX, 0.52f, 1e-4);
  EXPECT_NEAR(e.Drawn[0].RotationDeg, 30.0f, 1e-3);
  EXPECT_EQ(e.Drawn[0].SrcBlend, 2);
  EXPECT_EQ(e.Drawn[0].DestBlend, 8);

  std::string again = (dir.Path / "again.ini").string();
  ASSERT_TRUE(SaveProject(back, e, again));
  EXPECT_EQ(ReadText(again), first);
}

TEST(ProjectAssets, WindowsWrittenProjectFindsItsAssetsInTheKindFolders) {
  if (!LoadersAvailable()) GTEST_SKIP() << "asset loaders not merged yet";
  ScratchDir dir;
  // Folders and files in other cases than the project names them.
  WritePng(dir.Path / "data/logo/logo.png", 64, 32);
  WritePng(dir.Path / "Data/Bobs/star.png", 16, 16);
  WritePng(dir.Path / "Data/Fonts/font32.png", 320, 192);
  WritePng(dir.Path / "elsewhere/Back.png", 32, 32);
  RecordingEngine e;
  e.Open(800, 600);
  IntroModel m = FreshModel(dir.Base());
  std::string text =
      "\xEF\xBB\xBF; ---------------------------------------------------\r\n"
      "[settings]\r\nScreenX = 800\r\nScreenY = 600\r\n"
      "[gfx#1]\r\nPATH = Star.PNG\r\nxpos = 5\r\n"
      "[LOGO]\r\nPath = LOGO.PNG\r\nPosY = 44\r\n"
      "[background]\r\npath = Back.png\r\n"
      "[Fonts]\r\nFONT1 = Font32.png\r\nf1_x = 32\r\nF1_Y = 32\r\nF1_CL = 10\r\nF1_L = 6\r\n"
      "[Sign]\r\nPath = nowhere.png\r\n"
      "[FullPath]\r\n"
      "Logo = C:\\Intros\\Data\\Logo\\LOGO.PNG\r\n"
      "BackG = " + dir.Base() + "ELSEWHERE\\back.png\r\n"
      "GFX#1 = C:\\Intros\\Data\\Bobs\\Star.PNG\r\n";
  WriteText(dir.Path / "win.ini", text);
  LoadProject(m, e, (dir.Path / "win.ini").string());
  EXPECT_NE(m.Logo.Sprite, 0u);
  EXPECT_EQ(m.Logo.PosY, 44);
  EXPECT_NE(m.GFX.Sprite[1], 0u);
  EXPECT_EQ(m.GFX.XPos[1], 5);
  EXPECT_NE(m.Font1.Image, 0u);
  EXPECT_NE(m.Background.Texture, 0u);  // from the full path, not the kind folder
  EXPECT_EQ(m.Sign.Sprite, 0u);
  EXPECT_TRUE(HasLine(m, "Loading Error: Sign file Not found."));
  EXPECT_FALSE(HasLine(m, "Loading Error: Logo file Not found."));
}
