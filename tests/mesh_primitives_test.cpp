// The generated objects: sizes from the menu's parameters, closed and facing outward
// with Direct3D's clockwise front faces.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/mesh/MeshPose.h"
#include "engine/mesh/MeshPrimitives.h"

using namespace quellor;

namespace {

void Cross(const float a[3], const float b[3], float out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

// Six times the enclosed volume when every front face looks outward.
double SignedVolume6(const MeshData& m) {
  double v = 0;
  for (size_t i = 0; i + 2 < m.Indices.size(); i += 3) {
    const float* a = m.Vertices[m.Indices[i]].Pos;
    const float* b = m.Vertices[m.Indices[i + 1]].Pos;
    const float* c = m.Vertices[m.Indices[i + 2]].Pos;
    float bc[3];
    Cross(b, c, bc);
    v += double{a[0]} * bc[0] + double{a[1]} * bc[1] + double{a[2]} * bc[2];
  }
  return v;
}

// Triangles whose clockwise front (cross(b - a, c - a) in left-handed space) points
// against their vertex normals.
int BackwardTriangles(const MeshData& m) {
  int bad = 0;
  for (size_t i = 0; i + 2 < m.Indices.size(); i += 3) {
    const MeshVertex& a = m.Vertices[m.Indices[i]];
    const MeshVertex& b = m.Vertices[m.Indices[i + 1]];
    const MeshVertex& c = m.Vertices[m.Indices[i + 2]];
    float e1[3], e2[3], n[3];
    for (int k = 0; k < 3; ++k) e1[k] = b.Pos[k] - a.Pos[k], e2[k] = c.Pos[k] - a.Pos[k];
    Cross(e1, e2, n);
    float d = 0;
    for (int k = 0; k < 3; ++k) d += n[k] * (a.Normal[k] + b.Normal[k] + c.Normal[k]);
    if (d <= 0) ++bad;
  }
  return bad;
}

}  // namespace

TEST(MeshPrimitives, SizesFollowTheMenuParametersAndFacesLookOutward) {
  constexpr double kPi = 3.141592653589793;
  struct Case {
    const char* Name;
    MeshData Mesh;
    float Size[3];
    double Volume;  // of the ideal solid; the tessellation comes close below it
  } cases[] = {
      {"cube", MakeCube(), {2, 2, 2}, 8},
      {"sphere", MakeSphere(64), {2, 2, 2}, 4.0 / 3 * kPi},
      {"cylinder", MakeCylinder(32, 4.0f), {2, 4, 2}, kPi * 4},
      {"torus", MakeTorus(0.7f, 2.0f, 24), {5.4f, 5.4f, 1.4f}, 2 * kPi * kPi * 2.0 * 0.7 * 0.7},
      {"pyramid", MakePyramid(1.5f, 2.0f, 1.5f), {1.5f, 2.0f, 1.5f}, 1.5 * 1.5 * 2.0 / 3},
  };
  for (Case& c : cases) {
    std::string why;
    ASSERT_TRUE(ValidateMesh(c.Mesh, &why)) << c.Name << ": " << why;
    float lo[3], hi[3];
    MeshBounds(c.Mesh.Vertices, lo, hi);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(hi[k] - lo[k], c.Size[k], 1e-3) << c.Name << " axis " << k;
    EXPECT_EQ(BackwardTriangles(c.Mesh), 0) << c.Name;
    const double volume = SignedVolume6(c.Mesh) / 6;
    EXPECT_GT(volume, c.Volume * 0.95) << c.Name;
    EXPECT_LE(volume, c.Volume * 1.0001) << c.Name;
  }
  MeshData pot = MakeTeapot();
  EXPECT_TRUE(ValidateMesh(pot, nullptr));
  EXPECT_EQ(BackwardTriangles(pot), 0);
  EXPECT_GT(SignedVolume6(pot), 0);
}
