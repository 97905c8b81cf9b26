// Right-button rules of the placement modes at sample mouse positions.
#include "app/Dispatch.h"
#include "app/MenuIds.h"
#include "tests/CommandsTestSupport.h"

using namespace quellor;
using namespace quellor::test;

namespace {

class ModeRules : public CommandsTest {
 protected:
  // Enters a mode the way the menu does, then holds the right button at (x, y).
  void Drag(int x, int y) {
    Mouse(x, y);
    Pass(true);
  }
};

TEST_F(ModeRules, LogoMoveCentresTheZoomedLogoOnTheMouse) {
  m.Logo.Sprite = MakeSprite(200, 100);
  m.Logo.SizeX = 150;
  m.Logo.SizeY = 50;
  DispatchMenu(ctx, menu::kLogoPosition);
  ASSERT_EQ(m.EditMode, 1);
  Drag(400, 300);
  EXPECT_EQ(m.Logo.PosX, 250);  // 400 - 1.5 * 100
  EXPECT_EQ(m.Logo.PosY, 275);  // 300 - 0.5 * 50

  // Halves are whole pixels and x.5 results round to the even neighbour.
  m.Logo.Sprite = MakeSprite(103, 7);  // halves 51 and 3
  m.Logo.SizeX = 50;
  m.Logo.SizeY = 50;
  Drag(400, 300);
  EXPECT_EQ(m.Logo.PosX, 374);  // 400 - 25.5 = 374.5
  EXPECT_EQ(m.Logo.PosY, 298);  // 300 - 1.5 = 298.5
}

TEST_F(ModeRules, LogoSizeMeasuresAbsoluteDistanceFromTheAnchor) {
  m.Logo.Sprite = MakeSprite(200, 100);
  m.Logo.PosX = 100;
  m.Logo.PosY = 50;
  m.Logo.SizeX = 100;
  m.Logo.SizeY = 100;
  DispatchMenu(ctx, menu::kLogoSize);
  ASSERT_EQ(m.EditMode, 2);
  EXPECT_EQ(m.ModeAnchorX, 200);
  EXPECT_EQ(m.ModeAnchorY, 100);

  Drag(300, 150);  // ax + W/2, ay + H/2
  EXPECT_EQ(m.Logo.SizeX, 0);
  EXPECT_EQ(m.Logo.SizeY, 0);
  EXPECT_EQ(m.Logo.PosX, 200);
  EXPECT_EQ(m.Logo.PosY, 100);

  Drag(100, 0);  // further away on the near side grows it again
  EXPECT_EQ(m.Logo.SizeX, 200);
  EXPECT_EQ(m.Logo.SizeY, 150);
  EXPECT_EQ(m.Logo.PosX, 0);
  EXPECT_EQ(m.Logo.PosY, 25);
  EXPECT_FLOAT_EQ(e.Sprite(m.Logo.Sprite)->ZoomX, 2.0f);
  EXPECT_FLOAT_EQ(e.Sprite(m.Logo.Sprite)->ZoomY, 1.5f);

  Drag(500, 300);  // and on the far side
  EXPECT_EQ(m.Logo.SizeX, 200);
  EXPECT_EQ(m.Logo.SizeY, 150);
}

TEST_F(ModeRules, SizeAnchorUsesWholePercentSteps) {
  m.Logo.Sprite = MakeSprite(200, 100);
  m.Logo.PosX = 10;
  m.Logo.PosY = 20;
  m.Logo.SizeX = 250;  // 250 div 100 = 2
  m.Logo.SizeY = 150;  // 1
  DispatchMenu(ctx, menu::kLogoSize);
  EXPECT_EQ(m.ModeAnchorX, 210);
  EXPECT_EQ(m.ModeAnchorY, 70);
}

TEST_F(ModeRules, ScrollerPositionAndSize) {
  m.Scroller[0].Active = 1;
  m.Scroller[1].Active = 1;
  m.Font1.Chars[0].Sprite = MakeSprite(32, 32);
  m.Font2.Chars[0].Sprite = MakeSprite(16, 16);

  DispatchMenu(ctx, menu::ScrollerItem(1, menu::kScrollerPosition));
  ASSERT_EQ(m.EditMode, 3);
  Drag(5, 123);
  EXPECT_EQ(m.Scroller[0].PosY, 123);

  DispatchMenu(ctx, menu::ScrollerItem(1, menu::kScrollerSize));
  ASSERT_EQ(m.EditMode, 4);
  EXPECT_EQ(m.ModeAnchorX, 400);
  EXPECT_EQ(m.ModeAnchorY, 0);
  Drag(440, 100);
  EXPECT_EQ(m.Scroller[0].SizX, 100);
  EXPECT_EQ(m.Scroller[0].SizY, 250);
  EXPECT_EQ(m.Scroller[0].cspX, 32);
  EXPECT_EQ(m.Scroller[0].Slots, 26);  // 800 / 32 + 1
  Drag(403, 3);                        // 7.5 rounds to 8
  EXPECT_EQ(m.Scroller[0].SizX, 8);

  // Scroller 2 measures its characters with font 2.
  DispatchMenu(ctx, menu::ScrollerItem(2, menu::kScrollerSize));
  ASSERT_EQ(m.EditMode, 6);
  Drag(440, 100);
  EXPECT_EQ(m.Scroller[1].cspX, 16);
  EXPECT_EQ(m.Scroller[1].Slots, 51);

  // No glyph: the spacing becomes 0 and the slot count stays as it was.
  m.Font2.Chars[0].Sprite = 0;
  Drag(480, 100);
  EXPECT_EQ(m.Scroller[1].cspX, 0);
  EXPECT_EQ(m.Scroller[1].Slots, 51);
}

TEST_F(ModeRules, ObjectSizeScalesFromTheStartSize) {
  m.Obj3d.Entity = 77;
  e.Size[0] = 200;
  e.Size[1] = 400;
  e.Size[2] = 600;
  DispatchMenu(ctx, menu::kObjResize);
  ASSERT_EQ(m.EditMode, 7);
  Drag(500, 10);  // 100 pixels from the anchor x 400
  EXPECT_FLOAT_EQ(e.Scale[0], 200);
  EXPECT_FLOAT_EQ(e.Scale[1], 400);
  EXPECT_FLOAT_EQ(e.Scale[2], 600);
  Drag(350, 10);
  EXPECT_FLOAT_EQ(e.Scale[0], 100);
  EXPECT_FLOAT_EQ(e.Scale[2], 300);
}

TEST_F(ModeRules, ObjectMoveDividesTheDistanceByEighty) {
  m.Obj3d.Entity = 77;
  DispatchMenu(ctx, menu::kObjPosition);
  ASSERT_EQ(m.EditMode, 8);
  Drag(480, 220);
  EXPECT_FLOAT_EQ(e.Pos[0], 1.0f);
  EXPECT_FLOAT_EQ(e.Pos[1], 1.0f);
  EXPECT_FLOAT_EQ(e.Pos[2], 10.0f);
  Drag(360, 340);
  EXPECT_FLOAT_EQ(m.Obj3d.WorkPos[0], -0.5f);
  EXPECT_FLOAT_EQ(m.Obj3d.WorkPos[1], -0.5f);
  EXPECT_FLOAT_EQ(m.Obj3d.PosX, -0.5f);  // kept for saving
}

TEST_F(ModeRules, BorderSizeNeverZeroAndTilesFollow) {
  m.Border.Texture = e.TextureFromImage(Image{64, 32, std::vector<uint8_t>(64 * 32 * 4, 255)});
  for (Handle& s : m.Border.Sprite) s = MakeSprite(64, 32);
  DispatchMenu(ctx, menu::kBorderResize);
  ASSERT_EQ(m.EditMode, 9);
  Drag(400, 50);
  EXPECT_EQ(m.Border.SizX, 1);
  EXPECT_EQ(m.Border.SizY, 50);
  EXPECT_EQ(m.Border.CspX, 1);  // 0.64 rounds up
  EXPECT_EQ(m.Border.CspY, 16);
  Drag(528, 100);
  EXPECT_EQ(m.Border.SizX, 128);
  EXPECT_EQ(m.Border.CspX, 82);  // 81.92
  EXPECT_EQ(m.Border.CspY, 32);
  EXPECT_EQ(m.Border.TilesX, 9);  // 800 / 82
  EXPECT_EQ(m.Border.TilesY, 7);  // 600 / 82: both counts use the horizontal step

  // Every pass zooms all four pieces, button or not; the side pieces are turned
  // copies, so their length along the edge is their vertical zoom.
  m.Border.SizX = 300;
  Pass(false);
  EXPECT_FLOAT_EQ(e.Sprite(m.Border.Sprite[0])->ZoomX, 3.0f);
  EXPECT_FLOAT_EQ(e.Sprite(m.Border.Sprite[1])->ZoomX, 3.0f);
  EXPECT_FLOAT_EQ(e.Sprite(m.Border.Sprite[2])->ZoomY, 3.0f);
  EXPECT_FLOAT_EQ(e.Sprite(m.Border.Sprite[3])->ZoomY, 3.0f);
}

TEST_F(ModeRules, PagerModes) {
  m.Pager.Active = 1;
  m.Font1.Chars[0].Sprite = MakeSprite(20, 30);
  m.Font2.Chars[0].Sprite = MakeSprite(40, 10);

  DispatchMenu(ctx, menu::kPagerPosition);
  ASSERT_EQ(m.EditMode, 10);
  Drag(400, 300);
  EXPECT_EQ(m.Pager.XPos, 80);   // 400 - 20 * 32 / 2
  EXPECT_EQ(m.Pager.YPos, 220);  // 300 - 5 * 32 / 2

  DispatchMenu(ctx, menu::kPagerSize);
  ASSERT_EQ(m.EditMode, 11);
  Drag(400, 50);
  EXPECT_EQ(m.Pager.SizX, 1);  // at least 1
  EXPECT_EQ(m.Pager.SizY, 50);
  EXPECT_EQ(m.Pager.cspX, 0);  // 20 * 1 % = 0.2
  EXPECT_EQ(m.Pager.cspY, 15);
  Drag(450, 200);
  EXPECT_EQ(m.Pager.cspX, 10);
  EXPECT_EQ(m.Pager.cspY, 60);
  m.Pager.Font = 1;  // font 2's glyph
  Drag(450, 200);
  EXPECT_EQ(m.Pager.cspX, 20);
  EXPECT_EQ(m.Pager.cspY, 20);

  DispatchMenu(ctx, menu::kPagerLineSpace);
  ASSERT_EQ(m.EditMode, 12);
  Drag(0, 100);
  EXPECT_EQ(m.Pager.Spacer, 500);  // |300 - 100| * 2.5
  Drag(0, 301);
  EXPECT_EQ(m.Pager.Spacer, 2);  // 2.5 to even
  Drag(0, 303);
  EXPECT_EQ(m.Pager.Spacer, 8);  // 7.5 to even
}

TEST_F(ModeRules, AnimationMoveUsesTheZoomedFrame) {
  m.Anim_2d.Sprite = MakeSprite(32, 48);
  m.Anim_2d.FSizeX = 32;
  m.Anim_2d.FSizeY = 48;
  m.Anim_2d.SizeX = 200;
  m.Anim_2d.SizeY = 50;
  DispatchMenu(ctx, menu::AnimItem(1, menu::kAnimPosition));
  ASSERT_EQ(m.EditMode, 14);
  Drag(100, 100);
  EXPECT_FLOAT_EQ(m.Anim_2d.PosX, 68.0f);  // 100 - 2 * 16
  EXPECT_FLOAT_EQ(m.Anim_2d.PosY, 88.0f);  // 100 - 0.5 * 24
}

TEST_F(ModeRules, AnimationSizeCountsTheMouseOneAndAHalfTimes) {
  AnimFields& a = m.Anim_2d;
  a.Sprite = MakeSprite(32, 32);
  a.PosX = 10;
  a.PosY = 20;
  DispatchMenu(ctx, menu::AnimItem(1, menu::kAnimSize));
  ASSERT_EQ(m.EditMode, 15);
  EXPECT_EQ(m.ModeAnchorX, 26);
  EXPECT_EQ(m.ModeAnchorY, 36);
  Drag(100, 40);
  int sizeAt100 = a.SizeX;
  EXPECT_EQ(sizeAt100, 108);  // |26 + 16 - 150|
  EXPECT_EQ(a.SizeY, 8);      // |36 + 16 - 60|
  EXPECT_NEAR(a.PosX, 26 - 1.08f * 16, 1e-4);
  EXPECT_FLOAT_EQ(e.Sprite(a.Sprite)->ZoomX, 1.08f);
  Drag(110, 40);
  EXPECT_EQ(a.SizeX - sizeAt100, 15);
}

TEST_F(ModeRules, AnimationRotateWrapsIntoOneTurn) {
  m.Anim_BOB.Sprite = MakeSprite(32, 32);
  m.Anim_BOB.PosX = 10;
  DispatchMenu(ctx, menu::AnimItem(2, menu::kAnimRotate));
  ASSERT_EQ(m.EditMode, 19);
  Drag(100, 0);  // 26 + 16 - 100 = -58
  EXPECT_FLOAT_EQ(m.Anim_BOB.Rota, 302.0f);
  EXPECT_NEAR(e.SpriteRotation(m.Anim_BOB.Sprite), 302.0f, 1e-2);
  Drag(40, 0);
  EXPECT_FLOAT_EQ(m.Anim_BOB.Rota, 2.0f);
}

TEST_F(ModeRules, SignMoveUsesWholePixelHalves) {
  m.Sign.Sprite = MakeSprite(101, 51);
  DispatchMenu(ctx, menu::kSignPosition);
  ASSERT_EQ(m.EditMode, 20);
  Drag(200, 200);
  EXPECT_EQ(m.Sign.PosX, 150);
  EXPECT_EQ(m.Sign.PosY, 175);
}

TEST_F(ModeRules, TrainerModes) {
  m.Trainer.Active = 1;
  m.Font1.Chars[0].Sprite = MakeSprite(20, 30);
  DispatchMenu(ctx, menu::kTrainerPosition);
  ASSERT_EQ(m.EditMode, 21);
  Drag(400, 300);
  EXPECT_EQ(m.Trainer.XPos, 0);    // 400 - 25 * 32 / 2
  EXPECT_EQ(m.Trainer.YPos, 204);  // 300 - 6 * 32 / 2

  DispatchMenu(ctx, menu::kTrainerSize);
  ASSERT_EQ(m.EditMode, 22);
  Drag(450, 200);
  EXPECT_EQ(m.Trainer.SizX, 50);
  EXPECT_EQ(m.Trainer.cspX, 10);
  EXPECT_EQ(m.Trainer.cspY, 60);

  DispatchMenu(ctx, menu::kTrainerLineSpace);
  ASSERT_EQ(m.EditMode, 23);
  Drag(0, 500);
  EXPECT_EQ(m.Trainer.Spacer, 500);
}

TEST_F(ModeRules, TrainerBarSizeCentresTheBarOnTheText) {
  m.TrainerBar.Sprite = MakeSprite(200, 20);
  m.TrainerState.BarX = 300;
  m.TrainerBar.TB_Line = 1;
  DispatchMenu(ctx, menu::kTrainerBarSize);
  ASSERT_EQ(m.EditMode, 24);
  EXPECT_EQ(m.TrainerBar.TB_Line, 0);
  EXPECT_EQ(m.ModeAnchorX, 400);
  Drag(350, 0);  // |400 + 100 - 350|
  EXPECT_EQ(m.TrainerBar.TB_CSX, 150);
  EXPECT_FLOAT_EQ(m.TrainerBar.TB_FSL, 75.0f);
  EXPECT_EQ(m.TrainerState.BarX, 375);  // 50 + 32 * 25 / 2 - 75
  EXPECT_FLOAT_EQ(e.Sprite(m.TrainerBar.Sprite)->ZoomX, 0.75f);
  Drag(349, 0);  // an odd width: the half is not cut to a whole pixel before rounding
  EXPECT_EQ(m.TrainerBar.TB_CSX, 151);
  EXPECT_EQ(m.TrainerState.BarX, 374);  // 450 - 75.5, to the nearest even
}

TEST_F(ModeRules, GfxModesWorkOnTheChosenSlot) {
  m.GFX.Sprite[3] = MakeSprite(64, 64);
  m.GFX.XSize[3] = 200;
  m.GFX.YSize[3] = 100;
  DispatchMenu(ctx, menu::GfxItem(3, menu::kGfxPosition));
  ASSERT_EQ(m.EditMode, 25);
  EXPECT_EQ(m.ModeGfxIndex, 3);
  Drag(300, 300);
  EXPECT_EQ(m.GFX.XPos[3], 236);
  EXPECT_EQ(m.GFX.YPos[3], 268);
  EXPECT_EQ(m.GFX.XPos[1], 0);

  m.GFX.XPos[3] = 100;
  m.GFX.YPos[3] = 100;
  m.GFX.XSize[3] = 100;
  DispatchMenu(ctx, menu::GfxItem(3, menu::kGfxSize));
  ASSERT_EQ(m.EditMode, 26);
  EXPECT_EQ(m.ModeAnchorX, 132);
  Drag(164, 132);  // at ax + W/2
  EXPECT_EQ(m.GFX.XSize[3], 0);
  EXPECT_EQ(m.GFX.XPos[3], 132);
  Drag(232, 164);
  EXPECT_EQ(m.GFX.XSize[3], 68);
  EXPECT_EQ(m.GFX.YSize[3], 0);

  m.GFX.XSize[3] = 100;
  m.GFX.XPos[3] = 100;
  DispatchMenu(ctx, menu::GfxItem(3, menu::kGfxRotate));
  ASSERT_EQ(m.EditMode, 27);
  Drag(100, 0);  // 132 + 32 / 2 - 100
  EXPECT_FLOAT_EQ(m.GFX.Rota[3], 48.0f);
  Drag(200, 0);
  EXPECT_FLOAT_EQ(m.GFX.Rota[3], 308.0f);
}

TEST(ModeHelpers, WrapAndRound) {
  EXPECT_FLOAT_EQ(WrapDegrees(-58), 302);
  EXPECT_FLOAT_EQ(WrapDegrees(720), 0);
  EXPECT_FLOAT_EQ(WrapDegrees(361), 1);
  EXPECT_EQ(RoundToInt(2.5), 2);
  EXPECT_EQ(RoundToInt(-2.5), -2);
  EXPECT_EQ(RoundToInt(3.5), 4);
  EXPECT_EQ(RoundToInt(1e12), 2147483647);
}

}  // namespace

namespace {

// Settings read from a project can be anything; the rules saturate instead of overflowing.
TEST_F(ModeRules, ExtremeSettingsSaturate) {
  const int32_t big = 2147483647;
  m.Logo.Sprite = MakeSprite(200, 100);
  m.Logo.PosX = big;
  m.Logo.SizeX = big;
  DispatchMenu(ctx, menu::kLogoSize);
  EXPECT_EQ(m.ModeAnchorX, big);
  Drag(-5, 0);
  EXPECT_EQ(m.Logo.SizeX, big);

  m.Pager.Active = 1;
  m.Pager.perLine = m.Pager.cspX = 100000;
  DispatchMenu(ctx, menu::kPagerPosition);
  Drag(0, 0);
  EXPECT_EQ(m.Pager.XPos, -2147483647 - 1);

  m.Anim_2d.Sprite = MakeSprite(8, 8);
  m.Anim_2d.FSizeX = big;
  m.ModeAnchorX = big;
  m.EditMode = mode::kAnimRotate;
  Drag(-100, 0);
  EXPECT_GE(m.Anim_2d.Rota, 0.0f);
  EXPECT_LT(m.Anim_2d.Rota, 360.0f);
}

}  // namespace
