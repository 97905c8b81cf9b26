#include "app/dialogs/OptionActions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/AppContext.h"
#include "app/AssetDialog.h"
#include "app/DisplayOrderRebuild.h"
#include "app/MusicCommands.h"
#include "app/dialogs/DialogViews.h"
#include "app/dialogs/OptionsState.h"
#include "project/CloneTable.h"
#include "project/Ini.h"
#include "project/Loaders.h"
#include "project/NewIntro.h"
#include "project/PathResolve.h"
#include "render/Bobs.h"
#include "render/PagerTrainer.h"
#include "render/Scrollers.h"

namespace quellor::options {

namespace {

// The colour chooser's 0..255 values become the effect's 0..1 key colour this way.
constexpr float kColourScale = 0.00392157f;

void Blend(Engine& e, Handle sprite, int src, int dest) {
  if (sprite != 0) e.SpriteBlending(sprite, src, dest);
}

void BlendFont(Engine& e, const FontFields& f, int src, int dest) {
  for (const GlyphRecord& g : f.Chars) Blend(e, g.Sprite, src, dest);
}

Handle FirstGlyph(const IntroModel& m, int font) {
  const FontFields& f = font == 0 ? m.Font1 : m.Font2;
  return f.Chars[1].Sprite;
}

int Rounded(double v) {
  if (!(v > -2e9 && v < 2e9)) return 0;
  return static_cast<int>(std::lrint(v));
}

// Pager and trainer letters step by the glyph size at their zoom.
void TextSpacing(const IntroModel& m, const Engine& e, int font, int32_t sizX, int32_t sizY, int32_t& cspX,
                 int32_t& cspY) {
  Handle glyph = FirstGlyph(m, font == 0 ? 0 : 1);
  if (glyph == 0) return;  // no font: the spacing stays
  cspX = Rounded(static_cast<double>(e.SpriteWidth(glyph)) * sizX / 100.0);
  cspY = Rounded(static_cast<double>(e.SpriteHeight(glyph)) * sizY / 100.0);
}

AnimFields& Anim(IntroModel& m, int slot) { return slot == 0 ? m.Anim_2d : m.Anim_BOB; }

}  // namespace

// --- "also" effects ---------------------------------------------------------------------------

void ReapplyBlend(AppContext& ctx, const Control& c) {
  IntroModel& m = ctx.Model;
  Engine& e = ctx.Eng;
  switch (c.Slot) {
    case kLogo: Blend(e, m.Logo.Sprite, m.Logo.SRC, m.Logo.Dest); break;
    case kSign: Blend(e, m.Sign.Sprite, m.Sign.SRC, m.Sign.Dest); break;
    case kAnim2d: Blend(e, m.Anim_2d.Sprite, m.Anim_2d.SRC, m.Anim_2d.Dest); break;
    case kAnimBob: Blend(e, m.Anim_BOB.Sprite, m.Anim_BOB.SRC, m.Anim_BOB.Dest); break;
    case kFont1: BlendFont(e, m.Font1, m.Fonts.F1SRC, m.Fonts.F1Dest); break;
    case kFont2: BlendFont(e, m.Font2, m.Fonts.F2SRC, m.Fonts.F2Dest); break;
    case kBorder:
      for (Handle s : m.Border.Sprite) Blend(e, s, m.Border.SRC, m.Border.Dest);
      break;
    case kTrainerBar: Blend(e, m.TrainerBar.Sprite, m.TrainerBar.TB_SRC, m.TrainerBar.TB_Dest); break;
    default:
      if (c.Slot > kGfx && c.Slot <= kGfx + 5) {
        int i = c.Slot - kGfx;
        Blend(e, m.GFX.Sprite[i], m.GFX.SRC[i], m.GFX.Dest[i]);
      }
  }
}

void TurnGfx(AppContext& ctx, const Control& c) {
  IntroModel& m = ctx.Model;
  if (c.Slot >= 1 && c.Slot <= 5 && m.GFX.Sprite[c.Slot] != 0)
    ctx.Eng.RotateSprite(m.GFX.Sprite[c.Slot], m.GFX.Rota[c.Slot]);
}

void SwitchShadow(AppContext& ctx, const Control&) {
  if (ctx.Model.Obj3d.Entity != 0) ctx.Eng.EntityShadow(ctx.Model.Obj3d.Entity, ctx.Model.Obj3d.Shadow != 0);
}

void MoveLight(AppContext& ctx, const Control&) {
  const Obj3dFields& o = ctx.Model.Obj3d;
  ctx.Eng.PositionLight(o.LightX, o.LightY, o.LightZ);
}

void MoveObject(AppContext& ctx, const Control&) {
  Obj3dFields& o = ctx.Model.Obj3d;
  o.WorkPos = {o.PosX, o.PosY, o.PosZ};
  if (o.Entity != 0) ctx.Eng.PositionEntity(o.Entity, o.PosX, o.PosY, o.PosZ);
}

void CountRasters(AppContext& ctx, const Control&) {
  RasterFields& r = ctx.Model.Raster;
  r.RasterCount = Rounded(static_cast<double>(r.enb[1]) + r.enb[2] + r.enb[3]);
}

void ScrollerFontSpacing(AppContext& ctx, const Control& c) { UpdateScrollerSpacing(ctx.Model, ctx.Eng, c.Slot); }

void PagerFontSpacing(AppContext& ctx, const Control&) {
  IntroModel& m = ctx.Model;
  TextSpacing(m, ctx.Eng, m.Pager.Font, m.Pager.SizX, m.Pager.SizY, m.Pager.cspX, m.Pager.cspY);
  if (m.Pager.Active == 1) RestartPager(m, ctx.Eng);
}

void TrainerFontSpacing(AppContext& ctx, const Control&) {
  IntroModel& m = ctx.Model;
  TextSpacing(m, ctx.Eng, m.Trainer.Font, m.Trainer.SizX, m.Trainer.SizY, m.Trainer.cspX, m.Trainer.cspY);
  if (m.Trainer.Active == 1) RestartTrainer(m, ctx.Eng);
}

void ResetAnimFrame(AppContext& ctx, const Control&) { ctx.Model.Anim_2d.Frame = -1; }

void RebuildClones(AppContext& ctx, const Control&) {
  IntroModel& m = ctx.Model;
  if (m.AnimClone.Active == 1) GenerateClones(m);
}

void ExecNameOnly(AppContext& ctx, const Control&) {
  IntroModel& m = ctx.Model;
  if (m.ExecNME == 1) m.ExecPRG = FilePart(m.ExecPRG);
}

// --- custom fields --------------------------------------------------------------------------

std::string GetPlayAfterLoad(const IntroModel& m, const Engine&, const Control&) {
  return m.PlayAfterLoad == 1 ? "1" : "0";
}

void SetPlayAfterLoadBox(AppContext& ctx, const Control&, std::string_view v) {
  // Switching on starts the loaded tune, switching off stops it.
  SetPlayAfterLoad(ctx, v == "1");
}

std::string GetMusicName(const IntroModel& m, const Engine&, const Control&) { return MusicPanelName(m); }

void SetIntroName(AppContext& ctx, const Control&, std::string_view v) {
  IntroModel& m = ctx.Model;
  m.IntroName = OneLine(CutCharacters(std::string(v), 20));
  m.ExportName = m.IntroName;
}

std::string GetIntroName(const IntroModel& m, const Engine&, const Control&) { return m.IntroName; }

std::string GetOverlaySize(const IntroModel& m, const Engine&, const Control&) {
  return std::to_string(m.OverW) + " x " + std::to_string(m.OverH);
}

std::string GetPendingGrid(const IntroModel& m, const Engine&, const Control& c) {
  const FontGridRecord& g = m.PendingGrid;
  const int32_t v[] = {g.X, g.Y, g.CL, g.L};
  return std::to_string(v[std::clamp(c.Slot, 0, 3)]);
}

namespace {
// Lines of a grid with `perLine` characters a line: the font sheet holds 60 characters.
int32_t GridLines(int32_t perLine) { return perLine > 0 ? (60 + perLine - 1) / perLine : 0; }
}  // namespace

void SetPendingGrid(AppContext& ctx, const Control& c, std::string_view v) {
  FontGridRecord& g = ctx.Model.PendingGrid;
  int32_t value = ParseLong(v);
  if (c.Slot == 0) g.X = value;
  if (c.Slot == 1) g.Y = value;
  if (c.Slot == 2) {
    g.CL = value;
    g.L = GridLines(value);
  }
}

void SetFontPreset(AppContext& ctx, const Control&, std::string_view v) {
  IntroModel& m = ctx.Model;
  const int index = ParseLong(v);
  static constexpr int32_t kSides[] = {0, 64, 32, 16, 8};
  if (index >= 1 && index <= 4) {
    m.PendingGrid.X = m.PendingGrid.Y = kSides[index];
    m.PendingGrid.CL = 10;
    m.PendingGrid.L = GridLines(10);
    return;
  }
  // The entries after the fixed ones are the loaded fonts' own grids, font 1 first.
  int user = 0;
  for (int f = 0; f < 2; ++f) {
    if (!IsUserGrid(m.FontGrid[f])) continue;
    if (index == 5 + user) m.PendingGrid = m.FontGrid[f];
    ++user;
  }
}

std::string GetFog(const IntroModel& m, const Engine&, const Control& c) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", static_cast<double>(c.Slot == 0 ? m.Obj3d.FogStart : m.Obj3d.FogEnd));
  return buf;
}

std::string GetRasterColour(const IntroModel& m, const Engine&, const Control& c) {
  const int n = std::clamp(c.Slot, 1, 3);
  std::string out;
  for (int k = 0; k < 3; ++k) {
    int v = std::clamp(Rounded(m.Raster.rgb[n][k] / kColourScale), 0, 255);
    out += (k ? "," : "") + std::to_string(v);
  }
  return out;
}

void SetRasterColour(AppContext& ctx, const Control& c, std::string_view v) {
  const int n = std::clamp(c.Slot, 1, 3);
  std::string text(v);
  int rgb[3] = {0, 0, 0};
  if (std::sscanf(text.c_str(), "%d,%d,%d", &rgb[0], &rgb[1], &rgb[2]) != 3) return;
  for (int k = 0; k < 3; ++k) ctx.Model.Raster.rgb[n][k] = static_cast<float>(std::clamp(rgb[k], 0, 255)) * kColourScale;
}

void SetMovementPreset(AppContext& ctx, const Control&, std::string_view v) {
  ApplyBobPreset(ctx.Model, ctx.Eng, ParseLong(v));
}

std::string GetAnimInfo(const IntroModel& m, const Engine& e, const Control& c) {
  const AnimFields& a = c.Slot == 0 ? m.Anim_2d : m.Anim_BOB;
  Handle tex = a.Sprite ? e.SpriteTexture(a.Sprite) : 0;
  int w = tex ? e.TextureWidth(tex) : 0, h = tex ? e.TextureHeight(tex) : 0;
  int fw = a.FSizeX, fh = a.FSizeY;
  if (c.Slot == 1) {
    fw = fw == 0 ? 1 : fw;
    fh = fh == 0 ? 1 : fh;
  }
  return AnimationInfoText(a, w, h, fw, fh);
}

// --- buttons ------------------------------------------------------------------------------------

void PressLoadOverlay(AppContext& ctx, const Control&) {
  IntroModel& m = ctx.Model;
  std::string path = OpenAssetDialog(ctx.Win, "Choose a Overlay GFX", AssetFolder(m, "Data/Overlay/"),
                                     "only PNG |*.png|Portable Network Graphics (*.png)|*.png");
  LoadOverlay(m, ctx.Eng, path);
}

void PressRemoveOverlay(AppContext& ctx, const Control&) {
  IntroModel& m = ctx.Model;
  m.OverUSE = m.OverW = m.OverH = m.OverPX = m.OverPY = 0;
}

void PressLoadIcon(AppContext& ctx, const Control&) {
  std::string path = OpenAssetDialog(ctx.Win, "Choose a icon", AssetFolder(ctx.Model, ""), "Icon |*.ico|Icon (*.ico)|*.ico");
  if (!path.empty()) ctx.Model.IconC = path;
}

void PressRemoveIcon(AppContext& ctx, const Control&) { ctx.Model.IconC.clear(); }

void PressBrowseExec(AppContext& ctx, const Control&) {
  IntroModel& m = ctx.Model;
  std::string path = OpenAssetDialog(ctx.Win, "Choose a executable", AssetFolder(m, ""),
                                     "All possible |*.exe;*.com;*.bat|Executable File (*.exe)|*.exe");
  if (path.empty()) return;
  m.ExecPRG = m.ExecNME == 1 ? FilePart(path) : path;
}

void PressRemoveExec(AppContext& ctx, const Control&) { ctx.Model.ExecPRG.clear(); }

void PressLoadAnim(AppContext& ctx, const Control& c) {
  IntroModel& m = ctx.Model;
  std::string path = OpenAssetDialog(ctx.Win, "Choose a Anim", AssetFolder(m, "Data/Anim/"), filters::kImages);
  if (path.empty()) return;
  LoadAnimation(m, ctx.Eng, path, c.Slot == 0 ? 0 : 1);
  if (c.Slot == 1) {
    // The clones drew the old sprite.
    if (m.AnimClone.Active == 1)
      GenerateClones(m);
    else
      m.AnimClone.Clones.assign(1, CloneRecord{});
  }
}

void PressAnimFrames(AppContext& ctx, const Control& c) {
  IntroModel& m = ctx.Model;
  Engine& e = ctx.Eng;
  AnimFields& a = Anim(m, c.Slot);
  MarkChanged(m);  // the information text follows the new frames
  if (a.Sprite == 0 || a.File.empty() || a.FSizeX <= 0 || a.FSizeY <= 0) return;
  Handle framed = e.LoadSprite(ResolvePath(a.File), a.FSizeX, a.FSizeY);
  if (framed == 0) return;
  e.FreeSprite(a.Sprite);
  a.Sprite = framed;
  e.SpriteBlending(a.Sprite, a.SRC, a.Dest);
  e.ZoomSprite(a.Sprite, static_cast<float>(a.SizeX), static_cast<float>(a.SizeY));
  e.RotateSprite(a.Sprite, a.Rota);
  if (c.Slot == 1 && m.AnimClone.Active == 1) GenerateClones(m);
  ApplyDisplayOrder(m, e);  // the new sprite takes the old one's place in the stack
}

void PressLoadSign(AppContext& ctx, const Control&) {
  IntroModel& m = ctx.Model;
  LoadSign(m, ctx.Eng, OpenAssetDialog(ctx.Win, "Choose a Sign GFX", AssetFolder(m, "Data/Logo/"), filters::kImages));
}

void PressRemoveSign(AppContext& ctx, const Control&) {
  IntroModel& m = ctx.Model;
  if (m.Sign.Sprite != 0) ctx.Eng.FreeSprite(m.Sign.Sprite);
  m.Sign.Sprite = 0;
  RemoveFromDisplayOrder(m, "Sign");
  MarkChanged(m);
}

void PressApplyDisplay(AppContext& ctx, const Control&) {
  OptionsView* view = ctx.Win.OptionsWindow();
  if (!view) return;
  std::vector<LayerListRow> rows = view->LayerRows();
  if (rows.empty()) return;  // a list that shows nothing leaves the order alone
  RebuildDisplayOrder(ctx.Model, rows);
  ApplyDisplayOrder(ctx.Model, ctx.Eng);
  MarkChanged(ctx.Model);
}

void PressResetRotation(AppContext& ctx, const Control&) {
  Obj3dFields& o = ctx.Model.Obj3d;
  o.RotX = o.RotY = o.RotZ = 0;
  MarkChanged(ctx.Model);
}

void PressRasterTexture(AppContext& ctx, const Control& c) {
  IntroModel& m = ctx.Model;
  const int bar = std::clamp(c.Slot, 1, 3);
  std::string path = OpenAssetDialog(ctx.Win, "Choose the Rastercolors", AssetFolder(m, "Data/Raster/"), filters::kImages);
  LoadRasterTexture(m, ctx.Eng, path, bar, m.Raster.txt[bar]);
}

void PressRasterColour(AppContext& ctx, const Control& c) {
  std::string now = GetRasterColour(ctx.Model, ctx.Eng, c);
  int r = 0, g = 0, b = 0;
  std::sscanf(now.c_str(), "%d,%d,%d", &r, &g, &b);
  uint32_t rgb = static_cast<uint32_t>(r << 16 | g << 8 | b);
  if (!ctx.Win.ChooseColour(rgb)) return;
  SetRasterColour(ctx, c,
                  std::to_string(rgb >> 16 & 255) + "," + std::to_string(rgb >> 8 & 255) + "," +
                      std::to_string(rgb & 255));
  MarkChanged(ctx.Model);  // the swatch shows the new colour
}

namespace {
void MoveRow(AppContext& ctx, int step) {
  OptionsView* view = ctx.Win.OptionsWindow();
  if (!view) return;
  std::vector<LayerListRow> rows = view->LayerRows();
  int sel = view->SelectedLayerRow();
  int to = sel + step;
  if (sel < 0 || sel >= static_cast<int>(rows.size()) || to < 0 || to >= static_cast<int>(rows.size())) return;
  std::swap(rows[static_cast<size_t>(sel)], rows[static_cast<size_t>(to)]);
  view->SetLayerRows(rows, to);
}
}  // namespace

void PressRowUp(AppContext& ctx, const Control&) { MoveRow(ctx, -1); }
void PressRowDown(AppContext& ctx, const Control&) { MoveRow(ctx, 1); }

void ChangeRowLayer(AppContext& ctx, const Control& c, std::string_view v) {
  OptionsView* view = ctx.Win.OptionsWindow();
  if (!view) return;
  std::vector<LayerListRow> rows = view->LayerRows();
  int sel = view->SelectedLayerRow();
  int index = ParseLong(v);
  if (sel < 0 || sel >= static_cast<int>(rows.size()) || index < 0 || index >= static_cast<int>(c.Choices.size()))
    return;
  rows[static_cast<size_t>(sel)].Layer = c.Choices[static_cast<size_t>(index)];
  view->SetLayerRows(rows, sel);
}

void PressCalculate(AppContext& ctx, const Control& c) {
  ScrollerFields& s = ctx.Model.Scroller[c.Slot == 1 ? 1 : 0];
  s.TablePhase = 0;
  BuildSineTables(s);
}

void PressLoadBar(AppContext& ctx, const Control&) {
  IntroModel& m = ctx.Model;
  std::string path = OpenAssetDialog(ctx.Win, "Choose a Trainerbar", AssetFolder(m, "Data/TrainerBar/"), filters::kImages);
  if (path.empty()) return;
  LoadTrainerBar(m, ctx.Eng, path);
  RestartTrainer(m, ctx.Eng);
}

void PressRemoveBar(AppContext& ctx, const Control&) {
  IntroModel& m = ctx.Model;
  if (m.TrainerBar.Sprite != 0) ctx.Eng.FreeSprite(m.TrainerBar.Sprite);
  m.TrainerBar.Sprite = 0;
  m.TrainerBar.File.clear();
  RemoveFromDisplayOrder(m, "TrainerBar");
  MarkChanged(m);
}

void PressCloneValues(AppContext& ctx, const Control&) { GenerateClones(ctx.Model); }

}  // namespace quellor::options
