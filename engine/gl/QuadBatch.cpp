#include "engine/gl/QuadBatch.h"

#include <cstddef>

namespace quellor {

void QuadBatch::Init() {
  glGenVertexArrays(1, &vao_);
  glGenBuffers(1, &vbo_);
  glGenBuffers(1, &ibo_);
  glBindVertexArray(vao_);
  glBindBuffer(GL_ARRAY_BUFFER, vbo_);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(QuadVertex),
                        reinterpret_cast<void*>(offsetof(QuadVertex, X)));
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(QuadVertex),
                        reinterpret_cast<void*>(offsetof(QuadVertex, U)));
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(QuadVertex),
                        reinterpret_cast<void*>(offsetof(QuadVertex, R)));
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ibo_);
  glBindVertexArray(0);
}

void QuadBatch::Release() {
  if (vao_) glDeleteVertexArrays(1, &vao_);
  if (vbo_) glDeleteBuffers(1, &vbo_);
  if (ibo_) glDeleteBuffers(1, &ibo_);
  vao_ = vbo_ = ibo_ = 0;
  indexQuads_ = vboBytes_ = 0;
}

void QuadBatch::Add(GLuint texture, GLuint sampler, GlBlendPair blend, const float x[4],
                    const float y[4], float u0, float v0, float u1, float v1,
                    const uint8_t rgba[4]) {
  const uint32_t quad = static_cast<uint32_t>(vertices_.size() / 4);
  if (runs_.empty() || runs_.back().Texture != texture || runs_.back().Sampler != sampler ||
      runs_.back().Blend.Src != blend.Src || runs_.back().Blend.Dest != blend.Dest) {
    QuadRun r;
    r.Texture = texture;
    r.Sampler = sampler;
    r.Blend = blend;
    r.First = quad;
    runs_.push_back(r);
  }
  ++runs_.back().Count;
  const float us[4] = {u0, u1, u1, u0};
  const float vs[4] = {v0, v0, v1, v1};
  for (int i = 0; i < 4; ++i)
    vertices_.push_back({x[i], y[i], us[i], vs[i], rgba[0], rgba[1], rgba[2], rgba[3]});
}

void QuadBatch::EnsureIndices(size_t quads) {
  if (quads <= indexQuads_) return;
  size_t n = indexQuads_ ? indexQuads_ : 1024;
  while (n < quads) n *= 2;
  std::vector<uint32_t> idx;
  idx.reserve(n * 6);
  for (uint32_t q = 0; q < n; ++q) {
    uint32_t b = q * 4;
    idx.insert(idx.end(), {b, b + 1, b + 2, b, b + 2, b + 3});
  }
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(idx.size() * sizeof(uint32_t)),
               idx.data(), GL_STATIC_DRAW);
  indexQuads_ = n;
}

int QuadBatch::Draw() {
  if (runs_.empty()) return 0;
  glBindVertexArray(vao_);
  glBindBuffer(GL_ARRAY_BUFFER, vbo_);
  const size_t bytes = vertices_.size() * sizeof(QuadVertex);
  // Orphan the previous contents so the driver need not wait for earlier draws.
  if (bytes > vboBytes_) vboBytes_ = bytes * 2;
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vboBytes_), nullptr, GL_STREAM_DRAW);
  glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(bytes), vertices_.data());
  EnsureIndices(vertices_.size() / 4);

  int calls = 0;
  GLuint boundTex = 0, boundSampler = 0;
  GlBlendPair blend;
  bool blendSet = false;  // GL_ZERO is 0, so no pair value can stand for "unset"
  for (const QuadRun& r : runs_) {
    if (r.Texture != boundTex || calls == 0) glBindTexture(GL_TEXTURE_2D, boundTex = r.Texture);
    if (r.Sampler != boundSampler || calls == 0) glBindSampler(0, boundSampler = r.Sampler);
    if (!blendSet || r.Blend.Src != blend.Src || r.Blend.Dest != blend.Dest) {
      blend = r.Blend;
      blendSet = true;
      // The back buffer's alpha stays as cleared (opaque), like an X8R8G8B8 surface,
      // so destination-alpha factors read 1 as they do there.
      glBlendFuncSeparate(blend.Src, blend.Dest, GL_ZERO, GL_ONE);
    }
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(r.Count * 6), GL_UNSIGNED_INT,
                   reinterpret_cast<void*>(static_cast<uintptr_t>(r.First) * 6 * sizeof(uint32_t)));
    ++calls;
  }
  glBindVertexArray(0);
  vertices_.clear();
  runs_.clear();
  return calls;
}

}  // namespace quellor
