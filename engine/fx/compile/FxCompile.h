#pragma once
// Translation of Direct3D 9 effect text into GLSL 330 programs: the effect reader, then
// glslang's HLSL front end (DX9-compatible mode) to SPIR-V, then SPIRV-Cross to GLSL.
//
// glslang crashes on some malformed input, so the editor runs this only inside the
// translator worker process; tests call it directly on text known to be well-formed.
#include <string_view>

#include "engine/fx/FxTypes.h"

namespace quellor {

// An effect with techniques and passes. On failure returns false with the compiler's
// messages in out.Log ("memory(line,column): error: ..." lines).
bool CompileFx(std::string_view hlsl, CompiledFx& out);

// A "tx_1_0" texture shader: `float4 Testout(float2 uv, float2 texelSize)` becomes
// the pixel stage of one technique with one pass that fills a 256 x 256 texture.
bool CompileTextureShader(std::string_view hlsl, CompiledFx& out);

}  // namespace quellor
