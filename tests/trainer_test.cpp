#include "project/Colors.h"
#include "render/PagerTrainer.h"
#include "tests/scroller_font_fixture.h"

using namespace quellor;

namespace {

constexpr int kReturn = 0x1C, kUp = 0xC8, kDown = 0xD0;
constexpr int kF1 = 0x3B, kF11 = 0x57, kF12 = 0x58;

class TrainerTest : public effecttest::EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    MakeFont(0);
    m.Trainer.Active = 1;
  }
  // YLins option lines: off texts "A0".."A<n>", on texts "B0".."B<n>".
  void Lines(int n) {
    m.Trainer.YLins = n;
    m.Trainer.Lines.clear();
    for (int i = 0; i < n; ++i) m.Trainer.Lines.push_back("A" + std::to_string(i));
    for (int i = 0; i < n; ++i) m.Trainer.Lines.push_back("B" + std::to_string(i));
    RestartTrainer(m, e);
  }
  void Frame() {
    m.Draws.clear();
    AddTrainerRecords(m, e);
  }
  // Presses and releases a key across two frames.
  void Press(int dik) {
    e.SetKeyState(dik, true);
    Frame();
    e.SetKeyState(dik, false);
    Frame();
  }
  // First glyph of option line i as drawn in the last frame.
  Handle LineGlyph(int i) {
    const int y = m.Trainer.YPos + i * m.Trainer.cspY;
    for (const DrawRecord& d : m.Draws)
      if (d.Y == y) return d.Sprite;
    return 0;
  }
  bool On(int i) { return LineGlyph(i) == Glyph(0, 'B'); }
};

TEST_F(TrainerTest, TooFewLinesAreReportedAndSwitchTheTrainerOff) {
  m.Trainer.YLins = 3;
  m.Trainer.Lines = {"a", "b", "c", "d", "e"};
  RestartTrainer(m, e);
  EXPECT_EQ(m.Trainer.Active, 0);
  ASSERT_EQ(m.Log.Lines.size(), 2u);
  EXPECT_EQ(m.Log.Lines[0].Text, "to less lines of Trainer Text.");
  EXPECT_EQ(m.Log.Lines[0].Expiry, quellor::testing::TestMs() + 10000);
  EXPECT_EQ(m.Log.Lines[1].Text, "add some lines with Trainer Text Editor.");
  EXPECT_EQ(m.Log.Lines[1].Expiry, quellor::testing::TestMs() + 10300);
  Frame();
  EXPECT_TRUE(m.Draws.empty());

  m.Log.Lines.clear();
  m.Trainer.Lines.push_back("f");
  m.Trainer.Active = 1;
  RestartTrainer(m, e);
  EXPECT_EQ(m.Trainer.Active, 1);
  EXPECT_TRUE(m.Log.Lines.empty());
}

TEST_F(TrainerTest, MissingTextIsReported) {
  m.Trainer.YLins = 0;
  m.Trainer.Lines.clear();
  RestartTrainer(m, e);
  ASSERT_EQ(m.Log.Lines.size(), 1u);
  EXPECT_EQ(m.Log.Lines[0].Text, "No Trainer Text found !");
  Frame();
  EXPECT_TRUE(m.Draws.empty());
}

TEST_F(TrainerTest, LettersShowTheOffTextsLaidOutByLine) {
  m.Trainer.Spacer = 8;
  m.Trainer.XPos = 50;
  Lines(3);
  Frame();
  ASSERT_EQ(m.Draws.size(), 6u);
  EXPECT_EQ(m.Draws[0].Sprite, Glyph(0, 'A'));
  EXPECT_EQ(m.Draws[1].Sprite, Glyph(0, '0'));
  EXPECT_EQ(m.Draws[1].X, 50 + 32);
  EXPECT_EQ(m.Draws[5].Sprite, Glyph(0, '2'));
  EXPECT_EQ(m.Draws[5].Y, 100 + 2 * 40);
  EXPECT_EQ(m.Draws[5].Alpha, 255);
  EXPECT_EQ(m.Draws[5].Width, 100);
  EXPECT_EQ(m.TrainerState.BarY, 100);
}

TEST_F(TrainerTest, LineWithoutLettersKeepsItsEarlierRecordedY) {
  m.Trainer.YLins = 2;
  m.Trainer.Lines = {"A0", "A1", "B0", "  "};  // option 1 has a blank on text
  RestartTrainer(m, e);
  EXPECT_EQ(m.Trainer.LinePos[1], 100 + 32);
  m.Trainer.YPos = 300;
  ToggleTrainerOption(m, 1);
  EXPECT_EQ(m.Trainer.LinePos[0], 300);
  EXPECT_EQ(m.Trainer.LinePos[1], 100 + 32);  // no letter on the line: y not taken
  m.TrainerState.Selected = 1;
  Frame();
  EXPECT_EQ(m.TrainerState.BarY, 100 + 32);
}

TEST_F(TrainerTest, CursorKeysSelectWithWrapAndReturnToggles) {
  Lines(3);
  Press(kUp);  // from line 0 up to the last line
  EXPECT_EQ(m.TrainerState.Selected, 2);
  Press(kDown);
  EXPECT_EQ(m.TrainerState.Selected, 0);
  Press(kDown);
  Press(kReturn);
  EXPECT_TRUE(On(1));
  EXPECT_FALSE(On(0));
  EXPECT_EQ(m.TrainerState.BarY, 100 + 32);
  e.SetKeyState(kReturn, true);  // held: toggles once
  Frame();
  Frame();
  Frame();
  e.SetKeyState(kReturn, false);
  Frame();
  EXPECT_FALSE(On(1));
}

TEST_F(TrainerTest, FunctionKeysPastTheLastLineDoNothing) {
  m.Trainer.Contr = 2;
  Lines(4);
  for (int k = kF1 + 4; k <= kF1 + 9; ++k) Press(k);
  Press(kF11);
  Press(kF12);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(On(i)) << i;
  EXPECT_EQ(m.TrainerState.Selected, 0);
  Press(kF1 + 3);
  EXPECT_TRUE(On(3));
  EXPECT_EQ(m.TrainerState.Selected, 3);
  Press(kF1 + 3);
  EXPECT_FALSE(On(3));

  m.Trainer.Contr = 2;
  Lines(12);
  Press(kF12);
  EXPECT_TRUE(On(11));
}

TEST_F(TrainerTest, MouseRowsSelectAndEachPressTogglesOnce) {
  m.Trainer.Contr = 1;
  Lines(3);
  m.PreviewMouseX = 60;
  m.PreviewMouseY = 100 + 2 * 32 + 5;
  Frame();
  EXPECT_EQ(m.TrainerState.Selected, 2);
  m.PreviewMouseY = 100 + 32;  // on the line's own y: not strictly inside
  Frame();
  EXPECT_EQ(m.TrainerState.Selected, 2);
  m.PreviewMouseX = 50;  // outside the text's x range
  m.PreviewMouseY = 110;
  Frame();
  EXPECT_EQ(m.TrainerState.Selected, 2);

  e.SetMouseButton(0, true);
  for (int i = 0; i < 4; ++i) Frame();
  e.SetMouseButton(0, false);
  Frame();
  EXPECT_TRUE(On(2));
  e.SetMouseButton(0, true);
  Frame();
  e.SetMouseButton(0, false);
  Frame();
  EXPECT_FALSE(On(2));
}

TEST_F(TrainerTest, BarIsCentredOnTheTextOrSpansTheScreen) {
  Image img;
  img.Width = 200;
  img.Height = 20;
  img.Rgba.assign(200 * 20 * 4, 255);
  m.TrainerBar.Sprite = e.CreateSprite(e.TextureFromImage(img));
  m.TrainerBar.TB_CSX = 300;
  m.TrainerBar.TB_Line = 0;
  m.Trainer.SizY = 120;
  Lines(2);
  EXPECT_FLOAT_EQ(m.TrainerBar.TB_FSL, 150.0f);
  EXPECT_EQ(m.TrainerState.BarX, 50 + 32 * 25 / 2 - 150);
  EXPECT_FLOAT_EQ(e.Sprite(m.TrainerBar.Sprite)->ZoomX, 1.5f);
  EXPECT_FLOAT_EQ(e.Sprite(m.TrainerBar.Sprite)->ZoomY, 1.2f);

  m.TrainerBar.TB_Line = 1;
  RestartTrainer(m, e);
  EXPECT_FLOAT_EQ(m.TrainerBar.TB_FSL, 400.0f);
  EXPECT_EQ(m.TrainerState.BarX, 0);
}

}  // namespace
