// The GL engine's effect operations: creation through the translator, parameters,
// full-screen effect draws and texture shaders.
#include <epoxy/gl.h>

#include <algorithm>

#include "engine/fx/FxTranslator.h"
#include "engine/gl/GlEffects.h"
#include "engine/gl/GlEngine.h"

namespace quellor {

Handle GlEngine::TranslateEffect(const std::string& source, bool textureShader, EngineError errorNumber) {
  const FxResult r = translator_->Translate(textureShader ? FxKind::TextureShader : FxKind::Effect, source);
  if (!r.Ok) {
    // The compiler's messages; an effect's failure also says so in Direct3D's words.
    if (textureShader) SetError(errorNumber, r.Message.empty() ? "Can't create the Texturshader" : r.Message);
    else SetError(errorNumber, r.Message + "Error CreateEffect!");
    return 0;
  }
  const Handle h = NewHandle();
  std::string log;
  if (!effects_->Add(h, r.Fx, &log)) {
    SetError(errorNumber, "GL: " + log);
    return 0;
  }
  return h;
}

Handle GlEngine::CreateEffect(const std::string& source) {
  if (!GlReady()) {
    SetError(EngineError::Shader, "Error CreateEffect!");
    return 0;
  }
  return TranslateEffect(source, false, EngineError::Shader);
}

void GlEngine::FreeEffect(Handle effect) { effects_->Remove(effect); }

void GlEngine::EffectTechnique(Handle effect, const std::string& name) { effects_->SelectTechnique(effect, name); }

int GlEngine::EffectParam(Handle effect, std::string_view name) {
  const FxParams* p = effects_->Params(effect);
  return p ? p->Find(name) : -1;
}

void GlEngine::SetEffectFloat(Handle effect, int param, float v) {
  if (FxParams* p = effects_->Params(effect)) p->SetFloats(param, &v, 1);
}

void GlEngine::SetEffectVector(Handle effect, int param, const float* xyz) {
  if (FxParams* p = effects_->Params(effect)) p->SetFloats(param, xyz, 3);
}

void GlEngine::SetEffectMatrix(Handle effect, int param, const float* m16) {
  if (FxParams* p = effects_->Params(effect)) p->SetMatrix(param, m16);
}

void GlEngine::SetEffectColor(Handle effect, int param, const float* rgba) {
  if (FxParams* p = effects_->Params(effect)) p->SetFloats(param, rgba, 4);
}

void GlEngine::SetEffectTexture(Handle effect, int param, Handle tex) {
  if (FxParams* p = effects_->Params(effect)) p->SetTexture(param, tex);
}

void GlEngine::DrawScreenEffect(Handle target, Handle effect) { RunScreenEffect(target, effect, true); }

void GlEngine::RunScreenEffect(Handle target, Handle effect, bool opaque) {
  if (!effects_->Has(effect)) return;
  const unsigned fbo = ScratchFramebuffer(target);
  if (!fbo) return;
  // The passes draw into a fresh surface while the effect's textures (the target
  // itself, usually) still show the old picture; then the new one becomes the target.
  glBindFramebuffer(GL_FRAMEBUFFER, fbo);
  glViewport(0, 0, TextureWidth(target), TextureHeight(target));
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  effects_->DrawScreenQuad(effect, opaque);
  SwapScratchInto(target);
  glBindFramebuffer(GL_FRAMEBUFFER, BackBufferFramebuffer());
}

Handle GlEngine::CreateTextureShader(const std::string& source, int w, int h) {
  if (!GlReady()) {
    SetError(EngineError::TextureShader, "Can't create the Texturshader");
    return 0;
  }
  const Handle fx = TranslateEffect(source, true, EngineError::TextureShader);
  if (!fx) return 0;
  w = std::clamp(w, 1, 4096);
  h = std::clamp(h, 1, 4096);
  // Filled through a render target, then read back into an ordinary texture.
  const Handle target = CreateRenderTarget(w, h);
  Handle result = 0;
  if (ScratchFramebuffer(target)) {
    RunScreenEffect(target, fx, false);  // the shader's alpha is kept
    glBindFramebuffer(GL_READ_FRAMEBUFFER, TargetFramebuffer(target));
    Image img;
    img.Width = w;
    img.Height = h;
    img.Rgba.resize(static_cast<size_t>(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    // The target holds its top row (v = 0) first, as images do.
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, img.Rgba.data());
    glBindFramebuffer(GL_FRAMEBUFFER, BackBufferFramebuffer());
    result = TextureFromImage(img);
  } else {
    SetError(EngineError::TextureShader, "Error during D3DXCreateTextureShader");
  }
  FreeRenderTarget(target);
  FreeEffect(fx);
  return result;
}

}  // namespace quellor
