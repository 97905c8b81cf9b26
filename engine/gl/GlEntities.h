#pragma once
// Draws the engine's entities in RenderWorld, after the backdrop and before the sprites:
// one directional light, materials, the entity texture, fog, and the shadow-map shadow.
//
// Vertex buffers of every entity hold MeshVertex (36 bytes) at fixed attribute
// locations, so any program can draw them by binding its inputs by semantic:
//   location 0  POSITION   vec3 float   (entity space)
//   location 1  NORMAL     vec3 float
//   location 2  TEXCOORD0  vec2 float   (v down, as Direct3D)
//   location 3  COLOR0     vec4 from RGBA8, normalised
//
// An entity with an effect attached (EntityEffect) is drawn by the effect runtime when
// one is installed with SetEffectPassBinder: for each pass of the effect's current
// technique the binder makes its program and states current, then the entity's whole
// index buffer is drawn. Without a binder, or when the binder reports no passes, the
// entity is drawn with the plain lit program here.
#include <epoxy/gl.h>

#include <memory>
#include <unordered_map>

#include "engine/EngineCore.h"

namespace quellor {

constexpr GLuint kAttribPosition = 0;
constexpr GLuint kAttribNormal = 1;
constexpr GLuint kAttribTexcoord0 = 2;
constexpr GLuint kAttribColor0 = 3;

// Implemented by the effect runtime.
class EffectPassBinder {
 public:
  virtual ~EffectPassBinder() = default;
  // Number of passes of the effect's current technique; 0 when the effect cannot draw
  // (unknown handle, no technique), and the entity is drawn plain.
  virtual int BeginEntityEffect(Handle effect) = 0;
  // Makes pass `pass` current: program, parameters, samplers and render states. The
  // entity's vertex array is bound; attribute locations are the ones listed above.
  // `worldViewProj16` (Direct3D layout) serves passes without a vertex shader.
  virtual bool BindEntityPass(Handle effect, int pass, const float* worldViewProj16) = 0;
  // After the last pass: restores whatever state the passes changed.
  virtual void EndEntityEffect(Handle effect) = 0;
};

class GlEngine;

class GlEntities {
 public:
  GlEntities() = default;
  GlEntities(const GlEntities&) = delete;
  GlEntities& operator=(const GlEntities&) = delete;
  ~GlEntities() = default;  // GL objects go with Release(), while the context is current

  // Builds the programs; false with the driver's log.
  bool Init(std::string* log);
  void Release();
  // Forgets every GL name without deleting: the context went first and took them along.
  void Abandon();
  void Forget(Handle entity);  // drops the GPU copy of a freed entity
  void SetEffectPassBinder(EffectPassBinder* binder) { binder_ = binder; }

  // Draws every entity into the bound framebuffer of the screen's size. Returns the
  // number of entities drawn.
  int Draw(GlEngine& eng);

 private:
  struct GpuMesh {
    GLuint Vao = 0, Vbo = 0, Ebo = 0;
    const MeshData* Mesh = nullptr;  // the model uploaded
    double PoseAt = -2;              // animation time of the uploaded vertices
  };
  GpuMesh& Upload(GlEngine& eng, Handle h, const EntityData& ent);
  void DrawPlain(GlEngine& eng, const EntityData& ent, const GpuMesh& gpu, const D3DMatrix& world,
                 bool shadowed, const D3DMatrix& lightViewProj);
  bool DrawWithEffect(const EntityData& ent, const GpuMesh& gpu, const D3DMatrix& worldViewProj);
  // Renders the entity's depth from the light; false when no shadow map could be made.
  bool RenderShadowMap(GlEngine& eng, const EntityData& ent, const GpuMesh& gpu, const D3DMatrix& world,
                       D3DMatrix& lightViewProj);
  bool EnsureShadowTarget();
  static void DeleteMesh(GpuMesh& m);

  GLuint plain_ = 0, depth_ = 0;
  struct {
    GLint World = -1, ViewProj = -1, LightViewProj = -1, LightDir = -1, Eye = -1;
    GLint Diffuse = -1, Ambient = -1, Specular = -1, Power = -1;
    GLint Tex = -1, Textured = -1, Fog = -1, FogColour = -1, ShadowMap = -1, Shadowed = -1;
  } u_;
  GLint depthWvp_ = -1;
  GLuint sampler_ = 0;
  GLuint shadowFbo_ = 0, shadowTex_ = 0;
  std::unordered_map<Handle, GpuMesh> meshes_;
  EffectPassBinder* binder_ = nullptr;
};

}  // namespace quellor
