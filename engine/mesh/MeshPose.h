#pragma once
// Poses a model on the CPU: frame transforms from an animation set at a time, then every
// vertex moved by its frame or blended by its bones. Posing the same model again reuses
// the scratch storage and the output, so a drawn frame does not allocate.
#include <vector>

#include "engine/mesh/MeshData.h"

namespace quellor {

struct PoseScratch {
  std::vector<D3DMatrix> Local, Global, Bones;
};

// Frame matrices (mesh space) of animation set `set` at `seconds`, looping over the
// set's duration; a set that does not exist gives the rest pose.
void PoseFrames(const MeshData& mesh, int set, double seconds, PoseScratch& scratch);

// Posed vertices (positions and normals; the rest copied) for the frames in `scratch`.
void PoseVertices(const MeshData& mesh, PoseScratch& scratch, std::vector<MeshVertex>& out);

// Both steps.
void PoseMesh(const MeshData& mesh, int set, double seconds, PoseScratch& scratch,
              std::vector<MeshVertex>& out);

// Bounding box of vertices: min and max per axis (zeros when empty).
void MeshBounds(const std::vector<MeshVertex>& v, float lo[3], float hi[3]);

}  // namespace quellor
