#include "engine/gl/GlEffects.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "engine/gl/GlEffectStates.h"
#include "engine/gl/GlEngine.h"
#include "engine/gl/GlProgram.h"

namespace quellor {

namespace {

// A parameter upload: the uniform's location and GL type, and the parameter it shows.
struct ParamUpload {
  GLint Loc = -1;
  GLenum Type = 0;
  GLint Size = 1;
  int Param = -1;
};

struct SamplerBinding {
  GLint Unit = 0;
  GLenum Target = GL_TEXTURE_2D;
  int Sampler = -1;       // index in CompiledFx::Samplers, -1 when unknown
  int TextureParam = -1;  // the texture parameter its sampler_state names
};

struct PassProgram {
  GLuint Program = 0;
  const FxPass* Pass = nullptr;
  std::vector<ParamUpload> Uploads;
  std::vector<SamplerBinding> Samplers;
  GLint FlipY = -1, Transform = -1;
};

struct Effect {
  CompiledFx Fx;
  FxParams Params;
  int Technique = 0;
  std::vector<std::vector<PassProgram>> Programs;  // per technique, per pass
  std::vector<GLuint> SamplerObjects;              // per CompiledFx sampler
};

// Float components per element and the kind of call a uniform type needs.
enum class Call { None, Float, Int, Uint, Matrix };
struct TypeInfo {
  int Components = 0;
  Call Kind = Call::None;
};

TypeInfo InfoOf(GLenum t) {
  switch (t) {
    case GL_FLOAT: return {1, Call::Float};
    case GL_FLOAT_VEC2: return {2, Call::Float};
    case GL_FLOAT_VEC3: return {3, Call::Float};
    case GL_FLOAT_VEC4: return {4, Call::Float};
    case GL_INT: case GL_BOOL: return {1, Call::Int};
    case GL_INT_VEC2: case GL_BOOL_VEC2: return {2, Call::Int};
    case GL_INT_VEC3: case GL_BOOL_VEC3: return {3, Call::Int};
    case GL_INT_VEC4: case GL_BOOL_VEC4: return {4, Call::Int};
    case GL_UNSIGNED_INT: return {1, Call::Uint};
    case GL_UNSIGNED_INT_VEC2: return {2, Call::Uint};
    case GL_UNSIGNED_INT_VEC3: return {3, Call::Uint};
    case GL_UNSIGNED_INT_VEC4: return {4, Call::Uint};
    case GL_FLOAT_MAT2: return {4, Call::Matrix};
    case GL_FLOAT_MAT3: return {9, Call::Matrix};
    case GL_FLOAT_MAT4: return {16, Call::Matrix};
    case GL_FLOAT_MAT2x3: case GL_FLOAT_MAT3x2: return {6, Call::Matrix};
    case GL_FLOAT_MAT2x4: case GL_FLOAT_MAT4x2: return {8, Call::Matrix};
    case GL_FLOAT_MAT3x4: case GL_FLOAT_MAT4x3: return {12, Call::Matrix};
    default: return {};
  }
}

GLenum SamplerTarget(GLenum t) {
  switch (t) {
    case GL_SAMPLER_1D: return GL_TEXTURE_1D;
    case GL_SAMPLER_2D: return GL_TEXTURE_2D;
    case GL_SAMPLER_3D: return GL_TEXTURE_3D;
    case GL_SAMPLER_CUBE: return GL_TEXTURE_CUBE_MAP;
    default: return 0;
  }
}

GLint MinFilter(const FxSamplerState& s) {
  const bool linear = s.Min != FxFilter::Point && s.Min != FxFilter::None;
  if (s.Mip == FxFilter::None) return linear ? GL_LINEAR : GL_NEAREST;
  if (s.Mip == FxFilter::Point) return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
  return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
}

GLint Wrap(FxAddress a) {
  switch (a) {
    case FxAddress::Mirror: return GL_MIRRORED_REPEAT;
    case FxAddress::Clamp: return GL_CLAMP_TO_EDGE;
    case FxAddress::Border: return GL_CLAMP_TO_BORDER;
    case FxAddress::MirrorOnce:
      return epoxy_has_gl_extension("GL_ARB_texture_mirror_clamp_to_edge") ? GL_MIRROR_CLAMP_TO_EDGE
                                                                          : GL_MIRRORED_REPEAT;
    default: return GL_REPEAT;
  }
}

GLuint MakeSampler(const FxSamplerState& s) {
  GLuint id = 0;
  glGenSamplers(1, &id);
  glSamplerParameteri(id, GL_TEXTURE_MIN_FILTER, MinFilter(s));
  glSamplerParameteri(id, GL_TEXTURE_MAG_FILTER,
                      s.Mag == FxFilter::Point || s.Mag == FxFilter::None ? GL_NEAREST : GL_LINEAR);
  glSamplerParameteri(id, GL_TEXTURE_WRAP_S, Wrap(s.U));
  glSamplerParameteri(id, GL_TEXTURE_WRAP_T, Wrap(s.V));
  glSamplerParameteri(id, GL_TEXTURE_WRAP_R, Wrap(s.W));
  const float border[4] = {static_cast<float>((s.BorderColor >> 16) & 0xFF) / 255.0f,
                           static_cast<float>((s.BorderColor >> 8) & 0xFF) / 255.0f,
                           static_cast<float>(s.BorderColor & 0xFF) / 255.0f,
                           static_cast<float>(s.BorderColor >> 24) / 255.0f};
  glSamplerParameterfv(id, GL_TEXTURE_BORDER_COLOR, border);
  glSamplerParameterf(id, GL_TEXTURE_LOD_BIAS, s.MipLodBias);
  return id;
}

}  // namespace

struct GlEffects::Impl {
  explicit Impl(GlEngine& e) : Engine(e) {}
  GlEngine& Engine;
  std::unordered_map<Handle, Effect> Effects;
  GLuint QuadVao = 0, QuadVbo = 0;
  std::vector<GLint> Ints;     // scratch for integer uploads
  std::vector<GLuint> Uints;
  std::vector<GLuint> TextureIds;  // per sampler of the pass being bound
  const PassProgram* Bound = nullptr;

  void Upload(const ParamUpload& u, std::span<const float> v);
  bool Link(Effect& fx, const FxPass& pass, PassProgram& out, std::string* log);
  void Delete(Effect& fx);
  void EnsureQuad();
};

void GlEffects::Impl::Upload(const ParamUpload& u, std::span<const float> v) {
  const TypeInfo info = InfoOf(u.Type);
  if (info.Kind == Call::None || v.size() < static_cast<size_t>(info.Components)) return;
  const GLsizei count = static_cast<GLsizei>(std::min<size_t>(static_cast<size_t>(u.Size), v.size() / info.Components));
  const size_t n = static_cast<size_t>(count) * info.Components;
  switch (info.Kind) {
    case Call::Float:
      if (info.Components == 1) glUniform1fv(u.Loc, count, v.data());
      else if (info.Components == 2) glUniform2fv(u.Loc, count, v.data());
      else if (info.Components == 3) glUniform3fv(u.Loc, count, v.data());
      else glUniform4fv(u.Loc, count, v.data());
      break;
    case Call::Int:
      Ints.assign(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(n));
      if (info.Components == 1) glUniform1iv(u.Loc, count, Ints.data());
      else if (info.Components == 2) glUniform2iv(u.Loc, count, Ints.data());
      else if (info.Components == 3) glUniform3iv(u.Loc, count, Ints.data());
      else glUniform4iv(u.Loc, count, Ints.data());
      break;
    case Call::Uint:
      // Booleans arrive as uint: any positive value, however small, stays true.
      Uints.resize(n);
      for (size_t k = 0; k < n; ++k) Uints[k] = v[k] <= 0 ? 0u : v[k] < 1 ? 1u : static_cast<GLuint>(v[k]);
      if (info.Components == 1) glUniform1uiv(u.Loc, count, Uints.data());
      else if (info.Components == 2) glUniform2uiv(u.Loc, count, Uints.data());
      else if (info.Components == 3) glUniform3uiv(u.Loc, count, Uints.data());
      else glUniform4uiv(u.Loc, count, Uints.data());
      break;
    case Call::Matrix:
      // Values are the HLSL rows; the translated code reads the matrix transposed, so
      // the rows go in as GL's columns.
      switch (u.Type) {
        case GL_FLOAT_MAT2: glUniformMatrix2fv(u.Loc, count, GL_FALSE, v.data()); break;
        case GL_FLOAT_MAT3: glUniformMatrix3fv(u.Loc, count, GL_FALSE, v.data()); break;
        case GL_FLOAT_MAT4: glUniformMatrix4fv(u.Loc, count, GL_FALSE, v.data()); break;
        case GL_FLOAT_MAT2x3: glUniformMatrix2x3fv(u.Loc, count, GL_FALSE, v.data()); break;
        case GL_FLOAT_MAT3x2: glUniformMatrix3x2fv(u.Loc, count, GL_FALSE, v.data()); break;
        case GL_FLOAT_MAT2x4: glUniformMatrix2x4fv(u.Loc, count, GL_FALSE, v.data()); break;
        case GL_FLOAT_MAT4x2: glUniformMatrix4x2fv(u.Loc, count, GL_FALSE, v.data()); break;
        case GL_FLOAT_MAT3x4: glUniformMatrix3x4fv(u.Loc, count, GL_FALSE, v.data()); break;
        case GL_FLOAT_MAT4x3: glUniformMatrix4x3fv(u.Loc, count, GL_FALSE, v.data()); break;
        default: break;
      }
      break;
    case Call::None:
      break;
  }
}

bool GlEffects::Impl::Link(Effect& fx, const FxPass& pass, PassProgram& out, std::string* log) {
  out.Pass = &pass;
  out.Program = BuildProgram(pass.VertexGlsl.c_str(), pass.PixelGlsl.c_str(), log);
  if (!out.Program) return false;
  glUseProgram(out.Program);
  GLint count = 0;
  glGetProgramiv(out.Program, GL_ACTIVE_UNIFORMS, &count);
  const std::string vs = std::string(kFxVertexUniforms) + ".", ps = std::string(kFxPixelUniforms) + ".";
  GLint unit = 0;
  for (GLint i = 0; i < count; ++i) {
    char buf[256];
    GLsizei len = 0;
    GLint size = 0;
    GLenum type = 0;
    glGetActiveUniform(out.Program, static_cast<GLuint>(i), sizeof buf, &len, &size, &type, buf);
    std::string name(buf, static_cast<size_t>(std::max(0, len)));
    if (name.size() > 3 && name.compare(name.size() - 3, 3, "[0]") == 0) name.resize(name.size() - 3);
    const GLint loc = glGetUniformLocation(out.Program, name.c_str());
    if (loc < 0) continue;
    if (name == kFxFlipY) {
      out.FlipY = loc;
    } else if (name == kFxTransform) {
      out.Transform = loc;
    } else if (name.rfind(vs, 0) == 0 || name.rfind(ps, 0) == 0) {
      const std::string member = name.substr(name.find('.') + 1);
      bool constant = false;
      for (const FxPassConstant& c : pass.Constants)
        if (c.Name == member) {
          // An entry point's `uniform` parameter: fixed per pass, set once here.
          Upload(ParamUpload{loc, type, size, -1}, c.Values);
          constant = true;
        }
      const int param = constant ? -1 : fx.Params.Find(member);
      if (param >= 0 && fx.Params.Info(param).Class == FxParamClass::Numeric)
        out.Uploads.push_back({loc, type, size, param});
    } else if (const GLenum target = SamplerTarget(type)) {
      SamplerBinding b;
      b.Unit = unit++;
      b.Target = target;
      for (size_t s = 0; s < fx.Fx.Samplers.size(); ++s)
        if (fx.Fx.Samplers[s].Name == name) {
          b.Sampler = static_cast<int>(s);
          b.TextureParam = fx.Params.Find(fx.Fx.Samplers[s].Texture);
        }
      glUniform1i(loc, b.Unit);
      out.Samplers.push_back(b);
    }
  }
  glUseProgram(0);
  return true;
}

void GlEffects::Impl::Delete(Effect& fx) {
  for (auto& passes : fx.Programs)
    for (PassProgram& p : passes)
      if (p.Program) glDeleteProgram(p.Program);
  for (GLuint s : fx.SamplerObjects) glDeleteSamplers(1, &s);
  fx.Programs.clear();
  fx.SamplerObjects.clear();
}

void GlEffects::Impl::EnsureQuad() {
  if (QuadVao) return;
  // Clip-space corners (Direct3D: y up) with texture coordinates (v = 0 at the top).
  const float quad[] = {-1, 1, 0, 1, 0, 0,  1, 1, 0, 1, 1, 0,  -1, -1, 0, 1, 0, 1,  1, -1, 0, 1, 1, 1};
  glGenVertexArrays(1, &QuadVao);
  glGenBuffers(1, &QuadVbo);
  glBindVertexArray(QuadVao);
  glBindBuffer(GL_ARRAY_BUFFER, QuadVbo);
  glBufferData(GL_ARRAY_BUFFER, sizeof quad, quad, GL_STATIC_DRAW);
  glEnableVertexAttribArray(kFxAttrPosition);
  glVertexAttribPointer(kFxAttrPosition, 4, GL_FLOAT, GL_FALSE, 6 * sizeof(float), nullptr);
  glEnableVertexAttribArray(kFxAttrTexCoord0);
  glVertexAttribPointer(kFxAttrTexCoord0, 2, GL_FLOAT, GL_FALSE, 6 * sizeof(float),
                        reinterpret_cast<void*>(4 * sizeof(float)));
  glBindVertexArray(0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

GlEffects::GlEffects(GlEngine& engine) : impl_(std::make_unique<Impl>(engine)) {}
GlEffects::~GlEffects() = default;

bool GlEffects::Add(Handle effect, CompiledFx compiled, std::string* log) {
  Effect& fx = impl_->Effects[effect];
  fx.Fx = std::move(compiled);
  fx.Params.Reset(fx.Fx.Params);
  for (const FxSampler& s : fx.Fx.Samplers) fx.SamplerObjects.push_back(MakeSampler(s.State));
  for (const FxTechnique& t : fx.Fx.Techniques) {
    fx.Programs.emplace_back(t.Passes.size());
    for (size_t p = 0; p < t.Passes.size(); ++p) {
      std::string why;
      if (!impl_->Link(fx, t.Passes[p], fx.Programs.back()[p], &why)) {
        if (log) *log = "technique '" + t.Name + "', pass '" + t.Passes[p].Name + "': " + why;
        Remove(effect);
        return false;
      }
    }
  }
  return true;
}

void GlEffects::Remove(Handle effect) {
  auto it = impl_->Effects.find(effect);
  if (it == impl_->Effects.end()) return;
  impl_->Delete(it->second);
  impl_->Effects.erase(it);
}

void GlEffects::ReleaseAll(bool contextAlive) {
  if (contextAlive) {
    for (auto& [h, fx] : impl_->Effects) impl_->Delete(fx);
    if (impl_->QuadVao) glDeleteVertexArrays(1, &impl_->QuadVao);
    if (impl_->QuadVbo) glDeleteBuffers(1, &impl_->QuadVbo);
  }
  impl_->QuadVao = impl_->QuadVbo = 0;
  impl_->Effects.clear();
}

bool GlEffects::Has(Handle effect) const { return impl_->Effects.count(effect) != 0; }

FxParams* GlEffects::Params(Handle effect) {
  auto it = impl_->Effects.find(effect);
  return it == impl_->Effects.end() ? nullptr : &it->second.Params;
}

void GlEffects::SelectTechnique(Handle effect, std::string_view name) {
  auto it = impl_->Effects.find(effect);
  if (it == impl_->Effects.end()) return;
  const std::vector<FxTechnique>& ts = it->second.Fx.Techniques;
  for (size_t t = 0; t < ts.size(); ++t)
    if (ts[t].Name == name) it->second.Technique = static_cast<int>(t);
}

int GlEffects::PassCount(Handle effect) const {
  auto it = impl_->Effects.find(effect);
  if (it == impl_->Effects.end() || it->second.Programs.empty()) return 0;
  return static_cast<int>(it->second.Programs[static_cast<size_t>(it->second.Technique)].size());
}

bool GlEffects::BeginPass(Handle effect, int pass, const float* worldViewProj16, bool intoTarget) {
  auto it = impl_->Effects.find(effect);
  if (it == impl_->Effects.end() || pass < 0 || pass >= PassCount(effect)) return false;
  Effect& fx = it->second;
  const PassProgram& p = fx.Programs[static_cast<size_t>(fx.Technique)][static_cast<size_t>(pass)];
  glUseProgram(p.Program);
  for (const ParamUpload& u : p.Uploads) impl_->Upload(u, fx.Params.Values(u.Param));
  if (p.FlipY >= 0) glUniform1f(p.FlipY, intoTarget ? -1.0f : 1.0f);
  if (p.Transform >= 0) {
    static const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    glUniformMatrix4fv(p.Transform, 1, GL_FALSE, worldViewProj16 ? worldViewProj16 : kIdentity);
  }
  // Textures are made ready first: a first upload binds on whatever unit is active.
  std::vector<GLuint>& ids = impl_->TextureIds;
  ids.clear();
  for (const SamplerBinding& b : p.Samplers) {
    GLuint id = 0;
    // Engine textures are all 2D; other sampler kinds sample nothing.
    if (b.Target == GL_TEXTURE_2D && b.TextureParam >= 0) id = impl_->Engine.GlTexture(fx.Params.Texture(b.TextureParam));
    ids.push_back(id);
  }
  for (size_t k = 0; k < p.Samplers.size(); ++k) {
    const SamplerBinding& b = p.Samplers[k];
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(b.Unit));
    glBindTexture(b.Target, ids[k]);
    glBindSampler(static_cast<GLuint>(b.Unit), b.Sampler >= 0 ? fx.SamplerObjects[static_cast<size_t>(b.Sampler)] : 0);
  }
  glActiveTexture(GL_TEXTURE0);
  // A mesh without colours reads white, as Direct3D's default diffuse colour.
  glVertexAttrib4f(kFxAttrColor0, 1, 1, 1, 1);
  ApplyFxStates(p.Pass->States, intoTarget, intoTarget);
  impl_->Bound = &p;
  return true;
}

void GlEffects::EndPass() {
  if (const PassProgram* p = impl_->Bound) {
    for (const SamplerBinding& b : p->Samplers) {
      glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(b.Unit));
      glBindTexture(b.Target, 0);
      glBindSampler(static_cast<GLuint>(b.Unit), 0);
    }
    glActiveTexture(GL_TEXTURE0);
  }
  impl_->Bound = nullptr;
  glUseProgram(0);
  ResetFxStates();
}

void GlEffects::DrawScreenQuad(Handle effect, bool keepAlpha) {
  impl_->EnsureQuad();
  const int passes = PassCount(effect);
  for (int p = 0; p < passes; ++p) {
    ResetFxStates();
    if (!BeginPass(effect, p, nullptr, true)) continue;
    if (!keepAlpha) glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glBindVertexArray(impl_->QuadVao);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glBindVertexArray(0);
    EndPass();
  }
}

}  // namespace quellor
