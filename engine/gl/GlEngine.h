#pragma once
// OpenGL 3.3 core implementation of the engine. It runs on whatever context the host
// has made current: the editor window's canvas, the player's window, or a headless EGL
// context, where an offscreen framebuffer serves as the back buffer.
//
// No GL header is included here, so window code may include its toolkit's GL headers
// freely. Every GL call needs the engine's context current, the destructor included.
#include <functional>
#include <memory>
#include <string>

#include "engine/EngineCore.h"

namespace quellor {

class EffectPassBinder;
class GlEffects;
class FxTranslator;

class GlEngine : public EngineCore {
 public:
  // `present` swaps the window's buffers; leave it empty for offscreen rendering.
  explicit GlEngine(std::function<void()> present = {}, bool offscreen = false);
  ~GlEngine() override;

  // Creates the GL objects (and, offscreen, the back buffer) on the current context.
  // Fails with error #2 when no usable OpenGL 3.3 context is current.
  bool Open(int screenW, int screenH) override;

  void RenderWorld() override;
  void FlushText() override;
  void DrawPoints(const PointVertex* pts, int count, Handle tex, const float* world16) override;
  Handle CreateRenderTarget(int w, int h) override;
  void FreeRenderTarget(Handle target) override;
  void GrabScreen(Handle target) override;
  void DrawScreenEffect(Handle target, Handle effect) override;
  void RenderOverlayToTarget(Handle target) override;
  void CopyTargetToScreen(Handle target) override;
  void FlipBuffers() override;
  Image ReadScreen() override;

  // Effects (GlEngineEffects.cpp): translated in the worker process, run as GL programs.
  Handle CreateEffect(const std::string& source) override;
  void FreeEffect(Handle effect) override;
  void EffectTechnique(Handle effect, const std::string& name) override;
  int EffectParam(Handle effect, std::string_view name) override;
  void SetEffectFloat(Handle effect, int param, float v) override;
  void SetEffectVector(Handle effect, int param, const float* xyz) override;
  void SetEffectMatrix(Handle effect, int param, const float* m16) override;
  void SetEffectColor(Handle effect, int param, const float* rgba) override;
  void SetEffectTexture(Handle effect, int param, Handle tex) override;
  Handle CreateTextureShader(const std::string& source, int w, int h) override;

  // --- for effects, hosts and tests ---
  // GL texture name of an engine texture, uploading changed pixels first; 0 if unknown.
  unsigned GlTexture(Handle tex);
  // Framebuffer drawing into a render target; 0 if `target` is not one.
  unsigned TargetFramebuffer(Handle target) const;
  // Framebuffer holding the back buffer (0 for a window's default framebuffer).
  unsigned BackBufferFramebuffer() const;
  bool IsRenderTarget(Handle tex) const;
  // Draw calls issued by the last sprite/text pass (batching check).
  int LastDrawCalls() const { return lastDrawCalls_; }
  // Font file in use for texts; empty when no font could be opened.
  std::string FontFile() const;
  // Camera view and projection used for 3D drawing (Direct3D layout).
  const float* ViewMatrix() const { return View().data(); }
  const float* ProjectionMatrix() const { return Projection().data(); }
  // Entities drawn by the last RenderWorld.
  int LastEntitiesDrawn() const { return lastEntitiesDrawn_; }
  // Hands entities with an attached effect to the effect runtime (null: all plain).
  // See engine/gl/GlEntities.h for the contract and the vertex attribute locations.
  void SetEffectPassBinder(EffectPassBinder* binder);
  // The effects, for drawing meshes through a pass (see GlEffects.h).
  GlEffects& Effects() { return *effects_; }
  // Translation with its caches (tests point it at their own folders).
  FxTranslator& EffectTranslator() { return *translator_; }

 protected:
  void OnTextureChanged(Handle tex) override;
  void OnTextureFreed(Handle tex) override;
  void OnEntityFreed(Handle entity) override;

 private:
  struct Gl;
  bool InitGl();
  void ReleaseGl();
  bool MakeBackBuffer();
  // Sets up viewport, program and state to draw quads given in screen pixels into the
  // bound framebuffer of fbW x fbH pixels.
  void BeginQuadPass(int fbW, int fbH, bool topRowFirst);
  void QueueBackdrops();
  void QueueSprites();
  void QueueTexts();
  void DrawScreenFade();
  // A texture and framebuffer of the target's size that effects draw into; then
  // SwapScratchInto makes it the target's content (the old content becomes scratch).
  unsigned ScratchFramebuffer(Handle target);
  void SwapScratchInto(Handle target);
  Handle TranslateEffect(const std::string& source, bool textureShader, EngineError errorNumber);
  // Every pass of the effect as a full-screen quad into `target`; `opaque` keeps the
  // target's alpha at 1 as an X8R8G8B8 surface would.
  void RunScreenEffect(Handle target, Handle effect, bool opaque);
  bool GlReady() const;

  std::function<void()> present_;
  bool offscreen_;
  std::unique_ptr<Gl> gl_;
  std::unique_ptr<GlEffects> effects_;
  std::unique_ptr<FxTranslator> translator_;
  int lastDrawCalls_ = 0;
  int lastEntitiesDrawn_ = 0;
  // Per-frame scratch storage, kept so drawing a frame does not allocate.
  std::vector<Handle> backdropOrder_;
  std::vector<uint32_t> decodedScratch_;
};

// A headless EGL context (surfaceless, Mesa llvmpipe when no GPU) made current on
// creation. Create() returns null and sets `error` (and `errorNumber`, #6 when EGL
// cannot start, #2 when no OpenGL 3.3 core context can be made) when EGL is unavailable.
class EglContext {
 public:
  static std::unique_ptr<EglContext> Create(std::string* error = nullptr,
                                            int* errorNumber = nullptr);
  virtual ~EglContext() = default;
  // Makes the context current again on the calling thread.
  virtual bool MakeCurrent() = 0;
};

}  // namespace quellor
