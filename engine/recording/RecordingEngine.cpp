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
  Record();
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
