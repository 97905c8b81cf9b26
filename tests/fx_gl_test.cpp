// D3D9-style effects of our own, translated and drawn on headless GL.
#include <cmath>
#include <filesystem>
#include <fstream>

#include "engine/gl/GlEffects.h"
#include "fx_test_support.h"

namespace quellor {
namespace {

using fxtest::FxGlTest;
using gltest::PixelAt;
using gltest::Rgb;
using gltest::Same;

int Byte(double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

TEST_F(FxGlTest, ScreenCopyIsTexelExactAndUprightEvenWithLinearFiltering) {
  // Texel centres land on pixel centres: a misaligned quad would blur under linear
  // filtering, a flipped one would swap rows.
  const Handle fx = Effect(PostEffect("return tex2D(screen, uv);", "MinFilter = Linear; MagFilter = Linear;"));
  const Image in = gltest::Gradient(kW, kH);
  const Image out = RunScreenEffect(fx, in);
  for (int y = 0; y < kH; y += 7)
    for (int x = 0; x < kW; x += 5) ASSERT_TRUE(Same(PixelAt(out, x, y), PixelAt(in, x, y))) << x << "," << y;
}

TEST_F(FxGlTest, PostInvertOfAKnownFrame) {
  const Handle fx = Effect(PostEffect("float4 c = tex2D(screen, uv); return float4(1 - c.rgb, 1);"));
  const Image in = gltest::Gradient(kW, kH);
  const Image out = RunScreenEffect(fx, in);
  for (int y = 0; y < kH; y += 5)
    for (int x = 0; x < kW; x += 3) {
      const Rgb a = PixelAt(in, x, y);
      ASSERT_TRUE(Same(PixelAt(out, x, y), {255 - a.R, 255 - a.G, 255 - a.B})) << x << "," << y;
    }
}

// One effect with the framework constructs glslang does not take as written.
const char* const kConstructs = R"(// framework constructs
shared float4 tint : DIFFUSE < string UIName = "Tint"; float UIMin = 0.0; > = {0.2, 0.4, 0.6, 0.8};
float amount : register(c4) = 0.75;
static const float kHalf = 0.5;
string Description = "constructs";
row_major float4x4 shiftRowMajor;
float4x4 shift : WorldViewProjection;
half scale = 1.0;
vector<float, 2> nudge = {0, 0};
texture texture0 < string ResourceName = "screen.png"; >;
Texture unusedTexture;
texture2D alsoUnused;
sampler untyped : register(s0) = sampler_state { Texture = <texture0>; MinFilter = POINT; AddressU = CLAMP; };
struct VSOut { float4 Pos : POSITION; float2 uv : TEXCOORD0; };
VSOut VS(float4 p : POSITION, float2 t : TEXCOORD0) {
  VSOut o;
  o.Pos = mul(p, shift) + mul(shiftRowMajor, p) - p;
  o.uv = t;
  return o;
}
fixed4 PS(float2 uv : TEXCOORD0, uniform float k) : COLOR0 {
  float r = -fmod(-1.25, 1.0);
  float n = noise(uv * 3.0);
  float inRange = (n >= -1.0 && n <= 1.0) ? 1.0 : 0.0;
  return float4(r * inRange * scale, tint.y, k, 1) * kHalf * 2 + tex2D(untyped, uv + nudge) * 0;
}
technique Main < string Script = "Technique=Main;"; > {
  pass Only < string Note = "x"; > {
    VertexShader = compile vs_2_0 VS();
    PixelShader = compile ps_2_0 PS(0.5);
    CullMode = None;
    Lighting = false;
  }
}
)";

TEST_F(FxGlTest, FrameworkConstructsTranslateAndDraw) {
  const Handle fx = Effect(kConstructs);
  const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  e->EffectMatrix(fx, "shift", identity);
  e->EffectMatrix(fx, "shiftRowMajor", identity);
  const Image out = RunScreenEffect(fx, gltest::Solid(kW, kH, 0xFF000000u));
  // fmod keeps the sign of x (0.25), the default initializer holds (0.4), the pass's
  // argument reaches the uniform parameter (0.5).
  EXPECT_TRUE(Same(PixelAt(out, kW / 2, kH / 2), {Byte(0.25), Byte(0.4), Byte(0.5)}, 1));
  EXPECT_EQ(e->EffectParam(fx, "amount"), e->EffectParam(fx, "amount"));
  EXPECT_GE(e->EffectParam(fx, "tint"), 0);
  EXPECT_EQ(e->EffectParam(fx, "nothingLikeThis"), -1);
  e->EffectFloat(fx, "nothingLikeThis", 1.0f);  // ignored
}

TEST_F(FxGlTest, MatricesActAsDirect3DSetsThemWhateverThePacking) {
  const Handle fx = Effect(kConstructs);
  const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  // Direct3D layout, row vectors: translation in the last row. mul(p, M) moves x by 1.
  float moveRight[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1};
  // Column-vector form for mul(M, p): translation in the last column.
  float moveRightColumn[16] = {1, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  for (int variant = 0; variant < 2; ++variant) {
    e->EffectMatrix(fx, "shift", variant == 0 ? moveRight : identity);
    e->EffectMatrix(fx, "shiftRowMajor", variant == 0 ? identity : moveRightColumn);
    const Image out = RunScreenEffect(fx, gltest::Solid(kW, kH, 0xFF000000u));
    // The quad now covers only the right half; the left half keeps the cleared black.
    EXPECT_TRUE(Same(PixelAt(out, kW / 4, kH / 2), {0, 0, 0})) << variant;
    EXPECT_TRUE(Same(PixelAt(out, 3 * kW / 4, kH / 2), {Byte(0.25), Byte(0.4), Byte(0.5)}, 1)) << variant;
  }
}

TEST_F(FxGlTest, SamplingIntrinsicsOfShaderModelTwoAndThree) {
  // Level, bias, projection and gradients all read the texel tex2D reads; the cube,
  // volume and 1D reads compile and, with no such texture bound, add black.
  const Handle fx = Effect(R"(
texture texture0;
textureCUBE cube;
texture3D volume;
texture1D line1;
sampler s = sampler_state { Texture = <texture0>; };
sampler c = sampler_state { Texture = <cube>; };
sampler3D v = sampler_state { Texture = <volume>; };
sampler1D l = sampler_state { Texture = <line1>; };
float4 PS(float2 uv : TEXCOORD0) : COLOR {
  float4 sum = tex2Dlod(s, float4(uv, 0, 0)) + tex2Dbias(s, float4(uv, 0, 0)) + tex2Dproj(s, float4(uv * 2, 0, 2))
             + tex2Dgrad(s, uv, ddx(uv), ddy(uv));
  float4 other = texCUBE(c, float3(uv, 1)) + tex3D(v, float3(uv, 0.5)) + tex1D(l, uv.x);
  return float4(sum.rgb / 4 + other.rgb, 1);
}
technique T { pass P { PixelShader = compile ps_3_0 PS(); } }
)");
  const Image in = gltest::Gradient(kW, kH);
  const Image out = RunScreenEffect(fx, in);
  for (int y = 1; y < kH; y += 9)
    for (int x = 2; x < kW; x += 11) ASSERT_TRUE(Same(PixelAt(out, x, y), PixelAt(in, x, y), 1)) << x << "," << y;
}

TEST_F(FxGlTest, ClipDepthRunsFromZeroToWAsInDirect3D) {
  const Handle fx = Effect(R"(
float depth;
float4 VS(float4 p : POSITION) : POSITION { return float4(p.xy, depth, 1); }
float4 PS() : COLOR { return float4(1, 1, 1, 1); }
technique T { pass P { VertexShader = compile vs_2_0 VS(); PixelShader = compile ps_2_0 PS(); } }
)");
  // Inside 0..w the quad is drawn; just in front of 0 it is clipped, as Direct3D clips it.
  e->EffectFloat(fx, "depth", 0.25f);
  EXPECT_TRUE(Same(PixelAt(RunScreenEffect(fx, gltest::Solid(kW, kH, 0)), 9, 9), {255, 255, 255}));
  e->EffectFloat(fx, "depth", -0.25f);
  EXPECT_TRUE(Same(PixelAt(RunScreenEffect(fx, gltest::Solid(kW, kH, 0)), 9, 9), {0, 0, 0}));
}

TEST_F(FxGlTest, SamplerStatesBecomeSamplerObjects) {
  // A 2 x 1 texture (red, green) stretched over the screen, read half a texture to the right.
  Image two;
  two.Width = 2;
  two.Height = 1;
  two.Rgba = {255, 0, 0, 255, 0, 255, 0, 255};
  const Handle tex = e->TextureFromImage(two);
  auto effect = [](const char* states) {
    return std::string("texture t1;\nsampler s = sampler_state { Texture = <t1>; ") + states +
           " };\nfloat4 PS(float2 uv : TEXCOORD0) : COLOR { return tex2D(s, uv + float2(0.5, 0)); }\n"
           "technique T { pass P { PixelShader = compile ps_2_0 PS(); } }\n";
  };
  const Handle wrap = Effect(effect("AddressU = Wrap;"));
  const Handle clamp = Effect(effect("AddressU = Clamp;"));
  const Handle linear = Effect(effect("AddressU = Clamp; MagFilter = Linear;"));
  for (Handle fx : {wrap, clamp, linear}) e->EffectTexture(fx, "t1", tex);
  const int right = kW - 3;  // reads past the right edge
  EXPECT_TRUE(Same(PixelAt(RunScreenEffect(wrap, gltest::Solid(kW, kH, 0)), right, 5), {255, 0, 0}));
  EXPECT_TRUE(Same(PixelAt(RunScreenEffect(clamp, gltest::Solid(kW, kH, 0)), right, 5), {0, 255, 0}));
  // At x = 0 the read falls between the two texel centres: point sampling takes one
  // texel whole, linear filtering mixes both.
  const Rgb pointLeft = PixelAt(RunScreenEffect(clamp, gltest::Solid(kW, kH, 0)), 0, 5);
  const Rgb linearLeft = PixelAt(RunScreenEffect(linear, gltest::Solid(kW, kH, 0)), 0, 5);
  EXPECT_TRUE(Same(pointLeft, {0, 255, 0}));
  EXPECT_GT(linearLeft.R, 60);
  EXPECT_GT(linearLeft.G, 60);
}

TEST_F(FxGlTest, PassRenderStatesBlendLaterPassesOverEarlierOnes) {
  const Handle fx = Effect(R"(
float4 Red(float2 uv : TEXCOORD0) : COLOR { return float4(1, 0, 0, 1); }
float4 HalfBlue(float2 uv : TEXCOORD0) : COLOR { return float4(0, 0, 1, 0.5); }
float4 Green(float2 uv : TEXCOORD0) : COLOR { return float4(1, 1, 1, 1); }
technique T {
  pass a { PixelShader = compile ps_2_0 Red(); }
  pass b { AlphaBlendEnable = TRUE; SrcBlend = SRCALPHA; DestBlend = INVSRCALPHA; PixelShader = compile ps_2_0 HalfBlue(); }
  pass c { ColorWriteEnable = GREEN; PixelShader = compile ps_2_0 Green(); }
}
)");
  const Rgb p = PixelAt(RunScreenEffect(fx, gltest::Solid(kW, kH, 0)), 10, 10);
  EXPECT_TRUE(Same(p, {128, 255, 128}, 1));
}

TEST_F(FxGlTest, TextureShaderFillsTexelCentresTopRowFirst) {
  const Handle tex = e->CreateTextureShader(R"(
float4 Testout(float2 uv : POSITION, float2 texel : PSIZE) : COLOR {
  return float4(uv.x, uv.y, texel.x * 128, 1);
})", 256, 256);
  ASSERT_NE(tex, 0u) << e->ErrorText();
  const Image& img = e->Texture(tex)->Pixels;
  ASSERT_EQ(img.Width, 256);
  ASSERT_EQ(img.Height, 256);
  for (int y : {0, 1, 100, 255})
    for (int x : {0, 37, 255})
      EXPECT_TRUE(Same(PixelAt(img, x, y), {Byte((x + 0.5) / 256), Byte((y + 0.5) / 256), Byte(0.5)}, 1))
          << x << "," << y;
}

TEST_F(FxGlTest, ShippedEffectsLoad) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(QUELLOR_SOURCE_DIR) / "Data" / "Shader";
  auto read = [&](const char* name) {
    std::ifstream in(dir / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const Handle crt = Effect(read("PostFX/crt.fx"));
  const Handle wobble = Effect(read("Vertex/Wobble.fx"));
  EXPECT_GE(e->EffectParam(wobble, "worldViewProj"), 0);
  EXPECT_EQ(e->Effects().PassCount(wobble), 1);
  // The CRT keeps a mid-grey picture mid-grey in the middle of the screen.
  const Rgb mid = PixelAt(RunScreenEffect(crt, gltest::Solid(kW, kH, 0xFF808080u)), kW / 2, kH / 2);
  EXPECT_GT(mid.R, 60);
  EXPECT_LT(mid.R, 200);
  const Handle plasma = e->CreateTextureShader(read("Texture/plasma.fx"), 256, 256);
  ASSERT_NE(plasma, 0u) << e->ErrorText();
  // A plasma, not a flat colour.
  const Image& img = e->Texture(plasma)->Pixels;
  EXPECT_FALSE(Same(PixelAt(img, 10, 10), PixelAt(img, 128, 200), 10));
}

TEST_F(FxGlTest, BrokenEffectsFailWithTheirMessageAndTheEngineGoesOn) {
  const Handle bad = e->CreateEffect(PostEffect("float4 c = tex2D(screen, uv)\n  return c;"));
  EXPECT_EQ(bad, 0u);
  EXPECT_EQ(e->LastError(), 17);
  const std::string text = e->ErrorText();
  EXPECT_EQ(text.rfind("#17 Shader konnte nicht erstellt werden: \n", 0), 0u) << text;
  EXPECT_EQ(text.substr(text.size() - 19), "Error CreateEffect!") << text;
  // The missing ';' is reported where the compiler notices it: the next line, the 5th.
  EXPECT_NE(text.find("memory(5,3)"), std::string::npos) << text;
  EXPECT_EQ(e->CreateTextureShader("float4 Nope(float2 uv : POSITION) : COLOR { return 1; }", 256, 256), 0u);
  EXPECT_EQ(e->LastError(), 16);
  EXPECT_NE(e->ErrorText().find("Testout"), std::string::npos);
  // The compiler crashes on this one; the worker dies, the engine does not.
  EXPECT_EQ(e->CreateEffect(PostEffect("float a = 1; return 2.0 ++ a;")), 0u);
  EXPECT_NE(e->ErrorText().find("crashed"), std::string::npos) << e->ErrorText();
  const Handle good = Effect(PostEffect("return float4(0, 1, 0, 1);"));
  EXPECT_TRUE(Same(PixelAt(RunScreenEffect(good, gltest::Solid(kW, kH, 0)), 3, 3), {0, 255, 0}));
}

}  // namespace
}  // namespace quellor
