#include "project/CloneTable.h"

#include <cmath>
#include <string>

#include "project/Random.h"
#include "project/StatusLog.h"

namespace quellor {

namespace {

constexpr float kDegToRad = 0.0174533f;

// Speed of a clone: base / divisor, never faster than the base itself.
float CappedSpeed(float base, float divisor) {
  float v = base / divisor;
  if (base > 0.0f && v > base) v = base;
  if (base < 0.0f && v < base) v = base;
  return v;
}

}  // namespace

float RandomCloneX(IntroModel& m) {
  const AnimCloneFields& c = m.AnimClone;
  const int64_t left = static_cast<int64_t>(c.XCent) - m.Anim_BOB.CspX;
  const int64_t span = static_cast<int64_t>(c.width) + m.Anim_BOB.CspX - c.XCent;
  return static_cast<float>(left + RandomRange(m.Bobs.Seed, 0, span));
}

float RandomCloneY(IntroModel& m) {
  const AnimCloneFields& c = m.AnimClone;
  const int64_t top = static_cast<int64_t>(c.YCent) - m.Anim_BOB.CspY;
  const int64_t span = static_cast<int64_t>(c.height) + m.Anim_BOB.CspY - c.YCent;
  return static_cast<float>(top + RandomRange(m.Bobs.Seed, 0, span));
}


void GenerateClones(IntroModel& m) {
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
      r.X = RandomCloneX(m);
      r.Y = RandomCloneY(m);
      r.Reserved = 255.0f / divisor;
      if (++groupCount >= group) {
        divisor -= 1.0f;
        groupCount = 0;
      }
      // Only an exact zero is replaced: a later group drops it below zero again.
      if (divisor == 0.0f) divisor = 0.01f;
      r.PhaseX = static_cast<float>(RandomRange(m.Bobs.Seed, 0, 359));
      r.PhaseY = static_cast<float>(RandomRange(m.Bobs.Seed, 0, 359));
    }
  }
  AddStatusLine(m, std::to_string(count) + " Bob Animation clones generated", kMessageMs,
                kColorSuccess);
}

}  // namespace quellor
