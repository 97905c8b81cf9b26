#include <array>
#include <cmath>
#include <cstdint>

#include "project/StatusLog.h"
#include "render/PagerTrainer.h"

#include "engine/Input.h"
#include "render/Scrollers.h"

namespace quellor {

namespace {

// F1..F10, F11, F12 toggle options 0..11.
constexpr std::array<int, 12> kFunctionKeys = {
    dik::kF1,     dik::kF1 + 1, dik::kF1 + 2, dik::kF1 + 3, dik::kF1 + 4, dik::kF1 + 5,
    dik::kF1 + 6, dik::kF1 + 7, dik::kF1 + 8, dik::kF1 + 9, dik::kF11,    dik::kF12};

// The per-line arrays hold 100 entries; more option lines than that are not shown.
int32_t OptionCount(const TrainerFields& t) {
  if (t.YLins <= 0) return 0;
  return t.YLins < static_cast<int32_t>(t.Switch.size()) ? t.YLins
                                                          : static_cast<int32_t>(t.Switch.size());
}

const std::string& LineOrEmpty(const TrainerFields& t, int64_t index) {
  static const std::string kEmpty;
  if (index < 0 || index >= static_cast<int64_t>(t.Lines.size())) return kEmpty;
  return t.Lines[static_cast<size_t>(index)];
}

}  // namespace

void RefreshTrainerBar(IntroModel& m, Engine& e) {
  TrainerFields& t = m.Trainer;
  TrainerBarFields& b = m.TrainerBar;
  if (b.Sprite == 0) return;
  const int width = e.SpriteWidth(b.Sprite);
  if (width <= 0) return;
  const float perCent = static_cast<float>(width) / 100.0f;
  const float w = static_cast<float>(b.TB_CSX);
  b.TB_FSL = w / perCent;
  m.TrainerState.BarX = static_cast<int32_t>(std::lrint(
      static_cast<double>(t.XPos) + static_cast<double>(t.cspX) * t.perLine / 2.0 - w / 2.0));
  if (b.TB_Line == 1) {
    b.TB_FSL = static_cast<float>(m.ScreenX) / perCent;
    m.TrainerState.BarX = 0;
  }
  e.ZoomSprite(b.Sprite, b.TB_FSL, static_cast<float>(t.SizY));
}

void BuildTrainerLetters(IntroModel& m) {
  TrainerFields& t = m.Trainer;
  TrainerRun& r = m.TrainerState;
  r.Letters.clear();
  if (t.Lines.empty()) AddStatusLine(m, "No Trainer Text found !", kMessageMs, kColorError);
  const FontFields& font = FontOf(m, t.Font == 0 ? 0 : 1);
  const int32_t n = OptionCount(t);
  for (int32_t i = 0; i < n; ++i) {
    const int64_t index = t.Switch[i] == 0 ? i : static_cast<int64_t>(t.YLins) + i;
    const std::string& text = LineOrEmpty(t, index);
    const int32_t y = t.YPos + i * (t.cspY + t.Spacer);
    for (size_t pos = 0; pos < text.size(); ++pos) {
      const int code = GlyphCode(text[pos]);
      if (code <= 0 || code >= 61) continue;
      // The line's y is taken with its letters: a line without any keeps the one
      // recorded before.
      t.LinePos[i] = y;
      TrainerLetter L;
      L.Sprite = font.Chars[code].Sprite;
      L.X = t.XPos + static_cast<int32_t>(pos) * t.cspX;
      L.Y = y;
      L.SizeX = t.SizX;
      L.SizeY = t.SizY;
      r.Letters.push_back(L);
    }
  }
  if (r.Selected < 0 || r.Selected >= n) r.Selected = 0;
  r.BarY = n > 0 ? t.LinePos[r.Selected] : t.YPos;
}

void ToggleTrainerOption(IntroModel& m, int32_t i) {
  TrainerFields& t = m.Trainer;
  if (i < 0 || i >= OptionCount(t)) return;
  t.Switch[i] += 1;
  if (t.Switch[i] >= 2) t.Switch[i] = 0;
  BuildTrainerLetters(m);
}

void RestartTrainer(IntroModel& m, Engine& e) {
  TrainerFields& t = m.Trainer;
  t.Switch.fill(0);
  m.TrainerState.Selected = 0;
  m.TrainerState.MouseLatch = false;
  if (static_cast<int64_t>(t.Lines.size()) < 2 * static_cast<int64_t>(t.YLins)) {
    AddStatusLine(m, "to less lines of Trainer Text.", kMessageMs, kColorError);
    AddStatusLine(m, "add some lines with Trainer Text Editor.", 10300, kColorError);
    t.Active = 0;
  }
  RefreshTrainerBar(m, e);
  BuildTrainerLetters(m);
}

void AddTrainerRecords(IntroModel& m, Engine& e) {
  TrainerFields& t = m.Trainer;
  TrainerRun& r = m.TrainerState;
  if (t.Lines.empty() || t.Active != 1) return;
  const int32_t n = OptionCount(t);
  if (r.Selected < 0 || r.Selected >= n) r.Selected = 0;
  if (n > 0) r.BarY = t.LinePos[r.Selected];

  const int32_t layer = t.Font == 0 ? m.Fonts.F1Layer : m.Fonts.F2Layer;
  for (const TrainerLetter& L : r.Letters) {
    if (L.Sprite == 0) continue;
    DrawRecord d;
    d.Sprite = L.Sprite;
    d.X = L.X;
    d.Y = L.Y;
    d.Width = L.SizeX;
    d.Height = L.SizeY;
    d.Alpha = 255;
    d.Rotation = 0.0f;
    d.Layer = layer;
    m.Draws.push_back(d);
  }
  if (n <= 0) return;

  switch (t.Contr) {
    case 0:
      if (e.KeyHit(dik::kDown)) r.Selected = r.Selected >= n - 1 ? 0 : r.Selected + 1;
      if (e.KeyHit(dik::kUp)) r.Selected = r.Selected <= 0 ? n - 1 : r.Selected - 1;
      if (e.KeyHit(dik::kReturn)) ToggleTrainerOption(m, r.Selected);
      break;
    case 1: {
      const int64_t mx = m.PreviewMouseX, my = m.PreviewMouseY;
      if (mx > t.XPos && mx < static_cast<int64_t>(t.XPos) + static_cast<int64_t>(t.perLine) * t.cspX) {
        for (int32_t i = 0; i < n; ++i) {
          if (t.LinePos[i] < my && my < static_cast<int64_t>(t.LinePos[i]) + t.cspY) r.Selected = i;
        }
      }
      if (e.MouseDown(kMouseLeft)) {
        if (!r.MouseLatch) ToggleTrainerOption(m, r.Selected);
        r.MouseLatch = true;
      } else {
        r.MouseLatch = false;
      }
      break;
    }
    case 2:
      for (int32_t k = 0; k < static_cast<int32_t>(kFunctionKeys.size()); ++k) {
        if (e.KeyHit(kFunctionKeys[k]) && k <= n - 1) {
          ToggleTrainerOption(m, k);
          r.Selected = k;
        }
      }
      break;
    default:
      break;
  }
}

}  // namespace quellor
