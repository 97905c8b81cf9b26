// Window events: close requests, right clicks, gadget routes, numeric fields and the
// display order rebuilt from the options window's layer list.
#include "app/DisplayOrderRebuild.h"
#include "app/Dispatch.h"
#include "app/commands/GadgetRouting.h"
#include "tests/CommandsTestSupport.h"

using namespace quellor;
using namespace quellor::test;

namespace {

using WindowEvents = CommandsTest;

TEST_F(WindowEvents, OnlyTheMainWindowQuits) {
  for (WindowId w : {WindowId::TextEditor, WindowId::About, WindowId::Options, WindowId::Resolution}) {
    host.Open.insert(w);
    HandleCloseRequest(ctx, w);
    EXPECT_FALSE(ctx.QuitRequested);
    EXPECT_FALSE(host.WindowOpen(w));
  }
  HandleCloseRequest(ctx, WindowId::Main);
  EXPECT_TRUE(ctx.QuitRequested);
}

TEST_F(WindowEvents, RightClickShowsTheEditorMenuOnlyWhileItIsOpen) {
  HandleRightClick(ctx);
  EXPECT_EQ(host.ContextMenus, 0);
  host.Open.insert(WindowId::TextEditor);
  HandleRightClick(ctx);
  EXPECT_EQ(host.ContextMenus, 1);
}

TEST_F(WindowEvents, ClosingOptionsRebuildsTheOrderFirstRowLast) {
  m.Logo.Sprite = MakeSprite(4, 4);
  m.GFX.Sprite[1] = MakeSprite(4, 4);
  m.Font1.Image = 99;
  m.DisplayOrder = {"GFX1", "Logo"};
  host.Open.insert(WindowId::Options);
  host.OptionsWin.Rows = {{"Logo", "3d Layer"}, {"GFX1", "2d Layer"}, {"Font 1", "Both Layer"}};
  HandleCloseRequest(ctx, WindowId::Options);
  EXPECT_EQ(m.DisplayOrder, (std::vector<std::string>{"Font1", "GFX1", "Logo"}));
  EXPECT_EQ(m.Logo.Layer, 2);
  EXPECT_EQ(m.Fonts.F1Layer, 1);
  EXPECT_FALSE(host.WindowOpen(WindowId::Options));

  // A window that hands over no rows keeps the order.
  host.Open.insert(WindowId::Options);
  host.OptionsWin.Rows.clear();
  HandleCloseRequest(ctx, WindowId::Options);
  EXPECT_EQ(m.DisplayOrder.size(), 3u);
}

TEST(DisplayOrderRebuild, LayersNamesAndUnloadedElements) {
  IntroModel m;
  m.TrainerBar.Sprite = 1;
  m.Sign.Sprite = 2;
  m.Anim_BOB.Sprite = 3;
  m.Anim_2d.Sprite = 4;
  m.Font2.Chars[0].Sprite = 5;
  m.Border.Texture = 6;
  m.GFX.Sprite[5] = 7;
  m.GFX.Layer[2] = 1;
  m.DisplayOrder = {"Logo"};
  std::vector<LayerListRow> rows = {
      {"TrainerBar", "3d Layer"}, {"Sign", "Both Layer"}, {"Bob_Anim", "3d Layer"},
      {"Anim", "Both Layer"},     {"Logo", "3d Layer"},   {"Font 2", "3d Layer"},
      {"Border", "Both Layer"},   {"GFX5", "3d Layer"},   {"GFX2", "3d Layer"},
      {"Scroller", "3d Layer"},   {"GFX6", "3d Layer"}};
  RebuildDisplayOrder(m, rows);
  // Logo and GFX2 are not loaded: their names go, their layers still follow the list.
  EXPECT_EQ(m.DisplayOrder, (std::vector<std::string>{"GFX5", "Border", "Font2", "Anim", "Bob_Anim",
                                                      "Sign", "TrainerBar"}));
  EXPECT_EQ(m.TrainerBar.TB_Layer, 2);
  EXPECT_EQ(m.Sign.Layer, 1);
  EXPECT_EQ(m.Anim_BOB.Layer, 2);
  EXPECT_EQ(m.Anim_2d.Layer, 1);
  EXPECT_EQ(m.Logo.Layer, 2);
  EXPECT_EQ(m.Fonts.F2Layer, 2);
  EXPECT_EQ(m.Border.Layer, 1);
  EXPECT_EQ(m.GFX.Layer[5], 2);
  EXPECT_EQ(m.GFX.Layer[2], 2);

  // A row listed twice appears once; an unknown layer text leaves the layer.
  RebuildDisplayOrder(m, {{"Sign", "2d Layer"}, {"Sign", "odd"}});
  EXPECT_EQ(m.DisplayOrder, std::vector<std::string>{"Sign"});
  EXPECT_EQ(m.Sign.Layer, 0);
}

TEST(DisplayOrderRebuild, LayerTexts) {
  EXPECT_EQ(LayerFromText("2d Layer"), 0);
  EXPECT_EQ(LayerFromText("Both Layer"), 1);
  EXPECT_EQ(LayerFromText("3d Layer"), 2);
  EXPECT_EQ(LayerFromText("3D Layer"), -1);
}

TEST(GadgetRoutes, RangesAndTheEmptyOptionsTable) {
  EXPECT_EQ(FindGadgetRoute(OptionsGadgetRoutes(), 1), nullptr);
  int hit = 0;
  std::vector<GadgetRoute> routes = {{10, 19, [&](AppContext&, int g) { hit = g; }},
                                     {20, 20, nullptr}};
  EXPECT_EQ(FindGadgetRoute(routes, 9), nullptr);
  ASSERT_NE(FindGadgetRoute(routes, 19), nullptr);
  EXPECT_EQ(FindGadgetRoute(routes, 19)->First, 10);
  EXPECT_EQ(FindGadgetRoute(routes, 20), nullptr);  // a route without a handler is no route
}

TEST(NumericFields, IntegerAndDecimalFilters) {
  int caret = 4;
  EXPECT_EQ(FilterNumericText("-1a2", false, caret), "-12");
  EXPECT_EQ(caret, 3);
  caret = 3;
  EXPECT_EQ(FilterNumericText("1-2", false, caret), "12");  // minus only in front
  EXPECT_EQ(caret, 2);
  caret = 0;
  EXPECT_EQ(FilterNumericText("1.5", false, caret), "15");
  EXPECT_EQ(caret, 0);
  caret = 5;
  EXPECT_EQ(FilterNumericText("-1.5.", true, caret), "-1.5");  // second point dropped
  EXPECT_EQ(caret, 4);
  caret = 2;
  EXPECT_EQ(FilterNumericText("1..5", true, caret), "1.5");
  EXPECT_EQ(caret, 2);
  caret = 99;
  EXPECT_EQ(FilterNumericText("x", true, caret), "");
  EXPECT_EQ(caret, 0);
}

}  // namespace
