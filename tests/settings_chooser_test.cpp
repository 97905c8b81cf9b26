// The program's settings file, the resolution chooser, the About window and the web
// addresses of the help menu.
#include "app/Dispatch.h"
#include "app/MenuIds.h"
#include "app/dialogs/About.h"
#include "app/dialogs/ResolutionChoice.h"
#include "app/dialogs/Settings.h"
#include "tests/DialogTestSupport.h"
#include "tests/shell_rig.h"

using namespace quellor;
using namespace quellor::test;

namespace {

class FakeChooser : public ResolutionChooser {
 public:
  std::vector<Resolution> Modes;
  ChooserResult Answer;
  std::vector<ChooserSetup> Shown;
  std::vector<Resolution> DisplayModes() override { return Modes; }
  ChooserResult Run(const ChooserSetup& s) override {
    Shown.push_back(s);
    return Answer;
  }
};

TEST(Settings, MissingGarbageAndPartialFiles) {
  const auto dir = ScratchDir("settings_read");
  ProgramSettings s = ReadSettings((dir / "none.ini").string());
  EXPECT_EQ(s.LastSelect, -1);
  EXPECT_EQ(s.StartS, 0);
  WriteFile(dir / "partial.ini", "[Startup]\r\nStartS = 4\r\n");
  s = ReadSettings((dir / "partial.ini").string());
  EXPECT_EQ(s.LastSelect, -1);
  EXPECT_EQ(s.StartS, 4);
  WriteFile(dir / "garbage.ini", "[startup]\nlastselect = banana\n\x01\x02\xFF junk");
  s = ReadSettings((dir / "garbage.ini").string());
  EXPECT_EQ(s.LastSelect, 0);  // not a number: the C conversion's 0
  EXPECT_EQ(s.StartS, 0);
  std::filesystem::create_directory(dir / "folder.ini");
  EXPECT_EQ(ReadSettings((dir / "folder.ini").string()).LastSelect, -1);
}

TEST(Settings, WrittenWholeAndNeverHalf) {
  const auto dir = ScratchDir("settings_write");
  const std::string path = (dir / "Quellor.ini").string();
  ASSERT_TRUE(WriteSettings(path, {3, 7}));
  EXPECT_EQ(ReadFile(path), "[Startup]\r\nLastSelect = 3\r\nStartS = 7\r\n");
  // A write that cannot finish (its temporary file cannot be made) leaves the old file.
  std::filesystem::create_directory(path + ".tmp");
  EXPECT_FALSE(WriteSettings(path, {9, 9}));
  EXPECT_EQ(ReadSettings(path).StartS, 7);
  EXPECT_TRUE(std::filesystem::is_directory(path + ".tmp"));
}

TEST(ResolutionChoices, DistinctModesOverSixteenBitsAtSixtyHertz) {
  std::vector<Resolution> modes = {{640, 480, 16, 60}, {640, 480, 32, 75}, {1024, 768, 32, 60},
                                   {800, 600, 24, 60}, {800, 600, 32, 60}, {1024, 768, 24, 60}};
  std::vector<Resolution> c = ResolutionChoices(modes);
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[0].Width, 1024);
  EXPECT_EQ(c[1].Width, 800);
  EXPECT_EQ(DefaultChoice(c, -1), 1);
  EXPECT_EQ(DefaultChoice(c, 0), 0);
  EXPECT_EQ(DefaultChoice(c, 5), 1);  // a pick the list no longer has
  EXPECT_EQ(DefaultChoice({{1280, 1024}}, -1), 0);
  EXPECT_EQ(ResolutionItem(c[0]), "Resolution ( 1024 * 768 )");
}

TEST(ResolutionChooserStep, FirstStartPicksAndWrites) {
  const auto dir = ScratchDir("chooser_first");
  const std::string path = (dir / "Quellor.ini").string();
  FakeChooser chooser;
  chooser.Modes = {{640, 480, 32, 60}, {800, 600, 32, 60}, {1024, 768, 32, 60}};
  chooser.Answer = {ChooserResult::Action::Take, 2};
  IntroModel m;
  StartupPack pack;
  ProgramSettings s = ReadSettings(path);
  ASSERT_TRUE(ChooseResolution(chooser, pack, m, s, path));
  ASSERT_EQ(chooser.Shown.size(), 1u);
  EXPECT_EQ(chooser.Shown[0].Selected, 1);  // 800 x 600
  EXPECT_EQ(chooser.Shown[0].Title, "Quellor v0.67");
  EXPECT_EQ(m.ScreenX, 1024);
  EXPECT_EQ(m.ScreenY, 768);
  EXPECT_EQ(ReadFile(path), "[Startup]\r\nLastSelect = 2\r\nStartS = 1\r\n");

  // The next start preselects the last pick; closing the window keeps 800 x 600.
  s = ReadSettings(path);
  chooser.Answer = {ChooserResult::Action::Closed, 2};
  IntroModel m2;
  ASSERT_TRUE(ChooseResolution(chooser, pack, m2, s, path));
  EXPECT_EQ(chooser.Shown[1].Selected, 2);
  EXPECT_EQ(m2.ScreenX, 800);
  EXPECT_EQ(ReadSettings(path).StartS, 2);

  // The blue pill ends start-up and writes nothing.
  chooser.Answer = {ChooserResult::Action::Quit, 0};
  s = ReadSettings(path);
  EXPECT_FALSE(ChooseResolution(chooser, pack, m2, s, path));
  EXPECT_EQ(ReadSettings(path).StartS, 2);
}

TEST(ResolutionChooserStep, VirtualDisplayGetsTheFallbackList) {
  const auto dir = ScratchDir("chooser_virtual");
  FakeChooser chooser;
  chooser.Modes = {{1280, 1024, 24, 0}};  // Xvfb reports no refresh rate
  chooser.Answer = {ChooserResult::Action::Take, 0};
  IntroModel m;
  StartupPack pack;
  ProgramSettings s;
  ASSERT_TRUE(ChooseResolution(chooser, pack, m, s, (dir / "Quellor.ini").string()));
  EXPECT_EQ(chooser.Shown[0].Items, (std::vector<std::string>{"Resolution ( 640 * 480 )", "Resolution ( 800 * 600 )",
                                                              "Resolution ( 1024 * 768 )"}));
  EXPECT_EQ(m.ScreenX, 640);
}

TEST(ShellSettings, RestartCountsAStartAndTheFirstStartShowsAbout) {
  const auto dir = ScratchDir("shell_settings");
  const std::string path = (dir / "Quellor.ini").string();
  {
    quellor::testing::ShellRig rig;
    FakeChooser chooser;
    chooser.Modes = {{800, 600, 32, 60}};
    chooser.Answer = {ChooserResult::Action::Take, 0};
    rig.shell.UseSettingsFile(path);
    rig.shell.UseResolutionChooser(&chooser);
    rig.Start();
    EXPECT_TRUE(rig.shell.FirstStart());
    ASSERT_EQ(rig.host.Abouts.size(), 1u);
    EXPECT_FALSE(rig.host.WindowEnabled[WindowId::Main]);
    EXPECT_EQ(ReadSettings(path).StartS, 1);
  }
  quellor::testing::ShellRig restarted;
  restarted.shell.UseSettingsFile(path);
  restarted.Start(ParseCommandLine({"/sr", "1024", "768"}));
  EXPECT_FALSE(restarted.shell.FirstStart());
  EXPECT_TRUE(restarted.host.Abouts.empty());
  EXPECT_EQ(restarted.m.ScreenX, 1024);
  ProgramSettings s = ReadSettings(path);
  EXPECT_EQ(s.LastSelect, 0);  // unchanged by a restart
  EXPECT_EQ(s.StartS, 2);
}

using AboutTest = DialogTest;

TEST_F(AboutTest, AboutDisablesTheOpenWindowsUntilOkay) {
  m.AboutText = "credits";
  host.Open.insert(WindowId::Options);
  DispatchMenu(ctx, menu::kHelpAbout);
  ASSERT_EQ(host.Abouts.size(), 1u);
  EXPECT_EQ(host.Abouts[0].Title, "Quellor v0.67 - About");
  EXPECT_EQ(host.Abouts[0].Text, "Quellor v0.67\rcredits");
  EXPECT_FALSE(host.WindowEnabled[WindowId::Main]);
  EXPECT_FALSE(host.WindowEnabled[WindowId::Options]);
  EXPECT_EQ(host.WindowEnabled.count(WindowId::TextEditor), 0u);  // not open, not touched
  m.WebsiteAddress = "https://site.example/";
  DispatchGadget(ctx, WindowId::About, about::kWebsite);
  EXPECT_EQ(host.WebAddresses, std::vector<std::string>{"https://site.example/"});
  DispatchGadget(ctx, WindowId::About, about::kOkay);
  EXPECT_TRUE(host.WindowEnabled[WindowId::Main]);
  EXPECT_TRUE(host.WindowEnabled[WindowId::Options]);
  EXPECT_FALSE(host.WindowOpen(WindowId::About));

  m.ForumAddress = "https://forum.example/";
  DispatchMenu(ctx, menu::kHelpForum);
  EXPECT_EQ(host.WebAddresses.back(), "https://forum.example/");
}

}  // namespace
