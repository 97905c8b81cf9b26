#include "render/IdleScene.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <glm/ext/matrix_transform.hpp>
#include <glm/mat4x4.hpp>

#include "render/Frame.h"

namespace quellor {

namespace {
constexpr int kVertexCapacity = 9999;  // points the vertex buffer holds
constexpr float kTurn = 6.2831853f;

// xorshift64*: small, seedable and the same on every platform.
uint64_t NextRandom(uint64_t& state) {
  state ^= state >> 12;
  state ^= state << 25;
  state ^= state >> 27;
  return state * 0x2545F4914F6CDD1DULL;
}

float RandomBetween(uint64_t& state, float lo, float hi) {
  double unit = static_cast<double>(NextRandom(state) >> 11) * (1.0 / 9007199254740992.0);
  return static_cast<float>(lo + (hi - lo) * unit);
}

float WrapInto(float v, float lo, float hi) {
  if (v < lo) return hi + (lo - v);
  if (v > hi) return lo + (v - hi);
  return v;
}

float WrapAngle(float a) {
  a = std::fmod(a, kTurn);
  return a < 0 ? a + kTurn : a;
}
}  // namespace

void SetupIdleScene(IntroModel& m) {
  IdleScene& s = m.Idle;
  s.On = true;  // the idle screen shows from start until the first asset loads
  s.PointCount = 3500;
  s.PointSize = 1.0f;
  s.Colour = 0xFFFFFFFFu;
  s.XMin = -10, s.XMax = 10, s.YMin = -10, s.YMax = 10, s.ZMin = -10, s.ZMax = 400;
  s.VelX = 0, s.VelY = 0, s.VelZ = -0.3f;
  s.Yaw = 0, s.Pitch = 0.25f, s.Roll = 0;
  s.YawVel = 0, s.PitchVel = 0, s.RollVel = -0.01f;
  s.Points.reserve(static_cast<size_t>(s.PointCount) + 1);
  s.Buffer.reserve(kVertexCapacity);
}

void FillIdleScene(IntroModel& m) {
  IdleScene& s = m.Idle;
  s.Points.clear();
  if (s.PointCount <= 0) return;
  float span = 0;
  if (s.ZMin < 0)
    span = std::nearbyint(std::fabs(s.ZMin) + std::fabs(s.ZMax));
  else if (s.ZMin > 0)
    span = std::nearbyint(std::fabs(s.ZMax) - std::fabs(s.ZMin));
  const float step = span / static_cast<float>(s.PointCount);
  float z = s.ZMin;
  const int last = std::min(s.PointCount, kVertexCapacity - 1);
  for (int i = 0; i <= last; ++i) {
    const double rad = i * 3.14159265358979 / 180.0;
    IdlePoint p;
    p.X = static_cast<float>(std::sin(rad)) * s.XMax;
    p.Y = static_cast<float>(std::cos(rad)) * s.YMax;
    p.Z = z + RandomBetween(s.Seed, -5.5f, 5.5f);
    p.Size = s.PointSize;
    p.Colour = s.Colour;
    s.Points.push_back(p);
    z += step;
  }
}

void LoadIdlePointTexture(IntroModel& m, Engine& e) {
  if (m.Idle.PointTexture != 0) return;
  std::filesystem::path p = std::filesystem::path(m.BaseDir) / "Data" / "Bobs" / "Blue.png";
  std::error_code ec;
  if (!std::filesystem::is_regular_file(p, ec)) return;
  m.Idle.PointTexture = e.LoadTexture(p.string());
}

void SetIdleLogo(IntroModel& m, Engine& e, Handle sprite) {
  m.Idle.LogoSprite = sprite;
  m.Idle.LogoX = m.ScreenX / 2 - e.SpriteWidth(sprite) / 2;
  m.Idle.LogoY = m.ScreenY / 2 - e.SpriteHeight(sprite) / 2 - 50;
}

void MoveIdleScene(IntroModel& m) {
  IdleScene& s = m.Idle;
  const float f = m.Clock.SpeedFactor;
  s.Yaw = WrapAngle(s.Yaw + s.YawVel * f);
  s.Pitch = WrapAngle(s.Pitch + s.PitchVel * f);
  s.Roll = WrapAngle(s.Roll + s.RollVel * f);
  const float dx = s.VelX * f, dy = s.VelY * f, dz = s.VelZ * f;
  for (IdlePoint& p : s.Points) {
    p.X = WrapInto(p.X + dx, s.XMin, s.XMax);
    p.Y = WrapInto(p.Y + dy, s.YMin, s.YMax);
    p.Z = WrapInto(p.Z + dz, s.ZMin, s.ZMax);
  }
}

void IdleWorldMatrix(const IdleScene& s, float out[16]) {
  // Roll about z first, then pitch about x, then yaw about y.
  glm::mat4 w(1.0f);
  w = glm::rotate(w, s.Yaw, glm::vec3(0, 1, 0));
  w = glm::rotate(w, s.Pitch, glm::vec3(1, 0, 0));
  w = glm::rotate(w, s.Roll, glm::vec3(0, 0, 1));
  const float* src = &w[0][0];
  std::copy(src, src + 16, out);
}

void DrawIdlePoints(IntroModel& m, Engine& e) {
  IdleScene& s = m.Idle;
  if (s.Points.empty()) return;
  const size_t count = std::min(s.Points.size(), static_cast<size_t>(kVertexCapacity));
  s.Buffer.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const IdlePoint& p = s.Points[i];
    s.Buffer[i] = PointVertex{p.X, p.Y, p.Z, p.Size, p.Colour, 0};
  }
  float world[16];
  IdleWorldMatrix(s, world);
  e.DrawPoints(s.Buffer.data(), static_cast<int>(count), s.PointTexture, world);
}

}  // namespace quellor
