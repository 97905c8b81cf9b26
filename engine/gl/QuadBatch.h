#pragma once
// Collects screen quads with their texture, sampler and blend factors, then draws
// them with one upload and one indexed draw per run of equal state.
#include <epoxy/gl.h>

#include <cstdint>
#include <vector>

#include "engine/gl/GlBlend.h"

namespace quellor {

struct QuadVertex {
  float X, Y, U, V;
  uint8_t R, G, B, A;
};

struct QuadRun {
  GLuint Texture = 0;
  GLuint Sampler = 0;
  GlBlendPair Blend;
  uint32_t First = 0;  // first quad
  uint32_t Count = 0;
};

class QuadBatch {
 public:
  QuadBatch() = default;
  QuadBatch(const QuadBatch&) = delete;
  QuadBatch& operator=(const QuadBatch&) = delete;
  ~QuadBatch() = default;  // GL objects go with Release(), while the context is current

  void Init();
  void Release();

  // Corners in screen pixels, top-left first, clockwise; uv of the top-left and
  // bottom-right corners; rgba is the modulating colour.
  void Add(GLuint texture, GLuint sampler, GlBlendPair blend, const float x[4], const float y[4],
           float u0, float v0, float u1, float v1, const uint8_t rgba[4]);
  bool Empty() const { return runs_.empty(); }
  // Draws everything added since the last Draw with the currently bound program and
  // framebuffer, then forgets it. Returns the number of draw calls issued.
  int Draw();

 private:
  void EnsureIndices(size_t quads);

  GLuint vao_ = 0, vbo_ = 0, ibo_ = 0;
  size_t indexQuads_ = 0;
  size_t vboBytes_ = 0;
  std::vector<QuadVertex> vertices_;
  std::vector<QuadRun> runs_;
};

}  // namespace quellor
