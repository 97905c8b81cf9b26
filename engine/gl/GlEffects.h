#pragma once
// Effects on the GL engine: the GL programs of every pass of a translated effect, the
// effect's parameter values, its samplers as GL sampler objects, and the binding of one
// pass for a draw.
//
// Entities with an effect are drawn through it: GlEffects is the engine's
// EffectPassBinder (GlEntities.h), binding each pass of the current technique for the
// entity's vertex array. Vertex attributes are fed by semantic at the locations of
// FxAttribute (FxTypes.h): POSITION 0, NORMAL 1, TEXCOORD0 2, COLOR0 3 (as GlEntities
// feeds them), TEXCOORD1..7 4..10, TANGENT 11, BINORMAL 12, COLOR1 13, BLENDWEIGHT 14,
// BLENDINDICES 15. A missing COLOR0 reads white. The world-view-projection (Direct3D
// layout, row vectors) serves only passes without a vertex shader; passes with one take
// the effect's own matrix parameters. States a pass does not name stay as the caller
// set them; the pass's own last until EndPass.
//
// Direct3D conventions kept here: clip depth 0..w (the translator rewrites it to GL's
// -w..w); clip y points up; a render target holds its top row first, so drawing into
// one flips y (and with it the winding the cull mode refers to). Full-screen quads put
// texel centres on pixel centres, as D3D9 effects get once their quad is offset by half
// a pixel: an effect returning tex2D(texture0, uv) reproduces its input exactly.
#include <memory>
#include <string>
#include <string_view>

#include "engine/Handle.h"
#include "engine/fx/FxParams.h"
#include "engine/fx/FxTypes.h"
#include "engine/gl/GlEntities.h"

namespace quellor {

class GlEngine;

class GlEffects : public EffectPassBinder {
 public:
  explicit GlEffects(GlEngine& engine);
  ~GlEffects() override;

  // Builds the programs of every pass; false with the GL compiler's log.
  bool Add(Handle effect, CompiledFx fx, std::string* log);
  void Remove(Handle effect);
  // Drops every effect; GL objects are deleted only while the context lives.
  void ReleaseAll(bool contextAlive);
  bool Has(Handle effect) const;

  FxParams* Params(Handle effect);
  // Selects the technique by name (unknown names keep the current one).
  void SelectTechnique(Handle effect, std::string_view name);
  int PassCount(Handle effect) const;

  // Binds pass `pass` of the current technique: program, parameter values, textures
  // with their sampler states, the pass's render states. False when there is no such
  // pass (nothing is bound then).
  bool BeginPass(Handle effect, int pass, const float* worldViewProj16, bool intoTarget);
  // Restores the state the engine's own sprite and text drawing expects.
  void EndPass();

  // EffectPassBinder: passes of an entity's effect.
  int BeginEntityEffect(Handle effect) override { return PassCount(effect); }
  bool BindEntityPass(Handle effect, int pass, const float* worldViewProj16) override {
    return BeginPass(effect, pass, worldViewProj16, false);
  }
  void EndEntityEffect(Handle) override { EndPass(); }

  // Every pass of the current technique as a full-screen quad into the bound
  // framebuffer, a render target. `keepAlpha`: its alpha is not written (X8R8G8B8).
  void DrawScreenQuad(Handle effect, bool keepAlpha);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace quellor
