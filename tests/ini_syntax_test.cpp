#include <gtest/gtest.h>

#include <climits>

#include "project/Ini.h"
#include "project/TextBytes.h"

using namespace quellor;

namespace {
std::string Val(const IniDocument& d, const char* group, const char* key) {
  auto v = d.Value(d.FindGroup(group), key);
  return v ? std::string(*v) : std::string("<missing>");
}
}  // namespace

TEST(IniSyntax, GroupsKeysCommentsAndTrimming) {
  IniDocument d = IniDocument::Parse(
      "; --- banner ---\r\n"
      "\r\n"
      "[Settings]\r\n"
      "  \tIntroName   =   My  Intro \t\r\n"
      "; Comment = not a key\r\n"
      "ScreenX = 1024\r\n"
      "[ logo ]\r\n"
      "PosX=5\r\n"
      "[Second]\r\n"
      "IntroName = Other\r\n");
  EXPECT_EQ(Val(d, "Settings", "IntroName"), "My  Intro");
  EXPECT_EQ(Val(d, "SETTINGS", "screenx"), "1024");
  EXPECT_EQ(Val(d, "Settings", "; Comment"), "<missing>");
  EXPECT_EQ(Val(d, "Logo", "POSX"), "5");
  // A key is only seen inside its own group.
  EXPECT_EQ(Val(d, "Logo", "IntroName"), "<missing>");
  EXPECT_EQ(Val(d, "Settings", "PosX"), "<missing>");
  EXPECT_EQ(Val(d, "Nowhere", "PosX"), "<missing>");
  EXPECT_EQ(d.KeyCount(d.FindGroup("Settings")), 2u);
}

TEST(IniSyntax, FirstGroupAndFirstKeyWin) {
  IniDocument d = IniDocument::Parse("[A]\nk = 1\nK = 2\n[a]\nk = 3\nz = 4\n");
  EXPECT_EQ(Val(d, "A", "k"), "1");
  EXPECT_EQ(Val(d, "a", "z"), "<missing>");  // the second [a] is never looked at
}

TEST(IniSyntax, LineEndsByteOrderMarkAndEightBitText) {
  // Windows CR LF, Unix LF and old CR line ends all end a line.
  IniDocument d = IniDocument::Parse("[G]\r\na = 1\nb = 2\rc = 3");
  EXPECT_EQ(Val(d, "G", "a"), "1");
  EXPECT_EQ(Val(d, "G", "b"), "2");
  EXPECT_EQ(Val(d, "G", "c"), "3");

  IniDocument bom = IniDocument::Parse("\xEF\xBB\xBF[G]\r\nName = Gr\xC3\xBC\xC3\x9F\r\n");
  EXPECT_EQ(Val(bom, "G", "Name"), "Gr\xC3\xBC\xC3\x9F");

  // 8-bit text that is not UTF-8 keeps its bytes; it is converted only for showing.
  IniDocument windows = IniDocument::Parse("[G]\r\nName = Gr\xFC\xDF \x80\r\n");
  EXPECT_EQ(Val(windows, "G", "Name"), "Gr\xFC\xDF \x80");
  EXPECT_EQ(DisplayText("Gr\xFC\xDF \x80"), "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC");
  EXPECT_EQ(DisplayText("Gr\xC3\xBC\xC3\x9F"), "Gr\xC3\xBC\xC3\x9F");
}

TEST(IniSyntax, Numbers) {
  EXPECT_EQ(ParseLong("12abc"), 12);
  EXPECT_EQ(ParseLong("-7"), -7);
  EXPECT_EQ(ParseLong("+7"), 7);
  EXPECT_EQ(ParseLong("abc"), 0);
  EXPECT_EQ(ParseLong(""), 0);
  EXPECT_EQ(ParseLong("3.9"), 3);
  EXPECT_EQ(ParseLong("99999999999999999999"), INT32_MAX);
  EXPECT_EQ(ParseLong("-99999999999999999999"), INT32_MIN);
  EXPECT_FLOAT_EQ(ParseFloat("0.5"), 0.5f);
  EXPECT_FLOAT_EQ(ParseFloat("-2.25xyz"), -2.25f);
  EXPECT_FLOAT_EQ(ParseFloat("nan"), 0.0f);
  EXPECT_FLOAT_EQ(ParseFloat("1e999"), 1e9f);
  EXPECT_EQ(FormatFloat(0.5f), "0.500000");
  EXPECT_EQ(FormatFloat(-100.0f), "-100.000000");
  EXPECT_EQ(FormatLong(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(RoundToLong(3.6f), 4);
  EXPECT_EQ(RoundToLong(-3.6f), -4);
  EXPECT_EQ(RoundToLong(1e20f), INT32_MAX);
}

TEST(IniSyntax, QuotedTexts) {
  EXPECT_EQ(QuoteText("  spaced  "), "@  spaced  @");
  EXPECT_EQ(UnquoteText("@  spaced  @"), "  spaced  ");
  EXPECT_EQ(UnquoteText("@mail@example@"), "mail");  // an at sign in the text cuts it
  EXPECT_EQ(UnquoteText("@open end"), "open end");
  EXPECT_EQ(UnquoteText("plain"), "plain");
  // A line break must never reach the file: it would start a new key.
  EXPECT_EQ(QuoteText("a\r\nP9 = x"), "@a  P9 = x@");
}

TEST(IniSyntax, TextLines) {
  EXPECT_EQ(SplitTextLines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitTextLines("a\r\nb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitTextLines("a\n\nb\rc"), (std::vector<std::string>{"a", "", "b", "c"}));
  EXPECT_EQ(SplitTextLines("\r\n"), (std::vector<std::string>{""}));
  EXPECT_TRUE(SplitTextLines("").empty());
  EXPECT_EQ(JoinTextLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(CutCharacters("abcdef", 3), "abc");
  EXPECT_EQ(CutCharacters("\xC3\xBC\xC3\xBC\xC3\xBC", 2), "\xC3\xBC\xC3\xBC");
}

TEST(IniSyntax, WriterLayoutAndReplacement) {
  IniWriter w;
  w.Comment("; head");
  w.Group("A");
  w.Set("Type", "1");
  w.Set("Path", "x.png");
  w.Set("type", "2");  // replaces in place, keeps the first spelling and position
  w.Group("B");
  w.Set("Type", "3");  // a new group starts a new key set
  EXPECT_EQ(w.Text(), "; head\r\n\r\n[A]\r\nType = 2\r\nPath = x.png\r\n\r\n[B]\r\nType = 3\r\n");
  IniDocument back = IniDocument::Parse(w.Text());
  EXPECT_EQ(Val(back, "A", "Type"), "2");
  EXPECT_EQ(Val(back, "B", "Type"), "3");
}
