#pragma once
// Engine without GL: images are decoded for their sizes and every drawn sprite entry is
// recorded with its state in drawing order, so renderer logic is testable without pixels.
#include <string>
#include <vector>

#include "engine/EngineCore.h"

namespace quellor {

struct RecordedText {
  int X = 0, Y = 0;
  std::string Text;
  uint32_t Argb = 0;
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

  // Everything drawn since the last Clear(), in drawing order.
  std::vector<DrawnSprite> Drawn;
  std::vector<RecordedText> Texts;
  std::vector<RecordedOp> Ops;
  int PointsDrawn = 0;  // points of the last DrawPoints call
  int Frames = 0;
  void Clear() {
    Drawn.clear();
    Texts.clear();
    Ops.clear();
  }

 private:
  void Record();
};

}  // namespace quellor
