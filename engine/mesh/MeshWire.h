#pragma once
// MeshData as bytes: how a model decoded in the loader's worker process comes back.
// Decoding checks every length against the bytes left and the model against the sanity
// limits, so a cut-off or garbled stream is refused, never trusted.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/mesh/MeshData.h"

namespace quellor {

void EncodeMesh(const MeshData& mesh, std::vector<uint8_t>& out);
bool DecodeMesh(const uint8_t* data, size_t size, MeshData& out, std::string* err);

}  // namespace quellor
