#include "engine/mesh/MeshData.h"

namespace quellor {

namespace {
bool Fail(std::string* err, const char* why) {
  if (err) *err = why;
  return false;
}

bool IsIdentity(const D3DMatrix& m) { return m == MatrixIdentity(); }
}  // namespace

bool MeshData::NeedsPose() const {
  if (!Skin.empty() || !Animations.empty()) return true;
  for (const MeshNode& n : Nodes)
    if (!IsIdentity(n.Local)) return true;
  return false;
}

bool ValidateMesh(const MeshData& mesh, std::string* err) {
  if (mesh.Vertices.size() > kMaxMeshVertices) return Fail(err, "too many vertices");
  if (mesh.Indices.size() > kMaxMeshIndices) return Fail(err, "too many triangles");
  if (mesh.Indices.size() % 3 != 0) return Fail(err, "a triangle is incomplete");
  if (mesh.Nodes.empty() || mesh.Nodes.size() > kMaxMeshNodes) return Fail(err, "bad frame count");
  if (mesh.Parts.size() > kMaxMeshParts) return Fail(err, "too many meshes");
  if (mesh.Animations.size() > kMaxAnimationSets) return Fail(err, "too many animation sets");
  if (mesh.Materials.empty()) return Fail(err, "no material");
  if (!mesh.Skin.empty() && mesh.Skin.size() != mesh.Vertices.size()) return Fail(err, "skin size");
  const size_t nodes = mesh.Nodes.size();
  for (size_t i = 0; i < nodes; ++i) {
    const int p = mesh.Nodes[i].Parent;
    if (i == 0 ? p != -1 : (p < 0 || static_cast<size_t>(p) >= i)) return Fail(err, "frame order");
  }
  for (uint32_t idx : mesh.Indices)
    if (idx >= mesh.Vertices.size()) return Fail(err, "a triangle names a missing vertex");
  for (const MeshPart& part : mesh.Parts) {
    if (uint64_t{part.FirstIndex} + part.IndexCount > mesh.Indices.size()) return Fail(err, "part indices");
    if (uint64_t{part.FirstVertex} + part.VertexCount > mesh.Vertices.size()) return Fail(err, "part vertices");
    if (part.Node < 0 || static_cast<size_t>(part.Node) >= nodes) return Fail(err, "part frame");
    if (part.Material < 0 || static_cast<size_t>(part.Material) >= mesh.Materials.size())
      return Fail(err, "part material");
    if (part.Bones.size() > kMaxBonesPerPart) return Fail(err, "too many bones");
    if (!part.Bones.empty() && mesh.Skin.empty()) return Fail(err, "bones without weights");
    for (const MeshBone& b : part.Bones)
      if (b.Node < 0 || static_cast<size_t>(b.Node) >= nodes) return Fail(err, "bone frame");
    if (!part.Bones.empty())
      for (uint32_t v = part.FirstVertex; v < part.FirstVertex + part.VertexCount; ++v)
        for (int k = 0; k < 4; ++k)
          if (mesh.Skin[v].Weight[k] > 0 && mesh.Skin[v].Bone[k] >= part.Bones.size())
            return Fail(err, "weight names a missing bone");
  }
  size_t keys = 0;
  for (const AnimationSet& set : mesh.Animations)
    for (const NodeTrack& t : set.Tracks) {
      if (t.Node < 0 || static_cast<size_t>(t.Node) >= nodes) return Fail(err, "track frame");
      keys += t.Position.size() + t.Rotation.size() + t.Scale.size();
    }
  if (keys > kMaxAnimationKeys) return Fail(err, "too many animation keys");
  return true;
}

}  // namespace quellor
