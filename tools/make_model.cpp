// Writes the 3D model and its texture that ship with the program: a (2,3) torus knot
// as a DirectX text file (Data/Objects/knot.x) and a plasma texture for it
// (Data/Textures/plasma.png). Everything is computed here; the file is read back
// through the program's own loader as a check.
//
//   make_model [repository root]       (default: the current folder)
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/image/ImageCodec.h"
#include "engine/mesh/MeshLoad.h"

namespace fs = std::filesystem;

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kSegments = 160;  // along the knot
constexpr int kSides = 12;      // around the tube
constexpr float kRing = 12.0f, kWind = 5.0f, kTube = 3.0f;

struct V3 {
  float X = 0, Y = 0, Z = 0;
};
V3 operator+(V3 a, V3 b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
V3 operator-(V3 a, V3 b) { return {a.X - b.X, a.Y - b.Y, a.Z - b.Z}; }
V3 operator*(V3 a, float s) { return {a.X * s, a.Y * s, a.Z * s}; }
float Dot(V3 a, V3 b) { return a.X * b.X + a.Y * b.Y + a.Z * b.Z; }
V3 Cross(V3 a, V3 b) { return {a.Y * b.Z - a.Z * b.Y, a.Z * b.X - a.X * b.Z, a.X * b.Y - a.Y * b.X}; }
V3 Unit(V3 a) {
  const float l = std::sqrt(Dot(a, a));
  return l > 0 ? a * (1 / l) : a;
}

V3 Knot(float t) {
  const float r = kRing + kWind * std::cos(3 * t);
  return {r * std::cos(2 * t), r * std::sin(2 * t), kWind * std::sin(3 * t)};
}

struct Model {
  std::vector<V3> Pos, Normal;
  std::vector<float> U, V;
  std::vector<int> Tri;
};

Model BuildKnot() {
  // Frames carried along the curve without twisting (parallel transport); what is left
  // over after one loop is spread evenly so the tube closes without a seam.
  std::vector<V3> tan(kSegments + 1), side(kSegments + 1);
  for (int i = 0; i <= kSegments; ++i) {
    const float t = 2 * kPi * i / kSegments;
    tan[i] = Unit(Knot(t + 1e-3f) - Knot(t - 1e-3f));
  }
  side[0] = Unit(Cross(tan[0], {0, 0, 1}));
  for (int i = 1; i <= kSegments; ++i) side[i] = Unit(side[i - 1] - tan[i] * Dot(side[i - 1], tan[i]));
  const V3 up0 = Cross(tan[0], side[0]);
  const float twist = std::atan2(Dot(side[kSegments], up0), Dot(side[kSegments], side[0]));

  Model m;
  for (int i = 0; i <= kSegments; ++i) {
    const float t = 2 * kPi * i / kSegments;
    const V3 centre = Knot(t);
    const V3 up = Cross(tan[i], side[i]);
    const float undo = -twist * i / kSegments;
    for (int j = 0; j <= kSides; ++j) {
      const float a = 2 * kPi * j / kSides + undo;
      const V3 n = side[i] * std::cos(a) + up * std::sin(a);
      m.Pos.push_back(centre + n * kTube);
      m.Normal.push_back(n);
      m.U.push_back(8.0f * i / kSegments);
      m.V.push_back(static_cast<float>(j) / kSides);
    }
  }
  // Direct3D draws clockwise triangles as front faces: each is turned to face the way
  // its normals point.
  auto add = [&m](int a, int b, int c) {
    const V3 n = Cross(m.Pos[b] - m.Pos[a], m.Pos[c] - m.Pos[a]);
    if (Dot(n, m.Normal[a] + m.Normal[b] + m.Normal[c]) < 0) std::swap(b, c);
    m.Tri.insert(m.Tri.end(), {a, b, c});
  };
  const int stride = kSides + 1;
  for (int i = 0; i < kSegments; ++i)
    for (int j = 0; j < kSides; ++j) {
      const int k = i * stride + j;
      add(k, k + stride, k + 1);
      add(k + 1, k + stride, k + stride + 1);
    }
  return m;
}

std::string Num(float v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.5f", static_cast<double>(v));
  return buf;
}

// Items separated by ",\n" and closed by ";\n", as the text format lists them.
template <class Fn>
void List(std::ostringstream& o, size_t n, Fn item) {
  for (size_t i = 0; i < n; ++i) {
    o << "  ";
    item(i);
    o << (i + 1 < n ? ",\n" : ";\n");
  }
}

std::string WriteX(const Model& m) {
  std::ostringstream o;
  const size_t verts = m.Pos.size(), faces = m.Tri.size() / 3;
  auto vec = [&o](V3 v) { o << Num(v.X) << ";" << Num(v.Y) << ";" << Num(v.Z) << ";"; };
  auto face = [&o, &m](size_t f) { o << "3;" << m.Tri[f * 3] << "," << m.Tri[f * 3 + 1] << "," << m.Tri[f * 3 + 2] << ";"; };
  o << "xof 0303txt 0032\n\n"
       "Material KnotSkin {\n 1.000000;1.000000;1.000000;1.000000;;\n 40.000000;\n"
       " 0.500000;0.500000;0.500000;;\n 0.000000;0.000000;0.000000;;\n"
       " TextureFilename {\n  \"plasma.png\";\n }\n}\n\n"
       "Frame Knot {\n FrameTransformMatrix {\n  1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;\n }\n"
       " Mesh KnotMesh {\n  "
    << verts << ";\n";
  List(o, verts, [&](size_t i) { vec(m.Pos[i]); });
  o << "  " << faces << ";\n";
  List(o, faces, face);
  o << "  MeshNormals {\n  " << verts << ";\n";
  List(o, verts, [&](size_t i) { vec(m.Normal[i]); });
  o << "  " << faces << ";\n";
  List(o, faces, face);
  o << "  }\n  MeshTextureCoords {\n  " << verts << ";\n";
  List(o, verts, [&](size_t i) { o << Num(m.U[i]) << ";" << Num(m.V[i]) << ";"; });
  o << "  }\n  MeshMaterialList {\n  1;\n  " << faces << ";\n";
  List(o, faces, [&](size_t) { o << "0"; });
  o << "  { KnotSkin }\n  }\n }\n}\n";
  return o.str();
}

quellor::Image Plasma(int side) {
  quellor::Image img;
  img.Width = img.Height = side;
  img.Rgba.resize(static_cast<size_t>(side) * side * 4);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      // Sums of sines with whole periods across the image, so it tiles.
      const float u = 2 * kPi * x / side, v = 2 * kPi * y / side;
      const float p = std::sin(u * 2) + std::sin(v * 3) + std::sin(u + v * 2) + std::cos(u * 3 - v);
      const float h = p * 0.6f;
      uint8_t* px = &img.Rgba[(static_cast<size_t>(y) * side + x) * 4];
      px[0] = static_cast<uint8_t>(128 + 127 * std::sin(h * kPi));
      px[1] = static_cast<uint8_t>(128 + 127 * std::sin(h * kPi + 2.1f));
      px[2] = static_cast<uint8_t>(128 + 127 * std::sin(h * kPi + 4.2f));
      px[3] = 255;
    }
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::current_path();
  const fs::path model = root / "Data" / "Objects" / "knot.x";
  const fs::path texture = root / "Data" / "Textures" / "plasma.png";
  fs::create_directories(model.parent_path());
  fs::create_directories(texture.parent_path());
  std::ofstream(model, std::ios::binary) << WriteX(BuildKnot());
  if (!quellor::WritePngFile(texture.string(), Plasma(128))) {
    std::fprintf(stderr, "make_model: cannot write %s\n", texture.c_str());
    return 1;
  }
  quellor::MeshData back;
  std::string why;
  if (!quellor::LoadMesh(model.string(), back, &why)) {
    std::fprintf(stderr, "make_model: %s does not load: %s\n", model.c_str(), why.c_str());
    return 1;
  }
  std::printf("make_model: %s (%zu bytes, %zu vertices, %zu triangles), %s (%zu bytes)\n", model.c_str(),
              static_cast<size_t>(fs::file_size(model)), back.Vertices.size(), back.Indices.size() / 3,
              texture.c_str(), static_cast<size_t>(fs::file_size(texture)));
  return 0;
}
