// The intro options window without a display: typing filters, what a control writes,
// the refresh contents, the generated lists and the refresh after model changes.
#include "app/Dispatch.h"
#include "app/MenuIds.h"
#include "app/dialogs/OptionsState.h"
#include "app/dialogs/OptionsWindow.h"
#include "engine/image/ImageCodec.h"
#include "project/Ini.h"
#include "project/Loaders.h"
#include "project/NewIntro.h"
#include "project/ProjectFields.h"
#include "tests/DialogTestSupport.h"

using namespace quellor;
using namespace quellor::options;
using namespace quellor::test;

namespace {

// The user types `keys` one after the other at the caret of an empty field.
std::string Type(Input in, const std::string& keys) {
  std::string text;
  int caret = 0;
  for (char k : keys) {
    text.insert(static_cast<size_t>(caret), 1, k);
    ++caret;
    text = FilterFieldText(in, text, caret);
  }
  return text;
}

TEST(OptionFields, TypingKeepsWhatEachKindAllows) {
  EXPECT_EQ(Type(Input::Signed, "12a-3"), "123");
  EXPECT_EQ(Type(Input::Decimal, "-1.2.3"), "-1.23");
  EXPECT_EQ(Type(Input::Signed, "-5"), "-5");
  EXPECT_EQ(Type(Input::Digits, "-5x6"), "56");
  EXPECT_EQ(Type(Input::Text, "a-b"), "a-b");
  // A character dropped before the caret moves it back, so typing goes on in place.
  int caret = 3;
  EXPECT_EQ(FilterFieldText(Input::Digits, "1-2", caret), "12");
  EXPECT_EQ(caret, 2);
}

using OptionsWindowTest = DialogTest;

TEST_F(OptionsWindowTest, TypedTextsReachTheirFields) {
  ASSERT_TRUE(ApplyOption(ctx, Id("OverPX"), Type(Input::Signed, "12a-3")));
  EXPECT_EQ(m.OverPX, 123);
  ASSERT_TRUE(ApplyOption(ctx, Id("3dObject.LightX"), Type(Input::Decimal, "-1.2.3")));
  EXPECT_FLOAT_EQ(m.Obj3d.LightX, -1.23f);
  ASSERT_TRUE(ApplyOption(ctx, Id("Pager.Time"), ""));  // an empty text is 0
  EXPECT_EQ(m.Pager.Time, 0);
  ASSERT_TRUE(ApplyOption(ctx, Id("IntroName"), "A name far longer than twenty letters"));
  EXPECT_EQ(m.IntroName, "A name far longer th");
  EXPECT_EQ(m.ExportName, m.IntroName);
}

TEST_F(OptionsWindowTest, BlendCombosStoreIndexPlusOneAndReapplyAtOnce) {
  m.Logo.Sprite = MakeSprite(8, 8);
  m.GFX.Sprite[3] = MakeSprite(8, 8);
  const int src = Id("Logo.SRC");
  const auto& items = FindControl(src)->Choices;
  const int srcAlpha = static_cast<int>(std::find(items.begin(), items.end(), "SRC Alpha") - items.begin());
  const int zero = static_cast<int>(std::find(items.begin(), items.end(), "Zero") - items.begin());
  ASSERT_TRUE(ApplyOption(ctx, src, std::to_string(zero)));
  EXPECT_EQ(m.Logo.SRC, 1);
  ASSERT_TRUE(ApplyOption(ctx, src, std::to_string(srcAlpha)));
  EXPECT_EQ(m.Logo.SRC, 5);
  ASSERT_FALSE(e.Blends.empty());
  EXPECT_EQ(e.Blends.back().Sprite, m.Logo.Sprite);
  EXPECT_EQ(e.Blends.back().Src, 5);

  ASSERT_TRUE(ApplyOption(ctx, Id("GFX#3.Dest"), "0"));
  EXPECT_EQ(m.GFX.Dest[3], 1);
  EXPECT_EQ(e.Blends.back().Sprite, m.GFX.Sprite[3]);
  EXPECT_EQ(e.Blends.back().Dest, 1);
  // Something that is not an item is refused and changes nothing.
  EXPECT_FALSE(ApplyOption(ctx, src, "15"));
  EXPECT_EQ(m.Logo.SRC, 5);
}

TEST_F(OptionsWindowTest, AlsoEffectsReachTheEngine) {
  m.GFX.Sprite[2] = MakeSprite(8, 8);
  ASSERT_TRUE(ApplyOption(ctx, Id("GFX#2.Rota"), "45"));
  ASSERT_FALSE(e.Rotations.empty());
  EXPECT_EQ(e.Rotations.back(), (std::pair<Handle, float>{m.GFX.Sprite[2], 45.0f}));
  ApplyOption(ctx, Id("3dObject.LightY"), "7.5");
  EXPECT_FLOAT_EQ(e.Light[1], 7.5f);
  m.Obj3d.Entity = 77;  // the switch only needs an object to exist
  ApplyOption(ctx, Id("3dObject.Shadow"), "1");
  ASSERT_EQ(e.Shadows.size(), 1u);
  EXPECT_TRUE(e.Shadows.back());
  ApplyOption(ctx, Id("3dObject.PosZ"), "25");
  EXPECT_FLOAT_EQ(m.Obj3d.WorkPos[2], 25.0f);
  // Two active rasters are counted.
  ApplyOption(ctx, Id("Colorizer.Ras1_enb"), "1");
  ApplyOption(ctx, Id("Colorizer.Ras3_enb"), "1");
  EXPECT_FLOAT_EQ(m.Raster.enb[3], 1.0f);
  EXPECT_EQ(m.Raster.RasterCount, 2);
  // A larger swing size rebuilds the scroller's sine table at once.
  float before = m.Scroller[0].SineTable[90];
  ApplyOption(ctx, Id("Scroller1.SinSiz"), std::to_string(m.Scroller[0].SinSiz * 2));
  EXPECT_NE(m.Scroller[0].SineTable[90], before);
}

TEST_F(OptionsWindowTest, ConversionsOfChecksRadiosTracksAndDirection) {
  ApplyOption(ctx, Id("Packer=0"), "1");
  EXPECT_EQ(m.Packer, 0);  // "Uncompressed": no packer runs
  ApplyOption(ctx, Id("WinType=2"), "1");
  EXPECT_EQ(m.WinType, 2);
  EXPECT_FALSE(ApplyOption(ctx, Id("WinType=1"), "0"));  // switched off: stores nothing
  EXPECT_EQ(m.WinType, 2);
  ApplyOption(ctx, Id("VertexShader.Var2"), "37");
  EXPECT_FLOAT_EQ(m.VertexShader.Var2, 0.37f);
  ApplyOption(ctx, Id("Anim_BOB.Dir"), "1");
  EXPECT_EQ(m.Anim_BOB.Dir, -1);
  ApplyOption(ctx, Id("Anim_BOB.Dir"), "0");
  EXPECT_EQ(m.Anim_BOB.Dir, 1);
  uint32_t red = 0x00FF8000;
  host.Colours.push_back(red);
  PressOption(ctx, Id("raster.swatch2"));
  EXPECT_NEAR(m.Raster.rgb[2][0], 1.0f, 1e-4);
  EXPECT_NEAR(m.Raster.rgb[2][1], 128 * 0.00392157f, 1e-4);
  EXPECT_FLOAT_EQ(m.Raster.rgb[2][2], 0.0f);
}

TEST_F(OptionsWindowTest, EveryValueControlIsBoundToTheModel) {
  OptionsState s = ReadOptions(m, e);
  for (const Control& c : Controls()) {
    if (!HoldsValue(c.Type) || c.Name == kLayerEdit) continue;
    EXPECT_TRUE(s.Values.count(c.Id)) << c.Name << " shows nothing";
  }
  // Each field written through the window reads back the same through the file's key table.
  int checked = 0;
  for (const Control& c : Controls()) {
    if (c.Type != Kind::Edit || c.Key.empty() || c.Filter == Input::Text) continue;
    InitModel(m);
    ASSERT_TRUE(ApplyOption(ctx, c.Id, "42")) << c.Name;
    std::string field;
    ASSERT_TRUE(GetFieldByName(m, c.Key, field)) << c.Name;
    EXPECT_EQ(ParseLong(field), 42) << c.Name;
    ++checked;
  }
  EXPECT_GT(checked, 80);
}

TEST_F(OptionsWindowTest, TabsAndTheirFirstControlsInOrder) {
  std::vector<std::string> seen;
  for (const Control& c : Controls())
    if (seen.empty() || seen.back() != kTabNames[static_cast<size_t>(c.Tab)]) seen.push_back(kTabNames[c.Tab]);
  EXPECT_EQ(seen, (std::vector<std::string>{"Intro", "Logo + 2d Anim", "Fonts", "3d Layer", "2d Layer", "Scroller",
                                            "Border + Background", "Pager + Trainer", "Bob Anim"}));
  // The Sign row of the activation times has no fade box; no row edits entries 9 and 15.
  EXPECT_EQ(GadgetId("Startup_Timer.SF_8"), 0);
  EXPECT_EQ(GadgetId("Startup_Timer.ST_9"), 0);
  EXPECT_EQ(GadgetId("Startup_Timer.ST_15"), 0);
  EXPECT_NE(GadgetId("Startup_Timer.ST_7"), 0);
  int combos = 0;
  for (const Control& c : Controls())
    if (c.How == Conv::Blend) {
      ++combos;
      EXPECT_EQ(c.Choices.size(), 15u) << c.Name;
    }
  EXPECT_EQ(combos, 2 * (1 + 1 + 1 + 1 + 2 + 1 + 1 + 5));  // logo, anim, sign, bob, fonts, border, bar, GFX
}

TEST_F(OptionsWindowTest, RefreshShowsTheModel) {
  m.OverPX = -17;
  m.Logo.Dest = 2;
  m.WinType = 0;
  m.Raster.enb[2] = 1.0f;
  m.Raster.rgb[1] = {1.0f, 0.0f, 128 * 0.00392157f, 0};
  m.VertexShader.Var3 = 0.25f;
  m.Anim_2d.Dir = -1;
  m.Scroller[1].SSinAdd = 2.5f;
  m.Music.Player = 1000;
  m.Music.Type = 1;
  m.OverW = 64, m.OverH = 32;
  m.Packer = 3;
  m.PackerFileSize = {-1, -1, 1234, -1};
  OptionsState s = ReadOptions(m, e);
  EXPECT_EQ(s.Values[Id("OverPX")], "-17");
  EXPECT_EQ(s.Values[Id("Logo.Dest")], "1");
  EXPECT_EQ(s.Values[Id("WinType=0")], "1");
  EXPECT_EQ(s.Values[Id("WinType=1")], "0");
  EXPECT_EQ(s.Values[Id("Colorizer.Ras2_enb")], "1");
  EXPECT_EQ(s.Values[Id("Colorizer.Ras1_enb")], "0");
  EXPECT_EQ(s.Values[Id("raster.swatch1")], "255,0,128");
  EXPECT_EQ(s.Values[Id("VertexShader.Var3")], "25");
  EXPECT_EQ(s.Values[Id("Anim_2d.Dir")], "1");
  EXPECT_EQ(s.Values[Id("Scroller2.SSinAdd")], "2.5");
  EXPECT_EQ(s.Values[Id("intro.musictype")], "Tiny Sid");
  EXPECT_EQ(s.Values[Id("intro.overlaysize")], "64 x 32");
  EXPECT_EQ(s.Values[Id("Packer=3")], "1");
  EXPECT_FALSE(s.Enabled[Id("Packer=1")]);  // UPX is not there
  EXPECT_TRUE(s.Enabled[Id("Packer=2")]);
  m.Music.Player = 0;
  EXPECT_EQ(ReadOptions(m, e).Values[Id("intro.musictype")], "No music loaded");
}

TEST_F(OptionsWindowTest, DisplayManagerListsKnownNamesWithTheirLayers) {
  m.DisplayOrder = {"Logo", "Scroller", "GFX2", "Font1"};
  m.Logo.Layer = 2;
  m.GFX.Layer[2] = 1;
  std::vector<LayerListRow> rows = ReadOptions(m, e).Layers;
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].Name, "Logo");
  EXPECT_EQ(rows[0].Layer, "3d Layer");
  EXPECT_EQ(rows[1].Name, "GFX2");
  EXPECT_EQ(rows[1].Layer, "Both Layer");
  EXPECT_EQ(rows[2].Name, "Font 1");
  EXPECT_EQ(rows[2].Layer, "2d Layer");

  // Up, a layer choice and Apply reorder and relayer the intro (top row ends up in front).
  m.Logo.Sprite = MakeSprite(4, 4);
  m.GFX.Sprite[2] = MakeSprite(4, 4);
  m.Font1.Image = MakeSprite(4, 4);
  OpenOptionsWindow(ctx);
  host.OptionsWin.Selected = 1;
  PressOption(ctx, Id("display.up"));
  EXPECT_EQ(host.OptionsWin.Rows[0].Name, "GFX2");
  EXPECT_EQ(host.OptionsWin.Selected, 0);
  ApplyOption(ctx, Id(kLayerEdit), "1");  // "3d Layer"
  PressOption(ctx, Id("display.apply"));
  EXPECT_EQ(m.DisplayOrder, (std::vector<std::string>{"Font1", "Logo", "GFX2"}));
  EXPECT_EQ(m.GFX.Layer[2], 2);
}

TEST_F(OptionsWindowTest, FontPresetsAndTheUserDefinedGrid) {
  OptionsState s = ReadOptions(m, e);
  EXPECT_EQ(s.FontPresets, kFontPresetNames);
  EXPECT_EQ(s.FontPreset, 2);

  m.FontGrid[1] = {24, 24, 12, 5};
  OpenOptionsWindow(ctx);
  const OptionsState& shown = host.OptionsWin.Last;
  ASSERT_EQ(shown.FontPresets.size(), 6u);
  EXPECT_EQ(shown.FontPresets[5], "24 * 24 pixel - User defined");
  EXPECT_EQ(shown.Values.at(Id(kPresetCombo)), "5");
  EXPECT_EQ(m.PendingGrid.X, 24);  // the next font load uses this grid
  EXPECT_EQ(m.PendingGrid.CL, 12);
  EXPECT_EQ(shown.Values.at(Id(std::string(kGridFieldPrefix) + "0")), "24");

  // Choosing "16 * 16 pixel" fills the grid fields.
  ApplyOption(ctx, Id(kPresetCombo), "3");
  EXPECT_EQ(m.PendingGrid.X, 16);
  EXPECT_EQ(m.PendingGrid.Y, 16);
  SyncOptionsWindow(ctx);
  EXPECT_EQ(host.OptionsWin.Values[Id(std::string(kGridFieldPrefix) + "1")], "24")
      << "a refresh takes the user-defined grid again";
}

TEST_F(OptionsWindowTest, AnimationInformationTexts) {
  AnimFields a;
  a.Sprite = 7;
  a.Frames = 3;
  EXPECT_EQ(AnimationInfoText(a, 128, 64, 32, 32),
            "Anim values  hndl:7\rAnim source Size: \rX: 128    -    Y:64\rFrames: \rUsed:3    -    Possible:8\r");
  m.Anim_BOB.Sprite = e.CreateSprite(e.TextureFromImage(Image{96, 32, std::vector<uint8_t>(96 * 32 * 4)}));
  m.Anim_BOB.FSizeX = 0;  // taken as 1
  m.Anim_BOB.FSizeY = 16;
  m.Anim_BOB.Frames = 2;
  std::string info = ReadOptions(m, e).Values[Id("bob.info")];
  EXPECT_NE(info.find("X: 96    -    Y:32\r"), std::string::npos) << info;
  EXPECT_NE(info.find("Possible:192\r"), std::string::npos) << info;
}

TEST_F(OptionsWindowTest, MovementPresetsRelabelAndRegenerateClones) {
  m.Anim_BOB.Sprite = MakeSprite(8, 8);
  m.AnimClone.Active = 1;
  m.AnimClone.Count = 10;
  OpenOptionsWindow(ctx);
  EXPECT_EQ(host.OptionsWin.Captions[Id(kBobFrame)], "Bob Modifications [2d Starfield]");
  EXPECT_FALSE(host.OptionsWin.Enabled[Id("AnimClone.Int1")]);
  const int shows = host.OptionsWin.Shows;
  ApplyOption(ctx, Id("AnimClone.MovPS"), "2");
  EXPECT_EQ(m.AnimClone.MovPS, 2);
  EXPECT_EQ(m.AnimClone.Clones.size(), 11u);
  EXPECT_FLOAT_EQ(m.AnimClone.YAdd, 3.0f);
  SyncOptionsWindow(ctx);
  EXPECT_EQ(host.OptionsWin.Shows, shows + 1);
  EXPECT_EQ(host.OptionsWin.Captions[Id(kBobFrame)], "Bob Modifications [2d Snowflakes]");
  EXPECT_EQ(host.OptionsWin.Captions[Id("AnimClone.Int2")], "Y Sinus");
  EXPECT_TRUE(host.OptionsWin.Enabled[Id("AnimClone.Int1")]);
  EXPECT_EQ(host.OptionsWin.Values[Id("AnimClone.YAdd")], "3");
  EXPECT_EQ(host.OptionsWin.Last.Values.count(Id("AnimClone.MovPS")), 0u) << "the edited combo is left alone";
}

TEST_F(OptionsWindowTest, RefreshFollowsTheRevisionButNotOwnEdits) {
  host.Open.erase(WindowId::Options);
  MarkChanged(m);
  SyncOptionsWindow(ctx);
  EXPECT_EQ(host.OptionsWin.Shows, 0);  // closed: nothing to do

  DispatchMenu(ctx, menu::kExtraIntroSetup);
  EXPECT_EQ(host.OptionsOpened, 1);
  EXPECT_EQ(host.OptionsWin.Shows, 1);

  // Typing in a field changes the model but does not rewrite the window.
  host.OptionsWin.Values[Id("Pager.Time")] = "7000";
  DispatchGadget(ctx, WindowId::Options, Id("Pager.Time"));
  EXPECT_EQ(m.Pager.Time, 7000);
  SyncOptionsWindow(ctx);
  EXPECT_EQ(host.OptionsWin.Shows, 1);

  // A New Intro and a loader change the model behind the window's back: it follows.
  ClearIntro(m, e);
  SyncOptionsWindow(ctx);
  EXPECT_EQ(host.OptionsWin.Shows, 2);
  EXPECT_EQ(host.OptionsWin.Values[Id("Pager.Time")], "5000");
  const std::filesystem::path dir = ScratchDir("options_refresh");
  Image img{4, 4, std::vector<uint8_t>(64, 255)};
  ASSERT_TRUE(WritePngFile((dir / "sign.png").string(), img));
  LoadSign(m, e, (dir / "sign.png").string());
  SyncOptionsWindow(ctx);
  EXPECT_EQ(host.OptionsWin.Shows, 3);
  ASSERT_EQ(host.OptionsWin.Rows.size(), 1u);
  EXPECT_EQ(host.OptionsWin.Rows[0].Name, "Sign");
}

}  // namespace
