#include "app/dialogs/ShaderText.h"

#include <cctype>

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

bool NotAvailable(const std::string& error) { return error.find("not available") != std::string::npos; }

std::string FirstLine(const std::string& text) {
  std::string line = text.substr(0, text.find_first_of("\r\n"));
  // "#17 ...: " followed by the compiler output on the next line: show that line instead.
  if (line.size() + 1 < text.size() && !line.empty() && line.back() == ' ') {
    size_t next = text.find_first_not_of("\r\n", line.size());
    if (next != std::string::npos) line = text.substr(next, text.find_first_of("\r\n", next) - next);
  }
  return line.size() > 200 ? line.substr(0, 200) : line;
}

void Report(IntroModel& m, const char* what, const std::string& error) {
  if (NotAvailable(error)) {
    AddStatusLine(m, std::string(what) + " text stored; it compiles once shaders are available.", kMessageMs,
                  kColorInfo);
  } else {
    AddStatusLine(m, std::string(what) + " Error: " + FirstLine(error), kNotFoundMs, kColorError);
  }
}

CompileResult Failed(Engine& e) {
  CompileResult r;
  r.Error = e.ErrorText();
  r.Unavailable = NotAvailable(r.Error);
  r.Where = FindErrorPosition(r.Error);
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
    case ShaderSlot::PostFx: {
      m.PostFX.Code = std::string(text);
      if (m.PostFX.Effect != 0) e.FreeEffect(m.PostFX.Effect);
      m.PostFX.Effect = e.CreateEffect(m.PostFX.Code);
      if (m.PostFX.Effect == 0) {
        r = Failed(e);
        Report(m, "PostFX Shader", r.Error);
        break;
      }
      if (m.ScreenTexture == 0) m.ScreenTexture = e.CreateRenderTarget(m.ScreenX, m.ScreenY);
      AddStatusLine(m, "PostFX Shader succesfully established.", kMessageMs, kColorSuccess);
      r.Ok = true;
      break;
    }
    case ShaderSlot::Texture: {
      TexShaderFields& t = m.TexShader;
      t.Code = std::string(text);
      if (t.Texture != 0) {
        if (m.Obj3d.Entity != 0) e.EntityTexture(m.Obj3d.Entity, 0);
        e.FreeTexture(t.Texture);
      }
      t.Texture = e.CreateTextureShader(t.Code, 256, 256);
      if (t.Texture == 0) {
        t.State = -1;
        r = Failed(e);
        Report(m, "Texture Shader", r.Error);
        break;
      }
      t.State = 1;
      m.Tex3d.Type = 2;
      if (m.Obj3d.Entity != 0) e.EntityTexture(m.Obj3d.Entity, t.Texture);
      r.Ok = true;
      break;
    }
    case ShaderSlot::Vertex: {
      VertexShaderFields& v = m.VertexShader;
      v.Code = std::string(text);
      if (v.Effect != 0) {
        if (m.Obj3d.Entity != 0) e.EntityEffect(m.Obj3d.Entity, 0);
        e.FreeEffect(v.Effect);
      }
      v.Effect = e.CreateEffect(v.Code);
      if (v.Effect == 0) {
        r = Failed(e);
        Report(m, "Vertex Shader", r.Error);
        break;
      }
      e.EffectTechnique(v.Effect, "Technique0");
      if (m.Obj3d.Entity != 0) e.EntityEffect(m.Obj3d.Entity, v.Effect);
      r.Ok = true;
      break;
    }
  }
  MarkChanged(m);
  return r;
}

}  // namespace quellor
