#include "engine/fx/FxStageLink.h"

#include <cctype>

#include "engine/fx/FxTypes.h"

namespace quellor {

namespace {
std::string VecType(int n) { return n <= 1 ? "float" : "vec" + std::to_string(n); }

// Reads a value of `from` components as one of `to` components.
std::string Adapt(const std::string& name, int from, int to) {
  if (from == to) return name;
  if (to < from) return name + "." + std::string("xyzw").substr(0, static_cast<size_t>(to));
  std::string e = VecType(to) + "(" + name;
  for (int c = from; c < to; ++c) e += c == 3 ? ", 1.0" : ", 0.0";
  return e + ")";
}

const FxVarying* Find(const std::vector<FxVarying>& list, const std::string& semantic) {
  for (const FxVarying& v : list)
    if (v.Semantic == semantic) return &v;
  return nullptr;
}
}  // namespace

std::string NormalizeSemantic(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (s == "SV_POSITION") return "POSITION";
  if (s.rfind("SV_TARGET", 0) == 0) s = "COLOR" + s.substr(9);
  else if (s.rfind("SV_", 0) == 0) s = s.substr(3);
  if (s == "POSITION0" || s == "POSITION") return "POSITION";
  if (s.empty() || !std::isdigit(static_cast<unsigned char>(s.back()))) s += '0';
  return s;
}

int FxAttributeLocation(const std::string& s) {
  if (s == "POSITION") return kFxAttrPosition;
  if (s == "NORMAL0") return kFxAttrNormal;
  if (s == "COLOR0") return kFxAttrColor0;
  if (s == "COLOR1") return kFxAttrColor1;
  if (s == "TANGENT0") return kFxAttrTangent;
  if (s == "BINORMAL0") return kFxAttrBinormal;
  if (s == "BLENDWEIGHT0") return kFxAttrBlendWeight;
  if (s == "BLENDINDICES0") return kFxAttrBlendIndices;
  if (s.size() == 9 && s.rfind("TEXCOORD", 0) == 0 && s[8] >= '0' && s[8] <= '7')
    return s[8] == '0' ? kFxAttrTexCoord0 : kFxAttrTexCoord1 + (s[8] - '1');
  return -1;
}

void LinkPixelInputs(std::string& glsl, const std::vector<FxVarying>& vertexOut,
                     const std::vector<FxVarying>& pixelIn) {
  for (const FxVarying& in : pixelIn) {
    const std::string local = "fxi_" + in.Semantic;
    const size_t at = glsl.find(" " + local + ";");
    if (at == std::string::npos) continue;
    const size_t lineStart = glsl.rfind('\n', at) + 1;  // npos + 1 == 0
    const size_t lineEnd = glsl.find('\n', at);
    const std::string line = glsl.substr(lineStart, lineEnd - lineStart);
    // Keep interpolation qualifiers written before "in"; varyings get no locations in 330.
    std::string qualifiers;
    const size_t inAt = line.find("in ");
    if (inAt != std::string::npos) {
      qualifiers = line.substr(0, inAt);
      const size_t layoutEnd = qualifiers.find(") ");
      if (qualifiers.rfind("layout(", 0) == 0 && layoutEnd != std::string::npos)
        qualifiers = qualifiers.substr(layoutEnd + 2);
    }
    std::string replacement;
    if (const FxVarying* out = Find(vertexOut, in.Semantic)) {
      const std::string shared = "fxv_" + in.Semantic;
      replacement = qualifiers + "in " + VecType(out->Components) + " " + shared + ";\n#define " + local + " " +
                    Adapt(shared, out->Components, in.Components);
    } else {
      replacement = "#define " + local + " " + VecType(in.Components) + "(0.0)";
    }
    glsl.replace(lineStart, lineEnd - lineStart, replacement);
  }
}

std::string FixedFunctionVertexGlsl(const std::vector<FxVarying>& pixelIn) {
  std::string s = "#version 330\n";
  s += "uniform mat4 " + std::string(kFxTransform) + ";\n";
  s += "uniform float " + std::string(kFxFlipY) + ";\n";
  s += "layout(location = " + std::to_string(kFxAttrPosition) + ") in vec4 fxa_POSITION;\n";
  s += "layout(location = " + std::to_string(kFxAttrTexCoord0) + ") in vec4 fxa_TEXCOORD0;\n";
  s += "layout(location = " + std::to_string(kFxAttrColor0) + ") in vec4 fxa_COLOR0;\n";
  std::string body;
  for (const FxVarying& v : pixelIn) {
    const std::string name = "fxv_" + v.Semantic;
    s += "out " + VecType(v.Components) + " " + name + ";\n";
    std::string value;
    if (v.Semantic.rfind("TEXCOORD", 0) == 0) value = Adapt("fxa_TEXCOORD0", 4, v.Components);
    else if (v.Semantic == "COLOR0") value = Adapt("fxa_COLOR0", 4, v.Components);
    else value = VecType(v.Components) + "(0.0)";
    body += "  " + name + " = " + value + ";\n";
  }
  // Row vector times a Direct3D matrix (uploaded as is, it reads transposed here).
  s += "void main() {\n  vec4 p = " + std::string(kFxTransform) + " * fxa_POSITION;\n";
  s += "  p.z = 2.0 * p.z - p.w;\n  p.y = p.y * " + std::string(kFxFlipY) + ";\n  gl_Position = p;\n";
  s += body + "}\n";
  return s;
}

}  // namespace quellor
