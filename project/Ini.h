#pragma once
// INI text as used by project and settings files: CR LF lines, "[Group]" lines, "; "
// comments, "Key = Value" lines. Group and key names compare without case; a key is
// only seen between its group line and the next group line.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quellor {

class IniDocument {
 public:
  // Parses a whole file. A leading UTF-8 byte order mark is skipped; every other byte is
  // kept as it is, so 8-bit Windows text reads and writes back unchanged.
  static IniDocument Parse(std::string_view bytes);

  // Index of the first group of that name (any case), or -1.
  int FindGroup(std::string_view name) const;
  // Value of the first matching key inside group g (trimmed), or nullopt.
  std::optional<std::string_view> Value(int group, std::string_view key) const;
  // Number of key lines inside group g; bounds every count a file can claim.
  size_t KeyCount(int group) const;
  size_t GroupCount() const { return groups_.size(); }

 private:
  struct Entry {
    uint32_t KeyPos, KeyLen, ValuePos, ValueLen;
  };
  struct Group {
    uint32_t NamePos, NameLen;
    uint32_t First, Count;  // range in entries_
  };
  std::string text_;
  std::vector<Entry> entries_;
  std::vector<Group> groups_;
  std::unordered_map<std::string, int> groupIndex_;  // lower-case name -> first group
  // Built on first lookup of a group: lower-case key -> first entry of that group.
  mutable std::unordered_map<int, std::unordered_map<std::string, uint32_t>> keyIndex_;
  std::string_view Slice(uint32_t pos, uint32_t len) const {
    return std::string_view(text_).substr(pos, len);
  }
};

// Collects a file in writing order. Setting a key that the current group already holds
// replaces its value in place.
class IniWriter {
 public:
  void Comment(const std::string& line);  // written as is; callers start it with "; "
  void Group(const std::string& name);
  void Set(const std::string& key, const std::string& value);
  // The file: CR LF after every line, a blank line before every group line that does not
  // open the file.
  std::string Text() const;

 private:
  struct Line {
    bool IsGroup = false, IsComment = false;
    std::string Key, Value;
  };
  std::vector<Line> lines_;
  std::unordered_map<std::string, size_t> groupKeys_;  // lower-case key -> line, this group
};

// Number conversions of the file format.
std::string FormatLong(int32_t v);   // "%d"
std::string FormatFloat(float v);    // "%f"
// C integer conversion: optional sign, digits, stops at the first other character;
// out-of-range values are clamped to 32 bits.
int32_t ParseLong(std::string_view s);
// C float conversion; non-finite and enormous values are clamped to +-1e9 (NaN -> 0).
float ParseFloat(std::string_view s);
// Nearest whole number as a 32-bit value, clamped; NaN -> 0.
int32_t RoundToLong(float v);

// "@" + text + "@"; single-line values never carry a line break into the file.
std::string QuoteText(const std::string& text);
// Text between the first and the second "@" when the value starts with "@", else the value.
std::string UnquoteText(std::string_view value);
// Replaces CR and LF by spaces so a value stays on its line.
std::string OneLine(const std::string& value);

// Splits a multi-line text at CR LF, CR or LF into lines without their breaks; a final
// line without a break counts as a line.
std::vector<std::string> SplitTextLines(const std::string& text);
// Every line followed by CR LF.
std::string JoinTextLines(const std::vector<std::string>& lines);

// Cuts UTF-8 text to at most n characters.
std::string CutCharacters(const std::string& text, size_t n);

}  // namespace quellor
