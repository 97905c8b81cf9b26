#include "app/AssetDialog.h"
#include "app/MenuIds.h"
#include "app/PlacementModes.h"
#include "app/commands/CommandTable.h"
#include "project/Loaders.h"
#include "project/NewIntro.h"

namespace quellor {
namespace {

std::string PickImage(AppContext& ctx, const char* title, const char* folder) {
  return OpenAssetDialog(ctx.Win, title, AssetFolder(ctx.Model, folder), filters::kImages);
}

void AddLogo(CommandTable& t) {
  t[menu::kLogoLoad] = [](AppContext& ctx) {
    LoadLogo(ctx.Model, ctx.Eng, PickImage(ctx, "Choose a Logo", "Data/Logo/"));
    // Placing follows loading, whatever the dialog returned.
    ctx.Model.EditMode = mode::kLogoMove;
  };
  t[menu::kLogoPosition] = [](AppContext& ctx) {
    if (ctx.Model.Logo.Sprite) ctx.Model.EditMode = mode::kLogoMove;
  };
  t[menu::kLogoSize] = [](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    if (!m.Logo.Sprite) return;
    SetSpriteSizeAnchor(m, ctx.Eng, m.Logo.Sprite, m.Logo.PosX, m.Logo.PosY, m.Logo.SizeX, m.Logo.SizeY);
    m.EditMode = mode::kLogoSize;
  };
  // The logo has a single effect and choosing it changes nothing.
  t[menu::kLogoEffectNone] = [](AppContext&) {};
  t[menu::kLogoRemove] = [](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    RemoveFromDisplayOrder(m, "Logo");
    ctx.Eng.FreeSprite(m.Logo.Sprite);
    m.Logo.Sprite = 0;
  };
}

void AddSign(CommandTable& t) {
  t[menu::kSignLoad] = [](AppContext& ctx) {
    LoadSign(ctx.Model, ctx.Eng, PickImage(ctx, "Choose a Sign GFX", "Data/Logo/"));
  };
  t[menu::kSignPosition] = [](AppContext& ctx) {
    if (ctx.Model.Sign.Sprite) ctx.Model.EditMode = mode::kSignMove;
  };
  t[menu::kSignRemove] = [](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    RemoveFromDisplayOrder(m, "Sign");
    ctx.Eng.FreeSprite(m.Sign.Sprite);
    m.Sign.Sprite = 0;
  };
}

void AddBackground(CommandTable& t) {
  t[menu::kBackgroundLoad] = [](AppContext& ctx) {
    LoadBackground(ctx.Model, ctx.Eng, PickImage(ctx, "Bitte ein Logo auswählen", "Data/Textures/"));
  };
  t[menu::kBackgroundRemove] = [](AppContext& ctx) {
    BackgroundFields& b = ctx.Model.Background;
    ctx.Eng.FreeTexture(b.Texture);
    b.Texture = 0;
    // The backdrop handle is cleared too, so the frame and the idle rule stop seeing it.
    ctx.Eng.FreeBackdrop(b.Sprite);
    b.Sprite = 0;
  };
}

void ResetGfxSlot(GfxFields& g, int n) {
  g.Sprite[n] = 0;
  g.File[n].clear();
  g.XPos[n] = 0;
  g.YPos[n] = 1;  // as the original editor leaves it
  g.XSize[n] = 100;
  g.YSize[n] = 100;
  g.Layer[n] = 0;
  g.SRC[n] = 5;
  g.Dest[n] = 6;
  g.Trans[n] = 255;
}

void AddGfx(CommandTable& t) {
  for (int n = 1; n <= 5; ++n) {
    t[menu::GfxItem(n, menu::kGfxLoad)] = [n](AppContext& ctx) {
      LoadGfx(ctx.Model, ctx.Eng, PickImage(ctx, "Choose a GFX File", "Data/Bobs/"), n);
    };
    t[menu::GfxItem(n, menu::kGfxPosition)] = [n](AppContext& ctx) {
      IntroModel& m = ctx.Model;
      if (!m.GFX.Sprite[n]) return;
      m.ModeGfxIndex = n;
      m.EditMode = mode::kGfxMove;
    };
    auto sizeOrRotate = [n](int modeNumber) {
      return [n, modeNumber](AppContext& ctx) {
        IntroModel& m = ctx.Model;
        if (!m.GFX.Sprite[n]) return;
        m.ModeGfxIndex = n;
        SetSpriteSizeAnchor(m, ctx.Eng, m.GFX.Sprite[n], m.GFX.XPos[n], m.GFX.YPos[n], m.GFX.XSize[n],
                            m.GFX.YSize[n]);
        m.EditMode = modeNumber;
      };
    };
    t[menu::GfxItem(n, menu::kGfxSize)] = sizeOrRotate(mode::kGfxSize);
    t[menu::GfxItem(n, menu::kGfxRotate)] = sizeOrRotate(mode::kGfxRotate);
    // The display order keeps the slot's name.
    t[menu::GfxItem(n, menu::kGfxRemove)] = [n](AppContext& ctx) {
      GfxFields& g = ctx.Model.GFX;
      if (!g.Sprite[n]) return;
      ctx.Eng.FreeSprite(g.Sprite[n]);
      ResetGfxSlot(g, n);
    };
  }
}

void AddBorder(CommandTable& t) {
  t[menu::kBorderLoad] = [](AppContext& ctx) {
    LoadBorder(ctx.Model, ctx.Eng, PickImage(ctx, "Choose a Border GFX", "Data/Border/"));
  };
  t[menu::kBorderResize] = [](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    if (!m.Border.Texture && !m.Border.Sprite[0]) return;
    m.ModeAnchorX = m.ScreenX / 2;
    m.ModeAnchorY = 0;
    m.EditMode = mode::kBorderSize;
  };
  t[menu::kBorderRemove] = [](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    ReleaseBorder(m, ctx.Eng);
    RemoveFromDisplayOrder(m, "Border");
  };
}

}  // namespace

void AddImageCommands(CommandTable& t) {
  AddLogo(t);
  AddSign(t);
  AddBackground(t);
  AddGfx(t);
  AddBorder(t);
}

}  // namespace quellor
