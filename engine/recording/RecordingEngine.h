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

// One effect call: a technique choice or a parameter set, by the name it was asked for.
struct RecordedEffectSet {
  enum Kind { Technique, Float, Vector, Matrix, Color, Texture };
  Handle Effect = 0;
  Kind What = Float;
  std::string Name;
  std::array<float, 16> Values{};  // Float 1, Vector 3, Color 4, Matrix 16 used
  Handle Tex = 0;
};

// An effect as created: its source and the names it declares (the effect framework is
// read, the HLSL is not translated).
struct RecordedEffect {
  std::string Source;
  std::vector<std::string> Declared;
  std::vector<std::string> Names;  // every name asked for, index = EffectParam result
  std::string Technique;
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

  // Effects: created from the framework alone, so a broken framework fails as in the GL
  // engine; every parameter name gets an index so that sets are recorded by name.
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
  std::vector<RecordedEffectSet> EffectSets;
  std::map<Handle, RecordedEffect> Effects;  // the live ones
  std::vector<Handle> ScreenEffects;          // effect of each DrawScreenEffect
  int PointsDrawn = 0;  // points of the last DrawPoints call
  int Frames = 0;
  void Clear() {
    Drawn.clear();
    Texts.clear();
    Ops.clear();
    EffectSets.clear();
    ScreenEffects.clear();
  }

 private:
  void Record();
  void RecordSet(Handle effect, int param, RecordedEffectSet::Kind kind, const float* v, int n, Handle tex);
};

}  // namespace quellor
