#include "engine/D3DMatrix.h"

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

D3DMatrix MatrixScaling(float x, float y, float z) {
  return {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
}

D3DMatrix MatrixTranspose(const D3DMatrix& m) {
  D3DMatrix t{};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) t[c * 4 + r] = m[r * 4 + c];
  return t;
}

D3DMatrix MatrixInverse(const D3DMatrix& m) {
  // Cofactor expansion in double precision: world matrices of scaled-down meshes have
  // small entries, and their inverses are expected to give back the identity.
  double a[16];
  for (int i = 0; i < 16; ++i) a[i] = m[i];
  double inv[16];
  inv[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] + a[9] * a[7] * a[14] +
           a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
  inv[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] - a[8] * a[7] * a[14] -
           a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
  inv[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] + a[8] * a[7] * a[13] +
           a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
  inv[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] - a[8] * a[6] * a[13] -
            a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
  inv[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] - a[9] * a[3] * a[14] -
           a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
  inv[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] + a[8] * a[3] * a[14] +
           a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
  inv[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] - a[8] * a[3] * a[13] -
           a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
  inv[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] + a[8] * a[2] * a[13] +
            a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
  inv[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] +
           a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
  inv[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] - a[4] * a[3] * a[14] -
           a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
  inv[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] + a[4] * a[3] * a[13] +
            a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
  inv[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] - a[4] * a[2] * a[13] -
            a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
  inv[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] - a[5] * a[3] * a[10] -
           a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
  inv[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] +
           a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
  inv[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] -
            a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
  inv[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] +
            a[8] * a[1] * a[6] - a[8] * a[2] * a[5];
  const double det = a[0] * inv[0] + a[1] * inv[4] + a[2] * inv[8] + a[3] * inv[12];
  if (!std::isfinite(det) || std::fabs(det) < 1e-30) return MatrixIdentity();
  D3DMatrix r{};
  for (int i = 0; i < 16; ++i) r[i] = static_cast<float>(inv[i] / det);
  return r;
}

D3DMatrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
  const float ys = 1.0f / std::tan(fovY * 0.5f);
  const float xs = ys / aspect;
  const float q = zFar / (zFar - zNear);
  return {xs, 0, 0, 0, 0, ys, 0, 0, 0, 0, q, 1, 0, 0, -zNear * q, 0};
}

D3DMatrix MatrixOrthoLH(float w, float h, float zNear, float zFar) {
  const float q = 1.0f / (zFar - zNear);
  return {2.0f / w, 0, 0, 0, 0, 2.0f / h, 0, 0, 0, 0, q, 0, 0, 0, -zNear * q, 1};
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

D3DMatrix MatrixLookToLH(const float eye[3], const float dir[3]) {
  auto normalise = [](float v[3]) {
    const float len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (len > 1e-20f)
      for (int i = 0; i < 3; ++i) v[i] /= len;
    return len > 1e-20f;
  };
  float z[3] = {dir[0], dir[1], dir[2]};
  if (!normalise(z)) z[0] = 0, z[1] = 0, z[2] = 1;
  // Any up vector not along the view direction will do.
  float up[3] = {0, 1, 0};
  if (std::fabs(z[1]) > 0.99f) up[1] = 0, up[2] = 1;
  float x[3] = {up[1] * z[2] - up[2] * z[1], up[2] * z[0] - up[0] * z[2], up[0] * z[1] - up[1] * z[0]};
  normalise(x);
  const float y[3] = {z[1] * x[2] - z[2] * x[1], z[2] * x[0] - z[0] * x[2], z[0] * x[1] - z[1] * x[0]};
  auto dot = [eye](const float v[3]) { return -(v[0] * eye[0] + v[1] * eye[1] + v[2] * eye[2]); };
  return {x[0], y[0], z[0], 0, x[1], y[1], z[1], 0, x[2], y[2], z[2], 0, dot(x), dot(y), dot(z), 1};
}

D3DMatrix MatrixFromQuaternion(float w, float x, float y, float z) {
  const float xx = x * x, yy = y * y, zz = z * z;
  const float xy = x * y, xz = x * z, yz = y * z, wx = w * x, wy = w * y, wz = w * z;
  // Row-vector layout: the transpose of the column-vector rotation of (w, x, y, z).
  return {1 - 2 * (yy + zz), 2 * (xy + wz),     2 * (xz - wy),     0,
          2 * (xy - wz),     1 - 2 * (xx + zz), 2 * (yz + wx),     0,
          2 * (xz + wy),     2 * (yz - wx),     1 - 2 * (xx + yy), 0,
          0,                 0,                 0,                 1};
}

void TransformPoint(const D3DMatrix& m, const float in[3], float out[3]) {
  float r[4];
  for (int c = 0; c < 4; ++c) r[c] = in[0] * m[c] + in[1] * m[4 + c] + in[2] * m[8 + c] + m[12 + c];
  const float w = (r[3] != 0 && r[3] != 1) ? r[3] : 1.0f;
  for (int c = 0; c < 3; ++c) out[c] = r[c] / w;
}

void TransformDirection(const D3DMatrix& m, const float in[3], float out[3]) {
  float r[3];
  for (int c = 0; c < 3; ++c) r[c] = in[0] * m[c] + in[1] * m[4 + c] + in[2] * m[8 + c];
  for (int c = 0; c < 3; ++c) out[c] = r[c];
}

}  // namespace quellor
