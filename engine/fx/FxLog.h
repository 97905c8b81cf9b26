#pragma once
// Compiler messages in the form the shader editor understands: one line per message,
// "memory(line,column): error: text", with the user's own line and column.
#include <string>
#include <string_view>

namespace quellor {

// Name under which the user's effect text is handed to the compiler.
inline constexpr const char* kFxSourceName = "memory";

// Rewrites the HLSL compiler's log. `source` is the user's text, used to find the column
// of a quoted token when the compiler gives only a line. Errors come first, then
// warnings; the compiler's summary lines are dropped.
std::string FormatFxLog(std::string_view log, std::string_view source);

// Line and column of the first "memory(line,column" in a message, as the shader editor
// reads them; false when there is none.
bool FindFxErrorPosition(std::string_view message, int& line, int& column);

}  // namespace quellor
