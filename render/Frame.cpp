#include "render/Frame.h"

namespace quellor {
// Placeholder until frame composition lands: clears, draws queued sprites and flips.
void UpdateFrameTiming(IntroModel& m, Engine&) { m.Clock.FrameNow = m.Clock.NowMs(); }
void SetupIdleScene(IntroModel&) {}
void FillIdleScene(IntroModel&) {}
void DrawFrame(IntroModel& m, Engine& e, PlacementHook* overlay) {
  UpdateFrameTiming(m, e);
  e.RenderWorld();
  if (overlay) overlay->Run(m, e);
  DrawStatusLog(m, e);
  e.FlushText();
  e.FlipBuffers();
}
}
