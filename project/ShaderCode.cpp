#include "project/ShaderCode.h"

#include "project/Colors.h"
#include "project/Object3d.h"
#include "project/StatusLog.h"

namespace quellor {

namespace {

constexpr int kShaderTextureSide = 256;

}  // namespace

bool CompilePostFx(IntroModel& m, Engine& e) {
  PostFxFields& p = m.PostFX;
  if (p.Effect != 0) e.FreeEffect(p.Effect);
  p.Effect = 0;
  if (m.ScreenTexture == 0) m.ScreenTexture = e.CreateRenderTarget(m.ScreenX, m.ScreenY);
  p.Target = m.ScreenTexture;
  if (p.Code.empty()) return false;
  p.Effect = e.CreateEffect(p.Code);
  return p.Effect != 0;
}

bool CompileTextureShader(IntroModel& m, Engine& e) {
  TexShaderFields& t = m.TexShader;
  const Handle entity = m.Obj3d.Entity;
  if (t.Texture != 0) {
    if (entity != 0) e.EntityTexture(entity, 0);
    e.FreeTexture(t.Texture);
    t.Texture = 0;
  }
  if (!t.Code.empty()) t.Texture = e.CreateTextureShader(t.Code, kShaderTextureSide, kShaderTextureSide);
  if (t.Texture == 0) {
    if (t.State == 1) t.State = -1;
    if (entity != 0) e.EntityTexture(entity, ObjectTexture(m));
    return false;
  }
  t.State = 1;
  if (entity != 0) e.EntityTexture(entity, t.Texture);
  return true;
}

bool CompileVertexShader(IntroModel& m, Engine& e) {
  VertexShaderFields& s = m.VertexShader;
  const Handle entity = m.Obj3d.Entity;
  if (s.Effect != 0) {
    if (entity != 0) e.EntityEffect(entity, 0);
    e.FreeEffect(s.Effect);
    s.Effect = 0;
  }
  // A failed compile leaves the object drawn plain.
  if (s.Code.empty()) return false;
  s.Effect = e.CreateEffect(s.Code);
  if (s.Effect == 0) return false;
  e.EffectTechnique(s.Effect, "Technique0");
  if (entity != 0) e.EntityEffect(entity, s.Effect);
  return true;
}

void LogShaderError(IntroModel& m, Engine& e) {
  const std::string text = e.ErrorText();
  const size_t nl = text.find('\n');
  std::string line = text.substr(0, nl);
  if (nl != std::string::npos) {
    const size_t end = text.find('\n', nl + 1);
    line += text.substr(nl + 1, end == std::string::npos ? std::string::npos : end - nl - 1);
  }
  AddStatusLine(m, line, kNotFoundMs, kColorError);
}

}  // namespace quellor
