#include "engine/recording/RecordingEngine.h"

#include <algorithm>

#include "engine/fx/FxReader.h"

namespace quellor {

void RecordingEngine::Record() {
  DrainQueue([this](Handle h, const SpriteData&, const QueuedDraw& d) {
    DrawnSprite s;
    s.Sprite = h;
    s.X = d.X;
    s.Y = d.Y;
    s.Alpha = d.Alpha;
    s.Frame = d.Frame;
    s.RotationDeg = d.RotationRad / 0.017453f;
    s.ZoomX = d.ZoomX;
    s.ZoomY = d.ZoomY;
    s.SrcBlend = d.SrcBlend;
    s.DestBlend = d.DestBlend;
    Drawn.push_back(s);
  });
}

void RecordingEngine::RenderWorld() {
  Ops.push_back(RecordedOp::RenderWorld);
  // Entities lie between the backdrop and the sprites.
  for (const auto& [h, ent] : Entities()) {
    RecordedEntity r;
    r.Entity = h;
    r.World = EntityWorld(h);
    r.Texture = ent.Texture;
    r.Effect = ent.Effect;
    r.Shadow = ent.Shadow;
    DrawnEntities.push_back(r);
  }
  Record();
}

void RecordingEngine::AddParam(Handle effect, RecordedParam::Kind kind, const std::string& name, const float* v,
                               size_t n) {
  RecordedParam p;
  p.Effect = effect;
  p.Type = kind;
  p.Name = name;
  if (v) p.Values.assign(v, v + n);
  Params.push_back(std::move(p));
}

void RecordingEngine::AddParam(Handle effect, int param, RecordedParam::Kind kind, const float* v, size_t n) {
  auto it = paramNames_.find(effect);
  if (param < 0 || it == paramNames_.end() || param >= static_cast<int>(it->second.size())) return;
  AddParam(effect, kind, it->second[static_cast<size_t>(param)], v, n);
}

Handle RecordingEngine::CreateEffect(const std::string& source) {
  FxLayout layout;
  std::string error;
  if (!ReadFx(source, layout, &error)) {
    SetError(EngineError::Shader, error);
    return 0;
  }
  RecordedEffect fx;
  fx.Source = source;
  for (const FxParam& p : layout.Fx.Params) fx.Declared.push_back(p.Name);
  if (!layout.Fx.Techniques.empty()) fx.Technique = layout.Fx.Techniques.front().Name;
  const Handle h = NewHandle();
  Effects[h] = std::move(fx);
  return h;
}

void RecordingEngine::FreeEffect(Handle effect) {
  Effects.erase(effect);
  paramNames_.erase(effect);
}

Handle RecordingEngine::CreateTextureShader(const std::string& source, int w, int h) {
  FxLayout layout;
  std::string error;
  if (!ReadFx(source, layout, &error)) {
    SetError(EngineError::TextureShader, error);
    return 0;
  }
  if (std::none_of(layout.Functions.begin(), layout.Functions.end(),
                   [](const FxFunction& f) { return f.Name == "Testout"; })) {
    SetError(EngineError::TextureShader, "memory(1,1): error: entry point 'Testout' not found");
    return 0;
  }
  Image img;
  img.Width = std::max(1, w);
  img.Height = std::max(1, h);
  img.Rgba.assign(static_cast<size_t>(img.Width) * img.Height * 4, 255);
  return AddTexture(std::move(img));
}

void RecordingEngine::EffectTechnique(Handle effect, const std::string& name) {
  if (auto it = Effects.find(effect); it != Effects.end()) it->second.Technique = name;
  AddParam(effect, RecordedParam::Kind::Technique, name, nullptr, 0);
  Params.back().Technique = name;
}

int RecordingEngine::EffectParam(Handle effect, std::string_view name) {
  std::vector<std::string>& names = paramNames_[effect];
  auto at = std::find(names.begin(), names.end(), name);
  if (at != names.end()) return static_cast<int>(at - names.begin());
  names.emplace_back(name);
  return static_cast<int>(names.size()) - 1;
}

void RecordingEngine::SetEffectFloat(Handle effect, int param, float v) {
  AddParam(effect, param, RecordedParam::Kind::Float, &v, 1);
}

void RecordingEngine::SetEffectVector(Handle effect, int param, const float* xyz) {
  AddParam(effect, param, RecordedParam::Kind::Vector, xyz, 3);
}

void RecordingEngine::SetEffectMatrix(Handle effect, int param, const float* m16) {
  AddParam(effect, param, RecordedParam::Kind::Matrix, m16, 16);
}

void RecordingEngine::SetEffectColor(Handle effect, int param, const float* rgba) {
  AddParam(effect, param, RecordedParam::Kind::Color, rgba, 4);
}

void RecordingEngine::SetEffectTexture(Handle effect, int param, Handle tex) {
  const size_t before = Params.size();
  AddParam(effect, param, RecordedParam::Kind::Texture, nullptr, 0);
  if (Params.size() > before) Params.back().Texture = tex;
}

void RecordingEngine::DrawPoints(const PointVertex*, int count, Handle, const float*) {
  Ops.push_back(RecordedOp::Points);
  PointsDrawn = count;
}

void RecordingEngine::GrabScreen(Handle) { Ops.push_back(RecordedOp::GrabScreen); }
void RecordingEngine::DrawScreenEffect(Handle, Handle effect) {
  Ops.push_back(RecordedOp::ScreenEffect);
  ScreenEffects.push_back(effect);
}

void RecordingEngine::RenderOverlayToTarget(Handle) {
  Ops.push_back(RecordedOp::OverlayToTarget);
  Record();
}

void RecordingEngine::CopyTargetToScreen(Handle) { Ops.push_back(RecordedOp::CopyToScreen); }

void RecordingEngine::FlushText() {
  for (const QueuedText& t : QueuedTexts()) Texts.push_back({t.X, t.Y, t.Text, t.Argb});
  ClearTexts();
}

void RecordingEngine::FlipBuffers() {
  Ops.push_back(RecordedOp::Flip);
  ++Frames;
  EngineCore::FlipBuffers();
}

Handle RecordingEngine::CreateRenderTarget(int w, int h) {
  Image img;
  img.Width = w > 0 ? w : 1;
  img.Height = h > 0 ? h : 1;
  img.Rgba.assign(static_cast<size_t>(img.Width) * img.Height * 4, 0);
  return AddTexture(std::move(img));
}

void RecordingEngine::FreeRenderTarget(Handle target) { FreeTexture(target); }

Image RecordingEngine::ReadScreen() {
  Image img;
  img.Width = screenW_;
  img.Height = screenH_;
  img.Rgba.assign(static_cast<size_t>(screenW_) * screenH_ * 4, 0);
  return img;
}

}  // namespace quellor
