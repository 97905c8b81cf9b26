#pragma once
// The render engine: every sprite, texture, text, entity, effect, render target,
// input poll and frame timing of the intro goes through this interface.
// Implementations: engine/gl (OpenGL 3.3 core on any context a host gives it) and
// engine/recording (no GL; records every draw for tests).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Handle.h"

namespace quellor {

// Decoded RGBA8 image, rows top to bottom.
struct Image {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Rgba;
};

enum class Primitive { Cube = 1, Sphere, Cylinder, Torus, Teapot, Pyramid };

// Matrices handed to effects. Each query returns 16 floats valid until the next query.
enum class MatrixKind {
  World,
  WorldInverse,
  WorldViewProjection,  // transposed
  WorldViewProjectionInverse,  // transposed
  LightDirection,       // vector (x, y, z, 0)
  LightWorld,
  View,
  ViewInverse,
  Projection,
  EyePosition,          // vector (x, y, z, 1)
};

// Point of the idle starfield: x, y, z, size and ARGB colour (24 bytes).
struct PointVertex {
  float X, Y, Z, Size;
  uint32_t Colour;
  uint32_t Pad;
};

// A sprite entry as it was drawn, for tests and the recording engine.
struct DrawnSprite {
  Handle Sprite = 0;
  int X = 0, Y = 0, Alpha = 255, Frame = 0;
  float RotationDeg = 0, ZoomX = 1, ZoomY = 1;
  int SrcBlend = 5, DestBlend = 6;
};

class Engine {
 public:
  virtual ~Engine() = default;

  // --- set-up -------------------------------------------------------------
  // Screen (back buffer) size in pixels; the host calls it once its surface exists.
  virtual bool Open(int screenW, int screenH) = 0;
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  virtual void SetClearColor(uint32_t argb) = 0;

  // --- textures -----------------------------------------------------------
  virtual Handle LoadTexture(const std::string& path) = 0;  // 0 + error #18 on failure
  virtual Handle TextureFromMemory(const uint8_t* data, size_t size) = 0;
  virtual Handle TextureFromImage(const Image& img) = 0;
  virtual int TextureWidth(Handle tex) const = 0;
  virtual int TextureHeight(Handle tex) const = 0;
  // Resizes the texture's image to w x h (stretching); returns false on a bad handle.
  virtual bool ResizeTexture(Handle tex, int w, int h) = 0;
  // Makes the texture w x h by repeating its image (wrapping around) instead of stretching.
  virtual bool TileTexture(Handle tex, int w, int h) = 0;
  // New texture holding the given rectangle of tex (clipped to its edges); 0 if empty.
  virtual Handle CopyTextureRect(Handle tex, int x, int y, int w, int h) = 0;
  virtual void FreeTexture(Handle tex) = 0;
  // Rotates the texture's rows by dy pixels (positive: up) and its columns by dx
  // (positive: left), with wrap-around.
  virtual void ScrollTextureRows(Handle tex, int dx, int dy) = 0;

  // --- sprites ------------------------------------------------------------
  // A sprite draws a texture; frameW/H > 0 cut the texture into animation frames
  // (row by row). The sprite keeps a reference to the texture.
  virtual Handle CreateSprite(Handle tex, int frameW = 0, int frameH = 0) = 0;
  virtual Handle LoadSprite(const std::string& path, int frameW = 0, int frameH = 0) = 0;
  virtual void FreeSprite(Handle sprite) = 0;
  // frame -1 shows the sprite's current animation frame.
  virtual void DisplaySprite(Handle sprite, int x, int y, int alpha, int frame = -1) = 0;
  virtual void SpriteToFront(Handle sprite, int toEnd) = 0;
  virtual void RotateSprite(Handle sprite, float degrees) = 0;
  virtual void TurnSprite(Handle sprite, float degrees) = 0;
  virtual void ZoomSprite(Handle sprite, float percentX, float percentY) = 0;
  virtual void SpriteBlending(Handle sprite, int src, int dest) = 0;
  virtual int SpriteWidth(Handle sprite) const = 0;
  virtual int SpriteHeight(Handle sprite) const = 0;
  virtual int SpriteFrame(Handle sprite) const = 0;
  virtual void SetSpriteFrame(Handle sprite, int frame) = 0;
  virtual int SpriteFrameCount(Handle sprite) const = 0;
  // Animation: the sprite steps through its first `frames` frames (all when 0 or more
  // than it has), one frame per `msPerFrame` ms of preview time, forward for dir 1 and
  // backward for dir -1, wrapping, or stopping on the last frame when `once`. 0 ms (or
  // less) holds the current frame.
  virtual void AnimateSprite(Handle sprite, float msPerFrame, int frames, int dir, bool once) = 0;
  // Moves every animated sprite on by `ms` of preview time.
  virtual void AdvanceAnimations(float ms) = 0;
  virtual float SpriteRotation(Handle sprite) const = 0;  // degrees
  virtual Handle SpriteTexture(Handle sprite) const = 0;

  // Backdrop: the texture stretched over (0,0)-(ScreenX,ScreenY), drawn first by RenderWorld.
  virtual Handle CreateBackdrop(Handle tex) = 0;
  virtual void FreeBackdrop(Handle backdrop) = 0;
  virtual void ScrollBackdrop(Handle backdrop, float dy, float dx) = 0;

  // --- texts --------------------------------------------------------------
  virtual void SetTextColor(uint32_t argb) = 0;
  // The text is copied into the queue, so callers may pass views of stack buffers.
  virtual void DrawText(int x, int y, std::string_view text) = 0;
  virtual void DrawTextColored(int x, int y, std::string_view text, uint32_t argb) = 0;
  virtual void FlushText() = 0;

  // --- 3D entities, light, camera ----------------------------------------
  virtual Handle LoadEntity(const std::string& path, bool animated = false) = 0;
  virtual Handle CreatePrimitive(Primitive kind) = 0;
  virtual void FreeEntity(Handle entity) = 0;
  virtual void TurnEntity(Handle entity, float a, float b, float c) = 0;
  virtual void PositionEntity(Handle entity, float x, float y, float z) = 0;
  virtual void ScaleEntity(Handle entity, float sx, float sy, float sz) = 0;
  virtual void EntitySize(Handle entity, float* w, float* h, float* d) const = 0;
  // Where the entity stands now (0, 0, 0 for an unknown handle).
  virtual void EntityPosition(Handle entity, float* x, float* y, float* z) const = 0;
  virtual void EntityTexture(Handle entity, Handle tex) = 0;
  virtual void EntityEffect(Handle entity, Handle effect) = 0;  // 0 detaches
  virtual void EntityMaterial(Handle entity, const float diffuse[4], const float ambient[4],
                              const float specular[4], float power) = 0;
  virtual void EntityShadow(Handle entity, bool on) = 0;
  virtual int EntityAnimationSets(Handle entity) const = 0;
  virtual void PositionLight(float x, float y, float z) = 0;
  virtual void PositionCamera(float x, float y, float z) = 0;
  virtual void SetFog(float start, float end) = 0;
  virtual const float* QueryMatrix(MatrixKind kind, Handle entity = 0) = 0;

  // --- effects -----------------------------------------------------------
  // Compiles Direct3D 9 effect-file text; 0 on failure with error #17 and the
  // compiler's messages ("memory(line,column): error: ..." lines).
  virtual Handle CreateEffect(const std::string& source) = 0;
  virtual void FreeEffect(Handle effect) = 0;
  // Selects a technique by name; an unknown name leaves the current one.
  virtual void EffectTechnique(Handle effect, const std::string& name) = 0;
  // Parameters by name: a name the effect does not declare is ignored.
  virtual void EffectFloat(Handle effect, const std::string& name, float v) = 0;
  virtual void EffectVector(Handle effect, const std::string& name, const float* xyz) = 0;
  virtual void EffectMatrix(Handle effect, const std::string& name, const float* m16) = 0;
  virtual void EffectColor(Handle effect, const std::string& name, const float* rgba) = 0;
  virtual void EffectTexture(Handle effect, const std::string& name, Handle tex) = 0;
  // The same by index, for per-frame use: resolve the name once with EffectParam (-1 when
  // the effect does not declare it; setting -1 does nothing).
  virtual int EffectParam(Handle effect, std::string_view name) = 0;
  virtual void SetEffectFloat(Handle effect, int param, float v) = 0;
  virtual void SetEffectVector(Handle effect, int param, const float* xyz) = 0;
  virtual void SetEffectMatrix(Handle effect, int param, const float* m16) = 0;
  virtual void SetEffectColor(Handle effect, int param, const float* rgba) = 0;
  virtual void SetEffectTexture(Handle effect, int param, Handle tex) = 0;
  // Compiles a "tx_1_0" texture shader and fills a new w x h texture with it; 0 + #16.
  virtual Handle CreateTextureShader(const std::string& source, int w, int h) = 0;

  // --- render targets and frame ------------------------------------------
  virtual Handle CreateRenderTarget(int w, int h) = 0;
  virtual void FreeRenderTarget(Handle target) = 0;
  virtual void RenderWorld() = 0;
  virtual void DrawPoints(const PointVertex* pts, int count, Handle tex, const float* world16) = 0;
  virtual void GrabScreen(Handle target) = 0;
  virtual void DrawScreenEffect(Handle target, Handle effect) = 0;
  virtual void RenderOverlayToTarget(Handle target) = 0;
  virtual void CopyTargetToScreen(Handle target) = 0;
  virtual void FlipBuffers() = 0;
  virtual int MeasureFps() = 0;
  // Brightness of every presented frame, 0 (black) to 1 (as drawn): fades of the whole
  // picture. Applied when the frame is flipped, after everything else is drawn.
  virtual void SetScreenFade(float level) = 0;
  virtual float ScreenFade() const = 0;
  virtual uint64_t TimerTicks() const = 0;  // 10 microsecond ticks
  // The clock of frame timing and TimerTicks (the system clock until set); it must
  // outlive the engine.
  virtual void SetClock(const class Clock& clock) = 0;
  // Reads the back buffer as RGBA8, top row first (screenshots and tests).
  virtual Image ReadScreen() = 0;

  // --- input (fed by the host, polled by the intro) -----------------------
  virtual void SetKeyState(int dik, bool down) = 0;
  virtual void SetMouseButton(int button, bool down) = 0;
  virtual bool KeyDown(int dik) const = 0;  // -1 = any key
  virtual bool KeyHit(int dik) = 0;
  virtual bool MouseDown(int button) const = 0;
  virtual bool MouseUp(int button) const = 0;

  // --- files ---------------------------------------------------------------
  // Every file the engine reads goes through ReadFile. Files placed in memory by the
  // host (MountFile) are found by their exact name before the disk is asked, so an
  // executable can carry its assets inside itself. False when the file is missing,
  // unreadable or larger than maxBytes.
  virtual bool ReadFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes) = 0;
  virtual void MountFile(const std::string& name, std::vector<uint8_t> bytes) = 0;
  virtual bool IsMounted(const std::string& name) const = 0;

  // --- errors -------------------------------------------------------------
  virtual int LastError() const = 0;
  virtual std::string ErrorText() const = 0;
};

}  // namespace quellor
