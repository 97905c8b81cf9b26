#include "engine/gl/D3DMatrix.h"

#include <cmath>

namespace quellor {

D3DMatrix MatrixIdentity() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

D3DMatrix MatrixMultiply(const D3DMatrix& a, const D3DMatrix& b) {
  D3DMatrix c{};
  for (int r = 0; r < 4; ++r)
    for (int col = 0; col < 4; ++col) {
      float s = 0;
      for (int k = 0; k < 4; ++k) s += a[r * 4 + k] * b[k * 4 + col];
      c[r * 4 + col] = s;
    }
  return c;
}

D3DMatrix MatrixTranslation(float x, float y, float z) {
  D3DMatrix m = MatrixIdentity();
  m[12] = x;
  m[13] = y;
  m[14] = z;
  return m;
}

D3DMatrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
  const float ys = 1.0f / std::tan(fovY * 0.5f);
  const float xs = ys / aspect;
  const float q = zFar / (zFar - zNear);
  return {xs, 0, 0, 0, 0, ys, 0, 0, 0, 0, q, 1, 0, 0, -zNear * q, 0};
}

D3DMatrix MatrixYawPitchRoll(float yaw, float pitch, float roll) {
  const float cy = std::cos(yaw), sy = std::sin(yaw);
  const float cp = std::cos(pitch), sp = std::sin(pitch);
  const float cr = std::cos(roll), sr = std::sin(roll);
  const D3DMatrix rz = {cr, sr, 0, 0, -sr, cr, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  const D3DMatrix rx = {1, 0, 0, 0, 0, cp, sp, 0, 0, -sp, cp, 0, 0, 0, 0, 1};
  const D3DMatrix ry = {cy, 0, -sy, 0, 0, 1, 0, 0, sy, 0, cy, 0, 0, 0, 0, 1};
  return MatrixMultiply(MatrixMultiply(rz, rx), ry);
}

}  // namespace quellor
