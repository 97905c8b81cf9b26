#include "render/EffectContract.h"

#include <cmath>

namespace quellor {

namespace {
// Engine query and whether the contract hands it over as a vector (three floats).
struct Query {
  MatrixKind Kind;
  bool Vector;
};
constexpr Query kQueries[kContractMatrixCount] = {
    {MatrixKind::WorldViewProjectionInverse, false}, {MatrixKind::WorldViewProjection, false},
    {MatrixKind::World, false},     {MatrixKind::WorldInverse, false},
    {MatrixKind::LightDirection, true}, {MatrixKind::LightWorld, false},
    {MatrixKind::View, false},      {MatrixKind::ViewInverse, false},
    {MatrixKind::Projection, false}, {MatrixKind::EyePosition, true}};
}  // namespace

void ResolveEffectSlots(Engine& e, Handle effect, std::span<const char* const> names, EffectSlots& slots) {
  if (slots.For == effect) return;
  slots.Index.fill(-1);
  for (size_t i = 0; i < names.size() && i < slots.Index.size(); ++i) slots.Index[i] = e.EffectParam(effect, names[i]);
  slots.For = effect;
}

float EffectTime(const Engine& e) { return static_cast<float>(static_cast<double>(e.TimerTicks()) / 100000.0); }

std::array<float, 3> MouseVector(const IntroModel& m) {
  const VertexShaderFields& v = m.VertexShader;
  const float w = static_cast<float>(m.ScreenX), h = static_cast<float>(m.ScreenY);
  if (v.M_opt == 1) return {static_cast<float>(v.M_X) / w, static_cast<float>(v.M_Y) / h, 0.0f};
  if (v.M_opt == 2) {
    const float s = std::fabs(m.ScrollRun[0].SwingSine);
    return {s, s, 0.0f};
  }
  int x = m.PreviewMouseX, y = m.PreviewMouseY;
  if (x < 0 || y < 0 || x >= m.ScreenX || y >= m.ScreenY) x = y = -1;
  return {static_cast<float>(x) / (w - 10.0f), static_cast<float>(y) / (h - 10.0f), 0.0f};
}

Handle ObjectTexture(const IntroModel& m) {
  return m.Tex3d.Type == 2 && m.TexShader.Texture != 0 ? m.TexShader.Texture : m.Tex3d.Texture;
}

void SetContractMatrices(const IntroModel& m, Engine& e, Handle effect, const EffectSlots& slots, int first) {
  for (int k = 0; k < kContractMatrixCount; ++k) {
    const int param = slots.Index[static_cast<size_t>(first + k)];
    if (param < 0) continue;
    // Each query's result is valid until the next one: hand it over at once.
    const float* q = e.QueryMatrix(kQueries[k].Kind, m.Obj3d.Entity);
    if (kQueries[k].Vector) e.SetEffectVector(effect, param, q);
    else e.SetEffectMatrix(effect, param, q);
  }
}

}  // namespace quellor
