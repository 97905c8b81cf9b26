#include "app/PlacementModes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "app/AppContext.h"
#include "project/Loaders.h"
#include "render/PagerTrainer.h"
#include "render/Scrollers.h"
#include "render/TextOptions.h"

namespace quellor {
namespace {

enum class Kind { Move, Size, Move3d, Rotate };

struct ModeInfo {
  const char* Title;  // for GFX modes: the suffix after "Quellor - GFX#n"
  Kind Help;
  int Image;  // help image 1..3
};

const ModeInfo* Info(int n) {
  static const ModeInfo kModes[28] = {
      {nullptr, Kind::Move, 0},
      {"Quellor - Logo Move Mode - RMB to Move Logo   //   LMB to leave Mode", Kind::Move, 2},
      {"Quellor - Logo Size Mode - RMB to change Logo size   //   LMB to leave Mode", Kind::Size, 2},
      {"Quellor - Scroller 1 position Mode - RMB to Move Scroller   //   LMB to leave Mode", Kind::Move, 3},
      {"Quellor - Scroller 1 size Mode - RMB to resize Scroller   //   LMB to leave Mode", Kind::Size, 2},
      {"Quellor - Scroller 2 position Mode - RMB to Move Scroller   //   LMB to leave Mode", Kind::Move, 3},
      {"Quellor - Scroller 2 size Mode - RMB to resize Scroller   //   LMB to leave Mode", Kind::Size, 2},
      {"Quellor - 3d Object size Mode - RMB to resize Object   //   LMB to leave Mode", Kind::Size, 1},
      {"Quellor - 3d Object Position Mode - RMB to move Object   //   LMB to leave Mode", Kind::Move3d, 2},
      {"Quellor - Border GFX size Mode - RMB to resize Border   //   LMB to leave Mode", Kind::Size, 2},
      {"Quellor - Pager Move Mode - RMB to Move Page Text   //   LMB to leave Mode", Kind::Move, 2},
      {"Quellor - Pager size Mode - RMB to resize Page Text   //   LMB to leave Mode", Kind::Size, 2},
      {"Quellor - Pager LineSpace Mode - RMB to Move Page Text   //   LMB to leave Mode", Kind::Move, 3},
      {nullptr, Kind::Move, 0},
      {"Quellor - 2d Anim Move Mode - RMB to Move Logo   //   LMB to leave Mode", Kind::Move, 2},
      {"Quellor - 2d Anim Size Mode - RMB to change Logo size   //   LMB to leave Mode", Kind::Size, 2},
      {"Quellor - 2d Anim Rotate Mode - RMB to rotate the anim  //   LMB to leave Mode", Kind::Rotate, 2},
      {"Quellor - Bob Anim Move Mode - RMB to Move Logo   //   LMB to leave Mode", Kind::Move, 2},
      {"Quellor - Bob Anim Size Mode - RMB to change Logo size   //   LMB to leave Mode", Kind::Size, 2},
      {"Quellor - Bob Anim Rotate Mode - RMB to rotate the anim  //   LMB to leave Mode", Kind::Rotate, 2},
      {"Quellor - Sign Move Mode - RMB to Move Logo   //   LMB to leave Mode", Kind::Move, 2},
      {"Quellor - Trainer Move Mode - RMB to Move Page Text   //   LMB to leave Mode", Kind::Move, 2},
      {"Quellor - Trainer size Mode - RMB to resize Page Text   //   LMB to leave Mode", Kind::Size, 2},
      {"Quellor - Trainer LineSpace Mode - RMB to Move Page Text   //   LMB to leave Mode", Kind::Move, 3},
      {"Quellor - TrainerBar Size Mode - RMB to change Logo size   //   LMB to leave Mode", Kind::Size, 2},
      {" Move Mode - RMB To Move Logo   //   LMB To leave Mode", Kind::Move, 2},
      {" Size Mode - RMB to change Logo size   //   LMB to leave Mode", Kind::Size, 2},
      {" Rotate Mode - RMB to rotate the anim  //   LMB to leave Mode", Kind::Rotate, 2},
  };
  return IsPlacementMode(n) ? &kModes[n] : nullptr;
}

// Values come from project files as well as from the mouse: integer rules work in 64
// bits and saturate, so extreme settings cannot overflow.
int32_t Sat(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

// |a + b - c| in 64 bits, saturated.
int32_t AbsDistance(int64_t a, int64_t b, int64_t c) {
  int64_t d = a + b - c;
  return Sat(d < 0 ? -d : d);
}

bool IsGfxMode(int n) { return n >= mode::kGfxMove && n <= mode::kGfxRotate; }
bool IsPagerMode(int n) { return n >= mode::kPagerMove && n <= mode::kPagerSpace; }
bool IsTrainerTextMode(int n) { return n >= mode::kTrainerMove && n <= mode::kTrainerSpace; }

// The GFX slot of a GFX mode; 0 when the index is out of range.
int GfxSlot(const IntroModel& m) {
  return (m.ModeGfxIndex >= 1 && m.ModeGfxIndex <= 5) ? m.ModeGfxIndex : 0;
}

Handle FirstGlyph(const IntroModel& m, int font) {
  return (font == 0 ? m.Font1 : m.Font2).Chars[0].Sprite;
}

// Logo and GFX size rule: the distance from the anchor, shifted by half the sprite, is the
// size in percent on each axis; the sprite stays centred on the anchor.
void SpriteSizeRule(IntroModel& m, Engine& e, Handle sprite, int32_t& sizeX, int32_t& sizeY,
                    int32_t& posX, int32_t& posY) {
  int hw = e.SpriteWidth(sprite) / 2, hh = e.SpriteHeight(sprite) / 2;
  sizeX = AbsDistance(m.ModeAnchorX, hw, m.PreviewMouseX);
  sizeY = AbsDistance(m.ModeAnchorY, hh, m.PreviewMouseY);
  float dx = static_cast<float>(sizeX) / 100.0f * static_cast<float>(hw);
  float dy = static_cast<float>(sizeY) / 100.0f * static_cast<float>(hh);
  e.ZoomSprite(sprite, static_cast<float>(sizeX), static_cast<float>(sizeY));
  posX = RoundToInt(static_cast<double>(m.ModeAnchorX) - dx);
  posY = RoundToInt(static_cast<double>(m.ModeAnchorY) - dy);
}

void SpriteMoveRule(const IntroModel& m, const Engine& e, Handle sprite, int sizeX, int sizeY,
                    int32_t& posX, int32_t& posY) {
  int hw = e.SpriteWidth(sprite) / 2, hh = e.SpriteHeight(sprite) / 2;
  posX = RoundToInt(m.PreviewMouseX - static_cast<double>(static_cast<float>(sizeX) / 100.0f * static_cast<float>(hw)));
  posY = RoundToInt(m.PreviewMouseY - static_cast<double>(static_cast<float>(sizeY) / 100.0f * static_cast<float>(hh)));
}

void ScrollerSizeRule(IntroModel& m, Engine& e, int s) {
  ScrollerFields& sc = m.Scroller[s];
  sc.SizY = RoundToInt(AbsDistance(m.ModeAnchorY, 0, m.PreviewMouseY) * 2.5);
  sc.SizX = RoundToInt(AbsDistance(m.ModeAnchorX, 0, m.PreviewMouseX) * 2.5);
  float charW = static_cast<float>(e.SpriteWidth(FirstGlyph(m, s)));
  sc.cspX = RoundToInt(static_cast<float>(sc.SizX) / 100.0f * charW);
  if (sc.cspX > 0) sc.Slots = m.ScreenX / sc.cspX + 1;
}

// Pager and trainer letter size: the distances are the zoom, the step follows the glyph.
void TextSizeRule(const IntroModel& m, const Engine& e, int font, int32_t& sizX, int32_t& sizY,
                  int32_t& cspX, int32_t& cspY) {
  sizY = std::max(1, AbsDistance(m.ModeAnchorY, 0, m.PreviewMouseY));
  sizX = std::max(1, AbsDistance(m.ModeAnchorX, 0, m.PreviewMouseX));
  Handle glyph = FirstGlyph(m, font == 0 ? 0 : 1);
  cspX = RoundToInt(static_cast<double>(e.SpriteWidth(glyph)) * sizX / 100.0);
  cspY = RoundToInt(static_cast<double>(e.SpriteHeight(glyph)) * sizY / 100.0);
}

// Pager and trainer move: the text block's centre follows the mouse.
template <class Fields>
void TextMoveRule(Fields& t, int32_t mx, int32_t my) {
  t.XPos = Sat(mx - int64_t{t.perLine} * t.cspX / 2);
  t.YPos = Sat(my - int64_t{t.YLins} * t.cspY / 2);
}

int32_t LineSpace(const IntroModel& m) {
  return RoundToInt(AbsDistance(m.ScreenY / 2, 0, m.PreviewMouseY) * 2.5);
}

void AnimMoveRule(IntroModel& m, AnimFields& a) {
  a.PosX = m.PreviewMouseX - static_cast<float>(a.SizeX) / 100.0f * static_cast<float>(a.FSizeX / 2);
  a.PosY = m.PreviewMouseY - static_cast<float>(a.SizeY) / 100.0f * static_cast<float>(a.FSizeY / 2);
}

// The mouse counts one and a half times, so the strip grows faster than the logo.
void AnimSizeRule(IntroModel& m, Engine& e, AnimFields& a) {
  a.SizeX = RoundToInt(std::fabs(static_cast<double>(m.ModeAnchorX) + a.FSizeX / 2 - 1.5 * m.PreviewMouseX));
  a.SizeY = RoundToInt(std::fabs(static_cast<double>(m.ModeAnchorY) + a.FSizeY / 2 - 1.5 * m.PreviewMouseY));
  float dx = static_cast<float>(a.SizeX) / 100.0f * static_cast<float>(a.FSizeX / 2);
  float dy = static_cast<float>(a.SizeY) / 100.0f * static_cast<float>(a.FSizeY / 2);
  e.ZoomSprite(a.Sprite, static_cast<float>(a.SizeX), static_cast<float>(a.SizeY));
  a.PosX = m.ModeAnchorX - dx;
  a.PosY = m.ModeAnchorY - dy;
}

void AnimRotateRule(IntroModel& m, Engine& e, AnimFields& a) {
  a.Rota = WrapDegrees(static_cast<float>(static_cast<double>(m.ModeAnchorX) + a.FSizeX / 2 - m.PreviewMouseX));
  e.RotateSprite(a.Sprite, a.Rota);
}

void TrainerBarSizeRule(IntroModel& m, Engine& e) {
  TrainerBarFields& bar = m.TrainerBar;
  int w = e.SpriteWidth(bar.Sprite);
  if (w <= 0) return;
  bar.TB_CSX = AbsDistance(m.ModeAnchorX, w / 2, m.PreviewMouseX);
  // Zoom and place the bar exactly as the trainer does, centred on its text.
  RefreshTrainerBar(m, e);
}

void BorderSizeRule(IntroModel& m, Engine& e) {
  BorderFields& b = m.Border;
  b.SizY = AbsDistance(m.ModeAnchorY, 0, m.PreviewMouseY);
  b.SizX = AbsDistance(m.ModeAnchorX, 0, m.PreviewMouseX);
  if (b.SizX == 0) b.SizX = 1;
  b.CspX = RoundToInt(static_cast<double>(e.SpriteWidth(b.Sprite[0])) * b.SizX / 100.0);
  b.CspY = RoundToInt(static_cast<double>(e.SpriteHeight(b.Sprite[0])) * b.SizY / 100.0);
  if (b.CspX > 0) {
    b.TilesX = m.ScreenX / b.CspX;
    b.TilesY = m.ScreenY / b.CspX;
  }
}

// Work that a mode does on every pass, with or without the right button.
void PassUpkeep(IntroModel& m, Engine& e, int n) {
  if (n == mode::kBorderSize) ZoomBorderPieces(m, e);
  // The first page is laid out again so the page being edited stays in view.
  if (IsPagerMode(n)) RestartPager(m, e);
  // Position and size move the bar with the text; all three lay the lines out anew.
  // The option states stay: the full restart happens when the mode ends.
  if (n == mode::kTrainerMove || n == mode::kTrainerSize) RefreshTrainerBar(m, e);
  if (IsTrainerTextMode(n)) BuildTrainerLetters(m);
}

// snprintf's result as a view of what landed in `buf` (it may have been cut short).
std::string_view Written(const char* buf, int n, size_t size) {
  if (n < 0) return {};
  return {buf, std::min(static_cast<size_t>(n), size - 1)};
}

// Formatted on the stack: the overlay runs every frame and must not allocate.
void Label(Engine& e, int x, const char* label, double v, bool decimals = false) {
  char buf[64];
  const int n = decimals ? std::snprintf(buf, sizeof buf, "%s%.2f", label, v)
                         : std::snprintf(buf, sizeof buf, "%s%d", label, RoundToInt(v));
  e.DrawText(x, 40, Written(buf, n, sizeof buf));
}

void DrawValues(IntroModel& m, Engine& e, int n) {
  auto pair = [&](const char* a, double va, const char* b, double vb, int bx) {
    Label(e, 0, a, va);
    Label(e, bx, b, vb);
  };
  auto positions = [&](double x, double y) { pair("X Position:", x, "Y Position:", y, 130); };
  auto sizes = [&](double x, double y) { pair("X Size:", x, "Y Size:", y, 120); };
  switch (n) {
    case mode::kLogoMove: positions(m.Logo.PosX, m.Logo.PosY); break;
    case mode::kLogoSize: {
      int hw = e.SpriteWidth(m.Logo.Sprite) / 2, hh = e.SpriteHeight(m.Logo.Sprite) / 2;
      sizes(m.Logo.SizeX / 100.0f * hw, m.Logo.SizeY / 100.0f * hh);
      break;
    }
    case mode::kScroller1Move: Label(e, 0, "Position:", m.Scroller[0].PosY); break;
    case mode::kScroller2Move: Label(e, 0, "Position:", m.Scroller[1].PosY); break;
    case mode::kScroller1Size: sizes(m.Scroller[0].SizX, m.Scroller[0].SizY); break;
    case mode::kScroller2Size: sizes(m.Scroller[1].SizX, m.Scroller[1].SizY); break;
    case mode::kObjectSize: {
      float w = 0, h = 0, d = 0;
      e.EntitySize(m.Obj3d.Entity, &w, &h, &d);
      Label(e, 0, "X Size:", w, true);
      Label(e, 120, "Y Size:", h, true);
      Label(e, 240, "Z Size:", d, true);
      break;
    }
    case mode::kObjectMove:
      Label(e, 0, "X Position:", m.Obj3d.WorkPos[0], true);
      Label(e, 150, "Y Position:", m.Obj3d.WorkPos[1], true);
      Label(e, 300, "Z Position:", m.Obj3d.WorkPos[2], true);
      break;
    case mode::kBorderSize: sizes(m.Border.SizX, m.Border.SizY); break;
    case mode::kPagerMove: positions(m.Pager.XPos, m.Pager.YPos); break;
    case mode::kPagerSize: sizes(m.Pager.cspX, m.Pager.cspY); break;
    case mode::kPagerSpace: Label(e, 0, "Space:", m.Pager.Spacer); break;
    case mode::kAnimMove: positions(m.Anim_2d.PosX, m.Anim_2d.PosY); break;
    case mode::kBobMove: positions(m.Anim_BOB.PosX, m.Anim_BOB.PosY); break;
    case mode::kAnimSize:
    case mode::kBobSize: {
      const AnimFields& a = n == mode::kAnimSize ? m.Anim_2d : m.Anim_BOB;
      sizes(a.SizeX / 100.0f * (a.FSizeX / 2), a.SizeY / 100.0f * (a.FSizeY / 2));
      break;
    }
    case mode::kAnimRotate: Label(e, 0, "Degree:", m.Anim_2d.Rota); break;
    case mode::kBobRotate: Label(e, 0, "Degree:", m.Anim_BOB.Rota); break;
    case mode::kSignMove: positions(m.Sign.PosX, m.Sign.PosY); break;
    case mode::kTrainerMove: positions(m.Trainer.XPos, m.Trainer.YPos); break;
    case mode::kTrainerSize: sizes(m.Trainer.cspX, m.Trainer.cspY); break;
    case mode::kTrainerSpace: Label(e, 0, "Space:", m.Trainer.Spacer); break;
    case mode::kTrainerBarSize: Label(e, 0, "X Size:", m.TrainerBar.TB_CSX); break;
    case mode::kGfxMove:
    case mode::kGfxSize:
    case mode::kGfxRotate: {
      int g = GfxSlot(m);
      if (g == 0) break;
      if (n == mode::kGfxMove) {
        positions(m.GFX.XPos[g], m.GFX.YPos[g]);
      } else if (n == mode::kGfxSize) {
        int hw = e.SpriteWidth(m.GFX.Sprite[g]) / 2, hh = e.SpriteHeight(m.GFX.Sprite[g]) / 2;
        sizes(m.GFX.XSize[g] / 100.0f * hw, m.GFX.YSize[g] / 100.0f * hh);
      } else {
        Label(e, 0, "Degree:", m.GFX.Rota[g]);
      }
      break;
    }
    default: break;
  }
}

void DrawHelp(IntroModel& m, Engine& e, int n) {
  const ModeInfo* info = Info(n);
  const char* line1 = "Right Mouse Button to change the position";
  const char* line2 = "Left Mouse Button to set new Values";
  switch (info->Help) {
    case Kind::Move: line2 = "Left Mouse Button to set new value"; break;
    case Kind::Size: line1 = "Right Mouse Button to change the size"; break;
    case Kind::Move3d: line1 = "Right Mouse Button to move the object"; break;
    case Kind::Rotate: line1 = "Right Mouse Button to rotate"; break;
  }
  e.DrawText(0, 1, line1);
  e.DrawText(0, 20, line2);
  DrawValues(m, e, n);
  Handle image = m.HelpImages[info->Image - 1];
  if (image == 0) image = m.ModeMarker;
  if (image != 0) {
    // On top of every other sprite of the frame.
    e.SpriteToFront(image, 1);
    e.DisplaySprite(image, m.ScreenX / 2 - 128, m.ScreenY / 2 - 128, 175);
  }
}

}  // namespace

bool IsPlacementMode(int n) { return n >= 1 && n <= 27 && n != 13; }

float WrapDegrees(float deg) {
  if (!std::isfinite(deg)) return 0.0f;
  float r = std::fmod(deg, 360.0f);
  if (r < 0) r += 360.0f;
  return r >= 360.0f ? 0.0f : r;
}

int32_t RoundToInt(double v) {
  if (std::isnan(v)) return 0;
  double r = std::nearbyint(v);
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
  if (r <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

std::string_view PlacementTitle(const IntroModel& m, int n, PlacementTitleBuffer& buf) {
  const ModeInfo* info = Info(n);
  if (!info) return {};
  if (!IsGfxMode(n)) return info->Title;
  const int len = std::snprintf(buf.data(), buf.size(), "Quellor - GFX#%d%s", m.ModeGfxIndex, info->Title);
  return Written(buf.data(), len, buf.size());
}

void SetSpriteSizeAnchor(IntroModel& m, const Engine& e, Handle sprite, int posX, int posY,
                         int sizeX, int sizeY) {
  m.ModeAnchorX = Sat(posX + int64_t{sizeX / 100} * (e.SpriteWidth(sprite) / 2));
  m.ModeAnchorY = Sat(posY + int64_t{sizeY / 100} * (e.SpriteHeight(sprite) / 2));
}

void SetAnimAnchor(IntroModel& m, const AnimFields& a) {
  m.ModeAnchorX = RoundToInt(a.PosX + static_cast<float>(a.FSizeX) * a.SizeX / 100.0f / 2.0f);
  m.ModeAnchorY = RoundToInt(a.PosY + static_cast<float>(a.FSizeY) * a.SizeY / 100.0f / 2.0f);
}

void ApplyPlacementRule(IntroModel& m, Engine& e, int n) {
  const int mx = m.PreviewMouseX, my = m.PreviewMouseY;
  switch (n) {
    case mode::kLogoMove:
      SpriteMoveRule(m, e, m.Logo.Sprite, m.Logo.SizeX, m.Logo.SizeY, m.Logo.PosX, m.Logo.PosY);
      break;
    case mode::kLogoSize:
      SpriteSizeRule(m, e, m.Logo.Sprite, m.Logo.SizeX, m.Logo.SizeY, m.Logo.PosX, m.Logo.PosY);
      break;
    case mode::kScroller1Move: m.Scroller[0].PosY = my; break;
    case mode::kScroller2Move: m.Scroller[1].PosY = my; break;
    case mode::kScroller1Size: ScrollerSizeRule(m, e, 0); break;
    case mode::kScroller2Size: ScrollerSizeRule(m, e, 1); break;
    case mode::kObjectSize: {
      float k = static_cast<float>(AbsDistance(m.ModeAnchorX, 0, mx));
      e.ScaleEntity(m.Obj3d.Entity, m.ModeStartSize[0] * k, m.ModeStartSize[1] * k, m.ModeStartSize[2] * k);
      break;
    }
    case mode::kObjectMove: {
      float x = static_cast<float>(int64_t{mx} - m.ModeAnchorX) / 80.0f;
      float y = static_cast<float>(int64_t{m.ModeAnchorY} - my) / 80.0f;
      m.Obj3d.WorkPos = {x, y, 10.0f};
      // The stored position follows, so a save keeps where the object was put.
      m.Obj3d.PosX = x;
      m.Obj3d.PosY = y;
      m.Obj3d.PosZ = 10.0f;
      e.PositionEntity(m.Obj3d.Entity, x, y, 10.0f);
      break;
    }
    case mode::kBorderSize: BorderSizeRule(m, e); break;
    case mode::kPagerMove:
      TextMoveRule(m.Pager, mx, my);
      break;
    case mode::kPagerSize:
      TextSizeRule(m, e, m.Pager.Font, m.Pager.SizX, m.Pager.SizY, m.Pager.cspX, m.Pager.cspY);
      break;
    case mode::kPagerSpace: m.Pager.Spacer = LineSpace(m); break;
    case mode::kAnimMove: AnimMoveRule(m, m.Anim_2d); break;
    case mode::kBobMove: AnimMoveRule(m, m.Anim_BOB); break;
    case mode::kAnimSize: AnimSizeRule(m, e, m.Anim_2d); break;
    case mode::kBobSize: AnimSizeRule(m, e, m.Anim_BOB); break;
    case mode::kAnimRotate: AnimRotateRule(m, e, m.Anim_2d); break;
    case mode::kBobRotate: AnimRotateRule(m, e, m.Anim_BOB); break;
    case mode::kSignMove:
      m.Sign.PosX = mx - e.SpriteWidth(m.Sign.Sprite) / 2;
      m.Sign.PosY = my - e.SpriteHeight(m.Sign.Sprite) / 2;
      break;
    case mode::kTrainerMove:
      TextMoveRule(m.Trainer, mx, my);
      break;
    case mode::kTrainerSize:
      TextSizeRule(m, e, m.Trainer.Font, m.Trainer.SizX, m.Trainer.SizY, m.Trainer.cspX, m.Trainer.cspY);
      break;
    case mode::kTrainerSpace: m.Trainer.Spacer = LineSpace(m); break;
    case mode::kTrainerBarSize: TrainerBarSizeRule(m, e); break;
    case mode::kGfxMove:
    case mode::kGfxSize:
    case mode::kGfxRotate: {
      int g = GfxSlot(m);
      if (g == 0) break;
      GfxFields& gfx = m.GFX;
      if (n == mode::kGfxMove) {
        SpriteMoveRule(m, e, gfx.Sprite[g], gfx.XSize[g], gfx.YSize[g], gfx.XPos[g], gfx.YPos[g]);
      } else if (n == mode::kGfxSize) {
        SpriteSizeRule(m, e, gfx.Sprite[g], gfx.XSize[g], gfx.YSize[g], gfx.XPos[g], gfx.YPos[g]);
      } else {
        float dw = static_cast<float>(gfx.XSize[g]) / 100.0f * static_cast<float>(e.SpriteWidth(gfx.Sprite[g]) / 2);
        gfx.Rota[g] = WrapDegrees(static_cast<float>(m.ModeAnchorX) + dw / 2.0f - static_cast<float>(mx));
        e.RotateSprite(gfx.Sprite[g], gfx.Rota[g]);
      }
      break;
    }
    default: break;
  }
}

void EndPlacementMode(IntroModel& m, Engine& e, Host& win) {
  int n = m.EditMode;
  m.EditMode = 0;
  win.SetTitle(NormalTitle(m));
  if (IsGfxMode(n)) m.ModeGfxIndex = 0;
  // The text effects start again from their beginning with the new values.
  if (IsPagerMode(n) || IsTrainerTextMode(n)) RestartTextEffects(m, e);
}

void RunPlacementPass(IntroModel& m, Engine& e, Host& win) {
  const int n = m.EditMode;
  if (!IsPlacementMode(n)) return;
  PlacementTitleBuffer title;
  win.SetTitle(PlacementTitle(m, n, title));
  if (e.MouseDown(kMouseRight)) {
    ApplyPlacementRule(m, e, n);
    MarkChanged(m);
  }
  PassUpkeep(m, e, n);
  if (e.MouseDown(kMouseLeft)) EndPlacementMode(m, e, win);
  DrawHelp(m, e, n);
}

}  // namespace quellor
