// Shader files: the post effect over the screen, and of the 3D object the texture shader
// that paints its texture and the vertex/pixel shader effect it is drawn with. The
// compiling is the engine's; a text that does not compile leaves its slot empty.
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

// One log line: the engine's message and the compiler's first line after it, which
// names the place ("memory(line,column): ...").
void LogEngineError(IntroModel& m, Engine& e) {
  const std::string text = e.ErrorText();
  const size_t nl = text.find('\n');
  std::string line = text.substr(0, nl);
  if (nl != std::string::npos) {
    const size_t end = text.find('\n', nl + 1);
    line += text.substr(nl + 1, end == std::string::npos ? std::string::npos : end - nl - 1);
  }
  AddStatusLine(m, line, kNotFoundMs, kColorError);
}

}  // namespace

void LoadPostFxShader(IntroModel& m, Engine& e, const std::string& path) {
  PostFxFields& p = m.PostFX;
  if (!ReadShaderFile(m, path, "Sorry, PostFX Shader filesize is to big.", p.Code, p.File)) return;
  loaders::ReleaseEffect(e, p.Effect);
  // The grabbed screen is made anew at the screen size with every post effect.
  if (m.ScreenTexture != 0) e.FreeRenderTarget(m.ScreenTexture);
  m.ScreenTexture = e.CreateRenderTarget(m.ScreenX, m.ScreenY);
  p.Target = m.ScreenTexture;
  p.Effect = e.CreateEffect(p.Code);
  if (p.Effect == 0) {
    LogEngineError(m, e);  // no post pass
    return;
  }
  loaders::LogLoaded(m, "PostFX Shader succesfully loaded.");
}

void LoadTextureShader(IntroModel& m, Engine& e, const std::string& path) {
  TexShaderFields& t = m.TexShader;
  if (!ReadShaderFile(m, path, "Sorry, Texture Shader filesize is to big.", t.Code, t.File)) return;
  loaders::ReleaseEffect(e, t.Effect);
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
