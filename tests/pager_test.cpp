#include <set>

#include "render/PagerTrainer.h"
#include "tests/scroller_font_fixture.h"

using namespace quellor;

namespace {

class PagerTest : public effecttest::EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    MakeFont(0);
    PagerFields& p = m.Pager;
    p.Active = 1;
    p.PG_del = 0;
    p.Spn_Ro = 0;
  }
  // Letters that appear where they belong at once, and leave within one frame.
  void Instant() {
    PagerFields& p = m.Pager;
    p.Spn_SM = 1;
    p.Spn_Tr = 255;
    p.Spn_sX = p.Spn_sY = 100;
    p.Po_spd2 = p.Sc_spd2 = p.Tr_spd2 = 10000;
    p.PG_del2 = 0;
  }
  void Frame() {
    m.Draws.clear();
    AddPagerRecords(m, e);
  }
  void Advance(uint32_t ms) { SetTime(m.Clock.FrameNow + ms); }
  std::set<Handle> DrawnSprites() const {
    std::set<Handle> s;
    for (const DrawRecord& d : m.Draws) s.insert(d.Sprite);
    return s;
  }
  std::set<Handle> GlyphsOf(const std::string& chars) {
    std::set<Handle> s;
    for (char c : chars) s.insert(Glyph(0, c));
    return s;
  }
};

TEST_F(PagerTest, OnlyWholePagesAreShownAndThePagerWrapsToTheFirst) {
  Instant();
  m.Pager.Lines = {"A", "B", "C", "D", "E", "F", "G", "H"};
  RestartPager(m, e);
  EXPECT_EQ(m.PagerState.PageCount, 1);
  std::set<Handle> seen;
  for (int i = 0; i < 40; ++i) {  // several full cycles of show, leave, gap, next
    Advance(400);
    Frame();
    for (Handle h : DrawnSprites()) seen.insert(h);
  }
  EXPECT_EQ(seen, GlyphsOf("ABCDE"));
  EXPECT_EQ(m.Pager.Page, 0);

  // Three lines and YLins 5: the single page shows those three.
  m.Pager.Lines = {"X", "Y", "Z"};
  RestartPager(m, e);
  Advance(1);
  Frame();
  EXPECT_EQ(DrawnSprites(), GlyphsOf("XYZ"));
  ASSERT_EQ(m.Draws.size(), 3u);
  EXPECT_EQ(m.Draws[2].Y, 100 + 2 * 32);
  EXPECT_EQ(m.Draws[2].IsPagerLetter, 1);
}

TEST_F(PagerTest, PagesFollowEachOtherAfterHoldAndGap) {
  Instant();
  m.Pager.YLins = 2;
  m.Pager.Lines = {"A", "B", "C", "D"};
  m.Pager.Time = 1000;
  m.Pager.Next = 500;
  RestartPager(m, e);
  Advance(1);
  Frame();
  EXPECT_EQ(m.Pager.State, kPagerShown);
  EXPECT_EQ(DrawnSprites(), GlyphsOf("AB"));
  Advance(1000);
  Frame();
  EXPECT_EQ(m.Pager.State, kPagerShown);  // hold time not yet exceeded
  Advance(1);
  Frame();
  EXPECT_EQ(m.Pager.State, kPagerLeaving);
  Advance(1);
  Frame();  // every letter reaches the vanish point in one step
  EXPECT_EQ(m.Pager.State, kPagerGone);
  Advance(501);
  Frame();
  EXPECT_EQ(m.Pager.State, kPagerArriving);
  EXPECT_EQ(m.Pager.Page, 1);
  Advance(1);
  Frame();
  EXPECT_EQ(DrawnSprites(), GlyphsOf("CD"));
}

TEST_F(PagerTest, EmptyPageRunsThroughItsStatesOnTimers) {
  m.Pager.Lines = {"   ", "", " ", "  ", "     "};
  m.Pager.Time = 2000;
  m.Pager.Next = 300;
  RestartPager(m, e);
  EXPECT_EQ(m.Pager.LetterCount, 0);
  Advance(1);
  Frame();
  EXPECT_EQ(m.Pager.State, kPagerShown);
  Advance(2001);
  Frame();
  EXPECT_EQ(m.Pager.State, kPagerLeaving);
  Frame();
  EXPECT_EQ(m.Pager.State, kPagerGone);
  Advance(301);
  Frame();
  EXPECT_EQ(m.Pager.State, kPagerArriving);
  EXPECT_TRUE(m.Draws.empty());
}

TEST_F(PagerTest, ClearInstantEmptiesThePageOnTheSwitchInput) {
  Instant();
  m.Pager.Lines = {"AB", "CD", "EF", "GH", "IJ"};
  m.Pager.PaSwKey = 3;
  m.Pager.InstaC = 1;
  m.Pager.Next = 700;
  RestartPager(m, e);
  Advance(1);
  Frame();
  ASSERT_EQ(m.Pager.State, kPagerShown);
  e.SetKeyState(0x39, true);
  Advance(1);
  Frame();
  e.SetKeyState(0x39, false);
  EXPECT_EQ(m.Pager.State, kPagerGone);
  Frame();
  EXPECT_TRUE(m.Draws.empty());
  Advance(700);
  Frame();
  EXPECT_EQ(m.Pager.State, kPagerGone);
  Advance(1);
  Frame();
  EXPECT_EQ(m.Pager.State, kPagerArriving);
  EXPECT_EQ(m.Pager.LetterCount, 10);

  // Without InstaC the same input starts the departure instead.
  m.Pager.InstaC = 0;
  m.Pager.PaSwKey = 1;
  Advance(1);
  Frame();
  ASSERT_EQ(m.Pager.State, kPagerShown);
  e.SetMouseButton(0, true);
  Advance(1);
  Frame();
  EXPECT_EQ(m.Pager.State, kPagerLeaving);
}

TEST_F(PagerTest, TargetStartWithoutRotationAnimatesOnlyAlphaAndZoom) {
  PagerFields& p = m.Pager;
  p.Spn_SM = 1;
  p.Spn_Ro = 0;
  p.Tr_spd = 50;
  p.Sc_spd = 30;
  p.Lines = {"AB"};
  RestartPager(m, e);
  for (int i = 1; i <= 6; ++i) {
    Advance(1);
    Frame();
    ASSERT_EQ(m.Draws.size(), 2u);
    EXPECT_EQ(m.Draws[1].X, 100 + 32);
    EXPECT_EQ(m.Draws[1].Y, 100);
    EXPECT_FLOAT_EQ(m.Draws[1].Rotation, 0.0f);
    EXPECT_EQ(m.Draws[1].Alpha, std::min(255, 50 * i));
    EXPECT_EQ(m.Draws[1].Width, std::min(100, 30 * i));
    EXPECT_EQ(m.Draws[1].Height, std::min(100, 30 * i));
  }
  EXPECT_EQ(m.Pager.State, kPagerShown);
}

TEST_F(PagerTest, LettersFlyFromTheSpawnPointAndStopExactlyOnTarget) {
  PagerFields& p = m.Pager;
  p.Po_spd = 7;
  p.Tr_spd = p.Sc_spd = 1000;
  p.Lines = {"A"};
  RestartPager(m, e);
  Advance(1);
  Frame();
  EXPECT_EQ(m.Draws[0].X, 393);
  EXPECT_EQ(m.Draws[0].Y, 293);
  for (int i = 0; i < 60; ++i) {
    Advance(1);
    Frame();
  }
  EXPECT_EQ(m.Draws[0].X, 100);
  EXPECT_EQ(m.Draws[0].Y, 100);
  EXPECT_FLOAT_EQ(m.PagerState.Letters[0].X, 100.0f);
  EXPECT_EQ(m.Pager.State, kPagerShown);
}

TEST_F(PagerTest, LettersStartOnlyAfterTheirDelay) {
  PagerFields& p = m.Pager;
  Instant();
  p.Spn_SM = 0;
  p.Po_spd = 1000;
  p.PG_del = 50;
  p.Lines = {"ABC"};
  RestartPager(m, e);
  Advance(100);  // letter 1 starts after +50, letter 2 after +100, letter 3 after +150
  Frame();
  EXPECT_EQ(m.Draws[0].X, 100);
  EXPECT_EQ(m.Draws[1].X, 400);
  EXPECT_EQ(m.Draws[2].X, 400);
  Advance(1);
  Frame();
  EXPECT_EQ(m.Draws[1].X, 132);
  EXPECT_EQ(m.Draws[2].X, 400);
}

TEST_F(PagerTest, DelayModesOrderTheStarts) {
  PagerFields& p = m.Pager;
  p.PG_del = 10;
  p.PG_Ldel = 1000;
  p.Lines = {"AB", "C D", "E"};
  const uint32_t t0 = m.Clock.FrameNow;
  auto starts = [&](int mode) {
    p.Spn_DMI = mode;
    RestartPager(m, e);
    std::vector<int64_t> v;
    for (const PagerLetter& L : m.PagerState.Letters) v.push_back(int64_t(L.Start) - t0);
    return v;
  };
  EXPECT_EQ(starts(0), (std::vector<int64_t>{10, 20, 1030, 1040, 2050}));
  EXPECT_EQ(starts(2), (std::vector<int64_t>{50, 40, 1030, 1020, 2010}));
  EXPECT_EQ(starts(3), (std::vector<int64_t>{0, 0, 1010, 1010, 2020}));
  // Replaced by a line counter walking down from the last line built.
  EXPECT_EQ(starts(4), (std::vector<int64_t>{2000, 2000, 1000, 1000, 0}));
  auto random = starts(1);
  EXPECT_GE(random[0], 0);
  EXPECT_LE(random[0], 50);
  EXPECT_GE(random[4], 2000);
  EXPECT_LE(random[4], 2050);
}

TEST_F(PagerTest, StartModesPlaceTheLetters) {
  PagerFields& p = m.Pager;
  p.Lines = {"AB", "C", "D", "E"};
  p.Spn_SM = 3;
  p.Spn_pX = 150;
  p.Spn_pY = 80;
  RestartPager(m, e);
  EXPECT_FLOAT_EQ(m.PagerState.Letters[1].X, 132 + 50);
  EXPECT_FLOAT_EQ(m.PagerState.Letters[1].Y, 100 - 20);

  p.Spn_SM = 2;
  RestartPager(m, e);
  const auto& L = m.PagerState.Letters;
  EXPECT_FLOAT_EQ(L[1].X, -32.0f);  // line 0: left edge
  EXPECT_FLOAT_EQ(L[1].Y, 600.0f - 2 * 20);
  EXPECT_FLOAT_EQ(L[2].X, 32.0f);   // line 1: top edge
  EXPECT_FLOAT_EQ(L[2].Y, -32.0f);
  EXPECT_FLOAT_EQ(L[3].X, 800.0f);  // line 2: right edge
  EXPECT_FLOAT_EQ(L[3].Y, 20.0f);
  EXPECT_FLOAT_EQ(L[4].X, 800.0f - 32);  // line 3: bottom edge
  EXPECT_FLOAT_EQ(L[4].Y, 600.0f);
}

TEST_F(PagerTest, PlacementModeShowsThePageAtOnce) {
  PagerFields& p = m.Pager;
  p.Lines = {"AB", "CD"};
  p.Spn_Ro = -1;
  p.PG_del = 100;
  m.EditMode = 11;
  RestartPager(m, e);
  Frame();
  ASSERT_EQ(m.Draws.size(), 4u);
  EXPECT_EQ(m.Draws[3].X, 132);
  EXPECT_EQ(m.Draws[3].Y, 132);
  EXPECT_EQ(m.Draws[3].Alpha, 255);
  EXPECT_EQ(m.Draws[3].Width, 100);
  EXPECT_FLOAT_EQ(m.Draws[3].Rotation, 0.0f);
  EXPECT_EQ(m.Pager.State, kPagerShown);
}

TEST_F(PagerTest, RandomSpawnRotationsStillArrive) {
  PagerFields& p = m.Pager;
  p.Spn_Ro = -1;
  p.Po_spd = p.Sc_spd = p.Tr_spd = 1000;
  p.Ro_spd = 7;
  p.Lines = {"ABCDEFGHIJKLMNOPQRSTUVWXYZ"};
  RestartPager(m, e);
  bool pastHalf = false;
  for (const PagerLetter& L : m.PagerState.Letters) pastHalf |= L.Rot >= 180.0f;
  EXPECT_TRUE(pastHalf);
  for (int i = 0; i < 60 && m.Pager.State == kPagerArriving; ++i) {
    Advance(1);
    Frame();
  }
  EXPECT_EQ(m.Pager.State, kPagerShown);
}

TEST_F(PagerTest, VanishModesSetDepartureTargets) {
  PagerFields& p = m.Pager;
  Instant();
  p.Lines = {std::string(20, 'A')};
  p.Van_SM = 2;
  RestartPager(m, e);
  SetupPagerVanish(m, m.Clock.FrameNow);
  const auto& L = m.PagerState.Letters;
  EXPECT_EQ(L[0].TargetX, -100);
  EXPECT_EQ(L[0].TargetY, 600);
  EXPECT_EQ(L[14].TargetY, 600 - 14 * 40);
  EXPECT_EQ(L[15].TargetX, 0);  // second side after 15 letters
  EXPECT_EQ(L[15].TargetY, -100);
  EXPECT_EQ(L[16].TargetX, 42);

  p.Van_SM = 3;
  p.Van_pX = 130;
  p.Van_pY = 90;
  p.Van_DMI = 2;
  p.PG_del2 = 5;
  SetupPagerVanish(m, 1000);
  EXPECT_EQ(L[1].TargetX, int(L[1].X) + 30);
  EXPECT_EQ(L[1].TargetY, int(L[1].Y) - 10);
  EXPECT_EQ(L[0].Start, 1000u + 20 * 5);
  EXPECT_EQ(L[19].Start, 1000u + 5);
}

TEST_F(PagerTest, StayingVanishEndsOnTransparency) {
  PagerFields& p = m.Pager;
  Instant();
  p.Lines = {"AB"};
  p.Van_SM = 1;
  p.Tr_spd2 = 100;
  p.Van_sX = p.Van_sY = 100;
  RestartPager(m, e);
  Advance(1);
  Frame();
  SetupPagerVanish(m, m.Clock.FrameNow);
  p.State = kPagerLeaving;
  Advance(1);
  Frame();
  EXPECT_EQ(m.Pager.State, kPagerLeaving);  // alpha 155: not gone yet, though on target
  EXPECT_EQ(m.Draws.size(), 2u);
  Advance(1);
  Frame();
  Advance(1);
  Frame();
  EXPECT_EQ(m.Pager.State, kPagerGone);
}

TEST_F(PagerTest, CharactersWithoutGlyphsMakeNoLetters) {
  Instant();
  m.Pager.Lines = {std::string("a{~\x7f\x80\xff\x01_B", 9), "", std::string(3, '\0')};
  RestartPager(m, e);
  ASSERT_EQ(m.Pager.LetterCount, 2);  // 'a' and 'B'
  EXPECT_EQ(m.PagerState.Letters[0].Sprite, Glyph(0, 'A'));
  EXPECT_EQ(m.PagerState.Letters[1].TargetX, 100 + 8 * 32);  // keeps its place
  m.Pager.YLins = 0;  // no lines per page: nothing to show, nothing to divide by
  RestartPager(m, e);
  Advance(1);
  Frame();
  EXPECT_EQ(m.PagerState.PageCount, 0);
  EXPECT_TRUE(m.Draws.empty());
}

}  // namespace
