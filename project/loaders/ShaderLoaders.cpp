// Shader files: the post effect over the screen, and of the 3D object the texture shader
// that paints its texture and the vertex/pixel shader effect it is drawn with. The
// compiling is the engine's; a text that does not compile leaves its slot empty.
#include "project/Colors.h"
#include "project/Loaders.h"
#include "project/Object3d.h"
#include "project/PathResolve.h"
#include "project/ShaderCode.h"
#include "project/StatusLog.h"
#include "project/loaders/LoaderCommon.h"
#include "engine/image/ImageCodec.h"

namespace quellor {

namespace {

constexpr uint64_t kShaderLimit = 10240;

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

}  // namespace

void LoadPostFxShader(IntroModel& m, Engine& e, const std::string& path) {
  PostFxFields& p = m.PostFX;
  if (!ReadShaderFile(m, path, "Sorry, PostFX Shader filesize is to big.", p.Code, p.File)) return;
  // The grabbed screen is made anew at the screen size with every post effect.
  if (m.ScreenTexture != 0) e.FreeRenderTarget(m.ScreenTexture);
  m.ScreenTexture = 0;
  if (!CompilePostFx(m, e)) {
    LogShaderError(m, e);  // no post pass
    return;
  }
  loaders::LogLoaded(m, "PostFX Shader succesfully loaded.");
}

void LoadTextureShader(IntroModel& m, Engine& e, const std::string& path) {
  TexShaderFields& t = m.TexShader;
  if (!ReadShaderFile(m, path, "Sorry, Texture Shader filesize is to big.", t.Code, t.File)) return;
  loaders::ReleaseEffect(e, t.Effect);
  if (!CompileTextureShader(m, e)) {
    LogShaderError(m, e);
    return;
  }
  m.Tex3d.Type = 2;
}

void LoadVertexShader(IntroModel& m, Engine& e, const std::string& path) {
  VertexShaderFields& s = m.VertexShader;
  if (!ReadShaderFile(m, path, "Sorry, Vertex Shader filesize is to big.", s.Code, s.File)) return;
  if (!CompileVertexShader(m, e)) {
    LogShaderError(m, e);
    return;
  }
  loaders::LogLoaded(m, "Vertex Shader succesfully loaded.");
}

}  // namespace quellor
