#include "engine/fx/FxParams.h"

#include <algorithm>

namespace quellor {

namespace {
size_t SizeOf(const FxParam& p) {
  if (p.Class != FxParamClass::Numeric) return 0;
  return static_cast<size_t>(p.Rows) * p.Cols * std::max<size_t>(1, p.ArraySize);
}
}  // namespace

void FxParams::Reset(const std::vector<FxParam>& params) {
  params_ = params;
  offsets_.clear();
  values_.clear();
  textures_.assign(params_.size(), 0);
  for (const FxParam& p : params_) {
    offsets_.push_back(values_.size());
    const size_t n = SizeOf(p);
    values_.resize(values_.size() + n, 0.0f);
    std::copy_n(p.Default.begin(), std::min(n, p.Default.size()), values_.end() - static_cast<std::ptrdiff_t>(n));
  }
}

int FxParams::Find(std::string_view name) const {
  for (size_t i = 0; i < params_.size(); ++i)
    if (params_[i].Name == name) return static_cast<int>(i);
  return -1;
}

bool FxParams::Numeric(int index) const {
  return index >= 0 && index < Count() && params_[static_cast<size_t>(index)].Class == FxParamClass::Numeric;
}

void FxParams::SetFloats(int index, const float* v, int count) {
  if (!Numeric(index) || !v || count <= 0) return;
  const size_t n = std::min(SizeOf(params_[static_cast<size_t>(index)]), static_cast<size_t>(count));
  std::copy_n(v, n, values_.begin() + static_cast<std::ptrdiff_t>(offsets_[static_cast<size_t>(index)]));
}

void FxParams::SetMatrix(int index, const float* m16) {
  if (!Numeric(index) || !m16) return;
  const FxParam& p = params_[static_cast<size_t>(index)];
  float* out = values_.data() + offsets_[static_cast<size_t>(index)];
  for (int r = 0; r < p.Rows; ++r)
    for (int c = 0; c < p.Cols; ++c) out[r * p.Cols + c] = m16[r * 4 + c];
}

void FxParams::SetTexture(int index, uint32_t texture) {
  if (index >= 0 && index < Count() && params_[static_cast<size_t>(index)].Class == FxParamClass::Texture)
    textures_[static_cast<size_t>(index)] = texture;
}

std::span<const float> FxParams::Values(int index) const {
  if (!Numeric(index)) return {};
  return {values_.data() + offsets_[static_cast<size_t>(index)], SizeOf(params_[static_cast<size_t>(index)])};
}

uint32_t FxParams::Texture(int index) const {
  return index >= 0 && index < Count() ? textures_[static_cast<size_t>(index)] : 0;
}

}  // namespace quellor
