#include "engine/mesh/MeshPrimitives.h"

#include <cmath>
#include <functional>

namespace quellor {

namespace {

constexpr float kPi = 3.14159265f;

struct SurfacePoint {
  float Pos[3];
  float Normal[3];
};

// A rows x cols grid of quads over u, v in [0, 1], each point with its outward normal.
using Surface = std::function<SurfacePoint(float u, float v)>;

MeshData NewMesh() {
  MeshData m;
  m.Materials.emplace_back();
  MeshNode root;
  root.Name = "root";
  root.Local = MatrixIdentity();
  m.Nodes.push_back(root);
  return m;
}

float Dot(const float a[3], const float b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void Normalise(float v[3]) {
  const float len = std::sqrt(Dot(v, v));
  if (len > 1e-20f)
    for (int k = 0; k < 3; ++k) v[k] /= len;
}

// Appends triangle (a, b, c), turned so that its front face (clockwise, as Direct3D
// culls) looks the way the vertex normals point.
void AddTriangle(MeshData& m, uint32_t a, uint32_t b, uint32_t c) {
  const MeshVertex &va = m.Vertices[a], &vb = m.Vertices[b], &vc = m.Vertices[c];
  float e1[3], e2[3], avg[3];
  for (int k = 0; k < 3; ++k) {
    e1[k] = vb.Pos[k] - va.Pos[k];
    e2[k] = vc.Pos[k] - va.Pos[k];
    avg[k] = va.Normal[k] + vb.Normal[k] + vc.Normal[k];
  }
  const float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
  if (Dot(n, n) < 1e-14f) return;  // a pole's sliver adds nothing
  if (Dot(n, avg) < 0) std::swap(b, c);
  m.Indices.insert(m.Indices.end(), {a, b, c});
}

void AddSurface(MeshData& m, int rows, int cols, const Surface& s) {
  const uint32_t base = static_cast<uint32_t>(m.Vertices.size());
  for (int r = 0; r <= rows; ++r)
    for (int c = 0; c <= cols; ++c) {
      const float u = static_cast<float>(c) / cols, v = static_cast<float>(r) / rows;
      SurfacePoint p = s(u, v);
      MeshVertex mv;
      for (int k = 0; k < 3; ++k) mv.Pos[k] = p.Pos[k], mv.Normal[k] = p.Normal[k];
      Normalise(mv.Normal);
      mv.Uv[0] = u;
      mv.Uv[1] = 1.0f - v;  // texture rows run downwards
      m.Vertices.push_back(mv);
    }
  const uint32_t stride = static_cast<uint32_t>(cols) + 1;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      const uint32_t i = base + static_cast<uint32_t>(r) * stride + static_cast<uint32_t>(c);
      AddTriangle(m, i, i + stride, i + 1);
      AddTriangle(m, i + 1, i + stride, i + stride + 1);
    }
}

// Turns the profile (radius, height, outward normal in the r-y plane) of parameter v
// once around the y axis.
void AddRevolved(MeshData& m, int rows, int cols, const std::function<void(float v, float out[4])>& profile,
                 float cx = 0, float cy = 0, float cz = 0) {
  AddSurface(m, rows, cols, [&](float u, float v) {
    float p[4];
    profile(v, p);
    const float a = u * 2 * kPi, ca = std::cos(a), sa = std::sin(a);
    return SurfacePoint{{cx + p[0] * ca, cy + p[1], cz + p[0] * sa}, {p[2] * ca, p[3], p[2] * sa}};
  });
}

// A tube of radius rho(t) around the curve centre(t) in the x-y plane.
void AddTube(MeshData& m, int rows, int cols, const std::function<void(float t, float c[3])>& centre,
             const std::function<float(float t)>& rho) {
  AddSurface(m, rows, cols, [&](float u, float t) {
    float c[3], c2[3];
    const float dt = 1e-3f;
    centre(t, c);
    centre(t < 1 ? t + dt : t - dt, c2);
    float tan[3] = {c2[0] - c[0], c2[1] - c[1], 0};
    if (t >= 1) tan[0] = -tan[0], tan[1] = -tan[1];
    Normalise(tan);
    const float side[3] = {-tan[1], tan[0], 0};  // in the plane, across the curve
    const float a = u * 2 * kPi, ca = std::cos(a), sa = std::sin(a);
    const float n[3] = {side[0] * ca, side[1] * ca, sa};
    const float r = rho(t);
    return SurfacePoint{{c[0] + r * n[0], c[1] + r * n[1], c[2] + r * n[2]}, {n[0], n[1], n[2]}};
  });
}

// A flat polygon of n corners with their texture coordinates, all sharing the face's
// normal, as a fan from the first corner.
void AddFlat(MeshData& m, const float* const corners[], const float (*uv)[2], int n, const float normal[3]) {
  const uint32_t base = static_cast<uint32_t>(m.Vertices.size());
  for (int i = 0; i < n; ++i) {
    MeshVertex v;
    for (int k = 0; k < 3; ++k) v.Pos[k] = corners[i][k], v.Normal[k] = normal[k];
    v.Uv[0] = uv[i][0], v.Uv[1] = uv[i][1];
    m.Vertices.push_back(v);
  }
  for (int i = 1; i + 1 < n; ++i) AddTriangle(m, base, base + static_cast<uint32_t>(i), base + static_cast<uint32_t>(i) + 1);
}

void AddQuad(MeshData& m, const float corners[4][3], const float normal[3]) {
  const float* c[4] = {corners[0], corners[1], corners[2], corners[3]};
  const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  AddFlat(m, c, uv, 4, normal);
}

MeshData Finish(MeshData m) {
  MeshPart part;
  part.IndexCount = static_cast<uint32_t>(m.Indices.size());
  part.VertexCount = static_cast<uint32_t>(m.Vertices.size());
  m.Parts.push_back(part);
  return m;
}

}  // namespace

MeshData MakeCube() {
  MeshData m = NewMesh();
  for (int axis = 0; axis < 3; ++axis)
    for (float side : {-1.0f, 1.0f}) {
      const int a = (axis + 1) % 3, b = (axis + 2) % 3;
      float corners[4][3];
      const float s[4][2] = {{-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
      for (int i = 0; i < 4; ++i) {
        corners[i][axis] = side;
        corners[i][a] = s[i][0];
        corners[i][b] = s[i][1];
      }
      float normal[3] = {0, 0, 0};
      normal[axis] = side;
      AddQuad(m, corners, normal);
    }
  return Finish(std::move(m));
}

MeshData MakeSphere(int segments) {
  MeshData m = NewMesh();
  const int cols = std::max(3, segments), rows = std::max(2, segments / 2);
  AddRevolved(m, rows, cols, [](float v, float p[4]) {
    const float phi = -kPi / 2 + v * kPi;
    p[0] = std::cos(phi), p[1] = std::sin(phi), p[2] = std::cos(phi), p[3] = std::sin(phi);
  });
  return Finish(std::move(m));
}

MeshData MakeCylinder(int segments, float length) {
  MeshData m = NewMesh();
  const int cols = std::max(3, segments);
  const float h = length / 2;
  AddRevolved(m, 1, cols, [h](float v, float p[4]) { p[0] = 1, p[1] = -h + v * 2 * h, p[2] = 1, p[3] = 0; });
  for (float side : {-1.0f, 1.0f})
    AddRevolved(m, 1, cols, [h, side](float v, float p[4]) { p[0] = v, p[1] = side * h, p[2] = 0, p[3] = side; });
  return Finish(std::move(m));
}

MeshData MakeTorus(float tubeRadius, float ringRadius, int segments) {
  MeshData m = NewMesh();
  const int n = std::max(3, segments);
  AddSurface(m, n, n, [=](float u, float v) {
    const float a = u * 2 * kPi, b = v * 2 * kPi;
    const float ca = std::cos(a), sa = std::sin(a), cb = std::cos(b), sb = std::sin(b);
    const float r = ringRadius + tubeRadius * cb;
    return SurfacePoint{{r * ca, r * sa, tubeRadius * sb}, {cb * ca, cb * sa, sb}};
  });
  return Finish(std::move(m));
}

MeshData MakeTeapot() {
  // Our own shape: an ellipsoid body, a domed lid with a knob, a curved tapering spout
  // and a half-ring handle.
  MeshData m = NewMesh();
  AddRevolved(m, 24, 48, [](float v, float p[4]) {
    const float phi = -kPi / 2 + v * (kPi / 2 + 1.1f);
    p[0] = 1.5f * std::cos(phi), p[1] = std::sin(phi), p[2] = std::cos(phi) / 1.5f, p[3] = std::sin(phi);
  });
  AddRevolved(m, 8, 48, [](float v, float p[4]) {
    const float phi = v * kPi / 2;
    p[0] = 0.72f * std::cos(phi), p[1] = 0.85f + 0.3f * std::sin(phi);
    p[2] = std::cos(phi) / 0.72f, p[3] = std::sin(phi) / 0.3f;
  });
  AddRevolved(
      m, 8, 16,
      [](float v, float p[4]) {
        const float phi = -kPi / 2 + v * kPi;
        p[0] = 0.16f * std::cos(phi), p[1] = 0.16f * std::sin(phi), p[2] = std::cos(phi), p[3] = std::sin(phi);
      },
      0, 1.27f, 0);
  AddTube(
      m, 16, 16,
      [](float t, float c[3]) {
        const float p0[2] = {1.2f, -0.15f}, p1[2] = {2.2f, -0.05f}, p2[2] = {2.45f, 0.95f};
        const float a = (1 - t) * (1 - t), b = 2 * (1 - t) * t, d = t * t;
        c[0] = a * p0[0] + b * p1[0] + d * p2[0];
        c[1] = a * p0[1] + b * p1[1] + d * p2[1];
        c[2] = 0;
      },
      [](float t) { return 0.34f - 0.2f * t; });
  AddTube(
      m, 16, 12,
      [](float t, float c[3]) {
        // Both ends reach into the body, so the handle is attached.
        const float a = -1.75f + t * 3.5f;
        c[0] = -1.3f - 0.55f * std::cos(a), c[1] = 0.1f + 0.55f * std::sin(a), c[2] = 0;
      },
      [](float) { return 0.12f; });
  return Finish(std::move(m));
}

MeshData MakePyramid(float width, float height, float depth) {
  MeshData m = NewMesh();
  const float w = width / 2, d = depth / 2, lo = -height / 2, hi = height / 2;
  const float base[4][3] = {{-w, lo, -d}, {w, lo, -d}, {w, lo, d}, {-w, lo, d}};
  const float down[3] = {0, -1, 0};
  AddQuad(m, base, down);
  const float apex[3] = {0, hi, 0};
  for (int i = 0; i < 4; ++i) {
    const float* a = base[i];
    const float* b = base[(i + 1) % 4];
    // Outward face normal: the face leans from its base edge up to the apex.
    // With the edge's midpoint at distance f from the axis: n = mid * height + up * f^2.
    const float mid[3] = {(a[0] + b[0]) / 2, 0, (a[2] + b[2]) / 2};
    float n[3] = {mid[0] * height, mid[0] * mid[0] + mid[2] * mid[2], mid[2] * height};
    Normalise(n);
    const float* corners[3] = {a, b, apex};
    const float uv[3][2] = {{0, 1}, {1, 1}, {0.5f, 0}};
    AddFlat(m, corners, uv, 3, n);
  }
  return Finish(std::move(m));
}

}  // namespace quellor
