#pragma once
// 4x4 matrices in Direct3D layout: row-major, row vectors (v' = v * M). Uploaded to GL
// untransposed they act as the equivalent column-vector matrices. No GL here: the
// engine core answers matrix queries with these too.
#include <array>

namespace quellor {

using D3DMatrix = std::array<float, 16>;

D3DMatrix MatrixIdentity();
D3DMatrix MatrixMultiply(const D3DMatrix& a, const D3DMatrix& b);  // a then b
D3DMatrix MatrixTranslation(float x, float y, float z);
D3DMatrix MatrixScaling(float x, float y, float z);
D3DMatrix MatrixTranspose(const D3DMatrix& m);
// General inverse; a singular matrix gives the identity (never NaNs into a shader).
D3DMatrix MatrixInverse(const D3DMatrix& m);
// Left-handed perspective projection with depth 0..1, as D3DXMatrixPerspectiveFovLH.
D3DMatrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
// Left-handed orthographic projection of a w x h box, depth zNear..zFar to 0..1.
D3DMatrix MatrixOrthoLH(float w, float h, float zNear, float zFar);
// Roll about z, then pitch about x, then yaw about y, as D3DXMatrixRotationYawPitchRoll.
D3DMatrix MatrixYawPitchRoll(float yaw, float pitch, float roll);
// Left-handed view matrix of an eye at `eye` looking along `dir` (need not be unit).
D3DMatrix MatrixLookToLH(const float eye[3], const float dir[3]);
// Rotation of the unit quaternion (w, x, y, z), for row vectors.
D3DMatrix MatrixFromQuaternion(float w, float x, float y, float z);
// Transforms the point (x, y, z, 1); `out` receives x, y, z (w divided out when not 1).
void TransformPoint(const D3DMatrix& m, const float in[3], float out[3]);
// Transforms the direction (x, y, z, 0).
void TransformDirection(const D3DMatrix& m, const float in[3], float out[3]);

}  // namespace quellor
