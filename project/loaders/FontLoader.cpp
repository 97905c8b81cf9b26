// Fonts: the image is cut into 61 glyph records (characters 32 to 92) by the pending grid.
#include <cmath>
#include <cstdint>

#include "project/Loaders.h"
#include "project/NewIntro.h"
#include "project/StatusLog.h"
#include "project/loaders/LoaderCommon.h"

namespace quellor {

namespace {
constexpr uint64_t kFontLimit = 262144;
constexpr int kGlyphs = 61;

void CutGlyphs(Engine& e, FontFields& f, const FontGridRecord& g, int src, int dest) {
  const int64_t imgW = e.TextureWidth(f.Image), imgH = e.TextureHeight(f.Image);
  // No cells per line: a stored line count of two billion would otherwise spin empty rows.
  if (g.CL <= 0) return;
  int k = 0;
  for (int64_t row = 0; row < g.L && k < kGlyphs; ++row) {
    for (int64_t col = 0; col < g.CL && k < kGlyphs; ++col, ++k) {
      // 64-bit cell corners: a hostile grid must not wrap around into the image.
      int64_t x = col * g.X, y = row * g.Y;
      int64_t w = g.X, h = g.Y;
      if (x + w > imgW) w = imgW - x;  // cells crossing an edge end at it
      if (y + h > imgH) h = imgH - y;
      if (w <= 0 || h <= 0) continue;
      Handle piece = e.CopyTextureRect(f.Image, static_cast<int>(x), static_cast<int>(y),
                                       static_cast<int>(w), static_cast<int>(h));
      if (piece == 0) continue;
      f.Chars[k].Image = piece;
      f.Chars[k].Sprite = e.CreateSprite(piece);
      e.SpriteBlending(f.Chars[k].Sprite, src, dest);
    }
  }
}
}  // namespace

void ReleaseFont(IntroModel& m, Engine& e, int font) {
  if (font != 1 && font != 2) return;
  FontFields& f = FontOf(m, font - 1);
  for (GlyphRecord& g : f.Chars) {
    loaders::ReleaseSprite(e, g.Sprite);
    loaders::ReleaseTexture(e, g.Image);
  }
  loaders::ReleaseTexture(e, f.Image);
  f.File.clear();
  MarkChanged(m);
  m.FontGrid[font - 1] = FontGridRecord{0, 0, 0, 0};
}

void UpdateScrollerSpacing(IntroModel& m, Engine& e, int s) {
  if (s < 0 || s > 1) return;
  ScrollerFields& sc = m.Scroller[s];
  const FontFields& f = FontOf(m, sc.Font == 1 ? 1 : 0);
  // Nearest whole number, halfway cases to the even neighbour.
  const double exact = static_cast<double>(e.SpriteWidth(f.Chars[1].Sprite)) * sc.SizX / 100.0;
  if (!(exact > 0.0) || exact > INT32_MAX) return;
  const long csp = std::lrint(exact);
  // A font without character 1 leaves the spacing alone: zero would stall the scroller.
  if (csp <= 0 || csp > INT32_MAX) return;
  sc.cspX = static_cast<int32_t>(csp);
  sc.Slots = m.ScreenX / sc.cspX + 1;
}

void LoadFont(IntroModel& m, Engine& e, const std::string& path, int font) {
  if (path.empty() || (font != 1 && font != 2)) return;
  if (!loaders::FitsLimit(m, path, kFontLimit, "Sorry, Font filesize is to big.")) return;
  const FontGridRecord grid = m.PendingGrid;
  const std::string n = std::to_string(font);
  if (grid.L == -1) {
    ReleaseFont(m, e, font);
    m.FontGrid[font - 1] = grid;
    AddStatusLine(m, "Can't catch Font " + n, kMessageMs, kColorError);
    return;
  }
  // The new image is read before the old font is let go: a damaged file keeps it.
  Handle image = e.LoadTexture(path);
  if (image == 0) {
    loaders::LogDecodeFailure(m, e, path);
    return;
  }
  ReleaseFont(m, e, font);
  m.FontGrid[font - 1] = grid;
  FontFields& f = FontOf(m, font - 1);
  f.Image = image;
  f.File = path;
  const int src = font == 1 ? m.Fonts.F1SRC : m.Fonts.F2SRC;
  const int dest = font == 1 ? m.Fonts.F1Dest : m.Fonts.F2Dest;
  CutGlyphs(e, f, grid, src, dest);
  loaders::LogLoaded(m, "Font " + n + " succesfully loaded.");
  AddToDisplayOrder(m, "Font" + n);
  MarkChanged(m);
  // Scroller n always follows; the other scroller too when it draws with this font.
  for (int s = 0; s < 2; ++s)
    if (s == font - 1 || m.Scroller[s].Font == font - 1) UpdateScrollerSpacing(m, e, s);
}

}  // namespace quellor
