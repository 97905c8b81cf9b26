#pragma once
#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {
class PlacementHook;  // the active placement mode's overlay, run at its fixed point

// Draws one preview frame in its fixed order (timing, updates, 3D pass, post effect,
// placement overlay, 2D pass with the idle rule, status log, raster pass, texts, flip).
// `overlay` may be null.
void DrawFrame(IntroModel& m, Engine& e, PlacementHook* overlay);

// Step 1 of a frame: FrameNow, FramesPerSecond, SpeedFactor.
void UpdateFrameTiming(IntroModel& m, Engine& e);

// Sets the two sprite animations' rate, range and direction from the model and moves
// every animated sprite on by this frame's preview time.
void AnimateSprites(IntroModel& m, Engine& e);

// Queues the DrawRecords of one pass: Layer > 0 in the 3D pass, Layer < 2 in the 2D pass,
// each with its rotation, zoom, position, alpha and frame.
void DisplayDrawRecords(IntroModel& m, Engine& e, bool threeDPass);

// Draws the status log at the top left and removes expired lines after drawing them.
void DrawStatusLog(IntroModel& m, Engine& e);

// Idle scene set-up and filling.
void SetupIdleScene(IntroModel& m);
void FillIdleScene(IntroModel& m);

class PlacementHook {
 public:
  virtual ~PlacementHook() = default;
  virtual void Run(IntroModel& m, Engine& e) = 0;
};
}
