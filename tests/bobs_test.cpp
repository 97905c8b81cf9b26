#include <cmath>

#include "project/Colors.h"
#include "render/Bobs.h"
#include "tests/scroller_font_fixture.h"

using namespace quellor;

namespace {

class BobsTest : public effecttest::EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    Image img;
    img.Width = 32;
    img.Height = 32;
    img.Rgba.assign(32 * 32 * 4, 255);
    m.Anim_BOB.Sprite = e.CreateSprite(e.TextureFromImage(img));
    m.AnimClone.Active = 1;
  }
  void Frame() {
    m.Draws.clear();
    AddBobRecords(m, e);
  }
  const CloneRecord& Clone(int i) const { return m.AnimClone.Clones.at(i); }
};

TEST_F(BobsTest, FewerThanSixClonesEachTakeTheNextSpeedGroup) {
  m.AnimClone.Count = 5;
  m.AnimClone.XAdd = 6.0f;
  m.AnimClone.YAdd = -6.0f;
  GenerateClones(m);
  ASSERT_EQ(m.AnimClone.Clones.size(), 6u);
  const float expected[] = {1.0f, 1.2f, 1.5f, 2.0f, 3.0f};
  for (int i = 1; i <= 5; ++i) {
    EXPECT_FLOAT_EQ(Clone(i).SpeedX, expected[i - 1]) << i;
    EXPECT_FLOAT_EQ(Clone(i).SpeedY, -expected[i - 1]) << i;
  }
  ASSERT_EQ(m.Log.Lines.size(), 1u);
  EXPECT_EQ(m.Log.Lines[0].Text, "5 Bob Animation clones generated");
  EXPECT_EQ(m.Log.Lines[0].Colour, kColorSuccess);
}

TEST_F(BobsTest, SixGroupsThenFullSpeedUntilTheNextGroupStep) {
  m.AnimClone.Count = 17;  // group size 2: twelve clones in six groups, then divisor 0.01
  m.AnimClone.XAdd = 6.0f;
  m.AnimClone.YAdd = -3.0f;
  GenerateClones(m);
  EXPECT_FLOAT_EQ(Clone(1).SpeedX, 1.0f);
  EXPECT_FLOAT_EQ(Clone(2).SpeedX, 1.0f);
  EXPECT_FLOAT_EQ(Clone(3).SpeedX, 1.2f);
  EXPECT_FLOAT_EQ(Clone(12).SpeedX, 6.0f);
  for (int i = 13; i <= 14; ++i) {  // capped at the base speed
    EXPECT_FLOAT_EQ(Clone(i).SpeedX, 6.0f) << i;
    EXPECT_FLOAT_EQ(Clone(i).SpeedY, -3.0f) << i;
  }
  // The group counter keeps stepping: 0.01 - 1 is not zero, so it stays negative.
  const float d15 = 0.01f - 1.0f;
  EXPECT_FLOAT_EQ(Clone(15).SpeedX, 6.0f / d15);
  EXPECT_FLOAT_EQ(Clone(16).SpeedY, -3.0f / d15);
  EXPECT_FLOAT_EQ(Clone(16).Reserved, 255.0f / d15);
  EXPECT_FLOAT_EQ(Clone(17).SpeedX, 6.0f / (d15 - 1.0f));
}

TEST_F(BobsTest, SizesGrowWithDepthAndPositionsFillTheAreaWithMargins) {
  AnimCloneFields& c = m.AnimClone;
  c.Count = 300;
  c.XCent = 100;
  c.YCent = 50;
  c.width = 500;
  c.height = 400;
  m.Anim_BOB.CspX = 32;
  m.Anim_BOB.CspY = 16;
  m.Anim_BOB.SizeX = 200;
  m.Anim_BOB.SizeY = 50;
  GenerateClones(m);
  EXPECT_FLOAT_EQ(Clone(1).SizeX, 40.0f);
  EXPECT_FLOAT_EQ(Clone(1).SizeY, 10.0f);
  EXPECT_NEAR(Clone(300).SizeX, 200.0f, 0.2f);
  bool nearLeft = false, nearRight = false;
  for (int i = 1; i <= 300; ++i) {
    EXPECT_GE(Clone(i).X, 68.0f);
    EXPECT_LE(Clone(i).X, 500.0f);
    EXPECT_GE(Clone(i).Y, 34.0f);
    EXPECT_LE(Clone(i).Y, 400.0f);
    EXPECT_GE(Clone(i).PhaseX, 0.0f);
    EXPECT_LE(Clone(i).PhaseX, 359.0f);
    EXPECT_LE(Clone(i).Frame, 0.0f);
    nearLeft |= Clone(i).X < 100.0f;
    nearRight |= Clone(i).X > 470.0f;
  }
  EXPECT_TRUE(nearLeft && nearRight);

  c.MovPS = 3;
  c.AnmPS = 1;
  m.Anim_BOB.Frames = 4;
  GenerateClones(m);
  bool someFrame = false;
  for (int i = 1; i <= 300; ++i) {
    EXPECT_FLOAT_EQ(Clone(i).SizeX, 200.0f);
    EXPECT_LE(Clone(i).Frame, 4.0f);
    someFrame |= Clone(i).Frame > 0.0f;
  }
  EXPECT_TRUE(someFrame);
}

TEST_F(BobsTest, SameSeedSameClones) {
  m.AnimClone.Count = 20;
  m.Bobs.Seed = 1234;
  GenerateClones(m);
  auto first = m.AnimClone.Clones;
  m.Bobs.Seed = 1234;
  GenerateClones(m);
  for (int i = 1; i <= 20; ++i) {
    EXPECT_EQ(first[i].X, Clone(i).X);
    EXPECT_EQ(first[i].PhaseY, Clone(i).PhaseY);
  }
}

TEST_F(BobsTest, StarfieldMovesRightAndReentersAtTheLeft) {
  ApplyBobPreset(m, e, 0);
  EXPECT_FLOAT_EQ(m.AnimClone.XAdd, 5.0f);
  m.AnimClone.Count = 6;
  m.Clock.SpeedFactor = 2.0f;
  GenerateClones(m);
  AnimCloneFields& c = m.AnimClone;
  c.Clones[1].X = 799.5f;
  c.Clones[2].X = 300.0f;
  Frame();
  ASSERT_EQ(m.Draws.size(), 6u);
  EXPECT_EQ(m.Draws[1].X, 300);
  EXPECT_EQ(m.Draws[1].Alpha, 255);
  EXPECT_EQ(m.Draws[0].Sprite, m.Anim_BOB.Sprite);
  EXPECT_FLOAT_EQ(c.Clones[2].X, 300.0f + 2.0f * 5.0f / 5.0f);  // second speed group
  EXPECT_FLOAT_EQ(c.Clones[1].X, -32.0f);  // passed 800 and re-entered
  EXPECT_GE(c.Clones[1].Y, -32.0f);
  EXPECT_LE(c.Clones[1].Y, 600.0f);
  EXPECT_FLOAT_EQ(c.Clones[3].Y, Clone(3).Y);  // no vertical motion
}

TEST_F(BobsTest, BubblesRiseAndReenterAtTheBottom) {
  ApplyBobPreset(m, e, 1);
  EXPECT_FLOAT_EQ(m.AnimClone.YAdd, -3.0f);
  EXPECT_EQ(m.AnimClone.Int1, 30);
  EXPECT_FLOAT_EQ(m.AnimClone.Flt1, 3.0f);
  m.AnimClone.Count = 6;
  GenerateClones(m);
  CloneRecord& r = m.AnimClone.Clones[6];  // full speed
  r.Y = -31.0f;
  r.PhaseX = 90.0f;
  const float x = r.X;
  Frame();
  EXPECT_EQ(m.Draws[5].X, static_cast<int>(std::lrint(x + 30.0f)));  // wobble at its peak
  EXPECT_FLOAT_EQ(r.Y, 600.0f + 32.0f);
  EXPECT_FLOAT_EQ(r.PhaseX, 93.0f);
  EXPECT_GE(r.X, -32.0f);
  EXPECT_LE(r.X, 832.0f);
}

TEST_F(BobsTest, SnowflakesWobbleBothWaysAndFallBackToTheTop) {
  ApplyBobPreset(m, e, 2);
  EXPECT_EQ(m.AnimClone.Int2, 30);
  m.AnimClone.Count = 6;
  GenerateClones(m);
  CloneRecord& r = m.AnimClone.Clones[6];
  r.X = 400.0f;
  r.Y = 599.0f;
  r.PhaseX = 0.0f;
  r.PhaseY = 270.0f;
  Frame();
  EXPECT_EQ(m.Draws[5].X, 400);
  EXPECT_EQ(m.Draws[5].Y, 599 - 30);
  EXPECT_FLOAT_EQ(r.PhaseY, 271.0f);
  EXPECT_FLOAT_EQ(r.Y, -32.0f);
}

TEST_F(BobsTest, LeftMovingClonesReenterAtTheRight) {
  AnimCloneFields& c = m.AnimClone;
  c.Count = 1;
  c.XAdd = -4.0f;
  GenerateClones(m);
  c.Clones[1].X = -31.5f;  // moves at -4 / 6
  Frame();
  EXPECT_FLOAT_EQ(c.Clones[1].X, 832.0f);
}

TEST_F(BobsTest, OtherFacesDrawNothingAndOddCountsAreSafe) {
  m.AnimClone.Count = 10;
  m.AnimClone.Face = 1;
  GenerateClones(m);
  Frame();
  EXPECT_TRUE(m.Draws.empty());

  m.AnimClone.Face = 0;
  m.AnimClone.Count = -5;
  GenerateClones(m);
  EXPECT_EQ(m.AnimClone.Clones.size(), 1u);
  m.AnimClone.Count = 50;  // raised without regenerating: only the table is drawn
  Frame();
  EXPECT_TRUE(m.Draws.empty());
  m.AnimClone.Count = kMaxBobClones + 1000;
  GenerateClones(m);
  EXPECT_EQ(m.AnimClone.Count, kMaxBobClones);
}

TEST_F(BobsTest, PresetChangeRegeneratesActiveClones) {
  m.AnimClone.Count = 8;
  GenerateClones(m);
  m.Log.Lines.clear();
  ApplyBobPreset(m, e, 2);
  EXPECT_EQ(m.Log.Lines.size(), 1u);
  ApplyBobPreset(m, e, 2);  // same preset: nothing regenerated
  EXPECT_EQ(m.Log.Lines.size(), 1u);
  // A preset leaves the values it has no entry for as they are.
  m.AnimClone.Int1 = 77;
  ApplyBobPreset(m, e, 0);
  EXPECT_EQ(m.AnimClone.Int1, 77);
  EXPECT_FLOAT_EQ(m.AnimClone.YAdd, 0.0f);
}

}  // namespace
