#pragma once
// What the shader editor's code view highlights: the effect parameters the renderer sets.
#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

namespace quellor {

extern const std::array<const char*, 19> kEffectParameterNames;

struct TextSpan {
  size_t Start = 0, Length = 0;
};

// Every occurrence of a parameter name standing as a whole word in `text`, in order.
// Blanks, line ends and the characters ( = ) + - / ; , * separate words.
void FindParameterNames(std::string_view text, std::vector<TextSpan>& out);

}  // namespace quellor
