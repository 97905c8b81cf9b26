#include "engine/fx/compile/FxPrelude.h"

#include "engine/fx/FxReader.h"

namespace quellor {

namespace {
std::string Build() {
  std::string s;
  // fixed was a low-precision float on shader model 2 hardware.
  s += "#define fixed half\n";
  for (int r = 1; r <= 4; ++r) {
    s += "#define fixed" + std::to_string(r) + " half" + std::to_string(r) + "\n";
    for (int c = 1; c <= 4; ++c)
      s += "#define fixed" + std::to_string(r) + "x" + std::to_string(c) + " half" + std::to_string(r) + "x" +
           std::to_string(c) + "\n";
  }
  const char* kTypes[4] = {"sampler1D", "sampler2D", "sampler3D", "samplerCUBE"};
  for (int i = 0; i < 4; ++i) s += std::string("#define ") + kFxSamplerAliases[i] + " " + kTypes[i] + "\n";
  // HLSL's fmod keeps the sign of x; glslang would emit GLSL mod, which does not.
  for (const char* t : {"float", "float2", "float3", "float4"})
    s += std::string(t) + " fx_fmod(" + t + " x, " + t + " y) { return x - y * trunc(x / y); }\n";
  s += "#define fmod fx_fmod\n";
  // noise() exists for texture shaders only, and glslang crashes on it: smooth value
  // noise in -1..1 stands in for it.
  s += R"(float fx_hash(float3 p) {
  p = frac(p * 0.3183099 + 0.1) * 17.0;
  return frac(p.x * p.y * p.z * (p.x + p.y + p.z));
}
float fx_noise(float3 x) {
  float3 i = floor(x);
  float3 f = frac(x);
  float3 u = f * f * (3.0 - 2.0 * f);
  float a = lerp(lerp(fx_hash(i), fx_hash(i + float3(1, 0, 0)), u.x),
                 lerp(fx_hash(i + float3(0, 1, 0)), fx_hash(i + float3(1, 1, 0)), u.x), u.y);
  float b = lerp(lerp(fx_hash(i + float3(0, 0, 1)), fx_hash(i + float3(1, 0, 1)), u.x),
                 lerp(fx_hash(i + float3(0, 1, 1)), fx_hash(i + float3(1, 1, 1)), u.x), u.y);
  return lerp(a, b, u.z) * 2.0 - 1.0;
}
float fx_noise(float x) { return fx_noise(float3(x, 0.0, 0.0)); }
float fx_noise(float2 x) { return fx_noise(float3(x, 0.0)); }
float fx_noise(float4 x) { return fx_noise(x.xyz + x.w * float3(0.31, 0.57, 0.79)); }
#define noise fx_noise
)";
  return s;
}
}  // namespace

const std::string& FxPrelude() {
  static const std::string kPrelude = Build();
  return kPrelude;
}

}  // namespace quellor
