#pragma once
// A decoded 3D model, free of any loader's and of GL's types: triangles in Direct3D's
// left-handed space, materials, and for animated models the frame hierarchy with its
// animation sets and skin. Loaded by LoadMesh (the only code that knows Assimp) or made
// by the primitive generators; posed on the CPU by PoseMesh.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/D3DMatrix.h"

namespace quellor {

struct MeshVertex {
  float Pos[3] = {0, 0, 0};
  float Normal[3] = {0, 0, 1};
  float Uv[2] = {0, 0};
  uint32_t Colour = 0xFFFFFFFFu;  // RGBA8, R in the lowest byte (GL byte order)
};

struct MeshMaterial {
  float Diffuse[4] = {1, 1, 1, 1};  // r, g, b, a in 0..1
  float Ambient[4] = {1, 1, 1, 1};
  float Specular[4] = {0, 0, 0, 1};
  float Power = 0;
  std::string TextureFile;  // as the model names it; the engine does not load it
};

// Up to four bones per vertex; indices into the part's Bones.
struct VertexWeights {
  std::array<uint8_t, 4> Bone{};
  std::array<float, 4> Weight{};
};

struct MeshBone {
  int Node = 0;          // frame that moves the bone
  D3DMatrix Offset{};    // mesh space to bone space
};

// A run of triangles with one material. Its vertices [FirstVertex, FirstVertex +
// VertexCount) hang from frame Node, or, when Bones is not empty, are skinned.
struct MeshPart {
  uint32_t FirstIndex = 0, IndexCount = 0;
  uint32_t FirstVertex = 0, VertexCount = 0;
  int Material = 0;
  int Node = 0;
  std::vector<MeshBone> Bones;
};

// Frames are stored parents first (Parent < own index; -1 for the root).
struct MeshNode {
  std::string Name;
  int Parent = -1;
  D3DMatrix Local{};
};

struct VectorKey {
  double Time = 0;  // ticks
  float V[3] = {0, 0, 0};
};

struct RotationKey {
  double Time = 0;
  float Q[4] = {1, 0, 0, 0};  // w, x, y, z
};

struct NodeTrack {
  int Node = 0;
  std::vector<VectorKey> Position, Scale;
  std::vector<RotationKey> Rotation;
};

struct AnimationSet {
  std::string Name;
  double TicksPerSecond = 4800;
  double Duration = 0;  // ticks
  std::vector<NodeTrack> Tracks;
};

struct MeshData {
  std::vector<MeshVertex> Vertices;
  std::vector<uint32_t> Indices;     // triangle list
  std::vector<VertexWeights> Skin;   // per vertex when any part is skinned, else empty
  std::vector<MeshPart> Parts;
  std::vector<MeshMaterial> Materials;
  std::vector<MeshNode> Nodes;       // at least the root
  std::vector<AnimationSet> Animations;

  // True when the vertices must be posed: animation sets, skin, or frames that move.
  bool NeedsPose() const;
};

// Sanity limits for decoded models: anything larger is refused, not drawn.
constexpr size_t kMaxMeshVertices = 1u << 20;
constexpr size_t kMaxMeshIndices = 3u << 20;
constexpr size_t kMaxMeshNodes = 4096;
constexpr int kMaxMeshDepth = 64;
constexpr size_t kMaxMeshParts = 4096;
constexpr size_t kMaxAnimationSets = 256;
constexpr size_t kMaxAnimationKeys = 1u << 20;  // over all tracks of all sets
constexpr size_t kMaxBonesPerPart = 256;

// Checks a model against the limits above and for internal consistency (indices in
// range, parents before children, bones naming existing frames). `err` gets the reason.
bool ValidateMesh(const MeshData& mesh, std::string* err);

}  // namespace quellor
