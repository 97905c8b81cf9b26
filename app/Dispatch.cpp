#include "app/Dispatch.h"

#include "app/DisplayOrderRebuild.h"
#include "app/MenuIds.h"
#include "app/MusicCommands.h"
#include "app/PlacementModes.h"
#include "app/commands/CommandTable.h"
#include "app/commands/GadgetRouting.h"
#include "app/dialogs/About.h"
#include "app/dialogs/DialogViews.h"
#include "app/dialogs/TextEditor.h"
#include "project/NewIntro.h"

namespace quellor {

const CommandTable& MenuCommands() {
  static const CommandTable kTable = [] {
    CommandTable t;
    AddFileCommands(t);
    AddImageCommands(t);
    AddAnimCommands(t);
    AddTextCommands(t);
    AddObjectCommands(t);
    AddEffectCommands(t);
    AddDialogCommands(t);
    AddMusicCommands(t);
    return t;
  }();
  return kTable;
}

bool HasMenuCommand(int item) { return MenuCommands().count(item) != 0; }

void SyncActiveChecks(AppContext& ctx) {
  const IntroModel& m = ctx.Model;
  ctx.Win.SetMenuCheck(menu::ScrollerItem(1, menu::kScrollerActive), m.Scroller[0].Active == 1);
  ctx.Win.SetMenuCheck(menu::ScrollerItem(2, menu::kScrollerActive), m.Scroller[1].Active == 1);
  ctx.Win.SetMenuCheck(menu::kPagerActive, m.Pager.Active == 1);
  ctx.Win.SetMenuCheck(menu::kTrainerActive, m.Trainer.Active == 1);
}

bool CommandChangesIntro(int item) {
  using namespace menu;
  // The File, Edit, Extra and Help menus change the intro only through what they open
  // or load; entering a placement mode changes nothing until the mouse does; loaders
  // mark the intro changed themselves, and only when they load something.
  if (item < kLogoLoad || item >= kExtraIntroSetup) return false;
  switch (item) {
    case kLogoLoad: case kLogoPosition: case kLogoSize: case kLogoEffectNone:
    case kSignLoad: case kSignPosition: case kBackgroundLoad:
    case kObjLoad: case kObjLoadAnim: case kObjTexLoad: case kObjTexShader: case kObjShaderLoad:
    case kObjPosition: case kObjResize: case kMusicLoad: case kPostFxLoad:
    case kPagerPosition: case kPagerSize: case kPagerLineSpace:
    case kTrainerPosition: case kTrainerSize: case kTrainerLineSpace:
    case kBorderLoad: case kBorderResize:
      return false;
    default:
      break;
  }
  if (item >= kObjShaderTexLoad1 && item < kObjPosition) return (item - kObjShaderTexLoad1) % 2 != 0;
  if (item >= kGfxBase && item < kAnimBase) {
    const int action = (item - kGfxBase) % 10;
    return action == kGfxRemove;
  }
  if (item >= kAnimBase && item < kScrollerBase) return (item - kAnimBase) % 10 == kAnimRemove;
  if (item >= kScrollerBase && item < kPagerPosition) {
    const int sub = (item - kScrollerBase) % 20;
    return sub != kScrollerPosition && sub != kScrollerSize;
  }
  return true;
}

void DispatchMenu(AppContext& ctx, int item) {
  auto it = MenuCommands().find(item);
  if (it != MenuCommands().end()) {
    it->second(ctx);
    if (CommandChangesIntro(item)) MarkChanged(ctx.Model);
  }
  // New, Load and the trainer's own line check change the Active fields behind the
  // menu's back; the marks are brought in line after every command, and so is the sound
  // (New Intro leaves no player, so nothing may go on playing).
  SyncActiveChecks(ctx);
  SyncMusicOutput(ctx);
}

void DispatchGadget(AppContext& ctx, WindowId window, int gadget) {
  switch (window) {
    case WindowId::Options:
      if (const GadgetRoute* r = FindGadgetRoute(OptionsGadgetRoutes(), gadget)) r->Handle(ctx, gadget);
      break;
    case WindowId::TextEditor: HandleEditorGadget(ctx, gadget); break;
    case WindowId::About: HandleAboutGadget(ctx, gadget); break;
    default: break;
  }
  SyncMusicOutput(ctx);
}

void HandleRightClick(AppContext& ctx) {
  if (ctx.Win.WindowOpen(WindowId::TextEditor)) ctx.Win.ShowTextEditorContextMenu();
}

void HandleCloseRequest(AppContext& ctx, WindowId w) {
  switch (w) {
    case WindowId::Main:
      ctx.QuitRequested = true;
      return;
    case WindowId::Options: {
      OptionsView* view = ctx.Win.OptionsWindow();
      std::vector<LayerListRow> rows = view ? view->LayerRows() : std::vector<LayerListRow>{};
      // A window that reports no list leaves the order alone rather than emptying it.
      if (!rows.empty()) {
        RebuildDisplayOrder(ctx.Model, rows);
        ApplyDisplayOrder(ctx.Model, ctx.Eng);
        MarkChanged(ctx.Model);
      }
      break;
    }
    case WindowId::TextEditor:
      CloseEditor(ctx);
      return;
    case WindowId::About:
      CloseAbout(ctx);
      return;
    default:
      break;
  }
  ctx.Win.CloseWindow(w);
}

PlacementHook* ActivePlacement(AppContext& ctx) {
  return IsPlacementMode(ctx.Model.EditMode) ? &ctx.Placement : nullptr;
}

}  // namespace quellor
