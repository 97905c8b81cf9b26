#include "engine/recording/RecordingEngine.h"

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

void RecordingEngine::EffectTechnique(Handle effect, const std::string& name) {
  AddParam(effect, RecordedParam::Kind::Technique, name, nullptr, 0);
  Params.back().Technique = name;
}

void RecordingEngine::EffectFloat(Handle effect, const std::string& name, float v) {
  AddParam(effect, RecordedParam::Kind::Float, name, &v, 1);
}

void RecordingEngine::EffectVector(Handle effect, const std::string& name, const float* xyz) {
  AddParam(effect, RecordedParam::Kind::Vector, name, xyz, 3);
}

void RecordingEngine::EffectMatrix(Handle effect, const std::string& name, const float* m16) {
  AddParam(effect, RecordedParam::Kind::Matrix, name, m16, 16);
}

void RecordingEngine::EffectColor(Handle effect, const std::string& name, const float* rgba) {
  AddParam(effect, RecordedParam::Kind::Color, name, rgba, 4);
}

void RecordingEngine::EffectTexture(Handle effect, const std::string& name, Handle tex) {
  AddParam(effect, RecordedParam::Kind::Texture, name, nullptr, 0);
  Params.back().Texture = tex;
}

void RecordingEngine::DrawPoints(const PointVertex*, int count, Handle, const float*) {
  Ops.push_back(RecordedOp::Points);
  PointsDrawn = count;
}

void RecordingEngine::GrabScreen(Handle) { Ops.push_back(RecordedOp::GrabScreen); }
void RecordingEngine::DrawScreenEffect(Handle, Handle) { Ops.push_back(RecordedOp::ScreenEffect); }

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
