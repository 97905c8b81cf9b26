#pragma once
// Engine without GL: images are decoded for their sizes and every drawn sprite entry is
// recorded with its state in drawing order, so renderer logic is testable without pixels.
#include <array>
#include <map>
#include <string>
#include <vector>

#include "engine/EngineCore.h"

namespace quellor {

struct RecordedText {
  int X = 0, Y = 0;
  std::string Text;
  uint32_t Argb = 0;
};

// One effect parameter set (by name, or by index under the name it was resolved from)
// or technique choice, as the caller handed it over.
struct RecordedParam {
  enum class Kind { Technique, Float, Vector, Matrix, Color, Texture };
  Handle Effect = 0;
  Kind Type = Kind::Float;
  std::string Name;
  std::vector<float> Values;  // 1, 3, 16 or 4 floats by kind
  Handle Texture = 0;
  std::string Technique;
};

// An effect as created: its source and the parameters it declares (the effect framework
// is read, the HLSL is not translated).
struct RecordedEffect {
  std::string Source;
  std::vector<std::string> Declared;
  std::string Technique;  // current technique
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

  // Effects are created from their framework alone, so a broken framework fails as in
  // the GL engine. Every parameter name of any handle gets an index, so that sets by
  // name and by index are both recorded under their names.
  Handle CreateEffect(const std::string& source) override;
  void FreeEffect(Handle effect) override;
  Handle CreateTextureShader(const std::string& source, int w, int h) override;
  void EffectTechnique(Handle effect, const std::string& name) override;
  int EffectParam(Handle effect, std::string_view name) override;
  void SetEffectFloat(Handle effect, int param, float v) override;
  void SetEffectVector(Handle effect, int param, const float* xyz) override;
  void SetEffectMatrix(Handle effect, int param, const float* m16) override;
  void SetEffectColor(Handle effect, int param, const float* rgba) override;
  void SetEffectTexture(Handle effect, int param, Handle tex) override;

  // Everything drawn since the last Clear(), in drawing order.
  std::vector<DrawnSprite> Drawn;
  std::vector<RecordedText> Texts;
  std::vector<RecordedOp> Ops;
  std::vector<RecordedEntity> DrawnEntities;  // by RenderWorld, in drawing order
  std::vector<RecordedParam> Params;          // effect parameters, in the order set
  std::map<Handle, RecordedEffect> Effects;   // the live ones
  std::vector<Handle> ScreenEffects;          // effect of each DrawScreenEffect
  int PointsDrawn = 0;  // points of the last DrawPoints call
  int Frames = 0;
  void Clear() {
    Drawn.clear();
    Texts.clear();
    Ops.clear();
    DrawnEntities.clear();
    Params.clear();
    ScreenEffects.clear();
  }

 private:
  void Record();
  void AddParam(Handle effect, RecordedParam::Kind kind, const std::string& name, const float* v, size_t n);
  void AddParam(Handle effect, int param, RecordedParam::Kind kind, const float* v, size_t n);
  std::map<Handle, std::vector<std::string>> paramNames_;  // index = EffectParam result
};

}  // namespace quellor
