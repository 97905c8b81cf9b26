#pragma once
// Current values of an effect's parameters, as the renderer sets them between draws:
// numbers start at the effect's defaults, textures at none. Indices are resolved once
// by name; setting through an unknown index (-1) does nothing, which is how names an
// effect does not declare are ignored.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/fx/FxTypes.h"

namespace quellor {

class FxParams {
 public:
  void Reset(const std::vector<FxParam>& params);
  int Find(std::string_view name) const;
  int Count() const { return static_cast<int>(params_.size()); }
  const FxParam& Info(int index) const { return params_[static_cast<size_t>(index)]; }

  // First components of a numeric parameter (the rest keep their values).
  void SetFloats(int index, const float* v, int count);
  // A 4 x 4 matrix in Direct3D layout; smaller matrices take its upper-left part.
  void SetMatrix(int index, const float* m16);
  void SetTexture(int index, uint32_t texture);

  // Numeric values in HLSL order (row by row), Rows * Cols per array element.
  std::span<const float> Values(int index) const;
  uint32_t Texture(int index) const;

 private:
  bool Numeric(int index) const;
  std::vector<FxParam> params_;
  std::vector<size_t> offsets_;  // into values_
  std::vector<float> values_;
  std::vector<uint32_t> textures_;
};

}  // namespace quellor
