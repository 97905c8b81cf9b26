#include "render/Bobs.h"

#include <cmath>
#include <string>

#include "project/StatusLog.h"
#include "render/Random.h"

namespace quellor {

const std::array<BobPreset, 4> kBobPresets = {{
    {"Bob Modifications [2d Starfield]", 5.0f, 0.0f, false, false, false, false, 0, 0.0f, 0, 0.0f,
     {"i value #1", "i value #2", "f value #1", "f value #2"}, {false, false, false, false}},
    {"Bob Modifications [2d Bubbles]", 0.0f, -3.0f, true, true, false, false, 30, 3.0f, 0, 0.0f,
     {"X Sinus", "i value #2", "X add", "f value #2"}, {true, false, true, false}},
    {"Bob Modifications [2d Snowflakes]", 0.0f, 3.0f, true, true, true, true, 30, 2.0f, 30, 1.0f,
     {"X Sinus", "Y Sinus", "X add", "Y add"}, {true, true, true, true}},
    {"Bob Modifications [No Movement]", 0.0f, 0.0f, false, false, false, false, 0, 0.0f, 0, 0.0f,
     {"i value #1", "i value #2", "f value #1", "f value #2"}, {false, false, false, false}},
}};

const std::array<const char*, 6> kBobFieldLabels = {"TopLeft X", "TopLeft Y", "X Add",
                                                    "Y Add",     "BottomX",   "BottomY"};

namespace {

constexpr float kDegToRad = 0.0174533f;

// Speed of a clone: base / divisor, never faster than the base itself.
float CappedSpeed(float base, float divisor) {
  float v = base / divisor;
  if (base > 0.0f && v > base) v = base;
  if (base < 0.0f && v < base) v = base;
  return v;
}

float RandomX(IntroModel& m) {
  const AnimCloneFields& c = m.AnimClone;
  const int64_t left = static_cast<int64_t>(c.XCent) - m.Anim_BOB.CspX;
  const int64_t span = static_cast<int64_t>(c.width) + m.Anim_BOB.CspX - c.XCent;
  return static_cast<float>(left + RandomRange(m.Bobs.Seed, 0, span));
}

float RandomY(IntroModel& m) {
  const AnimCloneFields& c = m.AnimClone;
  const int64_t top = static_cast<int64_t>(c.YCent) - m.Anim_BOB.CspY;
  const int64_t span = static_cast<int64_t>(c.height) + m.Anim_BOB.CspY - c.YCent;
  return static_cast<float>(top + RandomRange(m.Bobs.Seed, 0, span));
}

}  // namespace

void GenerateClones(IntroModel& m, Engine&) {
  AnimCloneFields& c = m.AnimClone;
  if (c.Count < 0) c.Count = 0;
  if (c.Count > kMaxBobClones) c.Count = kMaxBobClones;
  const int32_t count = c.Count;
  c.Clones.assign(static_cast<size_t>(count) + 1, CloneRecord{});
  if (count > 0) {
    const float angleStep = 90.0f / static_cast<float>(count);
    float angle = 0.0f;
    const float zoomX = static_cast<float>(m.Anim_BOB.SizeX) / 100.0f;
    const float zoomY = static_cast<float>(m.Anim_BOB.SizeY) / 100.0f;
    const int32_t group = count / 6;
    float divisor = 6.0f;
    int32_t groupCount = 0;
    for (int32_t i = 1; i <= count; ++i) {
      CloneRecord& r = c.Clones[static_cast<size_t>(i)];
      r.Sprite = c.Face == 0 ? m.Anim_BOB.Sprite : 0;
      r.Frame = c.AnmPS == 1 ? static_cast<float>(RandomRange(m.Bobs.Seed, 0, m.Anim_BOB.Frames)) : 0.0f;
      const float depth = std::sin(angle * kDegToRad) * 80.0f + 20.0f;
      r.SizeX = zoomX * depth;
      r.SizeY = zoomY * depth;
      if (c.MovPS == 3) {
        r.SizeX = static_cast<float>(m.Anim_BOB.SizeX);
        r.SizeY = static_cast<float>(m.Anim_BOB.SizeY);
      }
      angle += angleStep;
      r.SpeedX = CappedSpeed(c.XAdd, divisor);
      r.SpeedY = CappedSpeed(c.YAdd, divisor);
      r.X = RandomX(m);
      r.Y = RandomY(m);
      r.Reserved = 255.0f / divisor;
      if (++groupCount >= group) {
        divisor -= 1.0f;
        groupCount = 0;
      }
      // Past the sixth group every further clone keeps the full speed; a divisor
      // below zero would send it backwards.
      if (divisor <= 0.0f) divisor = 0.01f;
      r.PhaseX = static_cast<float>(RandomRange(m.Bobs.Seed, 0, 359));
      r.PhaseY = static_cast<float>(RandomRange(m.Bobs.Seed, 0, 359));
    }
  }
  AddStatusLine(m, std::to_string(count) + " Bob Animation clones generated", kMessageMs,
                kColorSuccess);
}

void ApplyBobPreset(IntroModel& m, Engine& e, int32_t movps) {
  if (movps < 0 || movps >= static_cast<int32_t>(kBobPresets.size())) return;
  AnimCloneFields& c = m.AnimClone;
  const bool changed = c.MovPS != movps;
  const BobPreset& p = kBobPresets[static_cast<size_t>(movps)];
  c.MovPS = movps;
  c.XAdd = p.XAdd;
  c.YAdd = p.YAdd;
  if (p.HasInt1) c.Int1 = p.Int1;
  if (p.HasFlt1) c.Flt1 = p.Flt1;
  if (p.HasInt2) c.Int2 = p.Int2;
  if (p.HasFlt2) c.Flt2 = p.Flt2;
  if (changed && c.Count > 0 && c.Active == 1) GenerateClones(m, e);
}

void AddBobRecords(IntroModel& m, Engine&) {
  AnimCloneFields& c = m.AnimClone;
  if (c.Active != 1 || c.Count <= 0) return;
  const float sf = m.Clock.SpeedFactor;
  const bool wobbleX = c.MovPS == 1 || c.MovPS == 2;
  const bool wobbleY = c.MovPS == 2;
  const float left = static_cast<float>(static_cast<int64_t>(c.XCent) - m.Anim_BOB.CspX);
  const float top = static_cast<float>(static_cast<int64_t>(c.YCent) - m.Anim_BOB.CspY);
  const float right = static_cast<float>(static_cast<int64_t>(c.width) + m.Anim_BOB.CspX);
  const float bottom = static_cast<float>(static_cast<int64_t>(c.height) + m.Anim_BOB.CspY);
  // The table may be older than the count (count edited without regenerating).
  const size_t last = c.Clones.empty() ? 0 : c.Clones.size() - 1;
  const size_t n = static_cast<size_t>(c.Count) < last ? static_cast<size_t>(c.Count) : last;
  for (size_t i = 1; i <= n; ++i) {
    CloneRecord& r = c.Clones[i];
    float wx = 0.0f, wy = 0.0f;
    if (wobbleX) {
      wx = std::sin(r.PhaseX * kDegToRad) * static_cast<float>(c.Int1);
      r.PhaseX += sf * c.Flt1;
    }
    if (wobbleY) {
      wy = std::sin(r.PhaseY * kDegToRad) * static_cast<float>(c.Int2);
      r.PhaseY += sf * c.Flt2;
    }
    if (r.Sprite != 0) {
      DrawRecord d;
      d.Sprite = r.Sprite;
      d.X = static_cast<int32_t>(std::lrint(r.X + wx));
      d.Y = static_cast<int32_t>(std::lrint(r.Y + wy));
      d.Alpha = m.Anim_BOB.Trans;
      d.Width = static_cast<int32_t>(std::lrint(r.SizeX));
      d.Height = static_cast<int32_t>(std::lrint(r.SizeY));
      d.Rotation = 0.0f;
      d.Layer = m.Anim_BOB.Layer;
      d.Frame = static_cast<int32_t>(r.Frame);
      m.Draws.push_back(d);
    }
    r.X += sf * r.SpeedX;
    r.Y += sf * r.SpeedY;
    if (r.X > static_cast<float>(c.width) && r.SpeedX > 0.0f) {
      r.X = left;
      r.Y = RandomY(m);
    }
    if (r.X < left && r.SpeedX < 0.0f) {
      r.X = right;
      r.Y = RandomY(m);
    }
    if (r.Y > static_cast<float>(c.height) && r.SpeedY > 0.0f) {
      r.X = RandomX(m);
      r.Y = top;
    }
    if (r.Y < top && r.SpeedY < 0.0f) {
      r.X = RandomX(m);
      r.Y = bottom;
    }
  }
}

}  // namespace quellor
