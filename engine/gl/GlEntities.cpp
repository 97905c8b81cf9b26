#include "engine/gl/GlEntities.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "engine/gl/GlEngine.h"
#include "engine/gl/GlProgram.h"

namespace quellor {

namespace {

// Enough for one object a few units across; software GL pays for every texel.
constexpr int kShadowSize = 512;

// Matrices are Direct3D's (row vectors) uploaded untransposed, so in GLSL they act as
// column-vector matrices: M * v.
const char* const kPlainVertex = R"(#version 330 core
layout(location = 0) in vec3 a_pos;
layout(location = 1) in vec3 a_normal;
layout(location = 2) in vec2 a_uv;
layout(location = 3) in vec4 a_colour;
uniform mat4 u_world;
uniform mat4 u_viewProj;
uniform mat4 u_lightViewProj;
out vec3 v_worldPos;
out vec3 v_normal;
out vec2 v_uv;
out vec4 v_colour;
out vec4 v_lightPos;
out float v_depth;
void main() {
  vec4 world = u_world * vec4(a_pos, 1.0);
  v_worldPos = world.xyz;
  v_normal = mat3(u_world) * a_normal;
  v_uv = a_uv;
  v_colour = a_colour;
  v_lightPos = u_lightViewProj * world;
  gl_Position = u_viewProj * world;
  v_depth = gl_Position.w;
}
)";

const char* const kPlainFragment = R"(#version 330 core
in vec3 v_worldPos;
in vec3 v_normal;
in vec2 v_uv;
in vec4 v_colour;
in vec4 v_lightPos;
in float v_depth;
uniform vec3 u_lightDir;
uniform vec3 u_eye;
uniform vec4 u_diffuse;
uniform vec4 u_ambient;
uniform vec4 u_specular;
uniform float u_power;
uniform sampler2D u_tex;
uniform int u_textured;
uniform vec2 u_fog;
uniform vec3 u_fogColour;
uniform sampler2DShadow u_shadowMap;
uniform int u_shadowed;
out vec4 o_colour;
// Light that reaches every face, so the side away from the light is not pitch black.
const float kAmbient = 0.25;
// 1 where the light reaches, 0 in shadow. Faces the light grazes need a larger bias
// against self-shadowing stripes.
float Lit(float ndl) {
  if (u_shadowed == 0) return 1.0;
  vec3 p = v_lightPos.xyz / v_lightPos.w;
  vec2 uv = p.xy * 0.5 + 0.5;
  if (any(lessThan(uv, vec2(0.0))) || any(greaterThan(uv, vec2(1.0)))) return 1.0;
  float bias = mix(0.006, 0.0015, ndl);
  return texture(u_shadowMap, vec3(uv, p.z * 0.5 + 0.5 - bias));
}
void main() {
  vec3 n = normalize(v_normal);
  if (!gl_FrontFacing) n = -n;
  vec3 toLight = -normalize(u_lightDir);
  float ndl = max(dot(n, toLight), 0.0);
  float lit = ndl > 0.0 ? Lit(ndl) : 1.0;
  vec3 colour = u_ambient.rgb * kAmbient + u_diffuse.rgb * ndl * lit;
  vec4 texel = u_textured != 0 ? texture(u_tex, v_uv) : vec4(1.0);
  colour *= texel.rgb * v_colour.rgb;
  if (u_power > 0.0 && ndl > 0.0) {
    vec3 h = normalize(toLight + normalize(u_eye - v_worldPos));
    colour += u_specular.rgb * pow(max(dot(n, h), 0.0), u_power) * lit;
  }
  if (u_fog.y > u_fog.x) {
    float f = clamp((u_fog.y - v_depth) / (u_fog.y - u_fog.x), 0.0, 1.0);
    colour = mix(u_fogColour, colour, f);
  }
  o_colour = vec4(colour, u_diffuse.a * texel.a * v_colour.a);
}
)";

const char* const kDepthVertex = R"(#version 330 core
layout(location = 0) in vec3 a_pos;
uniform mat4 u_wvp;
void main() { gl_Position = u_wvp * vec4(a_pos, 1.0); }
)";

const char* const kDepthFragment = R"(#version 330 core
void main() {}
)";

void Corners(const EntityData& ent, const D3DMatrix& world, float centre[3], float* radius) {
  float lo[3] = {1e30f, 1e30f, 1e30f}, hi[3] = {-1e30f, -1e30f, -1e30f};
  for (int i = 0; i < 8; ++i) {
    const float p[3] = {(i & 1) ? ent.RestMax[0] : ent.RestMin[0], (i & 2) ? ent.RestMax[1] : ent.RestMin[1],
                        (i & 4) ? ent.RestMax[2] : ent.RestMin[2]};
    float w[3];
    TransformPoint(world, p, w);
    for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], w[k]), hi[k] = std::max(hi[k], w[k]);
  }
  float r2 = 0;
  for (int k = 0; k < 3; ++k) {
    centre[k] = (lo[k] + hi[k]) / 2;
    r2 += (hi[k] - lo[k]) * (hi[k] - lo[k]) / 4;
  }
  // Animated frames may reach past the rest pose.
  *radius = std::max(std::sqrt(r2) * (ent.Animated ? 1.5f : 1.05f), 1e-3f);
}

void Rgb(uint32_t argb, float out[3]) {
  out[0] = static_cast<float>((argb >> 16) & 255) / 255.0f;
  out[1] = static_cast<float>((argb >> 8) & 255) / 255.0f;
  out[2] = static_cast<float>(argb & 255) / 255.0f;
}

}  // namespace

bool GlEntities::Init(std::string* log) {
  if (plain_) return true;
  plain_ = BuildProgram(kPlainVertex, kPlainFragment, log);
  if (!plain_) return false;
  depth_ = BuildProgram(kDepthVertex, kDepthFragment, log);
  if (!depth_) {
    glDeleteProgram(plain_);
    plain_ = 0;
    return false;
  }
  auto at = [this](const char* name) { return glGetUniformLocation(plain_, name); };
  u_.World = at("u_world");
  u_.ViewProj = at("u_viewProj");
  u_.LightViewProj = at("u_lightViewProj");
  u_.LightDir = at("u_lightDir");
  u_.Eye = at("u_eye");
  u_.Diffuse = at("u_diffuse");
  u_.Ambient = at("u_ambient");
  u_.Specular = at("u_specular");
  u_.Power = at("u_power");
  u_.Tex = at("u_tex");
  u_.Textured = at("u_textured");
  u_.Fog = at("u_fog");
  u_.FogColour = at("u_fogColour");
  u_.ShadowMap = at("u_shadowMap");
  u_.Shadowed = at("u_shadowed");
  depthWvp_ = glGetUniformLocation(depth_, "u_wvp");
  // Entities are filtered and tiled, unlike the pixel-exact sprites.
  glGenSamplers(1, &sampler_);
  glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, GL_REPEAT);
  return true;
}

void GlEntities::DeleteMesh(GpuMesh& m) {
  if (m.Vao) glDeleteVertexArrays(1, &m.Vao);
  if (m.Vbo) glDeleteBuffers(1, &m.Vbo);
  if (m.Ebo) glDeleteBuffers(1, &m.Ebo);
  m = GpuMesh{};
}

void GlEntities::Release() {
  for (auto& [h, m] : meshes_) DeleteMesh(m);
  meshes_.clear();
  if (plain_) glDeleteProgram(plain_);
  if (depth_) glDeleteProgram(depth_);
  if (sampler_) glDeleteSamplers(1, &sampler_);
  if (shadowFbo_) glDeleteFramebuffers(1, &shadowFbo_);
  if (shadowTex_) glDeleteTextures(1, &shadowTex_);
  plain_ = depth_ = sampler_ = shadowFbo_ = shadowTex_ = 0;
}

void GlEntities::Abandon() {
  meshes_.clear();
  plain_ = depth_ = sampler_ = shadowFbo_ = shadowTex_ = 0;
}

void GlEntities::Forget(Handle entity) {
  auto it = meshes_.find(entity);
  if (it == meshes_.end()) return;
  DeleteMesh(it->second);
  meshes_.erase(it);
}

GlEntities::GpuMesh& GlEntities::Upload(GlEngine& eng, Handle h, const EntityData& ent) {
  GpuMesh& gpu = meshes_[h];
  const MeshData* mesh = ent.Mesh.get();
  const bool posed = mesh->NeedsPose();
  if (gpu.Mesh == mesh && (!posed || gpu.PoseAt == ent.AnimSeconds)) return gpu;
  const std::vector<MeshVertex>& verts = eng.EntityVertices(h);
  const GLsizeiptr bytes = static_cast<GLsizeiptr>(verts.size() * sizeof(MeshVertex));
  if (gpu.Mesh == mesh) {
    // Same model in a new pose: only the vertices change.
    glBindBuffer(GL_ARRAY_BUFFER, gpu.Vbo);
    glBufferSubData(GL_ARRAY_BUFFER, 0, bytes, verts.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    gpu.PoseAt = ent.AnimSeconds;
    return gpu;
  }
  DeleteMesh(gpu);
  glGenVertexArrays(1, &gpu.Vao);
  glGenBuffers(1, &gpu.Vbo);
  glGenBuffers(1, &gpu.Ebo);
  glBindVertexArray(gpu.Vao);
  glBindBuffer(GL_ARRAY_BUFFER, gpu.Vbo);
  glBufferData(GL_ARRAY_BUFFER, bytes, verts.data(), posed ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gpu.Ebo);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(mesh->Indices.size() * sizeof(uint32_t)),
               mesh->Indices.data(), GL_STATIC_DRAW);
  const GLsizei stride = sizeof(MeshVertex);
  glEnableVertexAttribArray(kAttribPosition);
  glVertexAttribPointer(kAttribPosition, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(MeshVertex, Pos)));
  glEnableVertexAttribArray(kAttribNormal);
  glVertexAttribPointer(kAttribNormal, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(MeshVertex, Normal)));
  glEnableVertexAttribArray(kAttribTexcoord0);
  glVertexAttribPointer(kAttribTexcoord0, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(MeshVertex, Uv)));
  glEnableVertexAttribArray(kAttribColor0);
  glVertexAttribPointer(kAttribColor0, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                        reinterpret_cast<void*>(offsetof(MeshVertex, Colour)));
  glBindVertexArray(0);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  gpu.Mesh = mesh;
  gpu.PoseAt = ent.AnimSeconds;
  return gpu;
}

bool GlEntities::EnsureShadowTarget() {
  if (shadowFbo_) return true;
  GLint previousFbo = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previousFbo);
  glGenTextures(1, &shadowTex_);
  glBindTexture(GL_TEXTURE_2D, shadowTex_);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, kShadowSize, kShadowSize, 0, GL_DEPTH_COMPONENT,
               GL_UNSIGNED_INT, nullptr);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
  glGenFramebuffers(1, &shadowFbo_);
  glBindFramebuffer(GL_FRAMEBUFFER, shadowFbo_);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, shadowTex_, 0);
  glDrawBuffer(GL_NONE);
  glReadBuffer(GL_NONE);
  const bool ok = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFbo));
  if (!ok) {
    glDeleteFramebuffers(1, &shadowFbo_);
    glDeleteTextures(1, &shadowTex_);
    shadowFbo_ = shadowTex_ = 0;
  }
  return ok;
}

bool GlEntities::RenderShadowMap(GlEngine& eng, const EntityData& ent, const GpuMesh& gpu, const D3DMatrix& world,
                                 D3DMatrix& lightViewProj) {
  if (!EnsureShadowTarget()) return false;
  // An orthographic light camera around the entity's bounds, looking along the light.
  float centre[3], radius;
  Corners(ent, world, centre, &radius);
  float dir[3];
  eng.LightDirection(dir);
  const float eye[3] = {centre[0] - dir[0] * 2 * radius, centre[1] - dir[1] * 2 * radius,
                        centre[2] - dir[2] * 2 * radius};
  lightViewProj = MatrixMultiply(MatrixLookToLH(eye, dir), MatrixOrthoLH(2 * radius, 2 * radius, radius * 0.5f, radius * 3.5f));
  const D3DMatrix wvp = MatrixMultiply(world, lightViewProj);

  GLint previousFbo = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previousFbo);
  glBindFramebuffer(GL_FRAMEBUFFER, shadowFbo_);
  glViewport(0, 0, kShadowSize, kShadowSize);
  glClear(GL_DEPTH_BUFFER_BIT);
  glUseProgram(depth_);
  glUniformMatrix4fv(depthWvp_, 1, GL_FALSE, wvp.data());
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(2.0f, 4.0f);
  glDisable(GL_CULL_FACE);
  glEnable(GL_DEPTH_TEST);  // depth is only written while the test is on
  glDepthFunc(GL_LESS);
  glDepthMask(GL_TRUE);
  glBindVertexArray(gpu.Vao);
  glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(gpu.Mesh->Indices.size()), GL_UNSIGNED_INT, nullptr);
  glDisable(GL_POLYGON_OFFSET_FILL);
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFbo));
  glViewport(0, 0, eng.ScreenWidth(), eng.ScreenHeight());
  return true;
}

void GlEntities::DrawPlain(GlEngine& eng, const EntityData& ent, const GpuMesh& gpu, const D3DMatrix& world,
                           bool shadowed, const D3DMatrix& lightViewProj) {
  glUseProgram(plain_);
  const D3DMatrix viewProj = MatrixMultiply(eng.View(), eng.Projection());
  glUniformMatrix4fv(u_.World, 1, GL_FALSE, world.data());
  glUniformMatrix4fv(u_.ViewProj, 1, GL_FALSE, viewProj.data());
  glUniformMatrix4fv(u_.LightViewProj, 1, GL_FALSE, lightViewProj.data());
  float dir[3];
  eng.LightDirection(dir);
  glUniform3fv(u_.LightDir, 1, dir);
  glUniform3fv(u_.Eye, 1, eng.CameraPosition());
  glUniform2f(u_.Fog, eng.FogStart(), eng.FogEnd());
  float fog[3];
  Rgb(eng.ClearColor(), fog);
  glUniform3fv(u_.FogColour, 1, fog);

  const GLuint tex = ent.Texture ? eng.GlTexture(ent.Texture) : 0;
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, tex);
  glBindSampler(0, sampler_);
  glUniform1i(u_.Tex, 0);
  glUniform1i(u_.Textured, tex ? 1 : 0);
  glUniform1i(u_.Shadowed, shadowed ? 1 : 0);
  glUniform1i(u_.ShadowMap, 1);
  if (shadowed) {
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, shadowTex_);
    glBindSampler(1, 0);
    glActiveTexture(GL_TEXTURE0);
  }

  glBindVertexArray(gpu.Vao);
  const MeshData& mesh = *gpu.Mesh;
  for (const MeshPart& part : mesh.Parts) {
    const MeshMaterial& m = ent.MaterialOverride ? ent.Material : mesh.Materials[static_cast<size_t>(part.Material)];
    glUniform4fv(u_.Diffuse, 1, m.Diffuse);
    glUniform4fv(u_.Ambient, 1, m.Ambient);
    glUniform4fv(u_.Specular, 1, m.Specular);
    glUniform1f(u_.Power, m.Power);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(part.IndexCount), GL_UNSIGNED_INT,
                   reinterpret_cast<void*>(static_cast<uintptr_t>(part.FirstIndex) * sizeof(uint32_t)));
  }
  if (shadowed) {
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
  }
}

bool GlEntities::DrawWithEffect(const EntityData& ent, const GpuMesh& gpu, const D3DMatrix& worldViewProj) {
  if (!binder_ || !ent.Effect) return false;
  const int passes = binder_->BeginEntityEffect(ent.Effect);
  if (passes <= 0) return false;
  glBindVertexArray(gpu.Vao);
  for (int p = 0; p < passes; ++p)
    if (binder_->BindEntityPass(ent.Effect, p, worldViewProj.data()))
      glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(gpu.Mesh->Indices.size()), GL_UNSIGNED_INT, nullptr);
  binder_->EndEntityEffect(ent.Effect);
  return true;
}

int GlEntities::Draw(GlEngine& eng) {
  if (!plain_ || eng.Entities().empty()) return 0;
  int drawn = 0;
  for (const auto& [h, ent] : eng.Entities()) {
    if (ent.Mesh->Indices.empty()) continue;
    GpuMesh& gpu = Upload(eng, h, ent);
    const D3DMatrix world = eng.EntityWorld(h);
    D3DMatrix lightViewProj = MatrixIdentity();
    const bool shadowed = ent.Shadow && RenderShadowMap(eng, ent, gpu, world, lightViewProj);
    // Direct3D's defaults: depth test and writes on, counter-clockwise faces culled,
    // no blending.
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    glDisable(GL_BLEND);
    if (!DrawWithEffect(ent, gpu, MatrixMultiply(MatrixMultiply(world, eng.View()), eng.Projection())))
      DrawPlain(eng, ent, gpu, world, shadowed, lightViewProj);
    ++drawn;
  }
  glBindVertexArray(0);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glFrontFace(GL_CCW);
  glEnable(GL_BLEND);
  glBindSampler(0, 0);
  return drawn;
}

}  // namespace quellor
