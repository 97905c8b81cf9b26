#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "render/PagerTrainer.h"

#include "engine/Input.h"
#include "project/EditModes.h"
#include "project/Random.h"
#include "render/Scrollers.h"

namespace quellor {

const char* const kPagerDelayModeNames[5] = {"Char Linear Mode", "Char Random Mode",
                                             "Reverse Char Linear Mode", "Line Linear Mode",
                                             "Reverse Line Linear Mode"};
const char* const kPagerStartModeNames[4] = {"Coordinate Point", "Target Coordinates",
                                             "Random Screen Outside",
                                             "Target-Coords to Coord Point"};

namespace {

// Steps v toward target by step and stops exactly on it.
float MoveToward(float v, float target, float step) {
  if (v < target) {
    v += step;
    if (v > target) v = target;
  } else if (v > target) {
    v -= step;
    if (v < target) v = target;
  }
  return v;
}

// Clock values wrap like the 32-bit multimedia timer.
uint32_t ClockAt(uint32_t now, int64_t offset) {
  return static_cast<uint32_t>(static_cast<int64_t>(now) + offset);
}
bool After(uint32_t now, uint32_t start) { return static_cast<int32_t>(now - start) > 0; }
bool Elapsed(uint32_t now, uint32_t since, int32_t ms) {
  return static_cast<int64_t>(now - since) > static_cast<int64_t>(ms);
}

// Spawn rotation: |value| within one turn, or a random angle for -1.
float StartAngle(uint64_t& rng, int32_t value) {
  if (value == -1) return static_cast<float>(RandomRange(rng, 0, 359));
  return static_cast<float>(std::llabs(static_cast<int64_t>(value)) % 360);
}

int32_t Round(float v) { return static_cast<int32_t>(std::lrint(v)); }

bool SwitchInput(const IntroModel& m, const Engine& e) {
  switch (m.Pager.PaSwKey) {
    case 1: return e.MouseDown(kMouseLeft);
    case 2: return e.MouseDown(kMouseRight);
    case 3: return e.KeyDown(dik::kSpace);
    default: return false;
  }
}

}  // namespace

bool PagerPlacementActive(const IntroModel& m) {
  return m.EditMode == mode::kPagerMove || m.EditMode == mode::kPagerSize ||
         m.EditMode == mode::kPagerSpace;
}

int32_t PagerPageCount(const IntroModel& m) {
  if (m.Pager.YLins <= 0) return 0;
  return static_cast<int32_t>(m.Pager.Lines.size() / static_cast<size_t>(m.Pager.YLins));
}

void BuildPagerPage(IntroModel& m, int32_t page, uint32_t now) {
  PagerFields& p = m.Pager;
  PagerRun& r = m.PagerState;
  r.Letters.clear();
  r.GoneCount = 0;
  p.State = kPagerArriving;
  p.LetterCount = 0;
  if (p.YLins <= 0 || page < 0) return;

  const FontFields& font = FontOf(m, p.Font == 0 ? 0 : 1);
  const bool instant = PagerPlacementActive(m);
  const int64_t first = static_cast<int64_t>(page) * p.YLins;
  int64_t lastLine = 0;
  int64_t f = 0;

  for (int32_t l = 0; l < p.YLins; ++l) {
    const int64_t index = first + l;
    if (index >= static_cast<int64_t>(p.Lines.size())) break;
    lastLine = index;
    const int32_t h = p.YLins - 1 - l;
    const int32_t side = l % 4;
    const std::string& line = p.Lines[static_cast<size_t>(index)];
    for (size_t pos = 0; pos < line.size(); ++pos) {
      const int code = GlyphCode(line[pos]);
      if (code <= 0 || code >= 61) continue;  // spaces keep their place; no glyph, no letter
      ++f;
      const int32_t k = static_cast<int32_t>(pos) + 1;
      PagerLetter L;
      L.Sprite = font.Chars[code].Sprite;
      L.TargetX = p.XPos + (k - 1) * p.cspX;
      L.TargetY = p.YPos + l * (p.cspY + p.Spacer);
      L.TargetTrans = 255;
      L.TargetSizeX = p.SizX;
      L.TargetSizeY = p.SizY;
      L.Line = static_cast<int32_t>(index);
      L.LineInPage = l;
      L.Trans = static_cast<float>(p.Spn_Tr);
      L.SizeX = static_cast<float>(p.Spn_sX);
      L.SizeY = static_cast<float>(p.Spn_sY);
      L.Rot = StartAngle(r.Rng, p.Spn_Ro);

      int64_t delay = static_cast<int64_t>(l) * p.PG_Ldel;
      if (p.Spn_DMI == 0) delay += f * p.PG_del;
      if (p.Spn_DMI == 3) delay += static_cast<int64_t>(l) * p.PG_del;
      if (p.Spn_DMI == 4) delay += static_cast<int64_t>(h) * p.PG_del;
      L.Start = ClockAt(now, delay);

      float x = static_cast<float>(p.Spn_pX), y = static_cast<float>(p.Spn_pY);
      switch (p.Spn_SM) {
        case 1:
          x = static_cast<float>(L.TargetX);
          y = static_cast<float>(L.TargetY);
          break;
        case 2:
          switch (side) {
            case 0: x = -32.0f; y = static_cast<float>(m.ScreenY - k * 20); break;
            case 1: y = -32.0f; x = static_cast<float>(k * 32); break;
            case 2: x = static_cast<float>(m.ScreenX); y = static_cast<float>(k * 20); break;
            default: y = static_cast<float>(m.ScreenY); x = static_cast<float>(m.ScreenX - k * 32); break;
          }
          break;
        case 3:
          x = static_cast<float>(L.TargetX + (p.Spn_pX - p.XPos));
          y = static_cast<float>(L.TargetY + (p.Spn_pY - p.YPos));
          break;
        default:
          break;
      }
      L.X = x;
      L.Y = y;

      if (instant) {  // the page being placed is shown at once
        L.X = static_cast<float>(L.TargetX);
        L.Y = static_cast<float>(L.TargetY);
        L.SizeX = static_cast<float>(L.TargetSizeX);
        L.SizeY = static_cast<float>(L.TargetSizeY);
        L.Trans = 255.0f;
        L.Rot = 0.0f;
        L.Start = 0;
      }
      r.Letters.push_back(L);
    }
  }

  if (!instant) {
    if (p.Spn_DMI == 1) {
      for (PagerLetter& L : r.Letters) L.Start = ClockAt(L.Start, RandomRange(r.Rng, 0, f * p.PG_del));
    } else if (p.Spn_DMI == 2) {
      int64_t n = f;
      for (PagerLetter& L : r.Letters) L.Start = ClockAt(L.Start, (n--) * p.PG_del);
    } else if (p.Spn_DMI == 4) {
      int64_t counter = lastLine;
      int32_t remembered = 0;
      for (PagerLetter& L : r.Letters) {
        if (L.Line != remembered) {
          --counter;
          remembered = L.Line;
        }
        L.Start = ClockAt(now, counter * p.PG_Ldel);
      }
    }
  }
  p.LetterCount = static_cast<int32_t>(f);
}

void SetupPagerVanish(IntroModel& m, uint32_t now) {
  PagerFields& p = m.Pager;
  PagerRun& r = m.PagerState;
  const int64_t count = static_cast<int64_t>(r.Letters.size());
  int32_t side = 0, step = 0;
  int64_t i = 0;
  for (PagerLetter& L : r.Letters) {
    L.TargetX = p.Van_pX;
    L.TargetY = p.Van_pY;
    L.TargetTrans = p.Van_Tr;
    L.TargetSizeX = p.Van_sX;
    L.TargetSizeY = p.Van_sY;
    L.TargetRot = p.Van_Ro == -1 ? static_cast<int32_t>(RandomRange(r.Rng, 0, 359))
                                 : static_cast<int32_t>(std::llabs(static_cast<int64_t>(p.Van_Ro)));
    switch (p.Van_SM) {
      case 1:
        L.TargetX = Round(L.X);
        L.TargetY = Round(L.Y);
        break;
      case 2:
        switch (side) {
          case 0: L.TargetX = -100; L.TargetY = m.ScreenY - step * 40; break;
          case 1: L.TargetX = step * 42; L.TargetY = -100; break;
          case 2: L.TargetX = m.ScreenX + 10; L.TargetY = step * 40; break;
          default: L.TargetX = m.ScreenX - step * 42; L.TargetY = m.ScreenY + 10; break;
        }
        if (++step == 15) {
          step = 0;
          side = (side + 1) % 4;
        }
        break;
      case 3:
        L.TargetX = Round(L.X) + (p.Van_pX - p.XPos);
        L.TargetY = Round(L.Y) + (p.Van_pY - p.YPos);
        break;
      default:
        break;
    }
    // Departures are staggered like arrivals, with the vanish delays.
    const int64_t l = L.LineInPage;
    int64_t delay = l * p.PG_Ldel2;
    switch (p.Van_DMI) {
      case 0: delay += (i + 1) * p.PG_del2; break;
      case 1: delay += RandomRange(r.Rng, 0, count * p.PG_del2); break;
      case 2: delay += (count - i) * p.PG_del2; break;
      case 3: delay += l * p.PG_del2; break;
      case 4: delay += (static_cast<int64_t>(p.YLins) - 1 - l) * p.PG_del2; break;
      default: break;
    }
    L.Start = ClockAt(now, delay);
    ++i;
  }
  r.GoneCount = 0;
}

void RestartPager(IntroModel& m, Engine&) {
  const uint32_t now = m.Clock.NowMs();
  m.PagerState.PageCount = PagerPageCount(m);
  m.Pager.Page = 0;
  BuildPagerPage(m, 0, now);
  m.PagerState.StateStart = now;
}

void AddPagerRecords(IntroModel& m, Engine& e) {
  PagerFields& p = m.Pager;
  PagerRun& r = m.PagerState;
  if (p.Lines.empty() || p.Active != 1) return;

  const uint32_t now = m.Clock.FrameNow;
  const float sf = m.Clock.SpeedFactor;
  const int32_t state = p.State;
  const bool arriving = state == kPagerArriving;
  const bool leaving = state == kPagerLeaving;
  const float posRate = sf * static_cast<float>(arriving ? p.Po_spd : p.Po_spd2);
  const float zoomRate = sf * static_cast<float>(arriving ? p.Sc_spd : p.Sc_spd2);
  const float rotRate = sf * static_cast<float>(p.Ro_spd);
  const float alphaRate = sf * static_cast<float>(arriving ? p.Tr_spd : p.Tr_spd2);
  const int32_t layer = p.Font == 0 ? m.Fonts.F1Layer : m.Fonts.F2Layer;

  int64_t arrived = 0;
  size_t kept = 0;
  for (size_t i = 0; i < r.Letters.size(); ++i) {
    PagerLetter L = r.Letters[i];
    if ((arriving || leaving) && After(now, L.Start)) {
      L.Trans = MoveToward(L.Trans, static_cast<float>(L.TargetTrans), alphaRate);
      L.X = MoveToward(L.X, static_cast<float>(L.TargetX), posRate);
      L.Y = MoveToward(L.Y, static_cast<float>(L.TargetY), posRate);
      L.SizeX = MoveToward(L.SizeX, static_cast<float>(L.TargetSizeX), zoomRate);
      L.SizeY = MoveToward(L.SizeY, static_cast<float>(L.TargetSizeY), zoomRate);
      if (arriving) {
        const int32_t whole = static_cast<int32_t>(L.Rot);
        if (whole > 0 && whole < 180) {
          L.Rot -= rotRate;
          if (L.Rot < 0.0f) L.Rot = 0.0f;
        } else if (whole >= 180) {
          // Letters spawned past half a turn turn on to upright; turning them back
          // the long way never reaches 0 and the page would never be shown.
          L.Rot += rotRate;
          if (L.Rot >= 360.0f) L.Rot = 0.0f;
        }
      } else {
        L.Rot += sf * static_cast<float>(p.Van_Ro);
      }
    }
    if (arriving) {
      arrived += static_cast<int32_t>(L.X) == L.TargetX;
      arrived += static_cast<int32_t>(L.Y) == L.TargetY;
      arrived += static_cast<int32_t>(L.Trans) == L.TargetTrans;
      arrived += static_cast<int32_t>(L.SizeX) == L.TargetSizeX;
      arrived += static_cast<int32_t>(L.SizeY) == L.TargetSizeY;
      arrived += static_cast<int32_t>(L.Rot) == 0;
    }
    if (L.Sprite != 0) {
      DrawRecord d;
      d.Sprite = L.Sprite;
      d.X = Round(L.X);
      d.Y = Round(L.Y);
      d.Alpha = Round(L.Trans);
      d.Width = Round(L.SizeX);
      d.Height = Round(L.SizeY);
      d.Rotation = L.Rot;
      d.IsPagerLetter = 1;
      d.Layer = layer;
      m.Draws.push_back(d);
    }
    if (leaving) {
      const bool atTarget = L.X == static_cast<float>(L.TargetX) && L.Y == static_cast<float>(L.TargetY);
      if ((p.Van_SM != 1 && atTarget) || L.Trans <= 1.0f || L.SizeX <= 0.0f || L.SizeY <= 0.0f) {
        ++r.GoneCount;
        continue;
      }
    }
    r.Letters[kept++] = L;
  }
  r.Letters.resize(kept);

  switch (state) {
    case kPagerArriving:
      if (arrived == 6 * static_cast<int64_t>(p.LetterCount)) {
        p.State = kPagerShown;
        r.StateStart = now;
      }
      break;
    case kPagerShown: {
      const bool input = SwitchInput(m, e);
      if (input && p.InstaC != 0) {
        r.Letters.clear();
        p.State = kPagerGone;
        r.StateStart = now;
      } else if (input || Elapsed(now, r.StateStart, p.Time)) {
        SetupPagerVanish(m, now);
        p.State = kPagerLeaving;
      }
      break;
    }
    case kPagerLeaving:
      if (r.GoneCount >= p.LetterCount) {
        r.Letters.clear();
        p.State = kPagerGone;
        r.StateStart = now;
      }
      break;
    default:
      break;
  }
  if (p.State == kPagerGone && Elapsed(now, r.StateStart, p.Next)) {
    p.State = kPagerNext;
  }
  if (p.State == kPagerNext) {
    r.PageCount = PagerPageCount(m);
    int32_t next = p.Page + 1;
    if (next >= r.PageCount) next = 0;
    p.Page = next;
    BuildPagerPage(m, next, now);
  }
}

}  // namespace quellor
