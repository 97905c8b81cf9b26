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

// The size gate, then the whole text into `code` and the path into `file`. False when
// the file is refused or cannot be read; the slot is then left as it was.
bool ReadShaderFile(IntroModel& m, const std::string& path, const std::string& refusal, std::string& code,
                    std::string& file) {
  if (path.empty() || !loaders::FitsLimit(m, path, kShaderLimit, refusal)) return false;
  if (!PathExists(path) || !PathIsSafeToRead(path)) return false;
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, kShaderLimit)) return false;
  // Files written on any system: the model keeps CR LF lines, as the project file stores them.
  code = loaders::WithCrLf(std::string(bytes.begin(), bytes.end()));
  file = path;
  MarkChanged(m);
  return true;
}

void LogEngineError(IntroModel& m, Engine& e) { AddStatusLine(m, e.ErrorText(), kNotFoundMs, kColorError); }

}  // namespace

void LoadTextureShader(IntroModel& m, Engine& e, const std::string& path) {
  TexShaderFields& t = m.TexShader;
  if (!ReadShaderFile(m, path, "Sorry, Texture Shader filesize is to big.", t.Code, t.File)) return;
  if (t.Effect != 0) e.FreeEffect(t.Effect);
  t.Effect = 0;
  loaders::ReleaseTexture(e, t.Texture);
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
  VertexShaderFields& s = m.VertexShader;
  if (!ReadShaderFile(m, path, "Sorry, Vertex Shader filesize is to big.", s.Code, s.File)) return;
  if (s.Effect != 0) {
    if (m.Obj3d.Entity != 0) e.EntityEffect(m.Obj3d.Entity, 0);
    e.FreeEffect(s.Effect);
  }
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
