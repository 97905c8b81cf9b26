#include "app/AssetDialog.h"
#include <gtest/gtest.h>

#include "app/ProjectCommands.h"
#include "project/ProjectFile.h"
#include "project_test_support.h"
#include "tests/FakeHost.h"

using namespace quellor;
using namespace quellor::testsupport;

namespace {
struct CommandFixture {
  ScratchDir Dir;
  RecordingEngine Eng;
  FakeHost Win;
  IntroModel Model;
  AppContext Ctx{Model, Eng, Win};
  CommandFixture() {
    Eng.Open(800, 600);
    Model = FreshModel(Dir.Base());
    fs::create_directories(Dir.Path / "Data" / "Prefs");
  }
  std::string Prefs(const std::string& name) { return (Dir.Path / "Data" / "Prefs" / name).string(); }
};
}  // namespace

TEST(ProjectCommands, SaveOffersTheProjectNameAndAddsIni) {
  CommandFixture f;
  f.Model.ProjectName = "MyDemo";
  f.Model.IntroName = "Saved By Command";
  f.Win.SaveAnswers = {f.Prefs("Chosen")};
  CommandSaveProject(f.Ctx);
  ASSERT_EQ(f.Win.Dialogs.size(), 1u);
  EXPECT_EQ(f.Win.Dialogs[0].Title, "Quellor - save all Datas");
  EXPECT_EQ(f.Win.Dialogs[0].Folder, f.Prefs("MyDemo"));
  EXPECT_EQ(f.Win.Dialogs[0].Filter, "Quellor Data (*.ini)|*.ini");
  EXPECT_NE(ReadText(f.Prefs("Chosen.ini")).find("IntroName = Saved By Command"), std::string::npos);

  // The window toolkit gets the folder and the offered name separately; a folder is
  // found whatever the case of its name, and a folder alone offers no name.
  DialogStart where = SplitDialogStart(f.Win.Dialogs[0].Folder);
  EXPECT_EQ(fs::path(where.Folder), fs::path(f.Prefs("")).parent_path());
  EXPECT_EQ(where.File, "MyDemo");
  where = SplitDialogStart((f.Dir.Path / "data" / "PREFS" / "x.ini").string());
  EXPECT_EQ(fs::path(where.Folder), fs::path(f.Prefs("")).parent_path());
  EXPECT_EQ(where.File, "x.ini");
  where = SplitDialogStart((f.Dir.Path / "Data" / "Prefs").string());
  EXPECT_EQ(where.File, "");

  // Cancelling writes nothing.
  f.Win.SaveAnswers = {""};
  CommandSaveProject(f.Ctx);
  EXPECT_EQ(std::distance(fs::directory_iterator(f.Dir.Path / "Data" / "Prefs"), fs::directory_iterator()), 1);
}

TEST(ProjectCommands, LoadSetsNameTitleAndExportName) {
  CommandFixture f;
  IntroModel other = FreshModel(f.Dir.Base());
  other.IntroName = "Loaded Intro";
  other.Scroller[0].cspX = 50;
  ASSERT_TRUE(SaveProject(other, f.Eng, f.Prefs("Party.ini")));

  f.Win.OpenAnswers = {f.Prefs("Party")};
  CommandLoadProject(f.Ctx);
  ASSERT_EQ(f.Win.Dialogs.size(), 1u);
  EXPECT_EQ(f.Win.Dialogs[0].Title, "Quellor - Load Intro Datas");
  EXPECT_EQ(f.Win.Dialogs[0].Folder, f.Dir.Base() + "Data/Prefs/");
  EXPECT_EQ(f.Win.Dialogs[0].Filter, "Quellor Data (*.ini)|*.ini");
  EXPECT_EQ(f.Model.ProjectName, "Party");
  EXPECT_EQ(f.Model.IntroName, "Loaded Intro");
  EXPECT_EQ(f.Model.ExportName, "Loaded Intro");
  EXPECT_EQ(f.Win.Title(), "Quellor v0.67 - Party.ini");
  EXPECT_TRUE(f.Win.Questions.empty());
  EXPECT_FALSE(f.Ctx.QuitRequested);

  // Cancelled: nothing is read, the title stays.
  f.Win.OpenAnswers = {""};
  f.Win.Titles = {"unchanged"};
  CommandLoadProject(f.Ctx);
  EXPECT_EQ(f.Win.Title(), "unchanged");
  EXPECT_EQ(f.Model.IntroName, "Loaded Intro");
}

TEST(ProjectCommands, AnotherWidthAsksAndRestartsOnYes) {
  CommandFixture f;
  IntroModel big = FreshModel(f.Dir.Base());
  big.ScreenX = 1024;
  big.ScreenY = 768;
  ASSERT_TRUE(SaveProject(big, f.Eng, f.Prefs("Big.ini")));

  f.Win.YesNoAnswers = {false};
  LoadProjectFile(f.Ctx, f.Prefs("Big.ini"));
  ASSERT_EQ(f.Win.Questions.size(), 1u);
  EXPECT_EQ(f.Win.Questions[0].first, "Quellor - Warning");
  EXPECT_EQ(f.Win.Questions[0].second, ResolutionWarningText(1024, 768, 800, 600));
  EXPECT_TRUE(f.Win.Restarts.empty());
  EXPECT_FALSE(f.Ctx.QuitRequested);
  EXPECT_EQ(f.Model.ScreenX, 800);  // NO keeps the running size

  f.Win.YesNoAnswers = {true};
  f.Win.Questions.clear();
  LoadProjectFile(f.Ctx, f.Prefs("Big"));
  ASSERT_EQ(f.Win.Questions.size(), 1u);
  ASSERT_EQ(f.Win.Restarts.size(), 1u);
  EXPECT_EQ(f.Win.Restarts[0], (std::vector<std::string>{"/sr", "1024", "768", f.Prefs("Big.ini")}));
  EXPECT_TRUE(f.Ctx.QuitRequested);
}
