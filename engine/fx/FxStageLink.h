#pragma once
// Joins a vertex and a pixel stage the way Direct3D 9 does: by semantic, whatever the
// variables are called and even when the two disagree on the number of components.
#include <string>
#include <vector>

namespace quellor {

struct FxVarying {
  std::string Semantic;  // normalized: upper case, index always written (TEXCOORD0)
  int Components = 4;
};

// Upper case, "SV_" forms mapped, index 0 written out (POSITION stays POSITION).
std::string NormalizeSemantic(std::string semantic);

// Vertex attribute location of a normalized semantic; -1 when meshes cannot feed it.
int FxAttributeLocation(const std::string& semantic);

// The translated pixel stage declares its inputs as fxi_<SEMANTIC>. This rewrites each
// declaration to read the vertex stage's fxv_<SEMANTIC>: narrower reads take the first
// components, wider ones are padded (0 for y and z, 1 for w), and inputs the vertex
// stage does not write read 0.
void LinkPixelInputs(std::string& pixelGlsl, const std::vector<FxVarying>& vertexOut,
                     const std::vector<FxVarying>& pixelIn);

// Vertex stage for passes that have none (the fixed-function vertex pipeline): POSITION
// times fx_Transform (Direct3D layout), and every input the pixel stage reads: texture
// coordinates from TEXCOORD0, COLOR0 from the COLOR0 attribute, anything else 0.
std::string FixedFunctionVertexGlsl(const std::vector<FxVarying>& pixelIn);

}  // namespace quellor
