#include "engine/fx/FxLexer.h"

namespace quellor {

namespace {
bool IsNameStart(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameChar(char c) { return IsNameStart(c) || IsDigit(c); }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// End of a preprocessor line starting at i (backslash-newline continues it).
size_t DirectiveEnd(std::string_view s, size_t i) {
  while (i < s.size() && s[i] != '\n') {
    if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '\n' || s[i + 1] == '\r')) {
      i += s[i + 1] == '\r' && i + 2 < s.size() && s[i + 2] == '\n' ? 3 : 2;
      continue;
    }
    ++i;
  }
  return i;
}

bool MentionsRowMajorPacking(std::string_view line) {
  return line.find("pack_matrix") != std::string_view::npos &&
         line.find("row_major") != std::string_view::npos;
}
}  // namespace

FxLexed LexFx(std::string_view s) {
  FxLexed out;
  size_t i = 0;
  bool lineStart = true;  // only whitespace since the last newline
  auto push = [&](FxTok kind, size_t from, size_t to) {
    out.Tokens.push_back({kind, static_cast<uint32_t>(from), static_cast<uint32_t>(to - from)});
  };
  while (i < s.size()) {
    const char c = s[i];
    if (c == '\n') {
      lineStart = true;
      ++i;
      continue;
    }
    if (IsSpace(c)) {
      ++i;
      continue;
    }
    if (c == '/' && i + 1 < s.size() && s[i + 1] == '/') {
      while (i < s.size() && s[i] != '\n') ++i;
      continue;
    }
    if (c == '/' && i + 1 < s.size() && s[i + 1] == '*') {
      size_t end = s.find("*/", i + 2);
      i = end == std::string_view::npos ? s.size() : end + 2;
      continue;
    }
    if (c == '#' && lineStart) {
      size_t end = DirectiveEnd(s, i);
      if (MentionsRowMajorPacking(s.substr(i, end - i))) out.RowMajorPragma = true;
      i = end;
      continue;
    }
    lineStart = false;
    const size_t start = i;
    if (c == '"') {
      ++i;
      while (i < s.size() && s[i] != '"' && s[i] != '\n') i += s[i] == '\\' && i + 1 < s.size() ? 2 : 1;
      if (i < s.size() && s[i] == '"') ++i;
      push(FxTok::String, start, i > s.size() ? s.size() : i);
      continue;
    }
    if (IsDigit(c) || (c == '.' && i + 1 < s.size() && IsDigit(s[i + 1]))) {
      while (i < s.size()) {
        const char d = s[i];
        if (IsNameChar(d) || d == '.') {
          ++i;
        } else if ((d == '+' || d == '-') && (s[i - 1] == 'e' || s[i - 1] == 'E') &&
                   !(s[start] == '0' && start + 1 < s.size() && (s[start + 1] == 'x' || s[start + 1] == 'X'))) {
          ++i;
        } else {
          break;
        }
      }
      push(FxTok::Number, start, i);
      continue;
    }
    if (IsNameStart(c)) {
      while (i < s.size() && IsNameChar(s[i])) ++i;
      push(FxTok::Name, start, i);
      continue;
    }
    ++i;
    push(FxTok::Punct, start, i);
  }
  push(FxTok::End, s.size(), s.size());
  return out;
}

void FxLineColumn(std::string_view src, size_t offset, int& line, int& column) {
  line = 1;
  column = 1;
  if (offset > src.size()) offset = src.size();
  for (size_t i = 0; i < offset; ++i) {
    if (src[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
}

}  // namespace quellor
