#pragma once
// The 3D object's set-up shared by its loaders, the menu commands and the project
// reader: which texture it wears, its materials, shadow, place and effect.
#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {

// The texture the object wears: the texture shader's while one is applied, else the
// image texture (0 when there is neither).
Handle ObjectTexture(const IntroModel& m);

// Re-applies the object settings after a load, a create, or a texture or shader change:
// light position, shadow switch, position, texture, white materials (so the texture
// shows in its own colours) and the vertex shader effect with technique "Technique0".
void ApplyObjectSetup(IntroModel& m, Engine& e);

// Detaches the effect and frees the object; the handle and animation-set count go to 0.
void ReleaseObject(IntroModel& m, Engine& e);

// Replaces the object by generated primitive `type` (1 cube .. 6 pyramid): the file
// name is cleared and `3dObject.Type` set. False when the engine could not make it.
bool CreateObjectPrimitive(IntroModel& m, Engine& e, int type);

}  // namespace quellor
