#include <gtest/gtest.h>

#include "app/CommandLine.h"

using namespace quellor;

TEST(CommandLine, RestartFormSetsSizeAndAutoload) {
  CommandLine cl = ParseCommandLine({"/sr", "1024", "768", "/home/u/My Intro.ini"});
  EXPECT_TRUE(cl.Error.empty());
  EXPECT_TRUE(cl.SizeGiven);
  EXPECT_EQ(cl.Width, 1024);
  EXPECT_EQ(cl.Height, 768);
  EXPECT_EQ(cl.Autoload, "/home/u/My Intro.ini");
  EXPECT_FALSE(cl.Headless);

  cl = ParseCommandLine({"/Sr", "640", "480"});
  EXPECT_TRUE(cl.SizeGiven);
  EXPECT_TRUE(cl.Autoload.empty());

  cl = ParseCommandLine({"/sr", "800", "600", "\"quoted.ini\""});
  EXPECT_EQ(cl.Autoload, "quoted.ini");

  cl = ParseCommandLine({"/sr", "800", "600", "--headless", "--frames", "3"});
  EXPECT_TRUE(cl.Error.empty()) << cl.Error;
  EXPECT_TRUE(cl.Autoload.empty());
  EXPECT_TRUE(cl.Headless);
  EXPECT_EQ(cl.Frames, 3);

  cl = ParseCommandLine({"/sr", "800", "600", "p.ini", "--headless"});
  EXPECT_EQ(cl.Autoload, "p.ini");
  EXPECT_TRUE(cl.Headless);
}

TEST(CommandLine, BadSizesFallBackWidthFirstThenHeight) {
  struct Case {
    const char *w, *h;
    int ew, eh;
  } cases[] = {
      {"-1", "600", 640, 600},  // width falls back, height is then taken
      {"800", "-1", 640, 480},  // height falls back to the full default
      {"abc", "600", 640, 600}, // not a number counts as 0, which no window can have
      {"0", "0", 640, 480},
      {"1280px", "720", 1280, 720},  // leading number
      {"99999999999999999999999", "600", 640, 600},
      {"20000", "600", 640, 600},
  };
  for (const Case& c : cases) {
    CommandLine cl;
    ASSERT_TRUE(ReadStartupCommandLine({"/SR", c.w, c.h}, cl));
    EXPECT_EQ(cl.Width, c.ew) << c.w << " " << c.h;
    EXPECT_EQ(cl.Height, c.eh) << c.w << " " << c.h;
  }
  CommandLine cl;
  EXPECT_TRUE(ReadStartupCommandLine({"/sr"}, cl));
  EXPECT_EQ(cl.Width, 640);
  EXPECT_EQ(cl.Height, 480);
  EXPECT_FALSE(ReadStartupCommandLine({"/s", "800", "600"}, cl));
  EXPECT_FALSE(ReadStartupCommandLine({}, cl));
}

TEST(CommandLine, SizeAppliesToTheModelOnlyWhenGiven) {
  IntroModel m;
  m.ScreenX = 800;
  ApplyCommandLineSize(ParseCommandLine({}), m);
  EXPECT_EQ(m.ScreenX, 800);
  ApplyCommandLineSize(ParseCommandLine({"--size", "320x200"}), m);
  EXPECT_EQ(m.ScreenX, 320);
  EXPECT_EQ(m.ScreenY, 200);
}

TEST(CommandLine, HeadlessOptions) {
  CommandLine cl = ParseCommandLine({"--headless", "--frames", "12", "--size", "320x240", "--png",
                                     "o/x.png", "--load", "logo=a=b.png", "--load", "font1=f.png"});
  ASSERT_TRUE(cl.Error.empty()) << cl.Error;
  EXPECT_TRUE(cl.Headless);
  EXPECT_EQ(cl.Frames, 12);
  EXPECT_EQ(cl.Width, 320);
  EXPECT_EQ(cl.Height, 240);
  EXPECT_EQ(cl.PngPath, "o/x.png");
  ASSERT_EQ(cl.Loads.size(), 2u);
  EXPECT_EQ(cl.Loads[0].Kind, "logo");
  EXPECT_EQ(cl.Loads[0].Path, "a=b.png");
  EXPECT_EQ(cl.Loads[1].Kind, "font1");

  EXPECT_TRUE(ParseCommandLine({"--frames", "2"}).Headless);
  EXPECT_TRUE(ParseCommandLine({"--png", "a.png"}).Headless);
  EXPECT_FALSE(ParseCommandLine({"--size", "320x200"}).Headless);

  CommandLine d = ParseCommandLine({});
  EXPECT_EQ(d.PngPath, "out/quellor.png");
  EXPECT_FALSE(d.SizeGiven);
  EXPECT_TRUE(d.Error.empty());
}

TEST(CommandLine, MalformedOptionsAreErrorsNotGuesses) {
  const std::vector<std::vector<std::string>> bad = {
      {"--frames"},          {"--frames", "0"},      {"--frames", "12x"},
      {"--size", "320"},     {"--size", "x200"},     {"--size", "0x200"},
      {"--size", "99999x2"}, {"--load", "logo"},     {"--load", "=x.png"},
      {"--load", "logo="},   {"--png", ""},          {"--bogus"},
      {"800", "600"},
  };
  for (const auto& args : bad) {
    CommandLine cl = ParseCommandLine(args);
    EXPECT_FALSE(cl.Error.empty()) << args[0] << (args.size() > 1 ? " " + args[1] : "");
  }
}

TEST(CommandLine, ParameterTextSplitsAtBlanksOutsideQuotes) {
  auto p = SplitParameterText("/sr 1024  768 \"C:\\My Intros\\a b.ini\"");
  ASSERT_EQ(p.size(), 4u);
  EXPECT_EQ(p[0], "/sr");
  EXPECT_EQ(p[2], "768");
  EXPECT_EQ(p[3], "C:\\My Intros\\a b.ini");
  EXPECT_EQ(SplitParameterText("a \"\" b").size(), 3u);  // an empty quoted parameter stays
  EXPECT_TRUE(SplitParameterText("   ").empty());
}
