// Shader files of the 3D object: the texture shader that paints its texture and the
// vertex/pixel shader effect it is drawn with. The compiling is the engine's.
#include "project/Colors.h"
#include "project/Loaders.h"
#include "project/Object3d.h"
#include "project/PathResolve.h"
#include "project/StatusLog.h"
#include "project/loaders/LoaderCommon.h"
#include "engine/image/ImageCodec.h"

namespace quellor {

namespace {

constexpr uint64_t kShaderLimit = 10240;
constexpr int kShaderTextureSide = 256;

bool ReadShaderText(const std::string& path, std::string& text) {
  if (!PathExists(path) || !PathIsSafeToRead(path)) return false;
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, kShaderLimit)) return false;
  // Files written on any system: the model keeps CR LF lines, as the project file stores them.
  text = loaders::WithCrLf(std::string(bytes.begin(), bytes.end()));
  return true;
}

void LogEngineError(IntroModel& m, Engine& e) { AddStatusLine(m, e.ErrorText(), kNotFoundMs, kColorError); }

}  // namespace

void LoadTextureShader(IntroModel& m, Engine& e, const std::string& path) {
  if (path.empty()) return;
  if (!loaders::FitsLimit(m, path, kShaderLimit, "Sorry, Texture Shader filesize is to big.")) return;
  TexShaderFields& t = m.TexShader;
  if (!ReadShaderText(path, t.Code)) return;
  t.File = path;
  if (t.Effect != 0) e.FreeEffect(t.Effect);
  t.Effect = 0;
  loaders::ReleaseTexture(e, t.Texture);
  MarkChanged(m);
  t.Texture = e.CreateTextureShader(t.Code, kShaderTextureSide, kShaderTextureSide);
  if (t.Texture == 0) {
    LogEngineError(m, e);
    if (t.State == 1) t.State = -1;
    if (m.Obj3d.Entity != 0) e.EntityTexture(m.Obj3d.Entity, ObjectTexture(m));
    return;
  }
  t.State = 1;
  m.Tex3d.Type = 2;
  if (m.Obj3d.Entity != 0) e.EntityTexture(m.Obj3d.Entity, t.Texture);
}

void LoadVertexShader(IntroModel& m, Engine& e, const std::string& path) {
  if (path.empty()) return;
  if (!loaders::FitsLimit(m, path, kShaderLimit, "Sorry, Vertex Shader filesize is to big.")) return;
  VertexShaderFields& s = m.VertexShader;
  if (!ReadShaderText(path, s.Code)) return;
  s.File = path;
  if (s.Effect != 0) {
    if (m.Obj3d.Entity != 0) e.EntityEffect(m.Obj3d.Entity, 0);
    e.FreeEffect(s.Effect);
  }
  MarkChanged(m);
  // A failed compile leaves the object drawn plain.
  s.Effect = e.CreateEffect(s.Code);
  if (s.Effect == 0) {
    LogEngineError(m, e);
    return;
  }
  e.EffectTechnique(s.Effect, "Technique0");
  if (m.Obj3d.Entity != 0) e.EntityEffect(m.Obj3d.Entity, s.Effect);
  loaders::LogLoaded(m, "Vertex Shader succesfully loaded.");
}

}  // namespace quellor
