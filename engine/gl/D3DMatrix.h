#pragma once
// 4x4 matrices in Direct3D layout: row-major, row vectors (v' = v * M). Uploaded to GL
// untransposed they act as the equivalent column-vector matrices.
#include <array>

namespace quellor {

using D3DMatrix = std::array<float, 16>;

D3DMatrix MatrixIdentity();
D3DMatrix MatrixMultiply(const D3DMatrix& a, const D3DMatrix& b);  // a then b
D3DMatrix MatrixTranslation(float x, float y, float z);
// Left-handed perspective projection with depth 0..1, as D3DXMatrixPerspectiveFovLH.
D3DMatrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
// Roll about z, then pitch about x, then yaw about y, as D3DXMatrixRotationYawPitchRoll.
D3DMatrix MatrixYawPitchRoll(float yaw, float pitch, float roll);

}  // namespace quellor
