#include "render/Bobs.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "project/CloneTable.h"

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

}  // namespace

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
  if (changed && c.Count > 0 && c.Active == 1) GenerateClones(m);
}

void AddBobRecords(IntroModel& m, Engine& e) {
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
      // Each clone runs the shared animation from its own start frame.
      const int32_t frames = std::max(1, e.SpriteFrameCount(r.Sprite));
      const int32_t start = static_cast<int32_t>(r.Frame);
      d.Frame = ((start + e.SpriteFrame(r.Sprite)) % frames + frames) % frames;
      m.Draws.push_back(d);
    }
    r.X += sf * r.SpeedX;
    r.Y += sf * r.SpeedY;
    if (r.X > static_cast<float>(c.width) && r.SpeedX > 0.0f) {
      r.X = left;
      r.Y = RandomCloneY(m);
    }
    if (r.X < left && r.SpeedX < 0.0f) {
      r.X = right;
      r.Y = RandomCloneY(m);
    }
    if (r.Y > static_cast<float>(c.height) && r.SpeedY > 0.0f) {
      r.X = RandomCloneX(m);
      r.Y = top;
    }
    if (r.Y < top && r.SpeedY < 0.0f) {
      r.X = RandomCloneX(m);
      r.Y = bottom;
    }
  }
}

}  // namespace quellor
