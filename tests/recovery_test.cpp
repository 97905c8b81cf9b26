// Unsaved work survives quitting, New and Load: a changed intro is written to
// Data/Prefs/Recovered.ini first, the one before kept as Recovered.1.ini.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/MenuIds.h"
#include "app/Recovery.h"
#include "project/ProjectFile.h"
#include "project_test_support.h"
#include "tests/shell_rig.h"

using namespace quellor;
using namespace quellor::testing;
using namespace quellor::testsupport;

namespace {

struct RecoveryRig : ShellRig {
  ScratchDir Dir;
  RecoveryRig() {
    Start();
    m.BaseDir = Dir.Base();
  }
  fs::path File(const char* rel) const { return Dir.Path / rel; }
  void Menu(int item) {
    host.QueueMenu(item);
    shell.RunPass();
  }
  bool Logged(const std::string& start) const {
    for (const StatusLine& l : m.Log.Lines)
      if (l.Text.rfind(start, 0) == 0) return true;
    return false;
  }
};

TEST(Recovery, AChangedIntroIsWrittenBeforeQuittingAndLoadsBackTheSame) {
  RecoveryRig r;
  // Nothing changed since start-up: there is nothing to keep.
  EXPECT_FALSE(WriteRecoveryIfChanged(r.shell.Context()));
  EXPECT_FALSE(fs::exists(r.File(kRecoveryFile)));
  r.Menu(menu::ScrollerItem(1, menu::kScrollerActive));
  r.Menu(menu::ScrollerItem(2, menu::kScrollerEffect + 3));
  ASSERT_TRUE(HasUnkeptChanges(r.shell.Context()));
  const std::string expected = ProjectText(r.m, r.e);
  r.host.QueueClose(WindowId::Main);
  EXPECT_FALSE(r.shell.RunPass());
  ASSERT_TRUE(fs::exists(r.File(kRecoveryFile)));
  EXPECT_TRUE(r.Logged("Unsaved changes kept in"));

  IntroModel back = FreshModel(r.Dir.Base());
  LoadProject(back, r.e, r.File(kRecoveryFile).string());
  EXPECT_EQ(back.Scroller[0].Active, 1);
  EXPECT_EQ(back.Scroller[1].FX, 3);
  back.ProjectName = r.m.ProjectName;
  EXPECT_EQ(ProjectText(back, r.e), expected);
}

TEST(Recovery, NewAndLoadKeepThePreviousRecoveryAndSavingCountsAsKept) {
  RecoveryRig r;
  r.Menu(menu::ScrollerItem(1, menu::kScrollerActive));
  r.Menu(menu::kFileNew);  // written, then the intro is new and unchanged
  ASSERT_TRUE(fs::exists(r.File(kRecoveryFile)));
  const std::string first = ReadText(r.File(kRecoveryFile));
  r.Menu(menu::kFileNew);  // nothing changed since: nothing written
  EXPECT_FALSE(fs::exists(r.File(kOlderRecoveryFile)));

  r.Menu(menu::ScrollerItem(2, menu::kScrollerActive));
  fs::create_directories(r.Dir.Path / "Data" / "Prefs");
  ASSERT_TRUE(SaveProject(r.m, r.e, r.File("Data/Prefs/Other.ini").string()));
  r.host.OpenAnswers.push_back(r.File("Data/Prefs/Other.ini").string());
  r.Menu(menu::kFileLoad);
  EXPECT_EQ(ReadText(r.File(kOlderRecoveryFile)), first);
  EXPECT_NE(ReadText(r.File(kRecoveryFile)), first);

  // A save makes the intro kept: the next New writes nothing.
  r.Menu(menu::ScrollerItem(1, menu::kScrollerActive));
  r.host.SaveAnswers.push_back(r.File("Data/Prefs/Saved.ini").string());
  r.Menu(menu::kFileSave);
  const auto stamp = fs::last_write_time(r.File(kRecoveryFile));
  r.Menu(menu::kFileNew);
  EXPECT_EQ(fs::last_write_time(r.File(kRecoveryFile)), stamp);
}

TEST(Recovery, AFailedRecoveryWriteIsReportedAndNeverStopsQuitting) {
  RecoveryRig r;
  // A file where the Prefs folder should be: nothing can be written there.
  WriteText(r.Dir.Path / "Data", "not a folder");
  r.Menu(menu::ScrollerItem(1, menu::kScrollerActive));
  r.host.QueueClose(WindowId::Main);
  EXPECT_FALSE(r.shell.RunPass());
  EXPECT_TRUE(r.shell.Ended());
  EXPECT_TRUE(r.Logged("Saving Error: could not write"));
}

}  // namespace
