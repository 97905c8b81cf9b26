#include <gtest/gtest.h>

#include <algorithm>

#include "app/WebAddress.h"
#include "tests/shell_rig.h"

using namespace quellor;
using quellor::testing::ShellRig;

TEST(ShellStartup, WelcomeLinesInOrderWithTheirDurationsAndColours) {
  ShellRig r(5000);
  r.Start();
  const auto& l = r.m.Log.Lines;
  ASSERT_EQ(l.size(), 8u);
  const char* texts[] = {"welcome to Quellor v0.67", nullptr, "", "Help and support Forum",
                         nullptr, "", "and Remember.."};
  const uint32_t durations[] = {7000, 7200, 7300, 7400, 7500, 7600, 7700, 10800};
  for (size_t i = 0; i < l.size(); ++i) {
    EXPECT_EQ(l[i].Expiry, 5000u + durations[i]) << i;
    EXPECT_EQ(l[i].Colour, i < 7 ? 0xC8FFFFFFu : 0xC8FF0000u) << i;
    if (i < 7 && texts[i]) {
      EXPECT_EQ(l[i].Text, texts[i]) << i;
    }
  }
  EXPECT_NE(l[1].Text.find(r.m.WebsiteAddress), std::string::npos);
  EXPECT_EQ(l[4].Text, r.m.ForumAddress);
  EXPECT_FALSE(r.m.WebsiteAddress.empty());
  EXPECT_FALSE(l[7].Text.empty());
}

TEST(ShellStartup, WelcomeLinesAreDrawnTopDownInTheFirstFrame) {
  ShellRig r;
  r.Start();
  r.e.Texts.clear();
  r.shell.RunPass();
  ASSERT_EQ(r.e.Texts.size(), 8u);
  for (size_t i = 0; i < 8; ++i) EXPECT_EQ(r.e.Texts[i].Y, static_cast<int>(20 * i));
  EXPECT_EQ(r.e.Texts[0].Text, "welcome to Quellor v0.67");
  EXPECT_EQ(r.e.Texts[7].Argb, 0xC8FF0000u);
}

TEST(ShellStartup, TitlesAndMenuBar) {
  ShellRig r;
  r.shell.StartBeforeWindow({});
  EXPECT_EQ(r.shell.InitialTitle(), "Quellor v0.67");
  r.shell.StartWithWindow(r.host, r.e);
  EXPECT_EQ(r.host.MenuBarsSet, 1);
  EXPECT_FALSE(r.host.MenuBar.Menus.empty());
  EXPECT_EQ(r.host.Title(), "Quellor v0.67 - New Intro.ini");
  // The normal title is set once the menu bar is in place.
  auto bar = std::find(r.host.Calls.begin(), r.host.Calls.end(), "SetMenuBar");
  auto title = std::find(r.host.Calls.begin(), r.host.Calls.end(), "SetTitle");
  EXPECT_LT(bar, title);
}

TEST(ShellStartup, SizeFromTheCommandLineReachesEngineTargetAndCentredItems) {
  ShellRig r;
  r.Start(ParseCommandLine({"/SR", "1024", "768"}));
  EXPECT_EQ(r.m.ScreenX, 1024);
  EXPECT_EQ(r.m.ScreenY, 768);
  EXPECT_EQ(r.e.ScreenWidth(), 1024);
  EXPECT_EQ(r.e.ScreenHeight(), 768);
  EXPECT_EQ(r.m.AnimClone.width, 1024);
  EXPECT_EQ(r.m.AnimClone.height, 768);
  ASSERT_NE(r.m.ScreenTexture, 0u);
  EXPECT_EQ(r.e.TextureWidth(r.m.ScreenTexture), 1024);
  EXPECT_EQ(r.e.TextureHeight(r.m.ScreenTexture), 768);
  EXPECT_EQ(r.m.ModeMarkerX, 1024 / 2 - 128);
  EXPECT_EQ(r.m.ModeMarkerY, 768 / 2 - 128);
  Handle logo = r.m.Idle.LogoSprite;  // present when the resource packs are built
  int lw = logo ? r.e.SpriteWidth(logo) : 0, lh = logo ? r.e.SpriteHeight(logo) : 0;
  EXPECT_EQ(r.m.Idle.LogoX, 1024 / 2 - lw / 2);
  EXPECT_EQ(r.m.Idle.LogoY, 768 / 2 - lh / 2 - 50);
}

TEST(ShellStartup, DefaultsWithoutCommandLine) {
  ShellRig r(2500);
  r.m.ScreenX = 1;  // whatever was there before start-up
  r.m.LogEnabled = 0;
  r.Start();
  EXPECT_EQ(r.m.ScreenX, 800);
  EXPECT_EQ(r.m.ScreenY, 600);
  EXPECT_EQ(r.m.LogEnabled, 1);
  EXPECT_EQ(r.m.ProjectName, "New Intro");
  EXPECT_FALSE(r.m.BaseDir.empty());
  EXPECT_EQ(r.m.Clock.PreviewStart, 2500u);
  EXPECT_FLOAT_EQ(r.m.Clock.FramesPerSecond, 60.0f);
  EXPECT_EQ(r.m.EditMode, 0);
}

TEST(ShellStartup, AutoloadAddsItsLineAfterTheWelcome) {
  ShellRig r(100);
  r.Start(ParseCommandLine(SplitParameterText("/sr 800 600 \"/tmp/My Intros/demo.ini\"")));
  ASSERT_GT(r.m.Log.Lines.size(), 9u);
  EXPECT_EQ(r.m.Log.Lines[8].Text, "Autoload: \"/tmp/My Intros/demo.ini\"");
  EXPECT_EQ(r.m.Log.Lines[8].Expiry, 100u + 10000u);
  EXPECT_EQ(r.m.Log.Lines[8].Colour, 0xC8FFFFFFu);
  // Then the project is loaded: New Intro first, so its line follows.
  EXPECT_EQ(r.m.Log.Lines[9].Text, "All data removed.");
}

TEST(ShellStartup, UnknownAssetKindOnTheCommandLineIsReported) {
  ShellRig r;
  r.Start(ParseCommandLine({"--headless", "--load", "teapot=/tmp/x.png"}));
  ASSERT_EQ(r.shell.RejectedLoads().size(), 1u);
  EXPECT_EQ(r.shell.RejectedLoads()[0], "teapot");
  EXPECT_TRUE(r.shell.RunPass());  // start-up went on
}

TEST(WebAddress, UnscrambleRule) {
  // Char i (from 1) is its stored code - 35 + k, k = 1,2,3,4,5,1,...: 'c'(99) - 34 = 'A'.
  const unsigned char stored[] = {'c', 'b', 'a', '`', '_', 'c', 'b'};
  EXPECT_EQ(UnscrambleAddress(stored, sizeof stored), "AAAAAAA");
  const unsigned char plainish[] = {0x8A, 0x95};  // stored bytes above 127 come back too
  EXPECT_EQ(UnscrambleAddress(plainish, 2), "ht");
}

TEST(WebAddress, StoredAddressesAreScrambledAndComeBackAtStart) {
  ShellRig r;
  r.Start();
  auto web = StoredWebsiteAddress();
  auto forum = StoredForumAddress();
  std::string webRaw(web.begin(), web.end());
  EXPECT_EQ(webRaw.find("http"), std::string::npos);  // not kept in plain text
  EXPECT_EQ(r.m.WebsiteAddress, UnscrambleAddress(web.data(), web.size()));
  EXPECT_EQ(r.m.ForumAddress, UnscrambleAddress(forum.data(), forum.size()));
  EXPECT_EQ(r.m.WebsiteAddress.rfind("https://", 0), 0u);
  EXPECT_EQ(r.m.ForumAddress.rfind("https://", 0), 0u);
  EXPECT_NE(r.m.WebsiteAddress, r.m.ForumAddress);
  EXPECT_EQ(ScrambleAddress(r.m.ForumAddress), std::string(forum.begin(), forum.end()));
}

TEST(WebAddress, ScrambleRoundTripsEveryPrintableCharacterAtEveryStep) {
  std::string all;
  for (int c = 32; c < 127; ++c) all += static_cast<char>(c);
  for (int shift = 0; shift < 5; ++shift) {
    std::string s = all.substr(shift) + all.substr(0, shift);
    std::string st = ScrambleAddress(s);
    EXPECT_EQ(UnscrambleAddress(reinterpret_cast<const unsigned char*>(st.data()), st.size()), s);
  }
  constexpr auto lit = ScrambleLiteral("AAAAAA");
  EXPECT_EQ(lit[0], 'c');
  EXPECT_EQ(lit[4], '_');
  EXPECT_EQ(lit[5], 'c');
}
