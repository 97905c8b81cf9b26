#include "engine/gl/SpriteQuad.h"

#include <cmath>

namespace quellor {

SpriteCorners PlaceSprite(int x, int y, int frameW, int frameH, float zoomX, float zoomY,
                          float rotationRad) {
  const float w = static_cast<float>(frameW) * zoomX;
  const float h = static_cast<float>(frameH) * zoomY;
  const float px = static_cast<float>(x), py = static_cast<float>(y);
  const float lx[4] = {0, w, w, 0};
  const float ly[4] = {0, 0, h, h};
  SpriteCorners c;
  if (rotationRad == 0.0f) {
    for (int i = 0; i < 4; ++i) {
      c.X[i] = px + lx[i];
      c.Y[i] = py + ly[i];
    }
    return c;
  }
  const float cs = std::cos(rotationRad), sn = std::sin(rotationRad);
  const float cx = w * 0.5f, cy = h * 0.5f;
  for (int i = 0; i < 4; ++i) {
    const float dx = lx[i] - cx, dy = ly[i] - cy;
    c.X[i] = px + cx + dx * cs - dy * sn;
    c.Y[i] = py + cy + dx * sn + dy * cs;
  }
  return c;
}

}  // namespace quellor
