#include "engine/gl/GlBlend.h"

namespace quellor {

namespace {
// Factor of the plain table (1..11); false for the combined ones and unknown values.
bool Plain(int n, GLenum* f) {
  GLenum v;
  switch (n) {
    case 1: v = GL_ZERO; break;
    case 2: v = GL_ONE; break;
    case 3: v = GL_SRC_COLOR; break;
    case 4: v = GL_ONE_MINUS_SRC_COLOR; break;
    case 5: v = GL_SRC_ALPHA; break;
    case 6: v = GL_ONE_MINUS_SRC_ALPHA; break;
    case 7: v = GL_DST_ALPHA; break;
    case 8: v = GL_ONE_MINUS_DST_ALPHA; break;
    case 9: v = GL_DST_COLOR; break;
    case 10: v = GL_ONE_MINUS_DST_COLOR; break;
    case 11: v = GL_SRC_ALPHA_SATURATE; break;
    default: return false;
  }
  *f = v;
  return true;
}
}  // namespace

GlBlendPair MapD3DBlend(int src, int dest) {
  GlBlendPair p;
  // "Both" factors are source-only in Direct3D and override the destination factor.
  if (src == 12) return {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA};
  if (src == 13) return {GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA};
  Plain(src, &p.Src);
  if (dest == 12)
    p.Dest = GL_ONE_MINUS_SRC_ALPHA;
  else if (dest == 13)
    p.Dest = GL_SRC_ALPHA;
  else
    Plain(dest, &p.Dest);
  return p;
}

}  // namespace quellor
