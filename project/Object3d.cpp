#include "project/Object3d.h"

namespace quellor {

namespace {
// Colours as Direct3D takes them: alpha, red, green, blue.
constexpr float kWhite[4] = {255, 255, 255, 255};
constexpr float kShine[4] = {255, 128, 255, 128};
constexpr float kShinePower = 40.0f;
}  // namespace

Handle ObjectTexture(const IntroModel& m) {
  if (m.TexShader.State == 1 && m.TexShader.Texture != 0) return m.TexShader.Texture;
  return m.Tex3d.Texture;
}

void ApplyObjectSetup(IntroModel& m, Engine& e) {
  Obj3dFields& o = m.Obj3d;
  e.PositionLight(o.LightX, o.LightY, o.LightZ);
  const Handle ent = o.Entity;
  if (ent == 0) return;
  e.EntityShadow(ent, o.Shadow != 0);
  e.PositionEntity(ent, o.PosX, o.PosY, o.PosZ);
  o.WorkPos = {o.PosX, o.PosY, o.PosZ};
  e.EntityTexture(ent, ObjectTexture(m));
  e.EntityMaterial(ent, kWhite, kWhite, kShine, kShinePower);
  const Handle fx = m.VertexShader.Effect;
  e.EntityEffect(ent, fx);
  if (fx != 0) e.EffectTechnique(fx, "Technique0");
}

void ReleaseObject(IntroModel& m, Engine& e) {
  Obj3dFields& o = m.Obj3d;
  if (o.Entity != 0) {
    e.EntityEffect(o.Entity, 0);
    e.FreeEntity(o.Entity);
  }
  o.Entity = 0;
  o.AnimSets = 0;
}

bool CreateObjectPrimitive(IntroModel& m, Engine& e, int type) {
  if (type < 1 || type > 6) return false;
  ReleaseObject(m, e);
  m.Obj3d.File.clear();
  m.Obj3d.Type = type;
  m.Obj3d.Entity = e.CreatePrimitive(static_cast<Primitive>(type));
  MarkChanged(m);
  return m.Obj3d.Entity != 0;
}

}  // namespace quellor
