#pragma once
// Everything of the engine that needs no GPU: object tables, the sprite list and its
// draw queues, per-entry sprite state, texture pixels, backdrop scrolling, texts,
// timing, input and the last error. The GL and recording engines derive from it, so
// both walk the very same draw sequence.
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <unordered_map>

#include "engine/Clock.h"
#include "engine/D3DMatrix.h"
#include "engine/Engine.h"
#include "engine/EngineErrors.h"
#include "engine/mesh/MeshData.h"
#include "engine/mesh/MeshPose.h"

namespace quellor {

struct QueuedDraw {
  int X = 0, Y = 0, Alpha = 255, Frame = 0;
  float RotationRad = 0, ZoomX = 1, ZoomY = 1;
  int SrcBlend = 5, DestBlend = 6;
};

struct TextureData {
  Image Pixels;
  uint64_t Version = 1;  // bumped on every pixel change so GPU copies can refresh
};

struct SpriteData {
  Handle Texture = 0;
  bool OwnsTexture = false;  // sprites loaded straight from a file own their texture
  int FrameW = 0, FrameH = 0, Frames = 1, Columns = 1;
  float RotationRad = 0, ZoomX = 1, ZoomY = 1;
  int SrcBlend = 5, DestBlend = 6;
  int Frame = 0;
  // Animation set by AnimateSprite; Clock is the ms into the animation cycle.
  float MsPerFrame = 0, Clock = 0;
  int AnimFrames = 0, AnimDir = 1;
  bool Once = false;
  std::vector<QueuedDraw> Queue;
};

struct BackdropData {
  Handle Texture = 0;
  float CarryX = 0, CarryY = 0;
  int OffsetX = 0, OffsetY = 0;  // whole-pixel content offset, wrapped to the texture size
};

// A 3D object: its model, placement and what it is drawn with. The GL engine keeps only
// the GPU copies; everything here is answered without a GPU.
struct EntityData {
  std::shared_ptr<const MeshData> Mesh;
  bool Animated = false;  // loaded with its frame hierarchy and animation sets
  float Position[3] = {0, 0, 0};
  float TurnDeg[3] = {0, 0, 0};  // about x, y, z (pitch, yaw, roll), each within one turn
  float Scale[3] = {1, 1, 1};
  float RestMin[3] = {0, 0, 0}, RestMax[3] = {0, 0, 0};  // unscaled rest-pose bounds
  Handle Texture = 0;
  Handle Effect = 0;
  // Set by EntityMaterial for every part; otherwise each part keeps the model's own.
  bool MaterialOverride = false;
  MeshMaterial Material;
  bool Shadow = false;
  int AnimationSet = 0;
  double AnimSeconds = 0;  // advanced by every flip
  // Posed vertices, valid for PosedAt seconds (negative: not posed yet).
  std::vector<MeshVertex> Posed;
  PoseScratch Scratch;
  double PosedAt = -1;
};

struct QueuedText {
  int X = 0, Y = 0;
  std::string Text;
  uint32_t Argb = 0xFFFFFFFFu;
};

class EngineCore : public Engine {
 public:
  EngineCore();

  bool Open(int screenW, int screenH) override;
  int ScreenWidth() const override { return screenW_; }
  int ScreenHeight() const override { return screenH_; }
  void SetClearColor(uint32_t argb) override { clearColor_ = argb; }

  Handle LoadTexture(const std::string& path) override;
  Handle TextureFromMemory(const uint8_t* data, size_t size) override;
  Handle TextureFromImage(const Image& img) override;
  int TextureWidth(Handle tex) const override;
  int TextureHeight(Handle tex) const override;
  bool ResizeTexture(Handle tex, int w, int h) override;
  bool TileTexture(Handle tex, int w, int h) override;
  Handle CopyTextureRect(Handle tex, int x, int y, int w, int h) override;
  void FreeTexture(Handle tex) override;
  void ScrollTextureRows(Handle tex, int dx, int dy) override;

  Handle CreateSprite(Handle tex, int frameW = 0, int frameH = 0) override;
  Handle LoadSprite(const std::string& path, int frameW = 0, int frameH = 0) override;
  void FreeSprite(Handle sprite) override;
  void DisplaySprite(Handle sprite, int x, int y, int alpha, int frame = -1) override;
  void SpriteToFront(Handle sprite, int toEnd) override;
  void RotateSprite(Handle sprite, float degrees) override;
  void TurnSprite(Handle sprite, float degrees) override;
  void ZoomSprite(Handle sprite, float percentX, float percentY) override;
  void SpriteBlending(Handle sprite, int src, int dest) override;
  int SpriteWidth(Handle sprite) const override;
  int SpriteHeight(Handle sprite) const override;
  int SpriteFrame(Handle sprite) const override;
  void SetSpriteFrame(Handle sprite, int frame) override;
  int SpriteFrameCount(Handle sprite) const override;
  void AnimateSprite(Handle sprite, float msPerFrame, int frames, int dir, bool once) override;
  void AdvanceAnimations(float ms) override;
  float SpriteRotation(Handle sprite) const override;
  Handle SpriteTexture(Handle sprite) const override;

  Handle CreateBackdrop(Handle tex) override;
  void FreeBackdrop(Handle backdrop) override;
  void ScrollBackdrop(Handle backdrop, float dy, float dx) override;

  void SetTextColor(uint32_t argb) override { textColor_ = argb; }
  void DrawText(int x, int y, std::string_view text) override;
  void DrawTextColored(int x, int y, std::string_view text, uint32_t argb) override;

  // Entities, light and camera (EngineEntities.cpp): models, placement and matrices
  // need no GPU, so the recording engine answers them exactly as the GL engine does.
  Handle LoadEntity(const std::string& path, bool animated = false) override;
  Handle CreatePrimitive(Primitive kind) override;
  void FreeEntity(Handle entity) override;
  void TurnEntity(Handle entity, float a, float b, float c) override;
  void PositionEntity(Handle entity, float x, float y, float z) override;
  void ScaleEntity(Handle entity, float sx, float sy, float sz) override;
  void EntitySize(Handle entity, float* w, float* h, float* d) const override;
  void EntityPosition(Handle entity, float* x, float* y, float* z) const override;
  void EntityTexture(Handle entity, Handle tex) override;
  void EntityEffect(Handle entity, Handle effect) override;
  void EntityMaterial(Handle entity, const float diffuse[4], const float ambient[4],
                      const float specular[4], float power) override;
  void EntityShadow(Handle entity, bool on) override;
  int EntityAnimationSets(Handle entity) const override;
  void PositionLight(float x, float y, float z) override;
  void PositionCamera(float x, float y, float z) override;
  void SetFog(float start, float end) override;
  const float* QueryMatrix(MatrixKind kind, Handle entity = 0) override;
  Handle CreateEffect(const std::string& source) override;
  void FreeEffect(Handle) override {}
  void EffectTechnique(Handle, const std::string&) override {}
  // By name: resolved through EffectParam, then set by index.
  void EffectFloat(Handle fx, const std::string& name, float v) override;
  void EffectVector(Handle fx, const std::string& name, const float* xyz) override;
  void EffectMatrix(Handle fx, const std::string& name, const float* m16) override;
  void EffectColor(Handle fx, const std::string& name, const float* rgba) override;
  void EffectTexture(Handle fx, const std::string& name, Handle tex) override;
  int EffectParam(Handle, std::string_view) override { return -1; }
  void SetEffectFloat(Handle, int, float) override {}
  void SetEffectVector(Handle, int, const float*) override {}
  void SetEffectMatrix(Handle, int, const float*) override {}
  void SetEffectColor(Handle, int, const float*) override {}
  void SetEffectTexture(Handle, int, Handle) override {}
  Handle CreateTextureShader(const std::string& source, int w, int h) override;

  void FlipBuffers() override;
  int MeasureFps() override;
  void SetScreenFade(float level) override;
  float ScreenFade() const override { return screenFade_; }
  uint64_t TimerTicks() const override { return clock_->Now100ns() / 100; }

  void SetKeyState(int dik, bool down) override;
  void SetMouseButton(int button, bool down) override;
  bool KeyDown(int dik) const override;
  bool KeyHit(int dik) override;
  bool MouseDown(int button) const override;
  bool MouseUp(int button) const override { return !MouseDown(button); }

  bool ReadFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes) override;
  void MountFile(const std::string& name, std::vector<uint8_t> bytes) override;
  bool IsMounted(const std::string& name) const override;

  int LastError() const override { return lastError_; }
  std::string ErrorText() const override;

  // --- for implementations and tests ---
  // The clock of frame timing and TimerTicks; it must outlive the engine.
  void SetClock(const Clock& clock) override { clock_ = &clock; }
  float LastFrameSeconds() const { return lastFrameSeconds_; }
  void SetError(EngineError n, const std::string& extra = {});
  const TextureData* Texture(Handle tex) const;
  const SpriteData* Sprite(Handle sprite) const;
  const BackdropData* Backdrop(Handle backdrop) const;
  const std::vector<Handle>& SpriteList() const { return spriteList_; }
  uint32_t ClearColor() const { return clearColor_; }
  // Walks every queued draw: sprites in list order, each sprite's entries in queue
  // order; the queues are emptied afterwards.
  // A template rather than std::function: the frame path must not allocate.
  template <class Fn>
  void DrainQueue(Fn&& fn) {
    for (Handle h : spriteList_) {
      auto it = sprites_.find(h);
      if (it == sprites_.end()) continue;
      for (const QueuedDraw& d : it->second.Queue) fn(h, it->second, d);
      it->second.Queue.clear();
    }
  }
  bool HasQueuedDraws() const;
  // The texts queued since the last ClearTexts(), in call order.
  std::span<const QueuedText> QueuedTexts() const { return {texts_.data(), textCount_}; }
  // Empties the text queue, keeping its storage for the next frame.
  void ClearTexts() { textCount_ = 0; }
  // Source rectangle (in texels) of a frame of a sprite.
  void FrameRect(const SpriteData& s, int frame, int* x, int* y, int* w, int* h) const;

  // --- entities, for implementations and tests ---
  const EntityData* Entity(Handle entity) const;
  // Every entity in creation order (the order RenderWorld draws them).
  const std::map<Handle, EntityData>& Entities() const { return entities_; }
  // The entity's vertices in its own space, posed for its animation time. Stays valid
  // until the entity is posed again or freed.
  const std::vector<MeshVertex>& EntityVertices(Handle entity);
  D3DMatrix EntityWorld(Handle entity) const;  // scale, turn, then move
  const D3DMatrix& View() const { return view_; }
  const D3DMatrix& Projection() const { return projection_; }
  const float* LightPosition() const { return light_; }
  const float* CameraPosition() const { return camera_; }
  // Unit direction the light shines in (from its position toward the origin).
  void LightDirection(float out[3]) const;
  float FogStart() const { return fogStart_; }
  float FogEnd() const { return fogEnd_; }  // fog is off while FogEnd <= FogStart

 protected:
  virtual void OnTextureChanged(Handle) {}
  virtual void OnTextureFreed(Handle) {}
  virtual void OnEntityFreed(Handle) {}
  // Recomputes the projection for the screen's aspect (Open calls it).
  void UpdateProjection();
  Handle NewHandle() { return nextHandle_++; }
  Handle AddEntity(std::shared_ptr<const MeshData> mesh, bool animated);
  Handle AddTexture(Image img);
  // Resizes a texture's image by stretching it or by repeating it.
  bool Reshape(Handle tex, int w, int h, bool tile);
  // Wraps a whole-pixel offset into [0, size).
  static int Wrap(int v, int size);

  int screenW_ = 0, screenH_ = 0;
  uint32_t clearColor_ = 0xFF000000u;
  uint32_t textColor_ = 0xFFFFFFFFu;
  std::unordered_map<Handle, TextureData> textures_;
  std::unordered_map<Handle, SpriteData> sprites_;
  std::unordered_map<Handle, BackdropData> backdrops_;
  std::vector<Handle> spriteList_;
  std::vector<QueuedText> texts_;  // the first textCount_ entries are queued
  size_t textCount_ = 0;
  std::array<float, 16> matrix_{};
  float screenFade_ = 1.0f;
  std::unordered_map<std::string, std::vector<uint8_t>> mounted_;
  std::map<Handle, EntityData> entities_;
  D3DMatrix view_ = MatrixIdentity();
  D3DMatrix projection_ = MatrixIdentity();
  float camera_[3] = {0, 0, 0};
  float light_[3] = {0, 0, -100};
  float fogStart_ = 0, fogEnd_ = 0;

 private:
  Handle nextHandle_ = 1;
  const Clock* clock_;
  uint64_t lastFlip_ = 0;
  float lastFrameSeconds_ = 0;
  float fpsSum_ = 0;
  int fpsCount_ = 0;
  int fpsResult_ = 60;  // until the first half second is measured
  std::array<bool, 256> keys_{};
  std::array<bool, 256> keyLatch_{};
  std::array<bool, 2> mouse_{};
  int lastError_ = 0;
  std::string errorExtra_;
};

}  // namespace quellor
