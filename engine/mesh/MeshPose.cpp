#include "engine/mesh/MeshPose.h"

#include <algorithm>
#include <cmath>

namespace quellor {

namespace {

// Index of the last key at or before t (0 when t is before the first).
template <class Key>
size_t KeyBefore(const std::vector<Key>& keys, double t) {
  auto it = std::upper_bound(keys.begin(), keys.end(), t,
                             [](double v, const Key& k) { return v < k.Time; });
  return it == keys.begin() ? 0 : static_cast<size_t>(it - keys.begin()) - 1;
}

template <class Key>
double Fraction(const std::vector<Key>& keys, size_t i, double t) {
  if (i + 1 >= keys.size()) return 0;
  const double span = keys[i + 1].Time - keys[i].Time;
  if (!(span > 0)) return 0;
  return std::clamp((t - keys[i].Time) / span, 0.0, 1.0);
}

void SampleVector(const std::vector<VectorKey>& keys, double t, float out[3]) {
  const size_t i = KeyBefore(keys, t);
  const float f = static_cast<float>(Fraction(keys, i, t));
  const float* a = keys[i].V;
  const float* b = keys[std::min(i + 1, keys.size() - 1)].V;
  for (int k = 0; k < 3; ++k) out[k] = a[k] + (b[k] - a[k]) * f;
}

void SampleRotation(const std::vector<RotationKey>& keys, double t, float q[4]) {
  const size_t i = KeyBefore(keys, t);
  const double f = Fraction(keys, i, t);
  const float* a = keys[i].Q;
  float b[4];
  std::copy_n(keys[std::min(i + 1, keys.size() - 1)].Q, 4, b);
  double d = 0;
  for (int k = 0; k < 4; ++k) d += double{a[k]} * b[k];
  if (d < 0) {  // the shorter way round
    for (float& v : b) v = -v;
    d = -d;
  }
  double wa = 1 - f, wb = f;
  if (d < 0.9995) {
    const double theta = std::acos(std::min(d, 1.0));
    const double s = std::sin(theta);
    wa = std::sin((1 - f) * theta) / s;
    wb = std::sin(f * theta) / s;
  }
  double len = 0;
  for (int k = 0; k < 4; ++k) {
    q[k] = static_cast<float>(wa * a[k] + wb * b[k]);
    len += double{q[k]} * q[k];
  }
  len = std::sqrt(len);
  if (len > 1e-12)
    for (int k = 0; k < 4; ++k) q[k] = static_cast<float>(q[k] / len);
  else
    q[0] = 1, q[1] = q[2] = q[3] = 0;
}

// Scale, rotation and translation of a rest matrix (rows of the upper 3x3 are the
// scaled axes), for tracks that animate only some of them.
void Decompose(const D3DMatrix& m, float scale[3], D3DMatrix& rotation, float move[3]) {
  rotation = MatrixIdentity();
  for (int r = 0; r < 3; ++r) {
    const float len = std::sqrt(m[r * 4] * m[r * 4] + m[r * 4 + 1] * m[r * 4 + 1] + m[r * 4 + 2] * m[r * 4 + 2]);
    scale[r] = len;
    for (int c = 0; c < 3; ++c) rotation[r * 4 + c] = len > 1e-20f ? m[r * 4 + c] / len : (r == c ? 1.0f : 0.0f);
    move[r] = m[12 + r];
  }
}

D3DMatrix TrackLocal(const NodeTrack& t, const D3DMatrix& rest, double tick) {
  float scale[3], move[3];
  D3DMatrix rotation;
  Decompose(rest, scale, rotation, move);
  if (!t.Scale.empty()) SampleVector(t.Scale, tick, scale);
  if (!t.Position.empty()) SampleVector(t.Position, tick, move);
  if (!t.Rotation.empty()) {
    float q[4];
    SampleRotation(t.Rotation, tick, q);
    rotation = MatrixFromQuaternion(q[0], q[1], q[2], q[3]);
  }
  // Row vectors: scale first, then turn, then move.
  D3DMatrix m = rotation;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) m[r * 4 + c] *= scale[r];
  m[12] = move[0], m[13] = move[1], m[14] = move[2];
  return m;
}

void MoveVertex(const MeshVertex& in, const D3DMatrix& m, MeshVertex& out) {
  out = in;
  TransformPoint(m, in.Pos, out.Pos);
  TransformDirection(m, in.Normal, out.Normal);
  const float len = std::sqrt(out.Normal[0] * out.Normal[0] + out.Normal[1] * out.Normal[1] +
                              out.Normal[2] * out.Normal[2]);
  if (len > 1e-20f)
    for (float& n : out.Normal) n /= len;
}

}  // namespace

void PoseFrames(const MeshData& mesh, int set, double seconds, PoseScratch& s) {
  const size_t n = mesh.Nodes.size();
  s.Local.resize(n);
  s.Global.resize(n);
  for (size_t i = 0; i < n; ++i) s.Local[i] = mesh.Nodes[i].Local;
  if (set >= 0 && static_cast<size_t>(set) < mesh.Animations.size()) {
    const AnimationSet& a = mesh.Animations[static_cast<size_t>(set)];
    double tick = seconds * a.TicksPerSecond;
    if (a.Duration > 0 && std::isfinite(tick)) tick = std::fmod(tick, a.Duration);
    if (!std::isfinite(tick) || tick < 0) tick = 0;
    for (const NodeTrack& t : a.Tracks)
      if (t.Node >= 0 && static_cast<size_t>(t.Node) < n)
        s.Local[static_cast<size_t>(t.Node)] = TrackLocal(t, mesh.Nodes[static_cast<size_t>(t.Node)].Local, tick);
  }
  // Parents come first, so one pass suffices.
  for (size_t i = 0; i < n; ++i) {
    const int p = mesh.Nodes[i].Parent;
    s.Global[i] = p >= 0 && static_cast<size_t>(p) < i ? MatrixMultiply(s.Local[i], s.Global[static_cast<size_t>(p)])
                                                       : s.Local[i];
  }
}

void PoseVertices(const MeshData& mesh, PoseScratch& s, std::vector<MeshVertex>& out) {
  out.resize(mesh.Vertices.size());
  std::vector<D3DMatrix>& bones = s.Bones;
  for (const MeshPart& part : mesh.Parts) {
    const uint32_t end = part.FirstVertex + part.VertexCount;
    const D3DMatrix& frame = s.Global[static_cast<size_t>(part.Node)];
    if (part.Bones.empty()) {
      for (uint32_t v = part.FirstVertex; v < end; ++v) MoveVertex(mesh.Vertices[v], frame, out[v]);
      continue;
    }
    bones.resize(part.Bones.size());
    for (size_t b = 0; b < part.Bones.size(); ++b)
      bones[b] = MatrixMultiply(part.Bones[b].Offset, s.Global[static_cast<size_t>(part.Bones[b].Node)]);
    for (uint32_t v = part.FirstVertex; v < end; ++v) {
      const VertexWeights& w = mesh.Skin[v];
      float total = 0;
      for (float x : w.Weight) total += x;
      if (!(total > 0)) {
        MoveVertex(mesh.Vertices[v], frame, out[v]);
        continue;
      }
      D3DMatrix blend{};
      for (int k = 0; k < 4; ++k) {
        if (w.Weight[k] <= 0) continue;
        const D3DMatrix& m = bones[w.Bone[k]];
        const float f = w.Weight[k] / total;
        for (int i = 0; i < 16; ++i) blend[i] += m[i] * f;
      }
      MoveVertex(mesh.Vertices[v], blend, out[v]);
    }
  }
}

void PoseMesh(const MeshData& mesh, int set, double seconds, PoseScratch& scratch, std::vector<MeshVertex>& out) {
  PoseFrames(mesh, set, seconds, scratch);
  PoseVertices(mesh, scratch, out);
}

void MeshBounds(const std::vector<MeshVertex>& v, float lo[3], float hi[3]) {
  for (int k = 0; k < 3; ++k) lo[k] = hi[k] = 0;
  if (v.empty()) return;
  for (int k = 0; k < 3; ++k) lo[k] = hi[k] = v[0].Pos[k];
  for (const MeshVertex& x : v)
    for (int k = 0; k < 3; ++k) {
      lo[k] = std::min(lo[k], x.Pos[k]);
      hi[k] = std::max(hi[k], x.Pos[k]);
    }
}

}  // namespace quellor
