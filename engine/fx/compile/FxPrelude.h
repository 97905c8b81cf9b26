#pragma once
// HLSL handed to the compiler before the user's text: what Direct3D 9's compiler knows
// and glslang does not (fixed types, fmod's sign rule, noise, the sampler aliases).
#include <string>

namespace quellor {
const std::string& FxPrelude();
}
