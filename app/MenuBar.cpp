#include "app/Menu.h"
#include "app/MenuIds.h"

namespace quellor {
namespace {
using namespace menu;

MenuItemData Item(const char* text, int id, bool enabled = true) {
  MenuItemData d;
  d.Text = text;
  d.Id = id;
  d.Enabled = enabled;
  return d;
}

MenuItemData Check(const char* text, int id) {
  MenuItemData d = Item(text, id);
  d.Checkable = true;
  return d;
}

MenuItemData Bar() {
  MenuItemData d;
  d.Separator = true;
  return d;
}

MenuItemData Sub(const char* text, std::vector<MenuItemData> items) {
  MenuItemData d;
  d.Text = text;
  d.Sub = std::move(items);
  return d;
}

// A title of the menu bar, opened from the keyboard with Alt and `mnemonic`.
MenuItemData Title(const char* text, char mnemonic, std::vector<MenuItemData> items) {
  MenuItemData d = Sub(text, std::move(items));
  d.Mnemonic = mnemonic;
  return d;
}

MenuItemData Shortcut(MenuItemData item, const char* accelerator) {
  item.Accelerator = accelerator;
  return item;
}

MenuItemData FileMenu() {
  return Title("File", 'F',
               {Shortcut(Item("New", kFileNew), "Ctrl+N"), Shortcut(Item("Load", kFileLoad), "Ctrl+O"),
                Shortcut(Item("Save", kFileSave), "Ctrl+S"), Bar(),
                Item("Create Final", kFileCreateFinal), Bar(),
                Shortcut(Item("Quit", kFileQuit), "Ctrl+Q")});
}

MenuItemData EditMenu() {
  return Title("Edit", 'E', {Item("PostFX Shader Code", kEditPostFx),
                      Item("Texture Shader Code", kEditTextureShader),
                      Item("Vertex Shader Code", kEditVertexShader),
                      Item("Scroll Text 1", kEditScrollText1),
                      Item("Scroll Text 2", kEditScrollText2),
                      Item("Page Text", kEditPageText),
                      Item("Trainer Text", kEditTrainerText)});
}

MenuItemData Layer3dMenu() {
  std::vector<MenuItemData> create;
  const char* shapes[] = {"Cube", "Sphere", "Cylinder", "Torus", "Teapot", "Pyramid"};
  for (int i = 0; i < 6; ++i) create.push_back(Item(shapes[i], kObjCreateCube + i));
  std::vector<MenuItemData> textures;
  for (int n = 1; n <= 4; ++n) {
    if (n > 1) textures.push_back(Bar());
    std::string k = std::to_string(n);
    MenuItemData load = Item("", kObjShaderTexLoad1 + 2 * (n - 1));
    load.Text = "Load Texture #" + k;
    MenuItemData remove = Item("", kObjShaderTexRemove1 + 2 * (n - 1));
    remove.Text = "Remove Texture #" + k;
    textures.push_back(load);
    textures.push_back(remove);
  }
  return Sub("3d Layer",
             {Item("Load Object", kObjLoad), Item("Load Anim Object", kObjLoadAnim),
              Sub("Create Object", create),
              Sub("Object Texture", {Item("Load Texture", kObjTexLoad), Item("Shader Texture", kObjTexShader),
                                     Item("Remove Texture", kObjTexRemove)}),
              Sub("Vertext/Pixel Shader", {Item("Load Shader", kObjShaderLoad),
                                           Item("Remove Shader", kObjShaderRemove),
                                           Sub("Textures", textures)}),
              Item("Position Object", kObjPosition), Item("Resize Object", kObjResize),
              Item("Remove Object", kObjRemove)});
}

MenuItemData GfxMenu() {
  std::vector<MenuItemData> layers;
  for (int n = 1; n <= 5; ++n) {
    MenuItemData s = Sub("", {Item("Load", GfxItem(n, kGfxLoad)), Item("Position", GfxItem(n, kGfxPosition)),
                              Item("Size", GfxItem(n, kGfxSize)), Item("Rotate", GfxItem(n, kGfxRotate)),
                              Item("Remove", GfxItem(n, kGfxRemove))});
    s.Text = "GFX #" + std::to_string(n);
    layers.push_back(std::move(s));
  }
  return Sub("GFX", layers);
}

MenuItemData AnimMenu() {
  std::vector<MenuItemData> anims;
  for (int n = 1; n <= 2; ++n) {
    MenuItemData s = Sub("", {Item("Load", AnimItem(n, kAnimLoad)), Item("Position", AnimItem(n, kAnimPosition)),
                              Item("Size", AnimItem(n, kAnimSize)), Item("Rotate", AnimItem(n, kAnimRotate)),
                              Item("Remove", AnimItem(n, kAnimRemove))});
    s.Text = "Anim " + std::to_string(n);
    anims.push_back(std::move(s));
  }
  return Sub("2d Anim", anims);
}

MenuItemData ScrollerMenu() {
  std::vector<MenuItemData> scrollers;
  for (int n = 1; n <= 2; ++n) {
    auto fx = [n](const char* text, int value) { return Item(text, ScrollerItem(n, kScrollerEffect + value)); };
    MenuItemData s = Sub("", {Item("Position", ScrollerItem(n, kScrollerPosition)),
                              Item("Size", ScrollerItem(n, kScrollerSize)),
                              Sub("Effect", {fx("None", 0), fx("Rotate", 1), fx("Swing", 2), fx("Jump", 6),
                                             fx("Dunk", 7), fx("Block Sinus", 3),
                                             fx("Block Sinus - Char Rotation", 4), fx("Rolling Chars", 5)}),
                              Check("Active", ScrollerItem(n, kScrollerActive))});
    s.Text = "Scroller " + std::to_string(n);
    scrollers.push_back(std::move(s));
  }
  return Sub("Scroller", scrollers);
}

MenuItemData EffectsMenu() {
  // Edit, Effects and Extra all begin with E: each title gets a letter of its own.
  return Title(
      "Effects", 'c',
      {Sub("Logo", {Item("Load", kLogoLoad), Item("Position", kLogoPosition), Item("Size", kLogoSize),
                    Sub("Effect", {Item("None", kLogoEffectNone)}), Item("Remove", kLogoRemove)}),
       Sub("Sign", {Item("Load", kSignLoad), Item("Position", kSignPosition), Item("Remove", kSignRemove)}),
       Sub("Background Picture", {Item("Load", kBackgroundLoad), Item("Remove", kBackgroundRemove)}),
       Layer3dMenu(),
       Sub("Music", {Item("Load", kMusicLoad), Item("Remove", kMusicRemove)}),
       Sub("PostFX Shader", {Item("Load", kPostFxLoad), Item("Remove", kPostFxRemove)}),
       Sub("Fonts", {Item("Load Font 1", kFontLoad1), Item("Remove Font 1", kFontRemove1), Bar(),
                     Item("Load Font 2", kFontLoad2), Item("Remove Font 2", kFontRemove2)}),
       GfxMenu(), AnimMenu(), ScrollerMenu(),
       Sub("Pager", {Item("Position", kPagerPosition), Item("Size", kPagerSize),
                     Item("Line space", kPagerLineSpace), Check("Active", kPagerActive)}),
       Sub("Trainer", {Item("Position", kTrainerPosition), Item("Size", kTrainerSize),
                       Item("Line space", kTrainerLineSpace), Item("TrainerBar size", kTrainerBarSize),
                       Check("Active", kTrainerActive)}),
       Sub("Border", {Item("Load", kBorderLoad), Item("Resize", kBorderResize), Item("Remove", kBorderRemove)})});
}

}  // namespace

MenuBarData BuildMenuBar() {
  MenuBarData bar;
  bar.Menus = {FileMenu(), EditMenu(), EffectsMenu(),
               Title("Extra", 'x', {Item("Intro Setup", kExtraIntroSetup)}),
               Title("Help", 'H', {Sub("Help", {Item("Support Forum", kHelpForum)}),
                                   Item("About", kHelpAbout)})};
  return bar;
}

std::string ToolkitLabel(const MenuItemData& item) {
  std::string label;
  bool marked = item.Mnemonic == 0;
  for (char c : item.Text) {
    if (!marked && c == item.Mnemonic) {
      label += '&';
      marked = true;
    }
    if (c == '&') label += '&';
    label += c;
  }
  if (!item.Accelerator.empty()) label += "\t" + item.Accelerator;
  return label;
}

}  // namespace quellor
