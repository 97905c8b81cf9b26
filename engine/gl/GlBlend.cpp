#include "engine/gl/GlBlend.h"

namespace quellor {

namespace {
// Factor of the plain table (1..11); 0 for the combined ones and unknown values.
GLenum Plain(int n) {
  switch (n) {
    case 1: return GL_ZERO;
    case 2: return GL_ONE;
    case 3: return GL_SRC_COLOR;
    case 4: return GL_ONE_MINUS_SRC_COLOR;
    case 5: return GL_SRC_ALPHA;
    case 6: return GL_ONE_MINUS_SRC_ALPHA;
    case 7: return GL_DST_ALPHA;
    case 8: return GL_ONE_MINUS_DST_ALPHA;
    case 9: return GL_DST_COLOR;
    case 10: return GL_ONE_MINUS_DST_COLOR;
    case 11: return GL_SRC_ALPHA_SATURATE;
    default: return 0;
  }
}
}  // namespace

GlBlendPair MapD3DBlend(int src, int dest) {
  GlBlendPair p;
  // "Both" factors are source-only in Direct3D and override the destination factor.
  if (src == 12) return {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA};
  if (src == 13) return {GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA};
  if (GLenum s = Plain(src)) p.Src = s;
  if (dest == 12)
    p.Dest = GL_ONE_MINUS_SRC_ALPHA;
  else if (dest == 13)
    p.Dest = GL_SRC_ALPHA;
  else if (GLenum d = Plain(dest))
    p.Dest = d;
  return p;
}

}  // namespace quellor
