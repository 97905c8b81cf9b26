// Menu commands: dialogs, removals, toggles, effects and the guards of the mode commands.
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "app/AssetDialog.h"
#include "app/Dispatch.h"
#include "app/MenuIds.h"
#include "engine/image/ImageCodec.h"
#include "tests/CommandsTestSupport.h"

using namespace quellor;
using namespace quellor::test;

namespace {

using DispatchCommands = CommandsTest;

const std::string kImages =
    "All possible |*.png;*.bmp;*.jpg|Portable Network Graphics (*.png)|*.png|Bitmap (*.bmp)|*.bmp|"
    "Joint Photographic Experts Group (*.jpg)|*.jpg|all Files (*.*)|*.*";

TEST_F(DispatchCommands, LoadCommandsOpenTheirDialogs) {
  struct Case {
    int Item;
    const char* Title;
    const char* Folder;
  };
  const Case cases[] = {
      {menu::kLogoLoad, "Choose a Logo", "/base/Data/Logo/"},
      {menu::kSignLoad, "Choose a Sign GFX", "/base/Data/Logo/"},
      {menu::kBackgroundLoad, "Bitte ein Logo auswählen", "/base/Data/Textures/"},
      {menu::kFontLoad1, "Bitte ein Logo auswählen", "/base/Data/Fonts/"},
      {menu::kFontLoad2, "Bitte ein Logo auswählen", "/base/Data/Fonts/"},
      {menu::GfxItem(1, menu::kGfxLoad), "Choose a GFX File", "/base/Data/Bobs/"},
      {menu::GfxItem(5, menu::kGfxLoad), "Choose a GFX File", "/base/Data/Bobs/"},
      {menu::AnimItem(1, menu::kAnimLoad), "Choose a Anim", "/base/Data/Anim/"},
      {menu::AnimItem(2, menu::kAnimLoad), "Choose a Anim", "/base/Data/Anim/"},
      {menu::kBorderLoad, "Choose a Border GFX", "/base/Data/Border/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Title);
    size_t before = host.Dialogs.size();
    DispatchMenu(ctx, c.Item);
    ASSERT_EQ(host.Dialogs.size(), before + 1);
    EXPECT_EQ(host.Dialogs.back().Title, c.Title);
    EXPECT_EQ(host.Dialogs.back().Folder, c.Folder);
    EXPECT_EQ(host.Dialogs.back().Filter, kImages);
    EXPECT_EQ(host.Dialogs.back().FilterIndexIn, 0);
  }
}

TEST_F(DispatchCommands, AssetFolderJoinsBaseDir) {
  m.BaseDir = "/base/";
  EXPECT_EQ(AssetFolder(m, "Data/Logo/"), "/base/Data/Logo/");
  m.BaseDir = "";
  EXPECT_EQ(AssetFolder(m, "Data/Logo/"), "Data/Logo/");
}

TEST_F(DispatchCommands, FilterTexts) {
  int idx = 0;
  OpenAssetDialog(host, "t", "f", filters::kShaders, idx);
  EXPECT_EQ(host.Dialogs.back().Filter, "Shader (*.fx)|*.fx;|all Files (*.*)|*.*");
  EXPECT_STREQ(filters::kProjects, "Quellor Data (*.ini)|*.ini");
  EXPECT_STREQ(filters::kTextures,
               "All possible |*.png;*.bmp;*.jpg;*.dds|Portable Network Graphics (*.png)|*.png|"
               "Bitmap (*.bmp)|*.bmp|Joint Photographic Experts Group (*.jpg)|*.jpg|"
               "Direct Draw Surface (*.dds)|*.dds");
  EXPECT_STREQ(filters::kObjects,
               "All possible |*.3ds;*.x;*.b3d|3d Studio (*.3ds)|*.3ds|DirectX (*.x)|*.x|"
               "Blender 3d (*.b3d)|*.b3d");
  std::string music = filters::kMusic;
  // Every text has its pattern: the pieces come in pairs.
  EXPECT_EQ(std::count(music.begin(), music.end(), '|') % 2, 1);
  EXPECT_EQ(music.rfind("Farbrausch v2m (*.v2m)|*.v2m"), music.size() - 28);
  EXPECT_NE(music.find("|Future Composer (*.fc)|*.fc;*.fc4;*.fc14|"), std::string::npos);
  EXPECT_NE(music.find("|Extreme Tracker (*.ams)|*.ams|Asylum (*.amf)|*.amf|"), std::string::npos);
}

TEST_F(DispatchCommands, MusicDialogRemembersTheChosenFilter) {
  host.PickedFilters = {3};
  host.Paths = {"/m/song.xm", ""};
  EXPECT_EQ(OpenMusicDialog(ctx), "/m/song.xm");
  EXPECT_EQ(host.Dialogs.back().Title, "Bitte ein Musikstück wählen");
  EXPECT_EQ(host.Dialogs.back().Folder, "/base/Data/Music/");
  EXPECT_EQ(host.Dialogs.back().FilterIndexIn, 0);
  EXPECT_EQ(ctx.MusicFilterIndex, 3);
  OpenMusicDialog(ctx);
  EXPECT_EQ(host.Dialogs.back().FilterIndexIn, 3);
}

TEST_F(DispatchCommands, LogoLoadEntersMoveModeEvenWhenCancelled) {
  DispatchMenu(ctx, menu::kLogoLoad);
  EXPECT_EQ(m.EditMode, 1);
}

TEST_F(DispatchCommands, ModeCommandsNeedTheirElement) {
  const int items[] = {menu::kLogoPosition, menu::kLogoSize, menu::kSignPosition,
                       menu::GfxItem(2, menu::kGfxPosition), menu::GfxItem(2, menu::kGfxSize),
                       menu::GfxItem(2, menu::kGfxRotate), menu::AnimItem(1, menu::kAnimPosition),
                       menu::AnimItem(2, menu::kAnimSize), menu::ScrollerItem(1, menu::kScrollerPosition),
                       menu::ScrollerItem(2, menu::kScrollerSize), menu::kPagerPosition, menu::kPagerSize,
                       menu::kPagerLineSpace, menu::kTrainerPosition, menu::kTrainerSize,
                       menu::kTrainerLineSpace, menu::kTrainerBarSize, menu::kBorderResize,
                       menu::kObjPosition, menu::kObjResize};
  for (int item : items) {
    DispatchMenu(ctx, item);
    EXPECT_EQ(m.EditMode, 0) << item;
    EXPECT_EQ(m.ModeGfxIndex, 0) << item;
  }
  // Scrollers, pager and trainer need to be active, not just loaded.
  m.Font1.Chars[0].Sprite = MakeSprite(8, 8);
  DispatchMenu(ctx, menu::ScrollerItem(1, menu::kScrollerSize));
  EXPECT_EQ(m.EditMode, 0);
  m.Scroller[0].Active = 1;
  DispatchMenu(ctx, menu::ScrollerItem(1, menu::kScrollerSize));
  EXPECT_EQ(m.EditMode, 4);
}

TEST_F(DispatchCommands, LogoAndSignRemove) {
  Handle logo = MakeSprite(4, 4), sign = MakeSprite(4, 4);
  m.Logo.Sprite = logo;
  m.Sign.Sprite = sign;
  m.DisplayOrder = {"Logo", "Sign", "GFX1"};
  DispatchMenu(ctx, menu::kLogoRemove);
  EXPECT_EQ(m.Logo.Sprite, 0u);
  EXPECT_EQ(e.Sprite(logo), nullptr);
  EXPECT_NE(e.Sprite(sign), nullptr);
  DispatchMenu(ctx, menu::kSignRemove);
  EXPECT_EQ(m.Sign.Sprite, 0u);
  EXPECT_EQ(e.Sprite(sign), nullptr);
  EXPECT_EQ(m.DisplayOrder, std::vector<std::string>{"GFX1"});
}

TEST_F(DispatchCommands, GfxRemoveResetsTheSlotWithYPosOne) {
  Handle s = MakeSprite(4, 4);
  GfxFields& g = m.GFX;
  g.Sprite[2] = s;
  g.File[2] = "/x.png";
  g.XPos[2] = 5;
  g.YPos[2] = 6;
  g.XSize[2] = 7;
  g.YSize[2] = 8;
  g.Layer[2] = 2;
  g.SRC[2] = 1;
  g.Dest[2] = 2;
  g.Trans[2] = 9;
  g.XPos[3] = 44;
  m.DisplayOrder = {"GFX2"};
  DispatchMenu(ctx, menu::GfxItem(2, menu::kGfxRemove));
  EXPECT_EQ(e.Sprite(s), nullptr);
  EXPECT_EQ(g.Sprite[2], 0u);
  EXPECT_EQ(g.File[2], "");
  EXPECT_EQ(g.XPos[2], 0);
  EXPECT_EQ(g.YPos[2], 1);
  EXPECT_EQ(g.XSize[2], 100);
  EXPECT_EQ(g.YSize[2], 100);
  EXPECT_EQ(g.Layer[2], 0);
  EXPECT_EQ(g.SRC[2], 5);
  EXPECT_EQ(g.Dest[2], 6);
  EXPECT_EQ(g.Trans[2], 255);
  EXPECT_EQ(g.XPos[3], 44);
  EXPECT_EQ(m.DisplayOrder, std::vector<std::string>{"GFX2"});

  // An empty slot is left alone.
  g.XPos[2] = 12;
  DispatchMenu(ctx, menu::GfxItem(2, menu::kGfxRemove));
  EXPECT_EQ(g.XPos[2], 12);
}

TEST_F(DispatchCommands, AnimRemoveResetsDrawingFields) {
  for (int n = 1; n <= 2; ++n) {
    AnimFields& a = n == 1 ? m.Anim_2d : m.Anim_BOB;
    a.Sprite = MakeSprite(4, 4);
    a.Trans = 1;
    a.Layer = 2;
    a.SRC = 2;
    a.Dest = 2;
    a.SizeX = 3;
    a.SizeY = 4;
    a.FSizeX = 64;
    Handle s = a.Sprite;
    DispatchMenu(ctx, menu::AnimItem(n, menu::kAnimRemove));
    EXPECT_EQ(e.Sprite(s), nullptr);
    EXPECT_EQ(a.Sprite, 0u);
    EXPECT_EQ(a.Trans, 255);
    EXPECT_EQ(a.Layer, 0);
    EXPECT_EQ(a.SRC, 5);
    EXPECT_EQ(a.Dest, 6);
    EXPECT_EQ(a.SizeX, 100);
    EXPECT_EQ(a.SizeY, 100);
    EXPECT_EQ(a.FSizeX, 64);  // the frame size is not touched
  }
}

TEST_F(DispatchCommands, BorderAndBackgroundRemoveFreeEverything) {
  Image img{8, 8, std::vector<uint8_t>(8 * 8 * 4, 255)};
  m.Border.Texture = e.TextureFromImage(img);
  for (Handle& t : m.Border.SideTexture) t = e.TextureFromImage(img);
  for (Handle& s : m.Border.Sprite) s = e.CreateSprite(m.Border.Texture);
  std::array<Handle, 4> pieces = m.Border.Sprite;
  std::array<Handle, 2> sides = m.Border.SideTexture;
  m.DisplayOrder = {"Border", "Logo"};
  DispatchMenu(ctx, menu::kBorderRemove);
  EXPECT_EQ(m.Border.Texture, 0u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(m.Border.Sprite[i], 0u);
    EXPECT_EQ(e.Sprite(pieces[i]), nullptr);
  }
  for (Handle t : sides) EXPECT_EQ(e.Texture(t), nullptr);
  EXPECT_EQ(m.DisplayOrder, std::vector<std::string>{"Logo"});

  m.Background.Texture = e.TextureFromImage(img);
  m.Background.Sprite = e.CreateBackdrop(m.Background.Texture);
  Handle tex = m.Background.Texture, drop = m.Background.Sprite;
  DispatchMenu(ctx, menu::kBackgroundRemove);
  EXPECT_EQ(m.Background.Texture, 0u);
  EXPECT_EQ(m.Background.Sprite, 0u);
  EXPECT_EQ(e.Texture(tex), nullptr);
  EXPECT_EQ(e.Backdrop(drop), nullptr);
}

TEST_F(DispatchCommands, FontCommandsFreeImagesButKeepThePath) {
  Image img{8, 8, std::vector<uint8_t>(8 * 8 * 4, 255)};
  m.Font1.File = "/fonts/a.png";
  m.Font1.Image = e.TextureFromImage(img);
  m.Font1.Chars[0].Image = e.TextureFromImage(img);
  m.Font1.Chars[0].Sprite = e.CreateSprite(m.Font1.Chars[0].Image);
  Handle image = m.Font1.Image, glyph = m.Font1.Chars[0].Sprite;
  m.FontGrid[0] = {16, 16, 8, 4};
  DispatchMenu(ctx, menu::kFontRemove1);
  EXPECT_EQ(e.Texture(image), nullptr);
  EXPECT_EQ(e.Sprite(glyph), nullptr);
  EXPECT_EQ(m.Font1.Image, 0u);
  EXPECT_EQ(m.Font1.Chars[0].Sprite, 0u);
  EXPECT_EQ(m.Font1.File, "/fonts/a.png");
  EXPECT_EQ(m.FontGrid[0].X, 16);

  // Loading releases the old font even when cancelled, and stores a chosen path.
  m.Font2.File = "/fonts/b.png";
  m.Font2.Image = e.TextureFromImage(img);
  Handle old = m.Font2.Image;
  DispatchMenu(ctx, menu::kFontLoad2);
  EXPECT_EQ(e.Texture(old), nullptr);
  EXPECT_EQ(m.Font2.File, "/fonts/b.png");
  host.Paths = {"/fonts/c.png"};
  DispatchMenu(ctx, menu::kFontLoad2);
  EXPECT_EQ(m.Font2.File, "/fonts/c.png");
}

TEST_F(DispatchCommands, ActiveTogglesTwiceRestoreStateAndCheck) {
  struct Case {
    int Item;
    int32_t* Active;
  };
  const Case cases[] = {{menu::ScrollerItem(1, menu::kScrollerActive), &m.Scroller[0].Active},
                        {menu::ScrollerItem(2, menu::kScrollerActive), &m.Scroller[1].Active},
                        {menu::kPagerActive, &m.Pager.Active},
                        {menu::kTrainerActive, &m.Trainer.Active}};
  m.Trainer.Lines.assign(2 * m.Trainer.YLins, "OPTION");  // enough for the trainer to stay on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Item);
    ASSERT_EQ(*c.Active, 0);
    DispatchMenu(ctx, c.Item);
    EXPECT_EQ(*c.Active, 1);
    EXPECT_TRUE(host.Checks.at(c.Item));
    DispatchMenu(ctx, c.Item);
    EXPECT_EQ(*c.Active, 0);
    EXPECT_FALSE(host.Checks.at(c.Item));
  }
  // Only the chosen scroller changes.
  DispatchMenu(ctx, menu::ScrollerItem(2, menu::kScrollerActive));
  EXPECT_EQ(m.Scroller[0].Active, 0);
}

TEST_F(DispatchCommands, CheckMarksFollowActiveFieldsChangedByOtherCommands) {
  const int items[] = {menu::ScrollerItem(1, menu::kScrollerActive), menu::ScrollerItem(2, menu::kScrollerActive),
                       menu::kPagerActive, menu::kTrainerActive};
  m.Trainer.Lines.assign(2 * m.Trainer.YLins, "OPTION");
  for (int item : items) DispatchMenu(ctx, item);
  for (int item : items) ASSERT_TRUE(host.Checks.at(item)) << item;
  DispatchMenu(ctx, menu::kFileNew);  // every effect starts switched off
  for (int item : items) EXPECT_FALSE(host.Checks.at(item)) << item;

  // A field set outside the menu (as a project read does) shows after the next command.
  m.Pager.Active = 1;
  DispatchMenu(ctx, menu::kLogoEffectNone);
  EXPECT_TRUE(host.Checks.at(menu::kPagerActive));
  EXPECT_FALSE(host.Checks.at(menu::kTrainerActive));
}

TEST_F(DispatchCommands, ScrollerEffectsSetFxAndSwingAngle) {
  struct Case {
    int Fx;
    float AngleAfter;
  };
  // Angle starts at 45 each time; only Swing, Jump and Dunk touch it.
  const Case cases[] = {{0, 45}, {1, 45}, {2, 0}, {3, 45}, {4, 45}, {5, 45}, {6, 0}, {7, 180}};
  for (const Case& c : cases) {
    m.Scroller[1].Angle = 45;
    m.Scroller[0].FX = 9;
    DispatchMenu(ctx, menu::ScrollerItem(2, menu::kScrollerEffect + c.Fx));
    EXPECT_EQ(m.Scroller[1].FX, c.Fx);
    EXPECT_FLOAT_EQ(m.Scroller[1].Angle, c.AngleAfter) << c.Fx;
    EXPECT_EQ(m.Scroller[0].FX, 9);
  }
}

TEST_F(DispatchCommands, ObjectRemoveClearsTypeAndEntity) {
  m.Obj3d.Entity = 31;
  m.Obj3d.Type = 4;
  DispatchMenu(ctx, menu::kObjRemove);
  EXPECT_EQ(e.FreedEntities, std::vector<Handle>{31});
  EXPECT_EQ(m.Obj3d.Entity, 0u);
  EXPECT_EQ(m.Obj3d.Type, 0);
}

TEST_F(DispatchCommands, ProjectLoadRestartsBothScrollersAndKeepsTheirSpeed) {
  m.ScrollRun[0].TextPos = 7;
  m.ScrollRun[0].Offset = -3.0f;
  m.ScrollRun[0].Speed = 8;  // set by a speed code in the text
  m.ScrollRun[1].TextPos = 9;
  m.Scroller[1].Active = 0;
  DispatchMenu(ctx, menu::kFileLoad);  // cancelled: nothing is read
  ASSERT_EQ(host.Dialogs.size(), 1u);
  EXPECT_EQ(host.Dialogs[0].Title, "Quellor - Load Intro Datas");
  EXPECT_EQ(m.ScrollRun[0].TextPos, 1);
  EXPECT_FLOAT_EQ(m.ScrollRun[0].Offset, 0.0f);
  EXPECT_EQ(m.ScrollRun[0].Speed, 8);
  EXPECT_EQ(m.ScrollRun[1].TextPos, 1);
}

TEST_F(DispatchCommands, QuitRequestsTheEnd) {
  DispatchMenu(ctx, menu::kFileQuit);
  EXPECT_TRUE(ctx.QuitRequested);
}

}  // namespace

namespace {

// Load commands hand the chosen file to the loaders; a cancelled dialog leaves the asset.
class DispatchLoads : public CommandsTest {
 protected:
  std::filesystem::path dir;
  void SetUp() override {
    CommandsTest::SetUp();
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = std::filesystem::temp_directory_path() /
          (std::string("quellor_cmd_") + info->name() + "_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string Png(const std::string& name, int w, int h) {
    Image img{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 4, 200)};
    std::string path = (dir / name).string();
    EXPECT_TRUE(WritePngFile(path, img));
    return path;
  }
};

TEST_F(DispatchLoads, ChosenFilesReachTheLoaders) {
  host.Paths = {Png("logo.png", 64, 32)};
  DispatchMenu(ctx, menu::kLogoLoad);
  ASSERT_NE(m.Logo.Sprite, 0u);
  EXPECT_EQ(e.SpriteWidth(m.Logo.Sprite), 64);
  EXPECT_EQ(m.EditMode, 1);

  host.Paths = {Png("gfx.png", 16, 8)};
  DispatchMenu(ctx, menu::GfxItem(3, menu::kGfxLoad));
  EXPECT_NE(m.GFX.Sprite[3], 0u);
  EXPECT_EQ(m.GFX.Sprite[2], 0u);

  // Cancelling keeps what is loaded.
  Handle logo = m.Logo.Sprite;
  DispatchMenu(ctx, menu::kLogoLoad);
  EXPECT_EQ(m.Logo.Sprite, logo);
  EXPECT_NE(e.Sprite(logo), nullptr);
}

TEST_F(DispatchLoads, FontLoadStoresThePathAndReplacesTheOldFont) {
  host.Paths = {Png("font.png", 320, 192)};
  DispatchMenu(ctx, menu::kFontLoad1);
  ASSERT_NE(m.Font1.Image, 0u);
  Handle first = m.Font1.Image;
  EXPECT_EQ(m.Font1.File, (dir / "font.png").string());
  EXPECT_EQ(m.DisplayOrder, std::vector<std::string>{"Font1"});

  host.Paths = {Png("font2.png", 320, 192)};
  DispatchMenu(ctx, menu::kFontLoad1);
  EXPECT_EQ(e.Texture(first), nullptr);
  EXPECT_NE(m.Font1.Image, 0u);
  EXPECT_EQ(m.DisplayOrder, std::vector<std::string>{"Font1"});

  DispatchMenu(ctx, menu::kFontRemove1);
  EXPECT_EQ(m.Font1.Image, 0u);
  EXPECT_TRUE(m.DisplayOrder.empty());
}

}  // namespace
