#include "app/dialogs/ShaderText.h"

#include <cctype>

#include "project/ShaderCode.h"
#include "project/StatusLog.h"

namespace quellor {

namespace {

// Digits at `pos` (after blanks) as a positive number; advances `pos` past them.
std::optional<int> Number(std::string_view s, size_t& pos) {
  while (pos < s.size() && s[pos] == ' ') ++pos;
  size_t start = pos;
  long v = 0;
  while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos]))) {
    v = v * 10 + (s[pos] - '0');
    if (v > 100000000) return std::nullopt;  // no source has that many lines
    ++pos;
  }
  while (pos < s.size() && s[pos] == ' ') ++pos;
  if (pos == start || v <= 0) return std::nullopt;
  return static_cast<int>(v);
}

std::string FirstLine(const std::string& text) {
  std::string line = text.substr(0, text.find_first_of("\r\n"));
  // "#17 ...: " followed by the compiler output on the next line: show that line instead.
  if (line.size() + 1 < text.size() && !line.empty() && line.back() == ' ') {
    size_t next = text.find_first_not_of("\r\n", line.size());
    if (next != std::string::npos) line = text.substr(next, text.find_first_of("\r\n", next) - next);
  }
  return line.size() > 200 ? line.substr(0, 200) : line;
}

CompileResult Failed(IntroModel& m, Engine& e, const char* what) {
  CompileResult r;
  r.Error = e.ErrorText();
  r.Where = FindErrorPosition(r.Error);
  AddStatusLine(m, std::string(what) + " Error: " + FirstLine(r.Error), kNotFoundMs, kColorError);
  return r;
}

}  // namespace

std::optional<ErrorPosition> FindErrorPosition(std::string_view message) {
  size_t at = message.find("memory(");
  if (at == std::string_view::npos) return std::nullopt;
  size_t pos = at + 7;
  std::optional<int> line = Number(message, pos);
  if (!line || pos >= message.size() || message[pos] != ',') return std::nullopt;
  ++pos;
  std::optional<int> column = Number(message, pos);
  if (!column || pos >= message.size() || message[pos] != ')') return std::nullopt;
  return ErrorPosition{*line, *column};
}

CompileResult ApplyShaderText(AppContext& ctx, ShaderSlot slot, std::string_view text) {
  IntroModel& m = ctx.Model;
  Engine& e = ctx.Eng;
  CompileResult r;
  switch (slot) {
    case ShaderSlot::PostFx:
      m.PostFX.Code = std::string(text);
      r.Ok = CompilePostFx(m, e);
      if (!r.Ok) r = Failed(m, e, "PostFX Shader");
      else AddStatusLine(m, "PostFX Shader succesfully established.", kMessageMs, kColorSuccess);
      break;
    case ShaderSlot::Texture:
      m.TexShader.Code = std::string(text);
      r.Ok = CompileTextureShader(m, e);
      if (!r.Ok) r = Failed(m, e, "Texture Shader");
      else m.Tex3d.Type = 2;
      break;
    case ShaderSlot::Vertex:
      m.VertexShader.Code = std::string(text);
      r.Ok = CompileVertexShader(m, e);
      if (!r.Ok) r = Failed(m, e, "Vertex Shader");
      break;
  }
  MarkChanged(m);
  return r;
}

}  // namespace quellor
