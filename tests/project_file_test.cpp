#include <gtest/gtest.h>

#include <algorithm>

#include "project/Colors.h"
#include "project/Ini.h"
#include "project/ProjectFields.h"
#include "project/ProjectFile.h"
#include "project_test_support.h"

using namespace quellor;
using namespace quellor::testsupport;

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t e = text.find("\r\n", pos);
    if (e == std::string::npos) e = text.size();
    out.push_back(text.substr(pos, e - pos));
    pos = e + 2;
  }
  return out;
}

bool HasLine(const IntroModel& m, const std::string& text, uint32_t colour) {
  return std::any_of(m.Log.Lines.begin(), m.Log.Lines.end(),
                     [&](const StatusLine& l) { return l.Text == text && l.Colour == colour; });
}

struct Fixture {
  ScratchDir Dir;
  RecordingEngine Eng;
  Fixture() { Eng.Open(800, 600); }
  IntroModel Model() { return FreshModel(Dir.Base()); }
  std::string File(const std::string& name) { return (Dir.Path / name).string(); }
};

}  // namespace

TEST(ProjectFile, NamesWithoutExtensionGetIni) {
  EXPECT_EQ(ProjectFileName("Data/Prefs/Demo"), "Data/Prefs/Demo.ini");
  EXPECT_EQ(ProjectFileName("Demo.ini"), "Demo.ini");
  EXPECT_EQ(ProjectFileName("Demo.prj"), "Demo.prj");
  EXPECT_EQ(ProjectFileName("my.folder\\Demo"), "my.folder\\Demo.ini");
  EXPECT_EQ(ProjectFileName(""), "");

  Fixture f;
  IntroModel m = f.Model();
  ASSERT_TRUE(SaveProject(m, f.Eng, f.File("plain")));
  ASSERT_TRUE(SaveProject(m, f.Eng, f.File("other.prj")));
  EXPECT_TRUE(fs::exists(f.File("plain.ini")));
  EXPECT_TRUE(fs::exists(f.File("other.prj")));
  EXPECT_FALSE(fs::exists(f.File("other.prj.ini")));
  // Loading finds it the same way and takes the project name from it.
  LoadOutcome out = LoadProject(m, f.Eng, f.File("plain"));
  EXPECT_TRUE(out.Read);
  EXPECT_EQ(m.ProjectName, "plain");
}

TEST(ProjectFile, WriterLayout) {
  Fixture f;
  IntroModel m = f.Model();
  FillEveryField(m, f.Dir.Base());
  std::string text = ProjectText(m, f.Eng);
  std::vector<std::string> lines = Lines(text);
  ASSERT_GT(lines.size(), 10u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::count(text.begin(), text.end(), '\r'));
  EXPECT_EQ(lines[0], "; ---------------------------------------------------");
  EXPECT_EQ(lines[1], "; --         Quellor preferences file           --");
  EXPECT_EQ(lines[2], lines[0]);

  std::vector<std::string> groups;
  for (const std::string& l : lines)
    if (!l.empty() && l[0] == '[') groups.push_back(l);
  std::vector<std::string> expected = {
      "[Settings]", "[AnimClone]", "[GFX#1]", "[GFX#2]", "[GFX#3]", "[GFX#4]", "[GFX#5]",
      "[Logo]", "[Sign]", "[Anim_2d]", "[Background]", "[Anim_BOB]", "[Startup_Timer]",
      "[3dObject]", "[3dTexture]", "[VertexShader]", "[Music]", "[Fonts]", "[Text]",
      "[Scroller1]", "[Scroller2]", "[PostShader]", "[Border]", "[DispOrder]", "[Pager]",
      "[Trainer]", "[Colorizer]", "[FullPath]"};
  EXPECT_EQ(groups, expected);

  auto after = [&](const std::string& group) {
    auto it = std::find(lines.begin(), lines.end(), group);
    return std::vector<std::string>(it + 1, it + 4);
  };
  EXPECT_EQ(after("[Settings]"),
            (std::vector<std::string>{"IntroName = Round Trip Intro", "Version = 67", "ScreenX = 800"}));
  EXPECT_EQ(after("[Logo]")[0], "Path = logo.png");  // the file part only
  EXPECT_EQ(after("[Text]")[0], "Scroll1 = @  Hello scroller one  @");
  EXPECT_EQ(after("[3dTexture]"),
            (std::vector<std::string>{"Type = 2", "Path = tex.fx", "Lines = 4"}));
  EXPECT_EQ(after("[Border]")[0], "SizX = 110");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Src = 7"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Ras1_txt = 1.000000"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Var1 = 0.250000"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Rota = 45"), lines.end());  // float-as-long
  EXPECT_NE(std::find(lines.begin(), lines.end(), "SF_13 = 5"), lines.end());
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "SF_8 = 0"), lines.end());
  EXPECT_EQ(after("[DispOrder]"),
            (std::vector<std::string>{"Lines = 5", "P1 = GFX2", "P2 = Logo"}));
  EXPECT_EQ(lines.back(), "GFX#5 = " + f.Dir.Base() + "Data/Bobs/gfx5.png");
}

TEST(ProjectFile, FreshModelRoundTripKeepsEveryStoredField) {
  Fixture f;
  IntroModel m = f.Model();
  ASSERT_TRUE(SaveProject(m, f.Eng, f.File("fresh.ini")));
  std::string first = ReadText(f.File("fresh.ini"));

  IntroModel back = f.Model();
  back.GFX.Trans[2] = 77;  // must be replaced by the stored 0
  LoadOutcome out = LoadProject(back, f.Eng, f.File("fresh.ini"));
  EXPECT_TRUE(out.Read);
  EXPECT_FALSE(out.ResolutionMismatch);
  EXPECT_EQ(back.GFX.Trans[2], 0);  // the start value 0 is stored, not the missing default
  EXPECT_EQ(back.Anim_2d.Speed, 20);
  EXPECT_EQ(back.Pager.Van_Ro, 1);
  EXPECT_EQ(back.ExportName, back.IntroName);
  ASSERT_TRUE(SaveProject(back, f.Eng, f.File("again.ini")));
  EXPECT_EQ(ReadText(f.File("again.ini")), first);
}

TEST(ProjectFile, PopulatedModelWithMissingAssetsRoundTripsByteForByte) {
  Fixture f;
  IntroModel m = f.Model();
  FillEveryField(m, f.Dir.Base());
  ASSERT_TRUE(SaveProject(m, f.Eng, f.File("full.ini")));
  std::string first = ReadText(f.File("full.ini"));

  IntroModel back = f.Model();
  LoadProject(back, f.Eng, f.File("full.ini"));
  // None of the assets exist: each says so, and each keeps its path for the next save.
  EXPECT_TRUE(HasLine(back, "Loading Error: Logo file Not found.", kColorError));
  EXPECT_TRUE(HasLine(back, "Loading Error: GFX #4 file Not found.", kColorError));
  EXPECT_TRUE(HasLine(back, "Loading Error: Font #2 file Not found.", kColorError));
  EXPECT_TRUE(HasLine(back, "Loading Error: Trainer Bar file Not found.", kColorError));
  EXPECT_TRUE(HasLine(back, "Loading Error: Overlay file not found.", kColorError));
  EXPECT_EQ(back.Logo.File, m.Logo.File);
  EXPECT_EQ(back.TrainerBar.File, "bar.png");  // the bar has no full path to keep
  EXPECT_EQ(back.Pager.Lines, m.Pager.Lines);
  EXPECT_EQ(back.Trainer.Lines, m.Trainer.Lines);
  EXPECT_EQ(back.TexShader.Code, m.TexShader.Code);
  EXPECT_EQ(back.VertexShader.TexFile, m.VertexShader.TexFile);
  EXPECT_EQ(back.DisplayOrder, m.DisplayOrder);
  EXPECT_EQ(back.Raster.RasterCount, 3);
  EXPECT_FLOAT_EQ(back.Obj3d.WorkPos[2], 12.0f);
  EXPECT_EQ(back.Scroller[0].Slots, 800 / 40 + 1);

  ASSERT_TRUE(SaveProject(back, f.Eng, f.File("again.ini")));
  EXPECT_EQ(ReadText(f.File("again.ini")), first);
}

TEST(ProjectFile, MissingKeysTakeTheReadersDefaults) {
  Fixture f;
  IntroModel m = f.Model();
  m.ScreenX = 1024;
  m.ScreenY = 768;
  f.Eng.Open(1024, 768);
  WriteText(f.File("sparse.ini"), "[Settings]\r\nScreenX = 1024\r\nScreenY = 768\r\n"
                                   "[AnimClone]\r\nActive = 1\r\nCount = 5\r\n");
  LoadOutcome out = LoadProject(m, f.Eng, f.File("sparse.ini"));
  EXPECT_FALSE(out.ResolutionMismatch);
  EXPECT_EQ(m.IntroName, "My Intro");
  EXPECT_EQ(m.FMode, 1);    // 0 in a new model
  EXPECT_EQ(m.WinType, 0);  // 1 in a new model
  for (int i = 1; i <= 5; ++i) {  // no [GFX#i] at all
    EXPECT_EQ(m.GFX.XSize[i], 100);
    EXPECT_EQ(m.GFX.YSize[i], 100);
    EXPECT_EQ(m.GFX.Trans[i], 255);
    EXPECT_EQ(m.GFX.SRC[i], 5);
    EXPECT_EQ(m.GFX.Dest[i], 6);
  }
  EXPECT_EQ(m.Logo.SizeX, 0);
  EXPECT_EQ(m.Anim_2d.Speed, 30);
  EXPECT_EQ(m.Anim_BOB.Dir, 0);
  EXPECT_EQ(m.Anim_BOB.CspX, 32);
  EXPECT_EQ(m.AnimClone.width, 1024);  // the running resolution
  EXPECT_EQ(m.AnimClone.height, 768);
  // Clones need the bob animation.
  EXPECT_EQ(m.AnimClone.Active, 0);
  EXPECT_TRUE(HasLine(m, "Bob Animation deaktivated, Bob Anim file not loaded !", kColorError));
  EXPECT_FLOAT_EQ(m.Obj3d.RotX, 0.0f);
  EXPECT_FLOAT_EQ(m.Obj3d.PosZ, 10.0f);
  EXPECT_FLOAT_EQ(m.Obj3d.LightZ, -100.0f);
  EXPECT_FLOAT_EQ(m.VertexShader.Var2, 0.5f);
  EXPECT_EQ(m.VertexShader.M_X, 0);
  EXPECT_EQ(m.FontGrid[1].CL, 10);
  EXPECT_EQ(m.FontGrid[1].L, 6);
  EXPECT_FLOAT_EQ(m.Scroller[0].SSinAdd, 5.0f);
  EXPECT_FLOAT_EQ(m.Scroller[1].SSinAdd, 2.0f);
  EXPECT_EQ(m.Scroller[0].SSinSiz, 150);
  EXPECT_EQ(m.Scroller[1].SSinSiz, 100);
  EXPECT_EQ(m.Scroller[1].cspX, 0);
  EXPECT_EQ(m.Scroller[0].Text, "");
  EXPECT_EQ(m.Pager.Spn_sX, 100);
  EXPECT_EQ(m.Pager.Van_Ro, -1);
  EXPECT_EQ(m.Pager.Next, 0);
  EXPECT_EQ(m.Pager.PG_del2, 50);
  EXPECT_EQ(m.Trainer.YLins, 6);
  EXPECT_FLOAT_EQ(m.TrainerBar.TB_FSL, 100.0f);
  EXPECT_EQ(m.Border.Top, 1);
  EXPECT_EQ(m.Border.CspX, 0);
  EXPECT_FLOAT_EQ(m.Raster.val[2], 0.5f);
  EXPECT_EQ(m.Raster.RasterCount, 0);
  EXPECT_TRUE(HasLine(m, "Opensparse.ini to load.", kColorInfo));
  // The sine tables are rebuilt from phase 0 with the stored amplitude.
  EXPECT_FLOAT_EQ(m.Scroller[0].SineTable[0], 0.0f);
  EXPECT_NEAR(m.Scroller[0].CosineTable[0], 200.0f, 1e-3);
  EXPECT_EQ(m.Scroller[0].Phase, 1);
}

TEST(ProjectFile, ScrollTextsKeepTheirSpacesAndStopAtAnAtSign) {
  Fixture f;
  IntroModel m = f.Model();
  m.Scroller[0].Text = "   lots of space   ";
  m.Scroller[1].Text = "mail me@home please";
  m.Pager.Lines = {" centred ", "a@b"};
  ASSERT_TRUE(SaveProject(m, f.Eng, f.File("texts.ini")));
  IntroModel back = f.Model();
  LoadProject(back, f.Eng, f.File("texts.ini"));
  EXPECT_EQ(back.Scroller[0].Text, "   lots of space   ");
  EXPECT_EQ(back.Scroller[1].Text, "mail me");
  EXPECT_EQ(back.Pager.Lines, (std::vector<std::string>{" centred ", "a"}));
}

TEST(ProjectFile, ShaderTextsComeBackEndingInCrLf) {
  Fixture f;
  IntroModel m = f.Model();
  m.PostFX.Code = "line one\r\nline two";   // typed, last line unterminated
  m.VertexShader.Code = "a\nb\n\nc\n";       // LF only
  m.TexShader.Code = "x = 1;\r\n";
  ASSERT_TRUE(SaveProject(m, f.Eng, f.File("shaders.ini")));
  IntroModel back = f.Model();
  LoadProject(back, f.Eng, f.File("shaders.ini"));
  EXPECT_EQ(back.PostFX.Code, "line one\r\nline two\r\n");  // nothing typed is lost
  EXPECT_EQ(back.VertexShader.Code, "a\r\nb\r\n\r\nc\r\n");
  EXPECT_EQ(back.TexShader.Code, "x = 1;\r\n");
  EXPECT_EQ(back.Tex3d.Type, 2);
}

TEST(ProjectFile, ResolutionRule) {
  Fixture f;
  IntroModel m = f.Model();
  m.ScreenX = 1024;
  m.ScreenY = 768;
  ASSERT_TRUE(SaveProject(m, f.Eng, f.File("big.ini")));
  m.ScreenY = 600;
  ASSERT_TRUE(SaveProject(m, f.Eng, f.File("wide.ini")));

  // Same width, other height: the file's height, no question.
  IntroModel a = f.Model();
  a.ScreenX = 1024;
  a.ScreenY = 768;
  LoadOutcome same = LoadProject(a, f.Eng, f.File("wide.ini"));
  EXPECT_FALSE(same.ResolutionMismatch);
  EXPECT_EQ(a.ScreenY, 600);

  // Other width: the running size stays and the caller is told what the file wanted.
  IntroModel b = f.Model();
  b.Scroller[0].cspX = 64;
  LoadOutcome other = LoadProject(b, f.Eng, f.File("big.ini"));
  EXPECT_TRUE(other.ResolutionMismatch);
  EXPECT_EQ(other.FileWidth, 1024);
  EXPECT_EQ(other.FileHeight, 768);
  EXPECT_EQ(b.ScreenX, 800);
  EXPECT_EQ(b.ScreenY, 600);
  EXPECT_EQ(b.Scroller[0].Slots, 800 / 64 + 1);

  EXPECT_EQ(ResolutionWarningText(1024, 768, 800, 600),
            "Warning, this preferences file want another screen Resolution!\n"
            "This Intro needs. (1024 * 768 )\n"
            "The view of the 2d parts may look different than it was created.\n\n"
            "Click on [ YES ] to restart Quellor with the right screen resolution,\n"
            "or Click on [ NO ] To keep (800 * 600 )\n");

  // An impossible height is not taken even when the width matches.
  WriteText(f.File("tall.ini"), "[Settings]\r\nScreenX = 800\r\nScreenY = 2000000000\r\n");
  IntroModel c = f.Model();
  LoadProject(c, f.Eng, f.File("tall.ini"));
  EXPECT_EQ(c.ScreenY, 600);
  // Nor is a restart offered for a width no screen has.
  WriteText(f.File("odd.ini"), "[Settings]\r\nScreenX = -640\r\nScreenY = 480\r\n");
  EXPECT_FALSE(LoadProject(c, f.Eng, f.File("odd.ini")).ResolutionMismatch);
  EXPECT_EQ(c.ScreenX, 800);
}

TEST(ProjectFile, WindowsWrittenFileIsRead) {
  Fixture f;
  IntroModel m = f.Model();
  std::string text =
      "\xEF\xBB\xBF; written elsewhere\r\n"
      "[SETTINGS]\r\n"
      "introname = A Windows Intro  That Is Too Long\r\n"
      "screenx = 800\r\n"
      "[logo]\r\n"
      "path = LOGO.PNG\r\n"
      "posx = 33\r\n"
      "SRC = 2\r\n"
      "[border]\r\n"
      "src = 9\r\n"
      "[fullpath]\r\n"
      "logo = C:\\Intros\\Data\\Logo\\LOGO.PNG\r\n"
      "gfx#2 = ..\\NoSuchFolder\\Bobs\\Star.png\r\n";
  WriteText(f.File("win.ini"), text);
  LoadProject(m, f.Eng, f.File("win.ini"));
  EXPECT_EQ(m.IntroName, "A Windows Intro  Tha");  // cut to 20 characters on loading
  EXPECT_EQ(m.ExportName, "A Windows Intro  Tha");
  EXPECT_EQ(m.Logo.PosX, 33);
  EXPECT_EQ(m.Logo.SRC, 2);
  EXPECT_EQ(m.Border.SRC, 9);  // written as "Src", read as "SRC"
  EXPECT_EQ(m.GFX.File[2], "..\\NoSuchFolder\\Bobs\\Star.png");  // kept as written while missing

  // A cut that ends in spaces drops them, as the next save and load would.
  WriteText(f.File("cut.ini"), "[Settings]\r\nIntroName = Nineteen characters  tail\r\n");
  LoadProject(m, f.Eng, f.File("cut.ini"));
  EXPECT_EQ(m.IntroName, "Nineteen characters");
}

TEST(ProjectFile, EightBitWindowsTextKeepsItsBytesFromLoadToSave) {
  Fixture f;
  IntroModel m = f.Model();
  // Windows-1252: u-umlaut 0xFC, o-umlaut 0xF6, the euro sign 0x80. The logo's file is
  // named in UTF-8 on this disk, as copying it over would name it.
  fs::create_directories(f.Dir.Path / "Data" / "Logo");
  const std::string onDisk = (f.Dir.Path / "Data" / "Logo" / "J\xC3\xB6rg.png").string();
  WritePng(onDisk, 8, 8);
  m.IntroName = "Gr\xFC\xDF \x80 Intro";
  m.Logo.File = (f.Dir.Path / "Data" / "Logo" / "J\xF6rg.png").string();
  m.Scroller[0].Text = "Sch\xF6ne Gr\xFC\xDF\x65 f\xFCr 5 \x80";
  m.DisplayOrder = {"Logo"};
  ASSERT_TRUE(SaveProject(m, f.Eng, f.File("cp1252.ini")));
  const std::string first = ReadText(f.File("cp1252.ini"));
  ASSERT_NE(first.find("IntroName = Gr\xFC\xDF \x80 Intro"), std::string::npos);

  IntroModel back = f.Model();
  LoadProject(back, f.Eng, f.File("cp1252.ini"));
  EXPECT_EQ(back.IntroName, m.IntroName);
  EXPECT_EQ(back.Scroller[0].Text, m.Scroller[0].Text);
  EXPECT_NE(back.Logo.Sprite, 0u);  // found on disk under its UTF-8 name
  ASSERT_TRUE(SaveProject(back, f.Eng, f.File("again.ini")));
  EXPECT_EQ(ReadText(f.File("again.ini")), first);
}

TEST(ProjectFile, MusicIsLookedForInItsKindFolderFirst) {
  Fixture f;
  WriteText(f.Dir.Path / "Data" / "Music" / "tune.sid", "PSID");
  WriteText(f.File("music.ini"),
            "[Music]\r\nPath = tune.sid\r\nType = 1\r\n"
            "[FullPath]\r\nMusic = C:\\Elsewhere\\tune.sid\r\n");
  IntroModel m = f.Model();
  LoadProject(m, f.Eng, f.File("music.ini"));
  EXPECT_EQ(m.Music.Type, 1);
  EXPECT_EQ(m.Music.File, f.Dir.Base() + "Data/Music/tune.sid");
  EXPECT_FALSE(HasLine(m, "Loading Error: Music file Not found.", kColorError));

  // Found nowhere: reported, and the stored full path is kept for the next save.
  fs::remove(f.Dir.Path / "Data" / "Music" / "tune.sid");
  IntroModel gone = f.Model();
  LoadProject(gone, f.Eng, f.File("music.ini"));
  EXPECT_EQ(gone.Music.File, "C:\\Elsewhere\\tune.sid");
  EXPECT_TRUE(HasLine(gone, "Loading Error: Music file Not found.", kColorError));
}

TEST(ProjectFile, FailedSaveKeepsThePreviousFile) {
  Fixture f;
  IntroModel m = f.Model();
  m.IntroName = "Version One";
  ASSERT_TRUE(SaveProject(m, f.Eng, f.File("keep.ini")));
  std::string before = ReadText(f.File("keep.ini"));

  // The temporary file cannot be created: the save fails before touching the project.
  fs::create_directories(f.File("keep.ini.tmp"));
  m.IntroName = "Version Two";
  EXPECT_FALSE(SaveProject(m, f.Eng, f.File("keep.ini")));
  EXPECT_EQ(ReadText(f.File("keep.ini")), before);
  EXPECT_TRUE(HasLine(m, "Saving Error: could not write keep.ini", kColorError));

  // A folder that does not exist is reported too, and nothing is left behind.
  EXPECT_FALSE(SaveProject(m, f.Eng, f.File("no/such/folder/x.ini")));
  EXPECT_TRUE(HasLine(m, "Saving Error: could not write x.ini", kColorError));

  fs::remove_all(f.File("keep.ini.tmp"));
  EXPECT_TRUE(SaveProject(m, f.Eng, f.File("keep.ini")));
  EXPECT_FALSE(fs::exists(f.File("keep.ini.tmp")));
  EXPECT_NE(ReadText(f.File("keep.ini")).find("IntroName = Version Two"), std::string::npos);
}

TEST(ProjectFile, UnreadableFilesLeaveANewIntroAndSaySo) {
  Fixture f;
  IntroModel m = f.Model();
  m.ScreenX = 1024;
  LoadOutcome out = LoadProject(m, f.Eng, f.File("missing.ini"));
  EXPECT_TRUE(out.Attempted);
  EXPECT_FALSE(out.Read);
  // Every key takes its missing default, the width included: a running width other than
  // 800 asks about the default screen size.
  EXPECT_TRUE(out.ResolutionMismatch);
  EXPECT_EQ(out.FileWidth, 800);
  EXPECT_EQ(out.FileHeight, 600);
  EXPECT_EQ(m.ScreenX, 1024);
  EXPECT_EQ(m.FMode, 1);
  EXPECT_TRUE(HasLine(m, "Loading Error: could not read missing.ini", kColorError));
  IntroModel same = f.Model();
  EXPECT_FALSE(LoadProject(same, f.Eng, f.File("missing.ini")).ResolutionMismatch);

  // Not a project at all.
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk.push_back(static_cast<char>((i * 131) & 0xFF));
  WriteText(f.File("junk.ini"), junk);
  IntroModel j = f.Model();
  EXPECT_TRUE(LoadProject(j, f.Eng, f.File("junk.ini")).Read);
  EXPECT_EQ(j.IntroName, "My Intro");

  // Empty names do nothing.
  IntroModel e = f.Model();
  EXPECT_FALSE(LoadProject(e, f.Eng, "").Attempted);
  EXPECT_TRUE(e.Log.Lines.empty());
  EXPECT_TRUE(SaveProject(e, f.Eng, ""));
}

TEST(ProjectFile, AbsurdCountsAndValuesStayBounded) {
  Fixture f;
  IntroModel m = f.Model();
  WriteText(f.File("absurd.ini"),
            "[Settings]\r\nScreenX = 800\r\nOverPX = 99999999999999\r\n"
            "[AnimClone]\r\nCount = 2000000000\r\n"
            "[VertexShader]\r\nLines = 2000000000\r\nLN1 = a\r\nVar1 = 1e999\r\n"
            "[PostShader]\r\nLines = -5\r\n"
            "[Pager]\r\nLines = 2000000000\r\nP0 = @one@\r\nP1999999999 = @far@\r\n"
            "[Trainer]\r\nLines = 2147483647\r\n"
            "[DispOrder]\r\nLines = 2000000000\r\nP0 = Logo\r\nP1 = Logo\r\nP2 = Nonsense\r\n"
            "[GFX#1]\r\nRota = -99999999999\r\nAutoRot = nan\r\n");
  LoadProject(m, f.Eng, f.File("absurd.ini"));
  EXPECT_EQ(m.OverPX, INT32_MAX);
  EXPECT_EQ(m.AnimClone.Count, kMaxBobClones);
  EXPECT_LE(m.Pager.Lines.size(), 3u);  // no more entries than the group has keys
  EXPECT_EQ(m.Pager.Lines[0], "one");
  EXPECT_LE(m.Trainer.Lines.size(), 1u);
  EXPECT_LE(SplitTextLines(m.VertexShader.Code).size(), 3u);
  EXPECT_EQ(m.PostFX.Code, "");
  EXPECT_FLOAT_EQ(m.VertexShader.Var1, 1e9f);
  EXPECT_FLOAT_EQ(m.GFX.AutoRot[1], 0.0f);
  EXPECT_FLOAT_EQ(m.GFX.Rota[1], static_cast<float>(INT32_MIN));
  EXPECT_EQ(m.DisplayOrder, (std::vector<std::string>{"Logo"}));
}

TEST(ProjectFields, SetFieldByName) {
  IntroModel m;
  InitModel(m);
  EXPECT_TRUE(SetFieldByName(m, "Logo.PosX", "42"));
  EXPECT_EQ(m.Logo.PosX, 42);
  EXPECT_TRUE(SetFieldByName(m, "gfx#2.trans", "17"));
  EXPECT_EQ(m.GFX.Trans[2], 17);
  EXPECT_TRUE(SetFieldByName(m, "IntroName", "Hello"));
  EXPECT_EQ(m.IntroName, "Hello");
  EXPECT_TRUE(SetFieldByName(m, "Settings.ScreenX", "640"));
  EXPECT_EQ(m.ScreenX, 640);
  EXPECT_TRUE(SetFieldByName(m, "Anim_BOB.Rota", "30"));
  EXPECT_FLOAT_EQ(m.Anim_BOB.Rota, 30.0f);
  EXPECT_TRUE(SetFieldByName(m, "Colorizer.Ras2_txt", "1.000000"));
  EXPECT_EQ(m.Raster.txt[2], 1);
  EXPECT_TRUE(SetFieldByName(m, "Text.Scroll1", "  spaced  "));
  EXPECT_EQ(m.Scroller[0].Text, "  spaced  ");
  EXPECT_TRUE(SetFieldByName(m, "FullPath.GFX#3", "Data/Bobs/star.png"));
  EXPECT_EQ(m.GFX.File[3], "Data/Bobs/star.png");
  EXPECT_TRUE(SetFieldByName(m, "Fonts.Font1", "Data/Fonts/font32.png"));
  EXPECT_EQ(m.Font1.File, "Data/Fonts/font32.png");
  EXPECT_TRUE(ApplySetArgument(m, "AnimClone.Count = 123456789"));
  EXPECT_EQ(m.AnimClone.Count, kMaxBobClones);
  // Changing the sine of a scroller rebuilds its tables.
  EXPECT_TRUE(ApplySetArgument(m, "Scroller2.SinSiz=10"));
  EXPECT_NEAR(m.Scroller[1].CosineTable[0], 10.0f, 1e-4);

  EXPECT_FALSE(SetFieldByName(m, "Logo.NoSuchKey", "1"));
  EXPECT_FALSE(SetFieldByName(m, "NoGroup.PosX", "1"));
  EXPECT_FALSE(SetFieldByName(m, "Pager.Lines", "3"));
  EXPECT_FALSE(ApplySetArgument(m, "Logo.PosX"));
}
