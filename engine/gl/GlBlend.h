#pragma once
// Direct3D blend factor numbers (1..13, as stored with the intro) to OpenGL factors.
#include <epoxy/gl.h>

namespace quellor {

struct GlBlendPair {
  GLenum Src = GL_SRC_ALPHA;
  GLenum Dest = GL_ONE_MINUS_SRC_ALPHA;
};

// Numbers outside 1..13 fall back to the default pair's member (source alpha /
// inverse source alpha). 12 and 13 as source factor set both factors, as Direct3D does.
GlBlendPair MapD3DBlend(int src, int dest);

}  // namespace quellor
