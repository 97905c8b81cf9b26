#pragma once
// Applying edited shader code: the text goes into the model and is compiled again through
// the engine; a failed compile reports where the compiler found the fault.
#include <optional>
#include <string>
#include <string_view>

#include "app/AppContext.h"

namespace quellor {

enum class ShaderSlot { PostFx, Texture, Vertex };

// Line and column (both from 1) of a compiler message.
struct ErrorPosition {
  int Line = 0, Column = 0;
};

struct CompileResult {
  bool Ok = false;
  std::string Error;  // the engine's error text on failure
  std::optional<ErrorPosition> Where;
};

// The first "memory(" in a compiler message, followed by a line number, "," a column
// number and ")". Nothing when the text holds no such position.
std::optional<ErrorPosition> FindErrorPosition(std::string_view message);

// Stores the text in the slot's code field, frees the slot's previous effect and compiles
// the new one: the post effect, the texture shader (a 256 x 256 texture put on the object)
// or the vertex shader (technique "Technique0", attached to the object). Failures are
// posted to the status log.
CompileResult ApplyShaderText(AppContext& ctx, ShaderSlot slot, std::string_view text);

}  // namespace quellor
