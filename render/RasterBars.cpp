#include "render/RasterBars.h"

#include "render/EffectSlotsResolve.h"
#include "render/Effects3d.h"

namespace quellor {

const char* const kRasterEffectSource = R"(// Raster bars: key colours of the frame show a moving raster texture instead.
float time;
float Ras_FX1 = 0;
float Ras_FX2 = 0;
float Ras_FX3 = 0;
float Ras_1_enabled = 1;
float Ras_2_enabled = 1;
float Ras_3_enabled = 1;
float Ras_1_value = 0.5;
float Ras_2_value = 0.5;
float Ras_3_value = 0.5;
float4 clear1 = {0, 0, 0, 0};
float4 clear2 = {1, 0, 1, 0};
float4 clear3 = {0, 0, 0, 0};

texture texture0;
texture texture1;
texture texture2;
texture texture3;
sampler postTex = sampler_state { Texture = <texture0>; };
sampler Sampler1 = sampler_state { Texture = <texture1>; };
sampler Sampler2 = sampler_state { Texture = <texture2>; };
sampler Sampler3 = sampler_state { Texture = <texture3>; };

// Where the raster is read for a screen position: 1 swings it, 2 moves it up,
// 3 moves it down (the texture wraps).
float2 RasterCoord(float2 uv, float fx, float value) {
  if (fx == 1) return float2(uv.x, uv.y + sin(time) * value);
  if (fx == 2) return float2(uv.x, uv.y + frac(time / value));
  if (fx == 3) return float2(uv.x, uv.y - frac(time / value));
  return uv;
}

// Keys match exactly, compared as the 8-bit values the frame was drawn with.
bool IsKey(float3 screen, float4 key) {
  float3 a = floor(screen * 255.0 + 0.5);
  float3 b = floor(key.rgb * 255.0 + 0.5);
  return a.r == b.r && a.g == b.g && a.b == b.b;
}

float4 PStexture(float2 uv : TEXCOORD0) : COLOR {
  float4 screen = tex2D(postTex, uv);
  float4 result = screen;
  if (Ras_1_enabled == 1) {
    float4 col = tex2D(Sampler1, RasterCoord(uv, Ras_FX1, Ras_1_value));
    if (IsKey(screen.rgb, clear1)) result = col;
  }
  if (Ras_2_enabled == 1) {
    float4 col = tex2D(Sampler2, RasterCoord(uv, Ras_FX2, Ras_2_value));
    if (IsKey(screen.rgb, clear2)) result = col;
  }
  if (Ras_3_enabled == 1) {
    float4 col = tex2D(Sampler3, RasterCoord(uv, Ras_FX3, Ras_3_value));
    if (IsKey(screen.rgb, clear3)) result = col;
  }
  return result;
}

technique recolor {
  pass p1 { PixelShader = compile ps_2_0 PStexture(); }
}
)";

namespace {
enum RasterSlot { kTime, kBars, kClear = kBars + 9, kTexture0 = kClear + 3, kTextures, kRasterSlots = kTextures + 3 };

constexpr const char* kRasterNames[kRasterSlots] = {
    "time",
    "Ras_FX1", "Ras_1_enabled", "Ras_1_value", "Ras_FX2", "Ras_2_enabled", "Ras_2_value",
    "Ras_FX3", "Ras_3_enabled", "Ras_3_value",
    "clear1", "clear2", "clear3",
    "texture0", "texture1", "texture2", "texture3"};
}  // namespace

void SetRasterEffectSource(IntroModel& m) { m.Raster.EffectSource = kRasterEffectSource; }

void CompileRasterEffect(IntroModel& m, Engine& e) {
  if (m.Raster.Effect != 0) e.FreeEffect(m.Raster.Effect);
  m.Raster.Effect = e.CreateEffect(m.Raster.EffectSource);
}

void RunRasterPass(IntroModel& m, Engine& e) {
  const Handle fx = m.Raster.Effect;
  if (fx == 0 || m.ScreenTexture == 0) return;
  RasterFields& r = m.Raster;
  EffectSlots& s = m.RasterSlots;
  ResolveEffectSlots(e, fx, kRasterNames, s);
  e.GrabScreen(m.ScreenTexture);
  e.SetEffectFloat(fx, s.Index[kTime], ShaderTime(e));
  for (int n = 1; n <= 3; ++n) {
    const int at = kBars + 3 * (n - 1);
    e.SetEffectFloat(fx, s.Index[at], r.fxt[n]);
    e.SetEffectFloat(fx, s.Index[at + 1], r.enb[n]);
    e.SetEffectFloat(fx, s.Index[at + 2], r.val[n]);
  }
  for (int n = 1; n <= 3; ++n) e.SetEffectColor(fx, s.Index[kClear + n - 1], r.rgb[n].data());
  e.EffectTechnique(fx, "recolor");
  e.SetEffectTexture(fx, s.Index[kTexture0], m.ScreenTexture);
  for (int n = 1; n <= 3; ++n) e.SetEffectTexture(fx, s.Index[kTextures + n - 1], r.Texture[n]);
  e.DrawScreenEffect(m.ScreenTexture, fx);
  e.CopyTargetToScreen(m.ScreenTexture);
}

}  // namespace quellor
