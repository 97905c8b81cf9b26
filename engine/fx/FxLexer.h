#pragma once
// Tokens of effect-file text: enough of HLSL's lexical rules to walk the effect
// framework (comments, preprocessor lines, strings, numbers, names, punctuation).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quellor {

enum class FxTok : uint8_t { Name, Number, String, Punct, End };

struct FxToken {
  FxTok Kind = FxTok::End;
  uint32_t Offset = 0;  // byte offset in the source
  uint32_t Length = 0;
};

struct FxLexed {
  std::vector<FxToken> Tokens;  // always ends with an End token
  bool RowMajorPragma = false;  // `#pragma pack_matrix(row_major)` seen
};

// Splits `src` into tokens; comments and preprocessor lines are skipped. Never fails:
// an unterminated comment or string runs to the end of the text.
FxLexed LexFx(std::string_view src);

// 1-based line and column of a byte offset.
void FxLineColumn(std::string_view src, size_t offset, int& line, int& column);

}  // namespace quellor
