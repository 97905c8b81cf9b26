// Shader loaders: the post effect, the texture shader and the 3D object's vertex/pixel
// shader. Each reads its file whole into the kind's Code field and compiles it; a text
// that does not compile leaves the slot empty and puts the compiler's message in the log.
#include <vector>

#include "engine/image/ImageCodec.h"
#include "project/Loaders.h"
#include "project/PathResolve.h"
#include "project/StatusLog.h"
#include "project/loaders/LoaderCommon.h"

namespace quellor {

namespace {
constexpr uint64_t kShaderLimit = 10240;
constexpr int kTextureShaderSide = 256;

// False when the file cannot be read; like an unreadable image that logs nothing.
bool ReadShader(const std::string& path, std::string& out) {
  std::vector<uint8_t> bytes;
  if (!PathIsSafeToRead(path) || !ReadWholeFile(path, bytes, 1u << 20)) return false;
  out.assign(bytes.begin(), bytes.end());
  return true;
}

// The engine's message: its first line, then the first compiler line, which carries
// the position ("memory(line,column): ...").
void LogShaderError(IntroModel& m, Engine& e) {
  const std::string text = e.ErrorText();
  const size_t nl = text.find('\n');
  AddStatusLine(m, text.substr(0, nl), kNotFoundMs, kColorError);
  if (nl == std::string::npos) return;
  const size_t end = text.find('\n', nl + 1);
  const std::string first = text.substr(nl + 1, end == std::string::npos ? std::string::npos : end - nl - 1);
  if (!first.empty()) AddStatusLine(m, first, kNotFoundMs, kColorError);
}
}  // namespace

void LoadPostFxShader(IntroModel& m, Engine& e, const std::string& path) {
  if (path.empty()) return;
  if (!loaders::FitsLimit(m, path, kShaderLimit, "Sorry, PostFX Shader filesize is to big.")) return;
  PostFxFields& p = m.PostFX;
  p.File = path;
  loaders::ReleaseEffect(e, p.Effect);
  // The grabbed screen is made anew at the screen size with every post effect.
  if (m.ScreenTexture != 0) e.FreeRenderTarget(m.ScreenTexture);
  m.ScreenTexture = e.CreateRenderTarget(m.ScreenX, m.ScreenY);
  p.Target = m.ScreenTexture;
  if (!ReadShader(path, p.Code)) return;
  p.Effect = e.CreateEffect(p.Code);
  if (p.Effect == 0) {
    LogShaderError(m, e);
    return;
  }
  MarkChanged(m);
  loaders::LogLoaded(m, "PostFX Shader succesfully loaded.");
}

void LoadTextureShader(IntroModel& m, Engine& e, const std::string& path) {
  if (path.empty()) return;
  if (!loaders::FitsLimit(m, path, kShaderLimit, "Sorry, Texture Shader filesize is to big.")) return;
  TexShaderFields& t = m.TexShader;
  t.File = path;
  loaders::ReleaseEffect(e, t.Effect);
  loaders::ReleaseTexture(e, t.Texture);
  if (!ReadShader(path, t.Code)) return;
  t.Texture = e.CreateTextureShader(t.Code, kTextureShaderSide, kTextureShaderSide);
  if (t.Texture == 0) {
    LogShaderError(m, e);
    return;
  }
  t.State = 1;
  m.Tex3d.Type = 2;
  if (m.Obj3d.Entity != 0) e.EntityTexture(m.Obj3d.Entity, t.Texture);
  MarkChanged(m);
}

void LoadVertexShader(IntroModel& m, Engine& e, const std::string& path) {
  if (path.empty()) return;
  if (!loaders::FitsLimit(m, path, kShaderLimit, "Sorry, Vertex Shader filesize is to big.")) return;
  VertexShaderFields& v = m.VertexShader;
  v.File = path;
  if (v.Effect != 0 && m.Obj3d.Entity != 0) e.EntityEffect(m.Obj3d.Entity, 0);
  loaders::ReleaseEffect(e, v.Effect);
  if (!ReadShader(path, v.Code)) return;
  v.Effect = e.CreateEffect(v.Code);
  if (v.Effect == 0) {
    LogShaderError(m, e);  // the object is drawn plain
    return;
  }
  e.EffectTechnique(v.Effect, "Technique0");
  if (m.Obj3d.Entity != 0) e.EntityEffect(m.Obj3d.Entity, v.Effect);
  MarkChanged(m);
  loaders::LogLoaded(m, "Vertex Shader succesfully loaded.");
}

}  // namespace quellor
