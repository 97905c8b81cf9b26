// The menu bar's structure and the link between its items and the commands.
#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "app/Dispatch.h"
#include "app/Menu.h"
#include "app/MenuIds.h"
#include "tests/CommandsTestSupport.h"

using namespace quellor;
using namespace quellor::test;

namespace {

// Item texts of a menu level, "-" for a separator.
std::vector<std::string> Texts(const std::vector<MenuItemData>& items) {
  std::vector<std::string> out;
  for (const MenuItemData& i : items) out.push_back(i.Separator ? "-" : i.Text);
  return out;
}

const MenuItemData& Child(const std::vector<MenuItemData>& items, const std::string& text) {
  for (const MenuItemData& i : items)
    if (i.Text == text && !i.Sub.empty()) return i;
  ADD_FAILURE() << "no submenu " << text;
  static const MenuItemData kNone;
  return kNone;
}

void Leaves(const std::vector<MenuItemData>& items, std::vector<const MenuItemData*>& out) {
  for (const MenuItemData& i : items) {
    if (!i.Sub.empty())
      Leaves(i.Sub, out);
    else if (!i.Separator)
      out.push_back(&i);
  }
}

using V = std::vector<std::string>;

TEST(MenuBar, TopLevelFileEditExtraHelp) {
  MenuBarData bar = BuildMenuBar();
  EXPECT_EQ(Texts(bar.Menus), (V{"File", "Edit", "Effects", "Extra", "Help"}));
  EXPECT_EQ(Texts(bar.Menus[0].Sub), (V{"New", "Load", "Save", "-", "Create Final", "-", "Quit"}));
  EXPECT_EQ(Texts(bar.Menus[1].Sub), (V{"PostFX Shader Code", "Texture Shader Code", "Vertex Shader Code",
                                        "Scroll Text 1", "Scroll Text 2", "Page Text", "Trainer Text"}));
  EXPECT_EQ(Texts(bar.Menus[3].Sub), V{"Intro Setup"});
  EXPECT_EQ(Texts(bar.Menus[4].Sub), (V{"Help", "About"}));
  EXPECT_EQ(Texts(bar.Menus[4].Sub[0].Sub), V{"Support Forum"});
}

TEST(MenuBar, EffectsSubmenus) {
  MenuBarData bar = BuildMenuBar();
  const auto& fx = bar.Menus[2].Sub;
  EXPECT_EQ(Texts(fx), (V{"Logo", "Sign", "Background Picture", "3d Layer", "Music", "PostFX Shader", "Fonts",
                          "GFX", "2d Anim", "Scroller", "Pager", "Trainer", "Border"}));
  const auto& logo = Child(fx, "Logo").Sub;
  EXPECT_EQ(Texts(logo), (V{"Load", "Position", "Size", "Effect", "Remove"}));
  EXPECT_EQ(Texts(Child(logo, "Effect").Sub), V{"None"});
  EXPECT_EQ(Texts(Child(fx, "Sign").Sub), (V{"Load", "Position", "Remove"}));
  EXPECT_EQ(Texts(Child(fx, "Background Picture").Sub), (V{"Load", "Remove"}));
  EXPECT_EQ(Texts(Child(fx, "Music").Sub), (V{"Load", "Remove"}));
  EXPECT_EQ(Texts(Child(fx, "PostFX Shader").Sub), (V{"Load", "Remove"}));
  EXPECT_EQ(Texts(Child(fx, "Fonts").Sub),
            (V{"Load Font 1", "Remove Font 1", "-", "Load Font 2", "Remove Font 2"}));
  EXPECT_EQ(Texts(Child(fx, "Pager").Sub), (V{"Position", "Size", "Line space", "Active"}));
  EXPECT_EQ(Texts(Child(fx, "Trainer").Sub), (V{"Position", "Size", "Line space", "TrainerBar size", "Active"}));
  EXPECT_EQ(Texts(Child(fx, "Border").Sub), (V{"Load", "Resize", "Remove"}));

  const auto& gfx = Child(fx, "GFX").Sub;
  EXPECT_EQ(Texts(gfx), (V{"GFX #1", "GFX #2", "GFX #3", "GFX #4", "GFX #5"}));
  for (const auto& g : gfx) EXPECT_EQ(Texts(g.Sub), (V{"Load", "Position", "Size", "Rotate", "Remove"}));
  const auto& anim = Child(fx, "2d Anim").Sub;
  EXPECT_EQ(Texts(anim), (V{"Anim 1", "Anim 2"}));
  for (const auto& a : anim) EXPECT_EQ(Texts(a.Sub), (V{"Load", "Position", "Size", "Rotate", "Remove"}));

  const auto& scrollers = Child(fx, "Scroller").Sub;
  EXPECT_EQ(Texts(scrollers), (V{"Scroller 1", "Scroller 2"}));
  for (const auto& s : scrollers) {
    EXPECT_EQ(Texts(s.Sub), (V{"Position", "Size", "Effect", "Active"}));
    EXPECT_EQ(Texts(Child(s.Sub, "Effect").Sub),
              (V{"None", "Rotate", "Swing", "Jump", "Dunk", "Block Sinus", "Block Sinus - Char Rotation",
                 "Rolling Chars"}));
  }
}

TEST(MenuBar, ThreeDLayer) {
  MenuBarData bar = BuildMenuBar();
  const auto& layer = Child(bar.Menus[2].Sub, "3d Layer").Sub;
  EXPECT_EQ(Texts(layer), (V{"Load Object", "Load Anim Object", "Create Object", "Object Texture",
                             "Vertext/Pixel Shader", "Position Object", "Resize Object", "Remove Object"}));
  EXPECT_EQ(Texts(Child(layer, "Create Object").Sub),
            (V{"Cube", "Sphere", "Cylinder", "Torus", "Teapot", "Pyramid"}));
  EXPECT_EQ(Texts(Child(layer, "Object Texture").Sub), (V{"Load Texture", "Shader Texture", "Remove Texture"}));
  const auto& shader = Child(layer, "Vertext/Pixel Shader").Sub;
  EXPECT_EQ(Texts(shader), (V{"Load Shader", "Remove Shader", "Textures"}));
  EXPECT_EQ(Texts(Child(shader, "Textures").Sub),
            (V{"Load Texture #1", "Remove Texture #1", "-", "Load Texture #2", "Remove Texture #2", "-",
               "Load Texture #3", "Remove Texture #3", "-", "Load Texture #4", "Remove Texture #4"}));
}

TEST(MenuBar, IdsUniqueAndOnlyActiveItemsCheckable) {
  MenuBarData bar = BuildMenuBar();
  std::vector<const MenuItemData*> leaves;
  Leaves(bar.Menus, leaves);
  std::set<int> ids;
  std::set<int> checkable;
  for (const MenuItemData* i : leaves) {
    EXPECT_NE(i->Id, 0) << i->Text;
    EXPECT_TRUE(ids.insert(i->Id).second) << "duplicate id " << i->Id;
    if (i->Checkable) {
      EXPECT_EQ(i->Text, "Active");
      checkable.insert(i->Id);
    }
  }
  EXPECT_EQ(checkable, (std::set<int>{menu::ScrollerItem(1, menu::kScrollerActive),
                                      menu::ScrollerItem(2, menu::kScrollerActive), menu::kPagerActive,
                                      menu::kTrainerActive}));
}

TEST(MenuBar, EnabledItemsAreExactlyThoseWithACommand) {
  MenuBarData bar = BuildMenuBar();
  std::vector<const MenuItemData*> leaves;
  Leaves(bar.Menus, leaves);
  for (const MenuItemData* i : leaves) EXPECT_EQ(HasMenuCommand(i->Id), i->Enabled) << i->Text << " " << i->Id;
}

TEST(MenuBar, KeyboardAccessBesideTheLabels) {
  MenuBarData bar = BuildMenuBar();
  // Every title opens with Alt and a letter of its own text, no two alike.
  std::set<char> letters;
  for (const MenuItemData& top : bar.Menus) {
    SCOPED_TRACE(top.Text);
    ASSERT_NE(top.Mnemonic, 0);
    EXPECT_NE(top.Text.find(top.Mnemonic), std::string::npos);
    EXPECT_TRUE(letters.insert(static_cast<char>(std::tolower(top.Mnemonic))).second);
  }
  EXPECT_EQ(bar.Menus[0].Mnemonic, 'F');  // Alt+F: File
  // File's usual shortcuts; nothing else in the bar has one.
  std::map<std::string, std::string> shortcuts;
  std::vector<const MenuItemData*> leaves;
  Leaves(bar.Menus, leaves);
  for (const MenuItemData* i : leaves)
    if (!i->Accelerator.empty()) {
      EXPECT_EQ(i->Mnemonic, 0) << i->Text;
      EXPECT_TRUE(shortcuts.emplace(i->Accelerator, i->Text).second) << i->Accelerator;
    }
  const std::map<std::string, std::string> want = {
      {"Ctrl+N", "New"}, {"Ctrl+O", "Load"}, {"Ctrl+S", "Save"}, {"Ctrl+Q", "Quit"}};
  EXPECT_EQ(shortcuts, want);
  for (const MenuItemData& item : bar.Menus[0].Sub)
    if (!item.Accelerator.empty()) {
      EXPECT_TRUE(item.Enabled) << item.Text;
    }
}

TEST(MenuBar, ToolkitLabelMarksTheMnemonicAndAppendsTheShortcut) {
  MenuItemData item;
  item.Text = "Effects";
  EXPECT_EQ(ToolkitLabel(item), "Effects");  // plain text stays plain
  item.Mnemonic = 'f';
  EXPECT_EQ(ToolkitLabel(item), "E&ffects");  // the first occurrence only
  item.Mnemonic = 'q';
  EXPECT_EQ(ToolkitLabel(item), "Effects");  // a letter the text lacks marks nothing
  item.Text = "Save & Load";
  item.Mnemonic = 'L';
  item.Accelerator = "Ctrl+S";
  EXPECT_EQ(ToolkitLabel(item), "Save && &Load\tCtrl+S");
  // The bar's own labels keep their visible text once the markup is taken out.
  for (const MenuItemData& top : BuildMenuBar().Menus) {
    std::string label = ToolkitLabel(top);
    ASSERT_EQ(std::count(label.begin(), label.end(), '&'), 1) << label;
    label.erase(label.find('&'), 1);
    EXPECT_EQ(label, top.Text);
  }
}

// Everything a command could change that a test can see.
std::string Observe(const IntroModel& m, const FakeHost& host, const AppContext& ctx) {
  std::ostringstream o;
  o << host.Dialogs.size() << '|' << m.EditMode << '|' << m.ModeAnchorX << ',' << m.ModeAnchorY << '|'
    << m.ModeGfxIndex << '|' << ctx.QuitRequested << '|' << m.Logo.Sprite << m.Sign.Sprite
    << m.Background.Texture << m.Background.Sprite << m.Border.Texture << m.Font1.Image << m.Font2.Image
    << m.Anim_2d.Sprite << m.Anim_BOB.Sprite << m.Obj3d.Entity << m.TrainerBar.TB_Line << m.PostFX.Effect << '|'
    << m.Tex3d.Texture << ',' << m.TexShader.State << ',' << m.VertexShader.Effect << '|';
  for (Handle t : m.VertexShader.Texture) o << t << ',';
  for (int i = 1; i <= 5; ++i) o << m.GFX.Sprite[i] << ',';
  for (const auto& s : m.Scroller) o << s.FX << ',' << s.Angle << ',' << s.Active << ';';
  o << m.Pager.Active << m.Trainer.Active;
  for (const auto& [id, on] : host.Checks) o << id << on;
  o << '|' << host.EditorsOpened.size() << host.Abouts.size() << host.WebAddresses.size() << host.WindowOpen(WindowId::Options);
  return o.str();
}

class MenuCoverage : public CommandsTest {
 protected:
  // Every element loaded and every text effect active, so each command has work to do.
  void LoadEverything() {
    Image img{16, 16, std::vector<uint8_t>(16 * 16 * 4, 255)};
    m.Logo.Sprite = MakeSprite(16, 16);
    m.Sign.Sprite = MakeSprite(16, 16);
    m.Background.Texture = e.TextureFromImage(img);
    m.Background.Sprite = e.CreateBackdrop(m.Background.Texture);
    m.Border.Texture = e.TextureFromImage(img);
    for (Handle& s : m.Border.Sprite) s = e.CreateSprite(m.Border.Texture);
    for (int i = 1; i <= 5; ++i) m.GFX.Sprite[i] = MakeSprite(16, 16);
    m.Anim_2d.Sprite = MakeSprite(16, 16);
    m.Anim_BOB.Sprite = MakeSprite(16, 16);
    m.Font1.File = "/f1.png";
    m.Font1.Image = e.TextureFromImage(img);
    m.Font2.File = "/f2.png";
    m.Font2.Image = e.TextureFromImage(img);
    m.TrainerBar.Sprite = MakeSprite(16, 4);
    m.Obj3d.Entity = 1234;
    m.PostFX.Effect = e.CreateEffect(
        "float4 PS() : COLOR { return 1; } technique PostProcess { pass p { PixelShader = compile ps_2_0 PS(); } }");
    m.Tex3d.Texture = e.TextureFromImage(img);
    m.TexShader.State = 0;
    m.VertexShader.Effect = 4321;
    for (Handle& t : m.VertexShader.Texture) t = e.TextureFromImage(img);
    m.Scroller[0].Active = m.Scroller[1].Active = 1;
    m.Scroller[0].FX = m.Scroller[1].FX = 99;  // so choosing any effect shows
    m.Pager.Active = m.Trainer.Active = 1;
    m.Trainer.Lines.assign(2 * m.Trainer.YLins, "OPTION");
  }
};

TEST_F(MenuCoverage, EveryEnabledItemDoesSomething) {
  // Logo > Effect > None is a choice of the one effect there is and changes nothing.
  const std::set<int> quiet = {menu::kLogoEffectNone};
  std::vector<const MenuItemData*> leaves;
  MenuBarData bar = BuildMenuBar();
  Leaves(bar.Menus, leaves);
  int checked = 0;
  for (const MenuItemData* item : leaves) {
    if (!item->Enabled || quiet.count(item->Id)) continue;
    SCOPED_TRACE(item->Text + " " + std::to_string(item->Id));
    InitModel(m);
    host = FakeHost{};
    ctx.QuitRequested = false;
    LoadEverything();
    std::string before = Observe(m, host, ctx);
    DispatchMenu(ctx, item->Id);
    EXPECT_NE(Observe(m, host, ctx), before);
    ++checked;
  }
  EXPECT_GT(checked, 60);
}

}  // namespace
