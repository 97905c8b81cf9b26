#pragma once
// Engine without GL: images are decoded for their sizes and every drawn sprite entry is
// recorded with its state in drawing order, so renderer logic is testable without pixels.
#include <array>
#include <string>
#include <vector>

#include "engine/EngineCore.h"

namespace quellor {

struct RecordedText {
  int X = 0, Y = 0;
  std::string Text;
  uint32_t Argb = 0;
};

// One effect parameter set by name, as the caller handed it over.
struct RecordedParam {
  enum class Kind { Technique, Float, Vector, Matrix, Color, Texture };
  Handle Effect = 0;
  Kind Type = Kind::Float;
  std::string Name;
  std::vector<float> Values;  // 1, 3, 16 or 4 floats by kind
  Handle Texture = 0;
  std::string Technique;
};

// An entity as RenderWorld drew it.
struct RecordedEntity {
  Handle Entity = 0;
  std::array<float, 16> World{};
  Handle Texture = 0, Effect = 0;
  bool Shadow = false;
};

// What happened, in order: one entry per frame operation.
enum class RecordedOp { RenderWorld, GrabScreen, ScreenEffect, OverlayToTarget, CopyToScreen, Points, Flip };

class RecordingEngine : public EngineCore {
 public:
  void RenderWorld() override;
  void DrawPoints(const PointVertex* pts, int count, Handle tex, const float* world16) override;
  void GrabScreen(Handle target) override;
  void DrawScreenEffect(Handle target, Handle effect) override;
  void RenderOverlayToTarget(Handle target) override;
  void CopyTargetToScreen(Handle target) override;
  void FlushText() override;
  void FlipBuffers() override;
  Handle CreateRenderTarget(int w, int h) override;
  void FreeRenderTarget(Handle target) override;
  Image ReadScreen() override;
  void EffectTechnique(Handle effect, const std::string& name) override;
  void EffectFloat(Handle effect, const std::string& name, float v) override;
  void EffectVector(Handle effect, const std::string& name, const float* xyz) override;
  void EffectMatrix(Handle effect, const std::string& name, const float* m16) override;
  void EffectColor(Handle effect, const std::string& name, const float* rgba) override;
  void EffectTexture(Handle effect, const std::string& name, Handle tex) override;

  // Everything drawn since the last Clear(), in drawing order.
  std::vector<DrawnSprite> Drawn;
  std::vector<RecordedText> Texts;
  std::vector<RecordedOp> Ops;
  std::vector<RecordedEntity> DrawnEntities;  // by RenderWorld, in drawing order
  std::vector<RecordedParam> Params;          // effect parameters, in the order set
  int PointsDrawn = 0;  // points of the last DrawPoints call
  int Frames = 0;
  void Clear() {
    Drawn.clear();
    Texts.clear();
    Ops.clear();
    DrawnEntities.clear();
    Params.clear();
  }

 private:
  void Record();
  void AddParam(Handle effect, RecordedParam::Kind kind, const std::string& name, const float* v, size_t n);
};

}  // namespace quellor
