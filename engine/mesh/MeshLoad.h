#pragma once
// Reads X (text, binary, compressed), 3DS and B3D models into MeshData.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/mesh/MeshData.h"

namespace quellor {

// Static models come back as one posed piece (frames applied, no animation); with
// `keepHierarchy` the frames, animation sets and skin stay for PoseMesh. Coordinates,
// winding and texture v are Direct3D's (left-handed, clockwise front faces, v down).
// False with the reason in `err` for a file that is missing, unreadable, over the
// sanity limits of MeshData.h, or that holds no triangles.
bool LoadMesh(const std::string& path, MeshData& out, std::string* err, bool keepHierarchy = false);

// The same on a model file's bytes already in memory; `name` gives the format by its
// extension.
bool LoadMeshBytes(const std::vector<uint8_t>& bytes, const std::string& name, MeshData& out,
                   std::string* err, bool keepHierarchy = false);
// An X, 3DS or B3D file name (by extension, any case).
bool IsModelName(const std::string& name);

// Largest model file read at all.
constexpr size_t kMaxMeshFileBytes = 32u << 20;

}  // namespace quellor
