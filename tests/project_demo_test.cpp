// The bundled demo project, Data/Prefs/Demo.ini, is the writer's output for the model built
// here. Run with QUELLOR_WRITE_DEMO=1 to write it (and the project fuzzer's seeds) again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "project/Colors.h"
#include "project/ProjectFile.h"
#include "project/loaders/LoaderCommon.h"
#include "project_test_support.h"

using namespace quellor;
using namespace quellor::testsupport;

namespace {

fs::path SourceDir() { return fs::path(QUELLOR_SOURCE_DIR); }

IntroModel DemoModel() {
  IntroModel m;
  InitModel(m);
  m.IntroName = "Quellor Demo";
  m.ExportName = m.IntroName;

  m.Background.File = "Data/Textures/background.png";
  m.Background.ScrollX = 1;
  m.Background.ScrollY = 1;

  m.Border.File = "Data/Border/border.png";
  m.Border.SizX = m.Border.SizY = 25;  // 32-pixel pieces
  m.Border.CspX = m.Border.CspY = 32;
  m.Border.Top = m.Border.Bot = 1;

  m.Logo.File = "Data/Logo/quellor.png";
  m.Logo.PosX = 200;
  m.Logo.PosY = 48;
  m.Logo.SizeX = m.Logo.SizeY = 100;

  m.GFX.File[1] = "Data/Bobs/star.png";
  m.GFX.XPos[1] = 640;
  m.GFX.YPos[1] = 40;
  m.GFX.XSize[1] = m.GFX.YSize[1] = 75;
  m.GFX.Trans[1] = 220;
  m.GFX.AutoRot[1] = 1.0f;

  // A word in the raster key colour, recoloured by raster bar 1 with a swinging copper.
  m.GFX.File[2] = "Data/Logo/raster.png";
  m.GFX.XPos[2] = 200;
  m.GFX.YPos[2] = 420;
  m.GFX.XSize[2] = m.GFX.YSize[2] = 100;
  m.GFX.Trans[2] = 255;
  RasterFields& r = m.Raster;
  r.enb[1] = 1;
  r.fxt[1] = 1;  // Sinus
  r.txt[1] = 1;  // Among: the copper repeats down the screen
  r.val[1] = 0.5f;
  r.rgb[1] = {1.0f, 0.0f, 1.0f, 0.0f};
  r.Path[1] = "Data/Raster/copper.png";

  // The CRT post effect over the 3D pass (the backdrop).
  m.PostFX.File = "Data/Shader/PostFX/crt.fx";
  m.PostFX.Code = loaders::WithCrLf(ReadText(SourceDir() / m.PostFX.File));

  m.Anim_2d.File = "Data/Anim/spin.png";
  m.Anim_2d.FSizeX = m.Anim_2d.FSizeY = 32;
  m.Anim_2d.Frames = 8;
  m.Anim_2d.Speed = 40;
  m.Anim_2d.PosX = 84;
  m.Anim_2d.PosY = 82;
  m.Anim_2d.Active = 1;

  m.Anim_BOB.File = "Data/Bobs/Blue.png";
  m.Anim_BOB.FSizeX = m.Anim_BOB.FSizeY = 32;
  m.Anim_BOB.Frames = 1;
  m.Anim_BOB.Active = 1;
  m.Anim_BOB.Trans = 230;
  m.AnimClone.Active = 1;
  m.AnimClone.Count = 24;
  m.AnimClone.XCent = 0;
  m.AnimClone.YCent = 140;
  m.AnimClone.width = 800;
  m.AnimClone.height = 470;
  m.AnimClone.XAdd = 1.5f;
  m.AnimClone.YAdd = 0.0f;
  m.AnimClone.Int1 = 40;
  m.AnimClone.Int2 = 30;
  m.AnimClone.Flt1 = 2.0f;
  m.AnimClone.Flt2 = 3.0f;

  m.Font1.File = "Data/Fonts/font32.png";
  m.FontGrid[0] = {32, 32, 10, 6};

  ScrollerFields& s1 = m.Scroller[0];
  s1.Text = "      WELCOME TO QUELLOR - THE INTRO EDITOR.   LOAD A LOGO, A FONT AND SOME MUSIC, "
            "SET UP SCROLLERS, PAGER, BOBS AND RASTERS, SAVE THE PROJECT AND CREATE YOUR OWN "
            "INTRO...   GREETINGS TO ALL SCENERS!      ";
  s1.Active = 1;
  s1.PosY = 536;
  s1.SizX = s1.SizY = 100;
  s1.cspX = 32;
  s1.SinSiz = 24;
  s1.SSinSiz = 12;
  s1.FX = 0;
  ScrollerFields& s2 = m.Scroller[1];
  s2.Text = "   EDIT THIS TEXT WITH EDIT - SCROLL TEXT 2 ...   ";
  s2.Active = 1;
  s2.PosY = 176;
  s2.SizX = s2.SizY = 75;
  s2.cspX = 24;
  s2.SinSiz = 40;
  s2.SSinSiz = 20;
  s2.FX = 2;
  for (ScrollerFields& s : m.Scroller) BuildSineTables(s);

  PagerFields& p = m.Pager;
  p.Active = 1;
  p.Lines = {"QUELLOR DEMO", "", "PAGES FLY IN AND OUT", "ONE AFTER THE OTHER", "",
             "EDIT THEM WITH", "EDIT - PAGE TEXT", ""};
  p.YLins = 4;
  p.perLine = 24;
  p.XPos = 112;
  p.YPos = 236;
  p.SizX = p.SizY = 75;
  p.cspX = 24;
  p.cspY = 32;
  p.Time = 4000;

  m.Trainer.Lines = {"INFINITE LIVES  OFF", "INFINITE ENERGY OFF", "INFINITE LIVES  ON",
                     "INFINITE ENERGY ON"};
  m.Trainer.YLins = 2;
  m.TrainerBar.File = "Data/TrainerBar/bar.png";
  m.TrainerBar.TB_CSX = 512;

  // A turning, textured, self-shadowing knot behind the texts, drawn through the wobble
  // vertex shader (its text is kept in the project, as the editor saves it).
  m.Obj3d.File = "Data/Objects/knot.x";
  m.Obj3d.Type = 0;
  m.Obj3d.PosX = 0, m.Obj3d.PosY = -0.3f, m.Obj3d.PosZ = 10;
  m.Obj3d.RotX = 0.4f, m.Obj3d.RotY = 0.9f, m.Obj3d.RotZ = 0.2f;
  m.Obj3d.Shadow = 1;
  m.Tex3d.Type = 1;
  m.Tex3d.File = "Data/Textures/plasma.png";
  m.VertexShader.File = "Data/Shader/Vertex/Wobble.fx";
  const fs::path wobble = SourceDir() / m.VertexShader.File;
  if (fs::exists(wobble)) m.VertexShader.Code = loaders::WithCrLf(ReadText(wobble));

  m.DisplayOrder = {"Border", "GFX1", "GFX2", "Logo", "Anim", "Bob_Anim", "Font1", "TrainerBar"};
  return m;
}

std::string WindowsStyleSeed() {
  return "\xEF\xBB\xBF; written on Windows\r\n[SETTINGS]\r\nintroname = Windows\r\nScreenX = 800\r\n"
         "[logo]\r\npath = LOGO.PNG\r\n[Pager]\r\nLines = 2\r\nP0 = @ONE@\r\nP1 = @TWO\r\n"
         "[VertexShader]\r\nLines = 2\r\nLN1 = float4 x;\r\nLN2 = technique Technique0 {}\r\n"
         "[DispOrder]\r\nLines = 2\r\nP1 = Logo\r\nP2 = GFX9\r\n"
         "[FullPath]\r\nLogo = C:\\Intros\\Data\\Logo\\LOGO.PNG\r\n";
}

}  // namespace

TEST(DemoProject, CommittedFileIsTheWritersOutput) {
  RecordingEngine e;
  e.Open(800, 600);
  IntroModel m = DemoModel();
  std::string text = ProjectText(m, e);
  fs::path demo = SourceDir() / "Data/Prefs/Demo.ini";
  if (std::getenv("QUELLOR_WRITE_DEMO")) {
    WriteText(demo, text);
    fs::path seeds = SourceDir() / "fuzz/seeds/project";
    IntroModel fresh;
    InitModel(fresh);
    WriteText(seeds / "demo.ini", text);
    WriteText(seeds / "fresh.ini", ProjectText(fresh, e));
    WriteText(seeds / "windows.ini", WindowsStyleSeed());
  }
  ASSERT_TRUE(fs::exists(demo));
  EXPECT_EQ(ReadText(demo), text);
}

TEST(DemoProject, LoadsAWorkingIntroFromTheShippedData) {
  if (!LoadersAvailable()) GTEST_SKIP() << "asset loaders not merged yet";
  if (!fs::exists(SourceDir() / "Data/Logo/quellor.png")) GTEST_SKIP() << "shipped images missing";
  RecordingEngine e;
  e.Open(800, 600);
  IntroModel m;
  m.BaseDir = SourceDir().string() + "/";
  InitModel(m);
  LoadOutcome out = LoadProject(m, e, (SourceDir() / "Data/Prefs/Demo").string());
  ASSERT_TRUE(out.Read);
  EXPECT_FALSE(out.ResolutionMismatch);
  for (const StatusLine& l : m.Log.Lines) EXPECT_NE(l.Colour, kColorError) << l.Text;
  EXPECT_NE(m.Logo.Sprite, 0u);
  EXPECT_NE(m.GFX.Sprite[1], 0u);
  EXPECT_NE(m.GFX.Sprite[2], 0u);
  EXPECT_NE(m.Raster.Texture[1], 0u);
  EXPECT_EQ(e.TextureHeight(m.Raster.Texture[1]), 600);
  EXPECT_EQ(m.Raster.RasterCount, 1);
  EXPECT_NE(m.PostFX.Effect, 0u);
  EXPECT_NE(m.Background.Texture, 0u);
  EXPECT_NE(m.Border.Texture, 0u);
  EXPECT_NE(m.Font1.Image, 0u);
  EXPECT_NE(m.Anim_2d.Sprite, 0u);
  EXPECT_NE(m.Anim_BOB.Sprite, 0u);
  EXPECT_NE(m.TrainerBar.Sprite, 0u);
  ASSERT_NE(m.Obj3d.Entity, 0u);
  ASSERT_NE(m.Tex3d.Texture, 0u);
  EXPECT_EQ(e.Entity(m.Obj3d.Entity)->Texture, m.Tex3d.Texture);
  EXPECT_TRUE(e.Entity(m.Obj3d.Entity)->Shadow);
  EXPECT_FLOAT_EQ(e.Entity(m.Obj3d.Entity)->Position[2], 10.0f);
  EXPECT_EQ(e.SpriteFrameCount(m.Anim_2d.Sprite), 8);
  EXPECT_EQ(m.Scroller[0].Active, 1);
  EXPECT_EQ(m.Scroller[1].Active, 1);
  EXPECT_EQ(m.Pager.Active, 1);
  EXPECT_EQ(m.AnimClone.Active, 1);
  EXPECT_EQ(m.Border.TilesX, 800 / 32);
  EXPECT_EQ(m.ProjectName, "Demo");
  EXPECT_EQ(m.IntroName, "Quellor Demo");
  // Every character of the texts is in the font (characters 32 to 91).
  for (const std::string& t : {m.Scroller[0].Text, m.Scroller[1].Text})
    for (char c : t) EXPECT_TRUE(c >= 32 && c <= 91) << t;
}
