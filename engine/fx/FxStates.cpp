#include "engine/fx/FxStates.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace quellor {

namespace {
struct Named {
  const char* Name;
  uint32_t Value;
};

template <size_t N>
bool Lookup(const Named (&table)[N], std::string_view word, uint32_t& value) {
  for (const Named& n : table)
    if (FxNameEquals(word, n.Name)) {
      value = n.Value;
      return true;
    }
  return false;
}

// Value names may carry Direct3D's constant prefixes (D3DBLEND_SRCALPHA).
std::string_view StripPrefix(std::string_view w) {
  static const char* const kPrefixes[] = {"D3DBLENDOP_", "D3DBLEND_", "D3DCMP_", "D3DCULL_", "D3DFILL_",
                                          "D3DTEXF_", "D3DTADDRESS_", "D3DCOLORWRITEENABLE_", "D3DZB_"};
  for (const char* p : kPrefixes) {
    std::string_view pre(p);
    if (w.size() > pre.size() && FxNameEquals(w.substr(0, pre.size()), pre)) return w.substr(pre.size());
  }
  return w;
}

const Named kBlend[] = {{"Zero", 1}, {"One", 2}, {"SrcColor", 3}, {"InvSrcColor", 4}, {"SrcAlpha", 5},
                        {"InvSrcAlpha", 6}, {"DestAlpha", 7}, {"InvDestAlpha", 8}, {"DestColor", 9},
                        {"InvDestColor", 10}, {"SrcAlphaSat", 11}, {"BothSrcAlpha", 12},
                        {"BothInvSrcAlpha", 13}, {"BlendFactor", 14}, {"InvBlendFactor", 15}};
const Named kBlendOp[] = {{"Add", 1}, {"Subtract", 2}, {"RevSubtract", 3}, {"Min", 4}, {"Max", 5}};
const Named kCmp[] = {{"Never", 1}, {"Less", 2}, {"Equal", 3}, {"LessEqual", 4}, {"Greater", 5},
                      {"NotEqual", 6}, {"GreaterEqual", 7}, {"Always", 8}};
const Named kCull[] = {{"None", 1}, {"CW", 2}, {"CCW", 3}};
const Named kFill[] = {{"Point", 1}, {"Wireframe", 2}, {"Solid", 3}};
const Named kMask[] = {{"Red", 1}, {"Green", 2}, {"Blue", 4}, {"Alpha", 8}};
const Named kBool[] = {{"true", 1}, {"false", 0}, {"UseW", 1}};
const Named kFilter[] = {{"None", 0}, {"Point", 1}, {"Linear", 2}, {"Anisotropic", 3},
                         {"PyramidalQuad", 2}, {"GaussianQuad", 2}};
const Named kAddress[] = {{"Wrap", 1}, {"Mirror", 2}, {"Clamp", 3}, {"Border", 4}, {"MirrorOnce", 5}};

const struct {
  const char* Name;
  FxState State;
} kStates[] = {
    {"AlphaBlendEnable", FxState::AlphaBlendEnable}, {"SrcBlend", FxState::SrcBlend},
    {"DestBlend", FxState::DestBlend}, {"BlendOp", FxState::BlendOp}, {"ZEnable", FxState::ZEnable},
    {"ZWriteEnable", FxState::ZWriteEnable}, {"ZFunc", FxState::ZFunc}, {"CullMode", FxState::CullMode},
    {"ColorWriteEnable", FxState::ColorWriteEnable}, {"FillMode", FxState::FillMode},
    {"AlphaTestEnable", FxState::AlphaTestEnable}, {"AlphaRef", FxState::AlphaRef},
    {"AlphaFunc", FxState::AlphaFunc}, {"StencilEnable", FxState::StencilEnable},
    {"SeparateAlphaBlendEnable", FxState::SeparateAlphaBlendEnable},
    {"SrcBlendAlpha", FxState::SrcBlendAlpha}, {"DestBlendAlpha", FxState::DestBlendAlpha},
    {"BlendOpAlpha", FxState::BlendOpAlpha},
};
}  // namespace

bool FxNameEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

bool ParseFxNumber(std::string_view t, double& value) {
  bool negative = false;
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
    negative = t[0] == '-';
    t.remove_prefix(1);
  }
  if (t.empty()) return false;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
    std::string_view digits = t.substr(2);
    while (!digits.empty() && (digits.back() == 'u' || digits.back() == 'U' || digits.back() == 'l' ||
                               digits.back() == 'L'))
      digits.remove_suffix(1);
    uint64_t v = 0;
    auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
    if (r.ec != std::errc() || r.ptr != digits.data() + digits.size()) return false;
    value = negative ? -static_cast<double>(v) : static_cast<double>(v);
    return true;
  }
  while (!t.empty() && std::string_view("fFhHlLuU").find(t.back()) != std::string_view::npos) t.remove_suffix(1);
  if (t.empty()) return false;
  double v = 0;
  auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v)) return false;
  value = negative ? -v : v;
  return true;
}

bool FxRenderStateByName(std::string_view name, FxState& state) {
  if (name.size() > 6 && FxNameEquals(name.substr(0, 6), "D3DRS_")) name.remove_prefix(6);
  for (const auto& s : kStates)
    if (FxNameEquals(name, s.Name)) {
      state = s.State;
      return true;
    }
  return false;
}

bool FxRenderStateWord(FxState state, std::string_view word, uint32_t& value) {
  double number = 0;
  if (ParseFxNumber(word, number)) {
    value = number < 0 ? 0u : static_cast<uint32_t>(std::min(number, 4294967295.0));
    return true;
  }
  const std::string_view w = StripPrefix(word);
  switch (state) {
    case FxState::SrcBlend:
    case FxState::DestBlend:
    case FxState::SrcBlendAlpha:
    case FxState::DestBlendAlpha:
      return Lookup(kBlend, w, value);
    case FxState::BlendOp:
    case FxState::BlendOpAlpha:
      return Lookup(kBlendOp, w, value);
    case FxState::ZFunc:
    case FxState::AlphaFunc:
      return Lookup(kCmp, w, value);
    case FxState::CullMode:
      return Lookup(kCull, w, value);
    case FxState::FillMode:
      return Lookup(kFill, w, value);
    case FxState::ColorWriteEnable:
      return Lookup(kMask, w, value);
    default:
      return Lookup(kBool, w, value);
  }
}

FxSamplerField FxSamplerFieldByName(std::string_view n) {
  const struct {
    const char* Name;
    FxSamplerField Field;
  } kFields[] = {{"Texture", FxSamplerField::Texture}, {"MinFilter", FxSamplerField::MinFilter},
                 {"MagFilter", FxSamplerField::MagFilter}, {"MipFilter", FxSamplerField::MipFilter},
                 {"AddressU", FxSamplerField::AddressU}, {"AddressV", FxSamplerField::AddressV},
                 {"AddressW", FxSamplerField::AddressW}, {"BorderColor", FxSamplerField::BorderColor},
                 {"MaxAnisotropy", FxSamplerField::MaxAnisotropy}, {"MipMapLodBias", FxSamplerField::MipLodBias},
                 {"MipLodBias", FxSamplerField::MipLodBias}};
  for (const auto& f : kFields)
    if (FxNameEquals(n, f.Name)) return f.Field;
  return FxSamplerField::Unknown;
}

bool FxSetSamplerField(FxSamplerState& st, FxSamplerField field, std::string_view word) {
  const std::string_view w = StripPrefix(word);
  uint32_t v = 0;
  double number = 0;
  const bool isNumber = ParseFxNumber(word, number);
  switch (field) {
    case FxSamplerField::MinFilter:
    case FxSamplerField::MagFilter:
    case FxSamplerField::MipFilter: {
      if (isNumber) v = static_cast<uint32_t>(std::clamp(number, 0.0, 3.0));
      else if (!Lookup(kFilter, w, v)) return false;
      FxFilter f = static_cast<FxFilter>(v);
      (field == FxSamplerField::MinFilter ? st.Min : field == FxSamplerField::MagFilter ? st.Mag : st.Mip) = f;
      return true;
    }
    case FxSamplerField::AddressU:
    case FxSamplerField::AddressV:
    case FxSamplerField::AddressW: {
      if (isNumber) v = static_cast<uint32_t>(std::clamp(number, 1.0, 5.0));
      else if (!Lookup(kAddress, w, v)) return false;
      FxAddress a = static_cast<FxAddress>(v);
      (field == FxSamplerField::AddressU ? st.U : field == FxSamplerField::AddressV ? st.V : st.W) = a;
      return true;
    }
    case FxSamplerField::BorderColor:
      if (!isNumber) return false;
      st.BorderColor = static_cast<uint32_t>(std::clamp(number, 0.0, 4294967295.0));
      return true;
    case FxSamplerField::MaxAnisotropy:
      if (!isNumber) return false;
      st.MaxAnisotropy = static_cast<uint32_t>(std::clamp(number, 1.0, 16.0));
      return true;
    case FxSamplerField::MipLodBias:
      if (!isNumber) return false;
      st.MipLodBias = static_cast<float>(std::clamp(number, -16.0, 16.0));
      return true;
    default:
      return false;
  }
}

}  // namespace quellor
