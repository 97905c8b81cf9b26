#pragma once
// Compiling the code the model holds for its three shader slots. Loaders, the project
// reader and the shader editor store the text first and then call these, so a slot is
// built the same way whichever way its code came in. Each frees what the slot held; a
// failed compile leaves the slot empty and the compiler's message in the engine's
// error text (LogShaderError posts it).
#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {

// The post effect over the grabbed screen; makes the screen render target when missing.
bool CompilePostFx(IntroModel& m, Engine& e);
// The texture shader paints the object's 256 x 256 texture. On failure the object gets
// its image texture back.
bool CompileTextureShader(IntroModel& m, Engine& e);
// The effect the object is drawn with, technique "Technique0", attached to the object.
bool CompileVertexShader(IntroModel& m, Engine& e);

// One red line: the engine's message and the compiler's first line after it, which
// names the place ("memory(line,column): ...").
void LogShaderError(IntroModel& m, Engine& e);

}  // namespace quellor
