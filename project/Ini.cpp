#include "project/Ini.h"

#include "project/TextBytes.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quellor {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  // Offsets are 32-bit; callers refuse files anywhere near that size long before.
  if (bytes.size() > (UINT32_MAX / 4)) bytes = bytes.substr(0, UINT32_MAX / 4);
  // The bytes stay as they are (8-bit Windows text or UTF-8), so a file saves back as
  // it was read; a UTF-8 byte order mark is dropped.
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  doc.text_.assign(bytes);
  const std::string& t = doc.text_;
  // Keys before the first group line belong to an unnamed group nobody asks for.
  doc.groups_.push_back({0, 0, 0, 0});
  size_t pos = 0;
  while (pos < t.size()) {
    size_t end = pos;
    while (end < t.size() && t[end] != '\r' && t[end] != '\n') ++end;
    size_t next = end;
    if (next < t.size() && t[next] == '\r') {
      ++next;
      if (next < t.size() && t[next] == '\n') ++next;
    } else {
      ++next;  // LF, or the end of the text
    }

    size_t b = pos;
    while (b < end && IsBlank(t[b])) ++b;
    if (b < end) {
      if (t[b] == '[') {
        size_t close = t.find(']', b + 1);
        size_t nameEnd = (close == std::string::npos || close > end) ? end : close;
        size_t nb = b + 1;
        while (nb < nameEnd && IsBlank(t[nb])) ++nb;
        size_t ne = nameEnd;
        while (ne > nb && IsBlank(t[ne - 1])) --ne;
        Group g{static_cast<uint32_t>(nb), static_cast<uint32_t>(ne - nb),
                static_cast<uint32_t>(doc.entries_.size()), 0};
        doc.groups_.push_back(g);
        doc.groupIndex_.emplace(Lower(doc.Slice(g.NamePos, g.NameLen)),
                                static_cast<int>(doc.groups_.size() - 1));
      } else if (!(t[b] == ';' && (b + 1 == end || t[b + 1] == ' '))) {
        size_t eq = t.find('=', b);
        if (eq != std::string::npos && eq < end) {
          size_t ke = eq;
          while (ke > b && IsBlank(t[ke - 1])) --ke;
          size_t vb = eq + 1;
          while (vb < end && IsBlank(t[vb])) ++vb;
          size_t ve = end;
          while (ve > vb && IsBlank(t[ve - 1])) --ve;
          doc.entries_.push_back({static_cast<uint32_t>(b), static_cast<uint32_t>(ke - b),
                                  static_cast<uint32_t>(vb), static_cast<uint32_t>(ve - vb)});
          doc.groups_.back().Count++;
        }
      }
    }
    pos = next;
  }
  return doc;
}

int IniDocument::FindGroup(std::string_view name) const {
  auto it = groupIndex_.find(Lower(name));
  return it == groupIndex_.end() ? -1 : it->second;
}

std::optional<std::string_view> IniDocument::Value(int group, std::string_view key) const {
  if (group < 0 || static_cast<size_t>(group) >= groups_.size()) return std::nullopt;
  auto [it, fresh] = keyIndex_.try_emplace(group);
  auto& index = it->second;
  if (fresh) {
    const Group& g = groups_[group];
    for (uint32_t i = g.First; i < g.First + g.Count; ++i) {
      index.emplace(Lower(Slice(entries_[i].KeyPos, entries_[i].KeyLen)), i);
    }
  }
  auto k = index.find(Lower(key));
  if (k == index.end()) return std::nullopt;
  const Entry& e = entries_[k->second];
  return Slice(e.ValuePos, e.ValueLen);
}

size_t IniDocument::KeyCount(int group) const {
  if (group < 0 || static_cast<size_t>(group) >= groups_.size()) return 0;
  return groups_[group].Count;
}

void IniWriter::Comment(const std::string& line) {
  Line l;
  l.IsComment = true;
  l.Key = OneLine(line);
  lines_.push_back(std::move(l));
}

void IniWriter::Group(const std::string& name) {
  Line l;
  l.IsGroup = true;
  l.Key = OneLine(name);
  lines_.push_back(std::move(l));
  groupKeys_.clear();
}

void IniWriter::Set(const std::string& key, const std::string& value) {
  std::string k = OneLine(key), v = OneLine(value);
  auto [it, fresh] = groupKeys_.try_emplace(Lower(k), lines_.size());
  if (!fresh) {
    lines_[it->second].Value = std::move(v);
    return;
  }
  Line l;
  l.Key = std::move(k);
  l.Value = std::move(v);
  lines_.push_back(std::move(l));
}

std::string IniWriter::Text() const {
  std::string out;
  bool anyGroup = false;
  for (const Line& l : lines_) {
    if (l.IsComment) {
      out += l.Key;
    } else if (l.IsGroup) {
      if (anyGroup || !out.empty()) out += "\r\n";
      anyGroup = true;
      out += "[" + l.Key + "]";
    } else {
      out += l.Key + " = " + l.Value;
    }
    out += "\r\n";
  }
  return out;
}

std::string FormatLong(int32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d", v);
  return buf;
}

std::string FormatFloat(float v) {
  char buf[128];
  std::snprintf(buf, sizeof buf, "%f", static_cast<double>(v));
  return buf;
}

int32_t ParseLong(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
  int64_t v = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
    v = v * 10 + (s[i] - '0');
    if (v > int64_t{INT32_MAX} + 1) v = int64_t{INT32_MAX} + 1;  // saturate early
  }
  if (neg) v = -v;
  if (v > INT32_MAX) v = INT32_MAX;
  if (v < INT32_MIN) v = INT32_MIN;
  return static_cast<int32_t>(v);
}

float ParseFloat(std::string_view s) {
  std::string tmp(s.substr(0, 512));
  errno = 0;
  double d = std::strtod(tmp.c_str(), nullptr);
  if (std::isnan(d)) return 0.0f;
  if (d > 1e9) return 1e9f;
  if (d < -1e9) return -1e9f;
  return static_cast<float>(d);
}

int32_t RoundToLong(float v) {
  if (std::isnan(v)) return 0;
  double r = std::nearbyint(static_cast<double>(v));
  if (r >= 2147483647.0) return INT32_MAX;
  if (r <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(std::lround(r));
}

std::string OneLine(const std::string& value) {
  std::string out = value;
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

std::string QuoteText(const std::string& text) { return "@" + OneLine(text) + "@"; }

std::string UnquoteText(std::string_view value) {
  if (value.empty() || value[0] != '@') return std::string(value);
  size_t close = value.find('@', 1);
  if (close == std::string_view::npos) return std::string(value.substr(1));
  return std::string(value.substr(1, close - 1));
}

std::vector<std::string> SplitTextLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    lines.push_back(text.substr(pos, end - pos));
    if (end < text.size() && text[end] == '\r') {
      ++end;
      if (end < text.size() && text[end] == '\n') ++end;
    } else if (end < text.size()) {
      ++end;  // LF
    }
    pos = end;
  }
  return lines;
}

std::string JoinTextLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

std::string CutCharacters(const std::string& text, size_t n) {
  size_t i = 0, count = 0;
  while (i < text.size() && count < n) {
    size_t len = Utf8SequenceLength(text, i);
    i += len == 0 ? 1 : len;
    ++count;
  }
  return text.substr(0, i);
}

}  // namespace quellor
