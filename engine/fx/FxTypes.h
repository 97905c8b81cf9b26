#pragma once
// A Direct3D 9 effect as this engine runs it on OpenGL: its parameters with their
// defaults, its samplers with their textures and states, and per technique and pass the
// GLSL 330 programs and render states. Plain data, no GL: the translator fills it (in
// the worker process), the GL engine uploads it.
#include <cstdint>
#include <string>
#include <vector>

namespace quellor {

enum class FxKind : uint8_t { Effect = 0, TextureShader = 1 };

enum class FxParamClass : uint8_t { Numeric = 0, Texture = 1, Sampler = 2, Other = 3 };
enum class FxScalar : uint8_t { Float = 0, Int = 1, Bool = 2 };
enum class FxTextureDim : uint8_t { Tex1D = 0, Tex2D = 1, Tex3D = 2, Cube = 3 };

struct FxAnnotation {
  std::string Name;
  std::string Value;  // the value's source text (strings without their quotes)
  bool operator==(const FxAnnotation&) const = default;
};

struct FxParam {
  std::string Name;
  FxParamClass Class = FxParamClass::Numeric;
  FxScalar Scalar = FxScalar::Float;
  uint8_t Rows = 1, Cols = 1;  // float4 is 1 x 4, float4x4 is 4 x 4
  uint16_t ArraySize = 0;      // 0: not an array
  bool RowMajor = false;
  FxTextureDim Dim = FxTextureDim::Tex2D;  // textures
  std::string Semantic;
  std::vector<float> Default;  // Rows * Cols * max(1, ArraySize) values, or empty (zeros)
  std::vector<FxAnnotation> Annotations;
  bool operator==(const FxParam&) const = default;
};

// Sampler states with Direct3D 9's numbering (D3DTEXTUREFILTERTYPE, D3DTEXTUREADDRESS).
enum class FxFilter : uint8_t { None = 0, Point = 1, Linear = 2, Anisotropic = 3 };
enum class FxAddress : uint8_t { Wrap = 1, Mirror = 2, Clamp = 3, Border = 4, MirrorOnce = 5 };

struct FxSamplerState {
  // Direct3D 9's defaults: point sampling, no mipmaps, wrapping.
  FxFilter Min = FxFilter::Point, Mag = FxFilter::Point, Mip = FxFilter::None;
  FxAddress U = FxAddress::Wrap, V = FxAddress::Wrap, W = FxAddress::Wrap;
  uint32_t BorderColor = 0;  // ARGB
  uint32_t MaxAnisotropy = 1;
  float MipLodBias = 0;
  bool operator==(const FxSamplerState&) const = default;
};

struct FxSampler {
  std::string Name;     // the GLSL uniform name (as declared)
  std::string Texture;  // texture parameter bound by `Texture = <name>`; empty if none
  FxTextureDim Dim = FxTextureDim::Tex2D;
  FxSamplerState State;
  bool operator==(const FxSampler&) const = default;
};

// Pass render states the GL engine applies; values use Direct3D 9's numbering
// (D3DBLEND, D3DBLENDOP, D3DCMPFUNC, D3DCULL, D3DFILLMODE, booleans 0/1).
enum class FxState : uint8_t {
  AlphaBlendEnable, SrcBlend, DestBlend, BlendOp, ZEnable, ZWriteEnable, ZFunc, CullMode,
  ColorWriteEnable, FillMode, AlphaTestEnable, AlphaRef, AlphaFunc, StencilEnable,
  SeparateAlphaBlendEnable, SrcBlendAlpha, DestBlendAlpha, BlendOpAlpha,
};

struct FxRenderState {
  FxState State = FxState::AlphaBlendEnable;
  uint32_t Value = 0;
  bool operator==(const FxRenderState&) const = default;
};

// A value handed to an entry point's `uniform` parameter (`compile ps_2_0 PS(2.0)`).
struct FxPassConstant {
  std::string Name;  // the parameter's name
  std::vector<float> Values;
  bool operator==(const FxPassConstant&) const = default;
};

struct FxPass {
  std::string Name;
  std::string VertexEntry, VertexProfile;  // empty: the engine's fixed-function stand-in
  std::string PixelEntry, PixelProfile;    // empty: the pass draws nothing
  std::vector<FxPassConstant> Constants;
  std::vector<FxRenderState> States;
  std::vector<FxAnnotation> Annotations;
  std::string VertexGlsl, PixelGlsl;  // filled by the translator
  bool operator==(const FxPass&) const = default;
};

struct FxTechnique {
  std::string Name;
  std::vector<FxAnnotation> Annotations;
  std::vector<FxPass> Passes;
  bool operator==(const FxTechnique&) const = default;
};

struct CompiledFx {
  FxKind Kind = FxKind::Effect;
  std::vector<FxParam> Params;
  std::vector<FxSampler> Samplers;
  std::vector<FxTechnique> Techniques;
  std::string Log;  // warnings of a successful translation
  bool operator==(const CompiledFx&) const = default;
};

// Prefixes of the names that tie stages together in the GLSL: vertex attributes are
// fxa_<SEMANTIC>, vertex outputs and pixel inputs fxv_<SEMANTIC>, and the effect's
// parameters are members fxu_vs.<name> and fxu_ps.<name> of one uniform per stage.
inline constexpr const char* kFxVertexUniforms = "fxu_vs";
inline constexpr const char* kFxPixelUniforms = "fxu_ps";
// Uniforms of every translated vertex stage, set by the engine: the y sign of clip space
// (-1 when drawing into a render target, which holds its top row first) and, for the
// fixed-function stand-in, the world-view-projection matrix in Direct3D layout.
inline constexpr const char* kFxFlipY = "fx_FlipY";
inline constexpr const char* kFxTransform = "fx_Transform";

// Vertex attribute locations by semantic. Meshes feed these; a semantic not listed
// here is refused by the translator.
enum FxAttribute : int {
  kFxAttrPosition = 0,
  kFxAttrNormal = 1,
  kFxAttrTexCoord0 = 2,  // TEXCOORD1..7 follow at 4..10
  kFxAttrColor0 = 3,
  kFxAttrTexCoord1 = 4,
  kFxAttrTangent = 11,
  kFxAttrBinormal = 12,
  kFxAttrColor1 = 13,
  kFxAttrBlendWeight = 14,
  kFxAttrBlendIndices = 15,
};

// Texture shaders ("tx_1_0", entry "Testout") fill a texture of this size.
inline constexpr int kTextureShaderSize = 256;

}  // namespace quellor
