#include <cmath>

#include "render/Scrollers.h"
#include "tests/scroller_font_fixture.h"

using namespace quellor;

namespace {

class ScrollerTest : public effecttest::EffectTest {
 protected:
  void StartScroller(const std::string& text, int fx = 0) {
    MakeFont(0);
    ScrollerFields& s = m.Scroller[0];
    s.Text = text;
    s.Active = 1;
    s.cspX = 64;
    SetScrollerEffect(m, 0, fx);
    ResetScrollers(m);
  }
  // One scroller's part of a frame: swing angle, then its records.
  void Frame() {
    m.Draws.clear();
    ScrollerSwing(m, 0);
    AddScrollerRecords(m, e, 0);
  }
};

TEST_F(ScrollerTest, SlotsArePlacedAcrossTheScreenAndTheLastOnlyBelowScreenX) {
  StartScroller("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(m.Scroller[0].Slots, 13);
  Frame();
  ASSERT_EQ(m.Draws.size(), 13u);  // slot 13 at x = 832 is not drawn
  for (int k = 0; k < 13; ++k) {
    EXPECT_EQ(m.Draws[k].X, k * 64);
    EXPECT_EQ(m.Draws[k].Y, 400);
    EXPECT_EQ(m.Draws[k].Sprite, Glyph(0, static_cast<char>('A' + k)));
    EXPECT_EQ(m.Draws[k].Width, 200);
    EXPECT_EQ(m.Draws[k].Height, 200);
  }
  EXPECT_FLOAT_EQ(m.ScrollRun[0].Offset, -2.0f);

  // Once the offset has reached -40 the entering slot lies at 792 and is drawn.
  for (int i = 0; i < 19; ++i) Frame();
  EXPECT_FLOAT_EQ(m.ScrollRun[0].Offset, -40.0f);
  Frame();
  ASSERT_EQ(m.Draws.size(), 14u);
  EXPECT_EQ(m.Draws[13].X, 792);
  EXPECT_EQ(m.Draws[13].Sprite, Glyph(0, 'N'));
}

TEST_F(ScrollerTest, PositionsAreTruncatedAndSpeedIsScaled) {
  StartScroller("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  m.Clock.SpeedFactor = 0.75f;
  Frame();
  Frame();  // offset -1.5 while drawing
  EXPECT_EQ(m.Draws[0].X, -1);
  EXPECT_EQ(m.Draws[1].X, 62);
  EXPECT_FLOAT_EQ(m.ScrollRun[0].Offset, -3.0f);
}

TEST_F(ScrollerTest, LowerCaseIsDrawnWithUpperCaseGlyphs) {
  StartScroller("abc");
  Frame();
  ASSERT_GE(m.Draws.size(), 3u);
  EXPECT_EQ(m.Draws[0].Sprite, Glyph(0, 'A'));
  EXPECT_EQ(m.Draws[1].Sprite, Glyph(0, 'B'));
  EXPECT_EQ(m.Draws[2].Sprite, Glyph(0, 'C'));
  EXPECT_EQ(m.Draws[3].Sprite, Glyph(0, 'A'));  // the text repeats across the line
}

TEST_F(ScrollerTest, BlankSlotBeforeTheTextStartsAgain) {
  StartScroller("ABCD");
  ScrollerRun& r = m.ScrollRun[0];
  r.TextPos = 3;
  r.Offset = -63.0f;
  Frame();  // steps past the character: TextPos reaches the length and becomes 0
  EXPECT_EQ(r.TextPos, 0);
  Frame();
  ASSERT_GE(m.Draws.size(), 3u);
  EXPECT_EQ(m.Draws[0].Sprite, FontOf(m, 0).Chars[0].Sprite);  // blank
  EXPECT_EQ(m.Draws[1].Sprite, Glyph(0, 'A'));
  EXPECT_EQ(m.Draws[2].Sprite, Glyph(0, 'B'));
  r.Offset = -63.0f;
  Frame();
  EXPECT_EQ(r.TextPos, 1);
  Frame();
  EXPECT_EQ(m.Draws[0].Sprite, Glyph(0, 'A'));
}

TEST_F(ScrollerTest, ShortAndShortenedTextsNeverReadPastTheirEnd) {
  StartScroller("A");
  for (int i = 0; i < 200; ++i) Frame();
  EXPECT_LE(m.ScrollRun[0].TextPos, 1);
  m.Scroller[0].Text = "WXYZWXYZWXYZ";
  RestartScroller(m, 0);
  m.ScrollRun[0].TextPos = 11;
  SetScrollerText(m, 0, "QQ");  // shorter text under a running scroller
  for (int i = 0; i < 100; ++i) Frame();
  for (const DrawRecord& d : m.Draws) {
    EXPECT_TRUE(d.Sprite == Glyph(0, 'Q') || d.Sprite == FontOf(m, 0).Chars[0].Sprite);
  }
}

TEST_F(ScrollerTest, APositionPastTheTextDrawsNothingNotEvenTheFirstCell) {
  StartScroller("AB");
  m.ScrollRun[0].TextPos = 5;  // left over from a longer text
  Frame();
  ASSERT_FALSE(m.Draws.empty());
  EXPECT_EQ(m.Draws[0].Sprite, Glyph(0, 'A'));  // slot 0 stays empty
  EXPECT_EQ(m.Draws[0].X, 64);
  SetScrollerText(m, 0, "");
  Frame();
  EXPECT_TRUE(m.Draws.empty());
}

TEST_F(ScrollerTest, BlockSinusTakesEachCharacterFromTheSineTable) {
  StartScroller("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 3);
  ScrollerFields& s = m.Scroller[0];
  s.Phase = 700;
  Frame();
  ASSERT_EQ(m.Draws.size(), 13u);
  int phase = 700;
  for (size_t k = 0; k < m.Draws.size(); ++k) {
    EXPECT_EQ(m.Draws[k].Y, static_cast<int>(std::lrint(400.0f + s.SineTable[phase]))) << k;
    EXPECT_FLOAT_EQ(m.Draws[k].Rotation, 0.0f);
    phase += 2;
    if (phase > 720) phase -= 360;
  }
  EXPECT_EQ(s.Phase, 701);  // the wave travels one table step per frame
}

TEST_F(ScrollerTest, CharRotationUsesTheAdvancedCosineIndex) {
  StartScroller("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 4);
  ScrollerFields& s = m.Scroller[0];
  s.SinRot = 10;
  s.Phase = 1;
  Frame();
  ASSERT_GE(m.Draws.size(), 2u);
  EXPECT_EQ(m.Draws[0].Y, static_cast<int>(std::lrint(400.0f + s.SineTable[1])));
  EXPECT_FLOAT_EQ(m.Draws[0].Rotation, s.CosineTable[3] / 10.0f);
  EXPECT_FLOAT_EQ(m.Draws[1].Rotation, s.CosineTable[5] / 10.0f);

  // A character step keeps the wave on its characters.
  m.ScrollRun[0].Offset = -63.0f;
  s.Phase = 11;
  Frame();
  EXPECT_EQ(s.Phase, 13);
}

TEST_F(ScrollerTest, OddSineSettingsStayInsideTheTables) {
  StartScroller("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 4);
  ScrollerFields& s = m.Scroller[0];
  s.SinSTP = 100000;
  s.SinRot = 0;
  for (int i = 0; i < 50; ++i) {
    Frame();
    EXPECT_GE(s.Phase, 0);
    EXPECT_LE(s.Phase, 720);
    for (const DrawRecord& d : m.Draws) EXPECT_TRUE(std::isfinite(d.Rotation));
  }
  s.SinSTP = -7;
  for (int i = 0; i < 50; ++i) {
    Frame();
    EXPECT_GE(s.Phase, 0);
    EXPECT_LE(s.Phase, 720);
  }
}

TEST_F(ScrollerTest, GraveAccentPausesFiveSecondsWhenItEnters) {
  // The accent is character 15: with TextPos 2 it sits in the entering slot 13.
  StartScroller("ABCDEFGHIJKLMN`OPQRSTUVWXYZ");
  ScrollerRun& r = m.ScrollRun[0];
  r.TextPos = 2;
  SetTime(200000);
  Frame();
  EXPECT_EQ(r.PauseStart, 200000u);
  EXPECT_EQ(r.LastControl, 64);
  EXPECT_FLOAT_EQ(r.Offset, 0.0f);
  SetTime(204999);
  Frame();
  EXPECT_FLOAT_EQ(r.Offset, 0.0f);
  SetTime(205000);
  Frame();  // still in the entering slot, but it acts only once
  EXPECT_FLOAT_EQ(r.Offset, -2.0f);
  EXPECT_EQ(r.PauseStart, 200000u);
  EXPECT_EQ(r.Speed, 2);
}

TEST_F(ScrollerTest, SpeedControlsActOnlyInTheEnteringSlot) {
  // '\\' is character 13: with TextPos 1 it sits in slot 12, an ordinary glyph there.
  StartScroller("ABCDEFGHIJKL\\MNOPQRSTUVWXYZ");
  ScrollerRun& r = m.ScrollRun[0];
  Frame();
  EXPECT_EQ(r.Speed, 2);
  EXPECT_EQ(m.Draws[12].Sprite, FontOf(m, 0).Chars[60].Sprite);
  EXPECT_EQ(m.Draws[12].X, 768);
  r.TextPos = 0;  // now it is the entering character (slot 13)
  r.Offset = 0.0f;
  Frame();
  EXPECT_EQ(r.Speed, 4);
  EXPECT_EQ(r.LastControl, 60);
  EXPECT_FLOAT_EQ(r.Offset, -4.0f);

  // ']' sets 6 and is never drawn.
  m.Scroller[0].Text = "]]]]]]]]]]]]]]]]]]]]";
  RestartScroller(m, 0);
  Frame();
  EXPECT_EQ(r.Speed, 6);
  EXPECT_TRUE(m.Draws.empty());
}

TEST_F(ScrollerTest, RestartKeepsTheLastControlSoItDoesNotActTwice) {
  // The accent is character 14: after a restart it is the entering character.
  StartScroller("ABCDEFGHIJKLM`NOPQRSTUVWXYZ");
  ScrollerRun& r = m.ScrollRun[0];
  SetTime(300000);
  Frame();
  ASSERT_EQ(r.LastControl, 64);
  ASSERT_EQ(r.PauseStart, 300000u);
  SetTime(310000);  // the pause is over
  RestartScroller(m, 0);
  Frame();
  EXPECT_EQ(r.PauseStart, 300000u);
  EXPECT_FLOAT_EQ(r.Offset, -2.0f);
}

TEST_F(ScrollerTest, DunkStaysInTheLowerHalfTurnAndJumpInTheUpper) {
  StartScroller("ABC", 7);
  m.Scroller[0].SSinAdd = 7.0f;
  EXPECT_FLOAT_EQ(m.Scroller[0].Angle, 180.0f);
  for (int i = 0; i < 500; ++i) {
    Frame();
    EXPECT_GE(m.Scroller[0].Angle, 0.0f);
    EXPECT_LE(m.Scroller[0].Angle, 180.0f);
    EXPECT_GE(m.ScrollRun[0].SwingSine, -1e-5f);
    EXPECT_GE(m.Draws[0].Y, 400);
  }
  SetScrollerEffect(m, 0, 6);
  EXPECT_FLOAT_EQ(m.Scroller[0].Angle, 0.0f);
  for (int i = 0; i < 30; ++i) Frame();  // first half turn
  for (int i = 0; i < 500; ++i) {
    Frame();
    EXPECT_GE(m.Scroller[0].Angle, 180.0f);
    EXPECT_LE(m.Scroller[0].Angle, 360.0f);
    EXPECT_LE(m.Draws[0].Y, 400);
  }
}

TEST_F(ScrollerTest, SwingMovesTheLineAndRotateFlipsTheGlyphs) {
  StartScroller("ABC", 2);
  m.Scroller[0].Angle = 90.0f;
  Frame();
  EXPECT_EQ(m.Draws[0].Y, 400 + 150);
  EXPECT_FLOAT_EQ(m.Scroller[0].Angle, 95.0f);

  SetScrollerEffect(m, 0, 1);
  m.Scroller[0].Angle = 270.0f;
  Frame();
  EXPECT_EQ(m.Draws[0].Y, 400);
  EXPECT_EQ(m.Draws[0].Height, -200);
}

TEST_F(ScrollerTest, RollingCharsTurnByTheSpeedUnscaled) {
  StartScroller("ABC", 5);
  m.Clock.SpeedFactor = 2.0f;
  Frame();
  EXPECT_FLOAT_EQ(m.Draws[0].Rotation, 358.0f);
  EXPECT_FLOAT_EQ(m.Draws[1].Rotation, 358.0f);
  Frame();
  EXPECT_FLOAT_EQ(m.Draws[0].Rotation, 356.0f);
  EXPECT_FLOAT_EQ(m.ScrollRun[0].Offset, -8.0f);  // scrolling itself is scaled
}

TEST_F(ScrollerTest, RollingCharsTurnOnFromTheRotationOfTheLastFrame) {
  StartScroller("ABC", 5);
  Frame();
  Frame();
  EXPECT_FLOAT_EQ(m.Draws[0].Rotation, 356.0f);
  SetScrollerEffect(m, 0, 0);  // a straight line sets the rotation to 0
  Frame();
  SetScrollerEffect(m, 0, 5);
  Frame();
  EXPECT_FLOAT_EQ(m.Draws[0].Rotation, 358.0f);

  // After "Block Sinus - Char Rotation" it goes on from the last character's turn.
  ScrollerFields& s = m.Scroller[0];
  SetScrollerEffect(m, 0, 4);
  s.Phase = 1;
  Frame();
  const float last = m.Draws.back().Rotation;
  ASSERT_NE(last, 0.0f);
  SetScrollerEffect(m, 0, 5);
  Frame();
  float expected = last - 2.0f;
  if (expected < 0.0f) expected += 360.0f;
  EXPECT_FLOAT_EQ(m.Draws[0].Rotation, expected);
}

TEST_F(ScrollerTest, InactiveScrollerOnlySwings) {
  StartScroller("ABC", 2);
  m.Scroller[0].Active = 0;
  Frame();
  Frame();
  EXPECT_TRUE(m.Draws.empty());
  EXPECT_FLOAT_EQ(m.ScrollRun[0].Offset, 0.0f);
  EXPECT_FLOAT_EQ(m.Scroller[0].Angle, 10.0f);
}

TEST_F(ScrollerTest, UnloadedFontDrawsNothingButStillScrolls) {
  m.Scroller[0].Text = "ABC";
  m.Scroller[0].Active = 1;
  ResetScrollers(m);
  Frame();
  EXPECT_TRUE(m.Draws.empty());
  EXPECT_FLOAT_EQ(m.ScrollRun[0].Offset, -2.0f);
}

TEST_F(ScrollerTest, GlyphsComeFromTheChosenFontWithItsLayer) {
  StartScroller("AB");
  MakeFont(1);
  m.Scroller[0].Font = 1;
  m.Fonts.F2Layer = 2;
  Frame();
  EXPECT_EQ(m.Draws[0].Sprite, Glyph(1, 'A'));
  EXPECT_EQ(m.Draws[0].Layer, 2);
}

TEST(ScrollText, EditorFilterUpperCasesAndDropsWhatHasNoPlace) {
  EXPECT_EQ(FilterScrollText("Hello\r\n{World}"), "HELLOWORLD");
  EXPECT_EQ(FilterScrollText("a`[\\]^_~\t\x80"), "A`[\\]^_");
  EXPECT_EQ(FilterScrollText(" !09@Z"), " !09@Z");
}

TEST(ScrollText, RestartAfterLoadKeepsTheSpeedAndTakesSlotsAgain) {
  IntroModel m;
  InitModel(m);
  ResetScrollers(m);
  m.ScrollRun[1].Speed = 8;
  m.ScrollRun[1].TextPos = 9;
  m.ScrollRun[1].Offset = -10.0f;
  m.Scroller[1].cspX = 100;
  m.Scroller[1].Text = "XY";
  RestartScrollers(m);
  EXPECT_EQ(m.ScrollRun[1].Speed, 8);
  EXPECT_EQ(m.ScrollRun[1].TextPos, 1);
  EXPECT_FLOAT_EQ(m.ScrollRun[1].Offset, 0.0f);
  EXPECT_EQ(m.Scroller[1].Slots, 9);
  EXPECT_EQ(m.ScrollRun[1].TextLength, 2);
  // Only a zero step keeps the old count; a negative one gives a negative count.
  m.Scroller[1].cspX = 0;
  RestartScrollers(m);
  EXPECT_EQ(m.Scroller[1].Slots, 9);
  m.Scroller[1].cspX = -64;
  RestartScrollers(m);
  EXPECT_EQ(m.Scroller[1].Slots, -11);
  ResetScrollers(m);
  EXPECT_EQ(m.ScrollRun[1].Speed, 2);
  EXPECT_EQ(std::string(kScrollerEffectNames[4]), "Block Sinus - Char Rotation");
}

}  // namespace
