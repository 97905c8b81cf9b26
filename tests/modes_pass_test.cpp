// A placement pass: title, button order, leaving the mode, help texts and help image.
#include "app/Dispatch.h"
#include "app/MenuIds.h"
#include "app/HeadlessHost.h"
#include "render/Frame.h"
#include "tests/AllocationCounter.h"
#include "tests/CommandsTestSupport.h"

using namespace quellor;
using namespace quellor::test;

namespace {

class ModePass : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    m.Logo.Sprite = MakeSprite(200, 100);
    m.Logo.SizeX = m.Logo.SizeY = 100;
  }
  const RecordedText* TextAt(int x, int y) {
    for (const RecordedText& t : e.Texts)
      if (t.X == x && t.Y == y) return &t;
    return nullptr;
  }
  // Draws what the pass queued.
  void Render() {
    e.Clear();
    e.RenderWorld();
    e.FlushText();
  }
};

TEST_F(ModePass, TitleIsSetEveryPassAndRestoredOnTheLeftButton) {
  DispatchMenu(ctx, menu::kLogoPosition);
  Pass(false);
  Pass(false);
  ASSERT_EQ(host.Titles.size(), 2u);
  EXPECT_EQ(host.Titles[1], "Quellor - Logo Move Mode - RMB to Move Logo   //   LMB to leave Mode");
  Pass(false, true);
  EXPECT_EQ(m.EditMode, 0);
  EXPECT_EQ(host.Title(), "Quellor v0.67 - New Intro.ini");
  Pass(false);  // nothing happens once the mode is over
  EXPECT_EQ(host.Titles.size(), 4u);  // the ending pass set both titles
}

TEST_F(ModePass, RightButtonOnlyChangesValuesWhileHeld) {
  DispatchMenu(ctx, menu::kLogoPosition);
  Mouse(400, 300);
  Pass(false);
  EXPECT_EQ(m.Logo.PosX, 0);
  Pass(true);
  EXPECT_EQ(m.Logo.PosX, 300);
  Mouse(10, 10);
  Pass(false);
  EXPECT_EQ(m.Logo.PosX, 300);  // values stay when the button is let go
}

TEST_F(ModePass, BothButtonsApplyTheRuleThenEndTheMode) {
  DispatchMenu(ctx, menu::kLogoPosition);
  Mouse(400, 300);
  Pass(true, true);
  EXPECT_EQ(m.Logo.PosX, 300);
  EXPECT_EQ(m.Logo.PosY, 250);
  EXPECT_EQ(m.EditMode, 0);
}

TEST_F(ModePass, GfxModeTitleNamesTheSlotAndEndingClearsIt) {
  m.GFX.Sprite[4] = MakeSprite(10, 10);
  DispatchMenu(ctx, menu::GfxItem(4, menu::kGfxRotate));
  Pass(false);
  EXPECT_EQ(host.Title(), "Quellor - GFX#4 Rotate Mode - RMB to rotate the anim  //   LMB to leave Mode");
  DispatchMenu(ctx, menu::GfxItem(4, menu::kGfxPosition));
  Pass(false);
  EXPECT_EQ(host.Title(), "Quellor - GFX#4 Move Mode - RMB To Move Logo   //   LMB To leave Mode");
  Pass(false, true);
  EXPECT_EQ(m.ModeGfxIndex, 0);
  EXPECT_EQ(m.EditMode, 0);
}

TEST_F(ModePass, HelpTextsAndValueLabels) {
  DispatchMenu(ctx, menu::kLogoPosition);
  Mouse(400, 300);
  Pass(true);
  Render();
  ASSERT_NE(TextAt(0, 1), nullptr);
  EXPECT_EQ(TextAt(0, 1)->Text, "Right Mouse Button to change the position");
  EXPECT_EQ(TextAt(0, 20)->Text, "Left Mouse Button to set new value");
  EXPECT_EQ(TextAt(0, 40)->Text, "X Position:300");
  EXPECT_EQ(TextAt(130, 40)->Text, "Y Position:250");

  DispatchMenu(ctx, menu::kLogoSize);
  Pass(false);
  Render();
  EXPECT_EQ(TextAt(0, 1)->Text, "Right Mouse Button to change the size");
  EXPECT_EQ(TextAt(0, 20)->Text, "Left Mouse Button to set new Values");
  EXPECT_EQ(TextAt(0, 40)->Text, "X Size:100");  // displayed half-size
  EXPECT_EQ(TextAt(120, 40)->Text, "Y Size:50");
}

TEST_F(ModePass, ObjectModesPrintTwoDecimals) {
  m.Obj3d.Entity = 5;
  DispatchMenu(ctx, menu::kObjPosition);
  Mouse(480, 260);
  Pass(true);
  Render();
  EXPECT_EQ(TextAt(0, 1)->Text, "Right Mouse Button to move the object");
  EXPECT_EQ(TextAt(0, 20)->Text, "Left Mouse Button to set new Values");
  EXPECT_EQ(TextAt(0, 40)->Text, "X Position:1.00");
  EXPECT_EQ(TextAt(150, 40)->Text, "Y Position:0.50");
  EXPECT_EQ(TextAt(300, 40)->Text, "Z Position:10.00");

  e.Size[0] = 1.5f;
  e.Size[1] = 2.25f;
  e.Size[2] = 3;
  DispatchMenu(ctx, menu::kObjResize);
  Pass(false);
  Render();
  EXPECT_EQ(TextAt(0, 40)->Text, "X Size:1.50");
  EXPECT_EQ(TextAt(120, 40)->Text, "Y Size:2.25");
  EXPECT_EQ(TextAt(240, 40)->Text, "Z Size:3.00");
}

TEST_F(ModePass, RotateModeHelpAndSingleLabel) {
  m.Anim_2d.Sprite = MakeSprite(32, 32);
  DispatchMenu(ctx, menu::AnimItem(1, menu::kAnimRotate));
  Mouse(0, 0);
  Pass(true);
  Render();
  EXPECT_EQ(TextAt(0, 1)->Text, "Right Mouse Button to rotate");
  EXPECT_EQ(TextAt(0, 40)->Text, "Degree:32");
  EXPECT_EQ(TextAt(130, 40), nullptr);
}

TEST_F(ModePass, HelpImageCentredWithOpacity175) {
  m.HelpImages = {MakeSprite(256, 256), MakeSprite(256, 256), MakeSprite(256, 256)};
  m.Scroller[0].Active = 1;
  Handle onTop = MakeSprite(8, 8);  // created later, so below the image only once it moved
  e.DisplaySprite(onTop, 0, 0, 255);

  DispatchMenu(ctx, menu::ScrollerItem(1, menu::kScrollerPosition));  // help image 3
  Pass(false);
  e.Clear();
  e.RenderWorld();
  ASSERT_EQ(e.Drawn.size(), 2u);
  EXPECT_EQ(e.Drawn[1].Sprite, m.HelpImages[2]);  // drawn last, on top
  EXPECT_EQ(e.Drawn[1].X, 272);
  EXPECT_EQ(e.Drawn[1].Y, 172);
  EXPECT_EQ(e.Drawn[1].Alpha, 175);

  m.Obj3d.Entity = 9;
  DispatchMenu(ctx, menu::kObjResize);  // help image 1
  Pass(false);
  e.Clear();
  e.RenderWorld();
  ASSERT_EQ(e.Drawn.size(), 1u);
  EXPECT_EQ(e.Drawn[0].Sprite, m.HelpImages[0]);
}

TEST_F(ModePass, MissingHelpImagesDrawNothing) {
  DispatchMenu(ctx, menu::kLogoPosition);
  Pass(false);
  e.Clear();
  e.RenderWorld();
  EXPECT_TRUE(e.Drawn.empty());
}

TEST_F(ModePass, HookFollowsEditModeAndRunsInTheFrame) {
  EXPECT_EQ(ActivePlacement(ctx), nullptr);
  m.EditMode = 13;  // unused number
  EXPECT_EQ(ActivePlacement(ctx), nullptr);
  DispatchMenu(ctx, menu::kLogoPosition);
  PlacementHook* hook = ActivePlacement(ctx);
  ASSERT_NE(hook, nullptr);
  Mouse(400, 300);
  e.SetMouseButton(kMouseRight, true);
  DrawFrame(m, e, hook);
  EXPECT_EQ(m.Logo.PosX, 300);
  EXPECT_EQ(host.Title(), "Quellor - Logo Move Mode - RMB to Move Logo   //   LMB to leave Mode");
}

TEST_F(ModePass, MenuCommandEndsTheModeBeforeItRuns) {
  DispatchMenu(ctx, menu::kLogoPosition);
  Pass(false);
  // What the loop does before any menu command.
  m.EditMode = 0;
  host.SetTitle(NormalTitle(m));
  DispatchMenu(ctx, menu::ScrollerItem(1, menu::kScrollerEffect + 3));
  EXPECT_EQ(ActivePlacement(ctx), nullptr);
  Mouse(400, 300);
  e.SetMouseButton(kMouseRight, true);
  DrawFrame(m, e, ActivePlacement(ctx));
  EXPECT_EQ(m.Logo.PosX, 0);
  EXPECT_EQ(host.Title(), "Quellor v0.67 - New Intro.ini");

  // A command that enters a mode replaces the one before.
  m.Sign.Sprite = MakeSprite(4, 4);
  DispatchMenu(ctx, menu::kLogoSize);
  DispatchMenu(ctx, menu::kSignPosition);
  EXPECT_EQ(m.EditMode, 20);
}

TEST_F(ModePass, LeavingATextModeRestartsOnlyActiveScrollersAtTheirSpeed) {
  m.Pager.Active = 1;
  m.Scroller[0].Active = 1;
  m.Scroller[1].Active = 0;
  m.ScrollRun[0].TextPos = 7;
  m.ScrollRun[0].Speed = 6;  // set by a speed code in the text
  m.ScrollRun[1].TextPos = 9;
  DispatchMenu(ctx, menu::kPagerPosition);
  Pass(false, true);
  ASSERT_EQ(m.EditMode, 0);
  EXPECT_EQ(m.ScrollRun[0].TextPos, 1);
  EXPECT_EQ(m.ScrollRun[0].Speed, 6);
  EXPECT_EQ(m.ScrollRun[1].TextPos, 9);  // an inactive scroller is left where it was

  // Modes of other elements leave the running texts alone.
  m.ScrollRun[0].TextPos = 5;
  DispatchMenu(ctx, menu::kLogoPosition);
  Pass(false, true);
  EXPECT_EQ(m.ScrollRun[0].TextPos, 5);
}

// The overlay runs in every frame while a mode is on: once its first passes have sized
// the engine's text slots, a pass allocates nothing, title and labels included.
TEST_F(ModePass, RepeatedPassesDoNotAllocate) {
  HeadlessHost quiet;  // a real host: it keeps an unchanged title without copying it
  for (int i = 1; i <= 5; ++i) m.GFX.Sprite[i] = MakeSprite(32, 32);
  m.Anim_2d.Sprite = MakeSprite(16, 16);
  m.Anim_BOB.Sprite = MakeSprite(16, 16);
  m.Obj3d.Entity = 7;
  m.ModeGfxIndex = 3;
  m.Trainer.Lines.assign(2 * m.Trainer.YLins, "OPTION");
  e.SetMouseButton(kMouseRight, true);
  for (int n = 1; n <= 27; ++n) {
    if (!IsPlacementMode(n)) continue;
    SCOPED_TRACE(n);
    m.EditMode = n;
    long during = 0;
    for (int pass = 0; pass < 4; ++pass) {
      Mouse(100 + 37 * pass, 80 + 11 * pass);  // new values, new label texts
      const long before = quellor::testing::HeapAllocations();
      RunPlacementPass(m, e, quiet);
      if (pass >= 2) during += quellor::testing::HeapAllocations() - before;
      e.ClearTexts();
    }
    EXPECT_EQ(during, 0);
    PlacementTitleBuffer title;
    EXPECT_EQ(quiet.Title(), std::string(PlacementTitle(m, n, title)));
  }
}
}  // namespace
