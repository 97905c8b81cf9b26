#include <algorithm>
#include <cstdint>

#include "app/AssetDialog.h"
#include "app/MenuIds.h"
#include "app/PlacementModes.h"
#include "app/commands/CommandTable.h"
#include "project/Loaders.h"
#include "project/NewIntro.h"
#include "render/PagerTrainer.h"
#include "render/Scrollers.h"

namespace quellor {
namespace {

FontFields& Font(IntroModel& m, int n) { return n == 1 ? m.Font1 : m.Font2; }
std::string FontOrderName(int n) { return n == 1 ? "Font1" : "Font2"; }

// Frees font n's image and character pieces; the file name and grid stay.
void FreeFontImages(Engine& e, FontFields& f) {
  for (GlyphRecord& g : f.Chars) {
    e.FreeSprite(g.Sprite);
    e.FreeTexture(g.Image);
    g = GlyphRecord{};
  }
  e.FreeTexture(f.Image);
  f.Image = 0;
}

int Toggle(int32_t& active) {
  active = active == 1 ? 0 : 1;
  return active;
}

void AddFonts(CommandTable& t) {
  for (int n = 1; n <= 2; ++n) {
    t[n == 1 ? menu::kFontLoad1 : menu::kFontLoad2] = [n](AppContext& ctx) {
      IntroModel& m = ctx.Model;
      std::string path = OpenAssetDialog(ctx.Win, "Bitte ein Logo auswählen", AssetFolder(m, "Data/Fonts/"),
                                         filters::kImages);
      // The old font goes even when the dialog was cancelled.
      if (!Font(m, n).File.empty()) {
        FreeFontImages(ctx.Eng, Font(m, n));
        RemoveFromDisplayOrder(m, FontOrderName(n));
      }
      if (path.empty()) return;
      LoadFont(m, ctx.Eng, path, n);
      Font(m, n).File = path;
    };
    t[n == 1 ? menu::kFontRemove1 : menu::kFontRemove2] = [n](AppContext& ctx) {
      IntroModel& m = ctx.Model;
      if (Font(m, n).File.empty()) return;
      FreeFontImages(ctx.Eng, Font(m, n));
      RemoveFromDisplayOrder(m, FontOrderName(n));
    };
  }
}

void AddScrollers(CommandTable& t) {
  for (int n = 1; n <= 2; ++n) {
    const int s = n - 1;
    t[menu::ScrollerItem(n, menu::kScrollerPosition)] = [s](AppContext& ctx) {
      if (ctx.Model.Scroller[s].Active != 1) return;
      ctx.Model.EditMode = s == 0 ? mode::kScroller1Move : mode::kScroller2Move;
    };
    t[menu::ScrollerItem(n, menu::kScrollerSize)] = [s](AppContext& ctx) {
      IntroModel& m = ctx.Model;
      if (m.Scroller[s].Active != 1) return;
      m.ModeAnchorX = m.ScreenX / 2;
      m.ModeAnchorY = 0;
      m.EditMode = s == 0 ? mode::kScroller1Size : mode::kScroller2Size;
    };
    for (int fx = 0; fx <= 7; ++fx) {
      t[menu::ScrollerItem(n, menu::kScrollerEffect + fx)] = [s, fx](AppContext& ctx) {
        SetScrollerEffect(ctx.Model, s, fx);
      };
    }
    const int activeItem = menu::ScrollerItem(n, menu::kScrollerActive);
    t[activeItem] = [s, activeItem](AppContext& ctx) {
      ctx.Win.SetMenuCheck(activeItem, Toggle(ctx.Model.Scroller[s].Active) == 1);
    };
  }
}

// A pager or trainer mode, entered only while that text is active, anchored at the
// top centre of the screen.
template <class Fields>
auto AnchoredTextMode(Fields IntroModel::*text, int modeNumber) {
  return [text, modeNumber](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    if ((m.*text).Active != 1) return;
    m.ModeAnchorX = m.ScreenX / 2;
    m.ModeAnchorY = 0;
    m.EditMode = modeNumber;
  };
}

void AddPager(CommandTable& t) {
  t[menu::kPagerPosition] = [](AppContext& ctx) {
    if (ctx.Model.Pager.Active == 1) ctx.Model.EditMode = mode::kPagerMove;
  };
  t[menu::kPagerSize] = AnchoredTextMode(&IntroModel::Pager, mode::kPagerSize);
  t[menu::kPagerLineSpace] = AnchoredTextMode(&IntroModel::Pager, mode::kPagerSpace);
  t[menu::kPagerActive] = [](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    if (Toggle(m.Pager.Active) == 1) RestartPager(m, ctx.Eng);
    ctx.Win.SetMenuCheck(menu::kPagerActive, m.Pager.Active == 1);
  };
}

void AddTrainer(CommandTable& t) {
  t[menu::kTrainerPosition] = AnchoredTextMode(&IntroModel::Trainer, mode::kTrainerMove);
  t[menu::kTrainerSize] = AnchoredTextMode(&IntroModel::Trainer, mode::kTrainerSize);
  t[menu::kTrainerLineSpace] = AnchoredTextMode(&IntroModel::Trainer, mode::kTrainerSpace);
  t[menu::kTrainerBarSize] = [](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    if (!m.TrainerBar.Sprite) return;
    m.TrainerBar.TB_Line = 0;  // a bar spanning the screen cannot be sized
    int64_t anchor = int64_t{m.TrainerState.BarX} + ctx.Eng.SpriteWidth(m.TrainerBar.Sprite) / 2;
    m.ModeAnchorX = static_cast<int32_t>(std::min<int64_t>(anchor, INT32_MAX));
    m.EditMode = mode::kTrainerBarSize;
  };
  t[menu::kTrainerActive] = [](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    Toggle(m.Trainer.Active);
    RestartTrainer(m, ctx.Eng);
    // Rebuilding may switch the trainer off again (too few lines); the mark shows the result.
    ctx.Win.SetMenuCheck(menu::kTrainerActive, m.Trainer.Active == 1);
  };
}

}  // namespace

void AddTextCommands(CommandTable& t) {
  AddFonts(t);
  AddScrollers(t);
  AddPager(t);
  AddTrainer(t);
}

}  // namespace quellor
