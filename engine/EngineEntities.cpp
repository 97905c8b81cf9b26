// Entities, the light and the camera of the engine core: models, placement, animation
// time and every matrix the effects ask for. Drawing is the GL engine's.
#include <algorithm>
#include <cmath>

#include "engine/EngineCore.h"
#include "engine/mesh/MeshLoad.h"
#include "engine/mesh/MeshPrimitives.h"

namespace quellor {

namespace {
constexpr float kDegToRad = 0.017453292f;
constexpr float kFieldOfView = 0.785398f;  // 45 degrees
constexpr float kNearPlane = 1.0f;
constexpr float kFarPlane = 1000.0f;

float WrapDegrees(float a) {
  if (!std::isfinite(a)) return 0;
  a = std::fmod(a, 360.0f);
  return a < 0 ? a + 360.0f : a;
}

// Caller's colours come as Direct3D writes them: (alpha, red, green, blue), 0..255.
void ArgbToUnit(const float argb[4], float rgba[4]) {
  if (!argb) return;
  rgba[0] = argb[1] / 255.0f;
  rgba[1] = argb[2] / 255.0f;
  rgba[2] = argb[3] / 255.0f;
  rgba[3] = argb[0] / 255.0f;
}

MeshData PrimitiveMesh(Primitive kind) {
  // The parameters of the Create Object menu.
  switch (kind) {
    case Primitive::Cube: return MakeCube();
    case Primitive::Sphere: return MakeSphere(64);
    case Primitive::Cylinder: return MakeCylinder(32, 4.0f);
    case Primitive::Torus: return MakeTorus(0.7f, 2.0f, 24);
    case Primitive::Teapot: return MakeTeapot();
    case Primitive::Pyramid: return MakePyramid(1.5f, 2.0f, 1.5f);
  }
  return {};
}
}  // namespace

Handle EngineCore::AddEntity(std::shared_ptr<const MeshData> mesh, bool animated) {
  Handle h = NewHandle();
  EntityData& ent = entities_[h];
  ent.Mesh = std::move(mesh);
  ent.Animated = animated;
  // Sizes are measured in the rest pose, before any animation moves the frames.
  PoseScratch scratch;
  std::vector<MeshVertex> rest;
  const std::vector<MeshVertex>* v = &ent.Mesh->Vertices;
  if (ent.Mesh->NeedsPose()) {
    PoseMesh(*ent.Mesh, -1, 0, scratch, rest);
    v = &rest;
  }
  MeshBounds(*v, ent.RestMin, ent.RestMax);
  return h;
}

Handle EngineCore::LoadEntity(const std::string& path, bool animated) {
  auto mesh = std::make_shared<MeshData>();
  std::string why = "not an X, 3DS or B3D file";
  // Through ReadFile, so a model embedded in an exported intro loads like one on disk.
  std::vector<uint8_t> bytes;
  if (!IsModelName(path) || !ReadFile(path, bytes, kMaxMeshFileBytes)) {
    if (IsModelName(path)) why = "the file cannot be read";
    SetError(EngineError::ObjectLoad, ": " + why);
    return 0;
  }
  if (!LoadMeshBytes(bytes, path, *mesh, &why, animated)) {
    SetError(EngineError::ObjectLoad, ": " + why);
    return 0;
  }
  return AddEntity(std::move(mesh), animated);
}

Handle EngineCore::CreatePrimitive(Primitive kind) {
  auto mesh = std::make_shared<MeshData>(PrimitiveMesh(kind));
  if (mesh->Indices.empty()) {
    SetError(EngineError::ObjectLoad, ": unknown primitive");
    return 0;
  }
  return AddEntity(std::move(mesh), false);
}

void EngineCore::FreeEntity(Handle entity) {
  if (entities_.erase(entity)) OnEntityFreed(entity);
}

const EntityData* EngineCore::Entity(Handle entity) const {
  auto it = entities_.find(entity);
  return it == entities_.end() ? nullptr : &it->second;
}

void EngineCore::TurnEntity(Handle entity, float a, float b, float c) {
  auto it = entities_.find(entity);
  if (it == entities_.end()) return;
  float* t = it->second.TurnDeg;
  t[0] = WrapDegrees(t[0] + a);
  t[1] = WrapDegrees(t[1] + b);
  t[2] = WrapDegrees(t[2] + c);
}

void EngineCore::PositionEntity(Handle entity, float x, float y, float z) {
  auto it = entities_.find(entity);
  if (it == entities_.end() || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return;
  float* p = it->second.Position;
  p[0] = x, p[1] = y, p[2] = z;
}

void EngineCore::ScaleEntity(Handle entity, float sx, float sy, float sz) {
  // The mesh is resized to the given width, height and depth; a flat axis keeps scale 1.
  auto it = entities_.find(entity);
  if (it == entities_.end()) return;
  EntityData& ent = it->second;
  const float want[3] = {sx, sy, sz};
  for (int k = 0; k < 3; ++k) {
    const float extent = ent.RestMax[k] - ent.RestMin[k];
    if (!std::isfinite(want[k])) continue;
    ent.Scale[k] = extent > 1e-12f ? want[k] / extent : 1.0f;
  }
}

void EngineCore::EntitySize(Handle entity, float* w, float* h, float* d) const {
  const EntityData* ent = Entity(entity);
  float size[3] = {0, 0, 0};
  if (ent)
    for (int k = 0; k < 3; ++k) size[k] = (ent->RestMax[k] - ent->RestMin[k]) * std::fabs(ent->Scale[k]);
  if (w) *w = size[0];
  if (h) *h = size[1];
  if (d) *d = size[2];
}

void EngineCore::EntityPosition(Handle entity, float* x, float* y, float* z) const {
  const EntityData* ent = Entity(entity);
  if (x) *x = ent ? ent->Position[0] : 0;
  if (y) *y = ent ? ent->Position[1] : 0;
  if (z) *z = ent ? ent->Position[2] : 0;
}

void EngineCore::EntityTexture(Handle entity, Handle tex) {
  auto it = entities_.find(entity);
  if (it != entities_.end()) it->second.Texture = Texture(tex) ? tex : 0;
}

void EngineCore::EntityEffect(Handle entity, Handle effect) {
  auto it = entities_.find(entity);
  if (it != entities_.end()) it->second.Effect = effect;
}

void EngineCore::EntityMaterial(Handle entity, const float diffuse[4], const float ambient[4],
                                const float specular[4], float power) {
  auto it = entities_.find(entity);
  if (it == entities_.end()) return;
  EntityData& ent = it->second;
  ent.MaterialOverride = true;
  ArgbToUnit(diffuse, ent.Material.Diffuse);
  ArgbToUnit(ambient, ent.Material.Ambient);
  ArgbToUnit(specular, ent.Material.Specular);
  ent.Material.Power = std::isfinite(power) ? std::max(0.0f, power) : 0.0f;
}

void EngineCore::EntityShadow(Handle entity, bool on) {
  auto it = entities_.find(entity);
  if (it != entities_.end()) it->second.Shadow = on;
}

int EngineCore::EntityAnimationSets(Handle entity) const {
  const EntityData* ent = Entity(entity);
  return ent && ent->Animated ? static_cast<int>(ent->Mesh->Animations.size()) : 0;
}

const std::vector<MeshVertex>& EngineCore::EntityVertices(Handle entity) {
  static const std::vector<MeshVertex> kNone;
  auto it = entities_.find(entity);
  if (it == entities_.end()) return kNone;
  EntityData& ent = it->second;
  if (!ent.Mesh->NeedsPose()) return ent.Mesh->Vertices;
  if (ent.PosedAt != ent.AnimSeconds) {
    PoseMesh(*ent.Mesh, ent.Animated ? ent.AnimationSet : -1, ent.AnimSeconds, ent.Scratch, ent.Posed);
    ent.PosedAt = ent.AnimSeconds;
  }
  return ent.Posed;
}

D3DMatrix EngineCore::EntityWorld(Handle entity) const {
  const EntityData* ent = Entity(entity);
  if (!ent) return MatrixIdentity();
  const float* t = ent->TurnDeg;
  D3DMatrix m = MatrixScaling(ent->Scale[0], ent->Scale[1], ent->Scale[2]);
  m = MatrixMultiply(m, MatrixYawPitchRoll(t[1] * kDegToRad, t[0] * kDegToRad, t[2] * kDegToRad));
  return MatrixMultiply(m, MatrixTranslation(ent->Position[0], ent->Position[1], ent->Position[2]));
}

void EngineCore::PositionLight(float x, float y, float z) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return;
  light_[0] = x, light_[1] = y, light_[2] = z;
}

void EngineCore::LightDirection(float out[3]) const {
  // The light stands at its position and shines toward the centre of the scene.
  const float len = std::sqrt(light_[0] * light_[0] + light_[1] * light_[1] + light_[2] * light_[2]);
  if (len < 1e-12f) {
    out[0] = 0, out[1] = 0, out[2] = 1;
    return;
  }
  for (int k = 0; k < 3; ++k) out[k] = -light_[k] / len;
}

void EngineCore::PositionCamera(float x, float y, float z) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return;
  camera_[0] = x, camera_[1] = y, camera_[2] = z;
  // The camera looks along +z (left-handed, as Direct3D), y up.
  view_ = MatrixTranslation(-x, -y, -z);
}

void EngineCore::UpdateProjection() {
  const float aspect = screenH_ > 0 ? static_cast<float>(screenW_) / static_cast<float>(screenH_) : 1.0f;
  projection_ = MatrixPerspectiveFovLH(kFieldOfView, aspect, kNearPlane, kFarPlane);
}

void EngineCore::SetFog(float start, float end) {
  if (!std::isfinite(start) || !std::isfinite(end)) return;
  fogStart_ = start;
  fogEnd_ = end;
}

const float* EngineCore::QueryMatrix(MatrixKind kind, Handle entity) {
  D3DMatrix m = MatrixIdentity();
  switch (kind) {
    case MatrixKind::World: m = EntityWorld(entity); break;
    case MatrixKind::WorldInverse: m = MatrixInverse(EntityWorld(entity)); break;
    case MatrixKind::WorldViewProjection:
      m = MatrixTranspose(MatrixMultiply(MatrixMultiply(EntityWorld(entity), view_), projection_));
      break;
    case MatrixKind::WorldViewProjectionInverse:
      m = MatrixTranspose(MatrixInverse(MatrixMultiply(MatrixMultiply(EntityWorld(entity), view_), projection_)));
      break;
    case MatrixKind::LightDirection: {
      float d[3];
      LightDirection(d);
      m = {d[0], d[1], d[2], 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
      break;
    }
    case MatrixKind::LightWorld: {
      float d[3];
      LightDirection(d);
      m = MatrixInverse(MatrixLookToLH(light_, d));
      break;
    }
    case MatrixKind::View: m = view_; break;
    case MatrixKind::ViewInverse: m = MatrixInverse(view_); break;
    case MatrixKind::Projection: m = projection_; break;
    case MatrixKind::EyePosition:
      m = {camera_[0], camera_[1], camera_[2], 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
      break;
  }
  matrix_ = m;
  return matrix_.data();
}

}  // namespace quellor
