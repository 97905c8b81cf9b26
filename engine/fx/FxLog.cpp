#include "engine/fx/FxLog.h"

#include <charconv>
#include <map>
#include <vector>

namespace quellor {

namespace {

bool ReadInt(std::string_view s, size_t& pos, int& value) {
  const char* first = s.data() + pos;
  auto r = std::from_chars(first, s.data() + s.size(), value);
  if (r.ec != std::errc() || r.ptr == first) return false;
  pos += static_cast<size_t>(r.ptr - first);
  return true;
}

std::string_view LineOf(std::string_view src, int line) {
  size_t start = 0;
  for (int l = 1; l < line; ++l) {
    size_t nl = src.find('\n', start);
    if (nl == std::string_view::npos) return {};
    start = nl + 1;
  }
  size_t end = src.find('\n', start);
  return src.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// 1-based column of `token` on the line (whole words for names), 0 if absent.
int ColumnOfToken(std::string_view line, std::string_view token) {
  if (token.empty()) return 0;
  const bool word = IsWordChar(token.front());
  for (size_t at = line.find(token); at != std::string_view::npos; at = line.find(token, at + 1)) {
    const bool before = at > 0 && IsWordChar(line[at - 1]);
    const bool after = at + token.size() < line.size() && IsWordChar(line[at + token.size()]);
    if (!word || (!before && !after)) return static_cast<int>(at) + 1;
  }
  return 0;
}

// The compiler's parse column points into a token (its last character); the editor
// wants the token's start.
int TokenStart(std::string_view line, int column) {
  size_t i = static_cast<size_t>(column > 0 ? column - 1 : 0);
  if (i >= line.size() || !IsWordChar(line[i])) return column;
  while (i > 0 && IsWordChar(line[i - 1])) --i;
  return static_cast<int>(i) + 1;
}

struct Message {
  bool Error = true;
  int Line = 0;  // 0: not in the user's text
  std::string Token, Text;
};

}  // namespace

std::string FormatFxLog(std::string_view log, std::string_view source) {
  const std::string prefix = std::string(kFxSourceName) + ":";
  const std::string columnPrefix = std::string(kFxSourceName) + "(";
  std::vector<Message> messages;
  std::map<int, int> parseColumns;  // line -> column of "error at column N"
  size_t start = 0;
  while (start < log.size()) {
    size_t nl = log.find('\n', start);
    std::string_view line = log.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
    start = nl == std::string_view::npos ? log.size() : nl + 1;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
    if (line.empty()) continue;
    // "memory(4): error at column 8, HLSL parsing failed."
    if (line.rfind(columnPrefix, 0) == 0) {
      size_t pos = columnPrefix.size();
      int l = 0, c = 0;
      const std::string_view marker = "): error at column ";
      if (ReadInt(line, pos, l) && line.substr(pos, marker.size()) == marker) {
        pos += marker.size();
        if (ReadInt(line, pos, c)) parseColumns[l] = c;
      }
      continue;
    }
    Message m;
    std::string_view rest;
    if (line.rfind("ERROR: ", 0) == 0) {
      rest = line.substr(7);
    } else if (line.rfind("WARNING: ", 0) == 0) {
      m.Error = false;
      rest = line.substr(9);
    } else {
      m.Text = std::string(line);
      messages.push_back(std::move(m));
      continue;
    }
    if (rest.find("compilation errors.") != std::string_view::npos ||
        rest.find("compilation warnings.") != std::string_view::npos)
      continue;
    if (rest.rfind(prefix, 0) == 0) {
      size_t pos = prefix.size();
      int l = 0;
      if (ReadInt(rest, pos, l) && rest.substr(pos, 2) == ": ") {
        m.Line = l;
        rest.remove_prefix(pos + 2);
        if (rest.size() > 2 && rest[0] == '\'') {
          size_t close = rest.find("' : ", 1);
          if (close != std::string_view::npos) m.Token = std::string(rest.substr(1, close - 1));
        }
      }
    }
    m.Text = std::string(rest);
    messages.push_back(std::move(m));
  }

  std::string errors, warnings, other;
  for (const Message& m : messages) {
    std::string out;
    if (m.Line > 0) {
      int column = 0;
      auto parsed = parseColumns.find(m.Line);
      // "';' : Expected" names what is missing, not what stands there.
      const bool expected = m.Text.find("Expected") != std::string::npos;
      if (!expected) column = ColumnOfToken(LineOf(source, m.Line), m.Token);
      if (column == 0 && parsed != parseColumns.end()) column = TokenStart(LineOf(source, m.Line), parsed->second);
      if (column == 0) column = 1;
      out = columnPrefix + std::to_string(m.Line) + "," + std::to_string(column) + "): " +
            (m.Error ? "error: " : "warning: ") + m.Text;
    } else {
      out = m.Text;
    }
    std::string& target = m.Line > 0 ? (m.Error ? errors : warnings) : other;
    target += out;
    target += '\n';
  }
  // A parse failure the compiler gave only as a column line.
  for (const auto& [l, c] : parseColumns) {
    bool covered = false;
    for (const Message& m : messages) covered = covered || m.Line == l;
    if (!covered)
      errors = columnPrefix + std::to_string(l) + "," + std::to_string(TokenStart(LineOf(source, l), c)) +
               "): error: HLSL parsing failed\n" + errors;
  }
  return errors + warnings + other;
}

bool FindFxErrorPosition(std::string_view message, int& line, int& column) {
  const std::string key = std::string(kFxSourceName) + "(";
  size_t at = message.find(key);
  if (at == std::string_view::npos) return false;
  size_t pos = at + key.size();
  int l = 0, c = 0;
  if (!ReadInt(message, pos, l) || pos >= message.size() || message[pos] != ',') return false;
  ++pos;
  if (!ReadInt(message, pos, c) || pos >= message.size() || message[pos] != ')') return false;
  line = l;
  column = c;
  return true;
}

}  // namespace quellor
