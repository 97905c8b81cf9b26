#include "render/Effects3d.h"

#include <cmath>
#include <string>

#include "project/Object3d.h"

namespace quellor {

namespace {
// Parameter names built once: setting them every frame must not allocate.
const std::string kMouse = "mouse", kPostFx = "postfx", kTime = "time";
const std::string kTextures[4] = {"texture0", "texture1", "texture2", "texture3"};
const std::string kVars[3] = {"Var1", "Var2", "Var3"};

struct MatrixParam {
  std::string Name;
  MatrixKind Kind;
  bool Vector;
};
const MatrixParam kMatrixParams[10] = {
    {"worldViewProjI", MatrixKind::WorldViewProjectionInverse, false},
    {"worldViewProj", MatrixKind::WorldViewProjection, false},
    {"matWorld", MatrixKind::World, false},
    {"matWorldI", MatrixKind::WorldInverse, false},
    {"lightDir", MatrixKind::LightDirection, true},
    {"matLightWorld", MatrixKind::LightWorld, false},
    {"matCamView", MatrixKind::View, false},
    {"matCamViewI", MatrixKind::ViewInverse, false},
    {"matCamProj", MatrixKind::Projection, false},
    {"vecEye", MatrixKind::EyePosition, true},
};

float Over(float v, int32_t d) { return d != 0 ? v / static_cast<float>(d) : 0.0f; }
}  // namespace

void UpdateShaderMouse(IntroModel& m) {
  std::array<float, 3>& v = m.ShaderMouse;
  v[2] = 0;
  switch (m.VertexShader.M_opt) {
    case 1:
      v[0] = Over(static_cast<float>(m.VertexShader.M_X), m.ScreenX);
      v[1] = Over(static_cast<float>(m.VertexShader.M_Y), m.ScreenY);
      break;
    case 2:
      v[0] = v[1] = std::fabs(m.ScrollRun[0].SwingSine);
      break;
    default: {
      int32_t x = m.PreviewMouseX, y = m.PreviewMouseY;
      if (x < 0 || y < 0 || x >= m.ScreenX || y >= m.ScreenY) x = y = -1;
      v[0] = Over(static_cast<float>(x), m.ScreenX - 10);
      v[1] = Over(static_cast<float>(y), m.ScreenY - 10);
      break;
    }
  }
}

void SetMatrixParameters(const IntroModel& m, Engine& e, Handle effect) {
  for (const MatrixParam& p : kMatrixParams) {
    // Each query's result stays valid until the next query.
    const float* q = e.QueryMatrix(p.Kind, m.Obj3d.Entity);
    if (p.Vector)
      e.EffectVector(effect, p.Name, q);
    else
      e.EffectMatrix(effect, p.Name, q);
  }
}

float ShaderTime(const Engine& e) { return static_cast<float>(static_cast<double>(e.TimerTicks()) / 100000.0); }

void SetObjectShaderParameters(IntroModel& m, Engine& e) {
  UpdateShaderMouse(m);
  const Handle fx = m.VertexShader.Effect;
  if (fx == 0) return;
  e.EffectVector(fx, kMouse, m.ShaderMouse.data());
  SetMatrixParameters(m, e, fx);
  e.EffectFloat(fx, kPostFx, 0.0f);
  e.EffectTexture(fx, kTextures[0], ObjectTexture(m));
  for (int i = 0; i < 3; ++i) e.EffectTexture(fx, kTextures[i + 1], m.VertexShader.Texture[i]);
  e.EffectFloat(fx, kTime, ShaderTime(e));
  const float vars[3] = {m.VertexShader.Var1, m.VertexShader.Var2, m.VertexShader.Var3};
  for (int i = 0; i < 3; ++i) e.EffectFloat(fx, kVars[i], vars[i]);
}

// The post effect and the raster pass live in PostEffect.cpp and RasterBars.cpp.

}  // namespace quellor
