#pragma once
// Names and values of the render states and sampler states an effect pass may set, in
// Direct3D 9's numbering.
#include <cstdint>
#include <string_view>

#include "engine/fx/FxTypes.h"

namespace quellor {

// A number as HLSL writes it: 1, -2.5, .5f, 1e-3, 2.h, 0xFF. False for anything else.
bool ParseFxNumber(std::string_view text, double& value);

// The render state called `name` (any case); false for states this engine ignores.
bool FxRenderStateByName(std::string_view name, FxState& state);

// Value of one word of a render-state assignment (a number, TRUE/FALSE or a value name
// such as SrcAlpha, CCW, LessEqual, RED); false when the word means nothing here.
bool FxRenderStateWord(FxState state, std::string_view word, uint32_t& value);

enum class FxSamplerField : uint8_t { Unknown, Texture, MinFilter, MagFilter, MipFilter, AddressU,
                                      AddressV, AddressW, BorderColor, MaxAnisotropy, MipLodBias };
FxSamplerField FxSamplerFieldByName(std::string_view name);

// Sets one sampler-state field from a value word; false when the word means nothing.
bool FxSetSamplerField(FxSamplerState& st, FxSamplerField field, std::string_view word);

bool FxNameEquals(std::string_view a, std::string_view b);  // ASCII case-insensitive

}  // namespace quellor
