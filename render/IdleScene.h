#pragma once
// The idle screen shown while nothing is loaded: a rolling tunnel of points flying
// toward the viewer and the editor's own logo above the centre.
#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {
// Loads the point texture "Data/Bobs/Blue.png" below m.BaseDir; a missing file leaves
// the points untextured.
void LoadIdlePointTexture(IntroModel& m, Engine& e);
// Takes the editor logo sprite and centres it 50 pixels above the middle of the screen.
void SetIdleLogo(IntroModel& m, Engine& e, Handle sprite);
// Angles and points advance by their velocities times SpeedFactor, wrapped into the box.
void MoveIdleScene(IntroModel& m);
// World matrix (column-major) of the scene's yaw, pitch and roll.
void IdleWorldMatrix(const IdleScene& s, float out[16]);
// Draws the points as additive point sprites; nothing while the list is empty.
void DrawIdlePoints(IntroModel& m, Engine& e);
}
