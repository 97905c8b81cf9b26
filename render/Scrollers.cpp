#include "render/Scrollers.h"

#include <cmath>
#include <cstdint>

namespace quellor {

const char* const kScrollerEffectNames[8] = {
    "None",  "Rotate", "Swing", "Block Sinus", "Block Sinus - Char Rotation",
    "Rolling Chars", "Jump", "Dunk"};

namespace {

constexpr float kPi = 3.14159274f;
constexpr uint32_t kPauseMs = 5000;

// Keeps a sine-table index inside 0..720 the way the table wraps (steps of 360),
// whatever step the user typed.
int32_t WrapPhase(int64_t p) {
  if (p > 720) p -= ((p - 720 + 359) / 360) * 360;
  if (p < 0) p += ((-p + 359) / 360) * 360;
  return static_cast<int32_t>(p);
}

int32_t FontLayer(const IntroModel& m, int font) {
  return font == 1 ? m.Fonts.F2Layer : m.Fonts.F1Layer;
}

bool ValidScroller(int s) { return s == 0 || s == 1; }

}  // namespace

void UpdateScrollerSlots(IntroModel& m, int s) {
  if (!ValidScroller(s)) return;
  ScrollerFields& f = m.Scroller[s];
  if (f.cspX != 0) f.Slots = m.ScreenX / f.cspX + 1;
}

void RestartScroller(IntroModel& m, int s) {
  if (!ValidScroller(s)) return;
  ScrollerRun& r = m.ScrollRun[s];
  r.TextPos = 1;
  r.Offset = 0.0f;
  r.TextLength = static_cast<int32_t>(m.Scroller[s].Text.size());
  UpdateScrollerSlots(m, s);
}

void RestartScrollers(IntroModel& m) {
  RestartScroller(m, 0);
  RestartScroller(m, 1);
}

void ResetScrollers(IntroModel& m) {
  for (int s = 0; s < 2; ++s) {
    RestartScroller(m, s);
    m.ScrollRun[s].Speed = 2;
    m.ScrollRun[s].Paused = false;
    m.ScrollRun[s].PauseStart = 0;
  }
}

std::string FilterScrollText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    int c = GlyphCode(ch);
    if (c >= 0 && c <= 64) out.push_back(static_cast<char>(c + 32));
  }
  return out;
}

void SetScrollerText(IntroModel& m, int s, const std::string& text) {
  if (!ValidScroller(s)) return;
  m.Scroller[s].Text = FilterScrollText(text);
  m.ScrollRun[s].TextLength = static_cast<int32_t>(m.Scroller[s].Text.size());
}

void SetScrollerEffect(IntroModel& m, int s, int fx) {
  if (!ValidScroller(s) || fx < 0 || fx > 7) return;
  ScrollerFields& f = m.Scroller[s];
  f.FX = fx;
  if (fx == 2 || fx == 6) f.Angle = 0.0f;
  if (fx == 7) f.Angle = 180.0f;
}

void ScrollerSwing(IntroModel& m, int s) {
  if (!ValidScroller(s)) return;
  ScrollerFields& f = m.Scroller[s];
  m.ScrollRun[s].SwingSine = std::sin(f.Angle * kPi / 180.0f);
  f.Angle += f.SSinAdd * m.Clock.SpeedFactor;
  if (f.Angle > 360.0f && f.FX < 6) f.Angle -= 360.0f;
  if (f.Angle > 360.0f && f.FX == 6) f.Angle -= 180.0f;
  if (f.Angle > 180.0f && f.FX == 7) f.Angle -= 180.0f;
}

void AddScrollerRecords(IntroModel& m, Engine&, int s) {
  if (!ValidScroller(s)) return;
  ScrollerFields& f = m.Scroller[s];
  ScrollerRun& r = m.ScrollRun[s];
  if (f.Active != 1) return;

  const FontFields& font = FontOf(m, f.Font);
  const int32_t layer = FontLayer(m, f.Font);
  const uint32_t now = m.Clock.FrameNow;
  // The length is taken when the text is set; never index past the stored text.
  const int32_t length =
      r.TextLength < static_cast<int32_t>(f.Text.size()) ? r.TextLength
                                                          : static_cast<int32_t>(f.Text.size());
  const bool blockSinus = f.FX == 3 || f.FX == 4;
  const int32_t phaseStart = f.Phase = WrapPhase(f.Phase);

  int32_t h = f.SizY;
  float y = static_cast<float>(f.PosY);
  float rot = 0.0f;
  switch (f.FX) {
    case 1:
      h = static_cast<int32_t>(std::lrint(r.SwingSine * static_cast<float>(f.SizY)));
      break;
    case 2:
    case 6:
    case 7:
      y = static_cast<float>(f.PosY) + r.SwingSine * static_cast<float>(f.SSinSiz);
      break;
    case 5:
      r.RollRot -= static_cast<float>(r.Speed);
      if (r.RollRot < 0.0f) r.RollRot += 360.0f;
      rot = r.RollRot;
      break;
    default:
      break;
  }

  int32_t pos = r.TextPos;
  for (int32_t k = 0; k <= f.Slots; ++k) {
    // Past the text's end there is no character at all: nothing is drawn there, not even
    // the font's first cell, which position 0 shows as its blank.
    int c = (pos >= 1 && pos <= length) ? GlyphCode(f.Text[pos - 1]) : -1;
    if (pos == 0) c = 0;
    if (k == f.Slots && c >= 59 && c != r.LastControl) {
      bool acted = true;
      switch (c) {
        case 59: r.Speed = 2; break;
        case 60: r.Speed = 4; break;
        case 61: r.Speed = 6; break;
        case 62: r.Speed = 8; break;
        case 63: r.Speed = 12; break;
        case 64:
          r.PauseStart = now;
          r.Paused = true;
          break;
        default: acted = false; break;
      }
      if (acted) {
        r.LastControl = c;
        c = 0;
      }
    }
    if (c >= 0 && c < 61) {
      float x = r.Offset + static_cast<float>(k) * static_cast<float>(f.cspX);
      if (x < static_cast<float>(m.ScreenX)) {
        float cy = y;
        if (blockSinus) {
          cy = static_cast<float>(f.PosY) + f.SineTable[f.Phase];
          f.Phase = WrapPhase(static_cast<int64_t>(f.Phase) + f.SinSTP);
          if (f.FX == 4) rot = f.SinRot != 0 ? f.CosineTable[f.Phase] / static_cast<float>(f.SinRot) : 0.0f;
        }
        Handle glyph = font.Chars[c].Sprite;
        if (glyph != 0) {
          DrawRecord d;
          d.Sprite = glyph;
          d.X = static_cast<int32_t>(x);  // truncated
          d.Y = static_cast<int32_t>(std::lrint(cy));
          d.Width = f.SizX;
          d.Height = h;
          d.Alpha = 255;
          d.Rotation = rot;
          d.Layer = layer;
          m.Draws.push_back(d);
        }
      }
    }
    ++pos;
    if (pos > length) pos = 1;
  }

  // One rotation per scroller: the other effects leave theirs (0, or the last
  // character's turn) for "Rolling Chars" to turn on from.
  r.RollRot = rot;
  if (blockSinus) f.Phase = WrapPhase(static_cast<int64_t>(phaseStart) + 1);

  const bool pausing = r.Paused && now - r.PauseStart < kPauseMs;
  if (r.Paused && !pausing) r.Paused = false;
  const float speed = pausing ? 0.0f : static_cast<float>(r.Speed);
  r.Offset -= m.Clock.SpeedFactor * speed;
  if (r.Offset < -static_cast<float>(f.cspX)) {
    r.Offset += static_cast<float>(f.cspX);
    ++r.TextPos;
    r.LastControl = -1;
    // ">=" rather than "==": a text shortened under a running scroller (or one of a
    // single character) must not leave TextPos beyond its end.
    if (r.TextPos >= length) r.TextPos = 0;
    if (blockSinus) f.Phase = WrapPhase(static_cast<int64_t>(phaseStart) + f.SinSTP);
  }
}

}  // namespace quellor
