#pragma once
// Turning the intro read from the slots into a running intro on an engine: the embedded
// files are mounted in the engine and the intro is loaded through the project reader,
// exactly as the editor loads a project, so the player and the preview cannot drift.
#include <string>

#include "engine/Engine.h"
#include "player/IntroSlots.h"

namespace quellor {

// Loads `intro` into `play` (a model after InitModel, its clock set) on an open engine: assets,
// display order, running texts, the post-effect target, the frame clock's start. The
// status log stays empty: an exported intro shows none.
void LoadEmbeddedIntro(EmbeddedIntro& intro, Engine& e, IntroModel& play);

}  // namespace quellor
