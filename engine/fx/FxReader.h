#pragma once
// Reader of the Direct3D 9 effect framework around the HLSL code: techniques and passes
// (entry points, profiles, arguments, render states), texture declarations, sampler
// states, annotations, parameters with their defaults, registers.
//
// The HLSL compiler rejects most of that framework, so the reader also returns the
// text with those constructs blanked out: every blanked byte becomes a space and every
// line break stays, so the compiler's line and column numbers are the user's own.
#include <string>
#include <string_view>
#include <vector>

#include "engine/fx/FxTypes.h"

namespace quellor {

struct FxFunctionParam {
  bool Uniform = false;
  std::string Type, Name, Semantic;
};

// A function defined at the top level (entry point candidates).
struct FxFunction {
  std::string Name, ReturnType;
  std::vector<FxFunctionParam> Params;
};

struct FxLayout {
  std::string Hlsl;  // the source, framework blanked, same length and line breaks
  CompiledFx Fx;     // parameters, samplers, techniques and passes; no GLSL yet
  std::vector<FxFunction> Functions;
  std::vector<std::string> Warnings;  // "memory(l,c): warning: ..." lines
};

// Aliases the blanked text uses for untyped samplers retyped from their texture; they
// have the length of "sampler" so no column moves. The translator's prelude defines them.
inline constexpr const char* kFxSamplerAliases[4] = {"Smp1DFx", "Smp2DFx", "Smp3DFx", "SmpCUFx"};

// Reads `src`. On a malformed framework returns false with `error` in the compiler's
// form, "memory(line,column): error: what". Works on any bytes.
bool ReadFx(std::string_view src, FxLayout& out, std::string* error);

// Number of float components of an HLSL type name ("float3" 3, "half4x4" 16, "bool" 1);
// 0 for types without a fixed numeric shape.
int FxTypeComponents(std::string_view type);

}  // namespace quellor
