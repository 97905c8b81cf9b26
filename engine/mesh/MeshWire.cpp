#include "engine/mesh/MeshWire.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <type_traits>

namespace quellor {

namespace {

constexpr uint32_t kMagic = 0x4D514C51;  // "QLQM"

class Writer {
 public:
  explicit Writer(std::vector<uint8_t>& out) : out_(out) {}
  template <class T>
  void Put(const T& v) {
    static_assert(std::is_trivially_copyable_v<T>);
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    out_.insert(out_.end(), p, p + sizeof(T));
  }
  template <class T>
  void PutArray(const std::vector<T>& v) {
    Put(static_cast<uint64_t>(v.size()));
    if (v.empty()) return;
    const auto* p = reinterpret_cast<const uint8_t*>(v.data());
    out_.insert(out_.end(), p, p + v.size() * sizeof(T));
  }
  void PutString(const std::string& s) {
    Put(static_cast<uint64_t>(s.size()));
    out_.insert(out_.end(), s.begin(), s.end());
  }

 private:
  std::vector<uint8_t>& out_;
};

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : p_(data), left_(size) {}
  bool Ok() const { return ok_; }
  template <class T>
  T Get() {
    T v{};
    if (!Take(&v, sizeof(T))) return T{};
    return v;
  }
  // A count of items of `itemBytes` each that must still fit in the stream.
  uint64_t Count(size_t itemBytes, uint64_t limit) {
    const uint64_t n = Get<uint64_t>();
    if (n > limit || (itemBytes > 0 && n > left_ / itemBytes)) ok_ = false;
    return ok_ ? n : 0;
  }
  template <class T>
  void GetArray(std::vector<T>& v, uint64_t limit) {
    const uint64_t n = Count(sizeof(T), limit);
    v.resize(n);
    if (n) Take(v.data(), n * sizeof(T));
  }
  std::string GetString() {
    const uint64_t n = Count(1, 1u << 16);
    std::string s(n, '\0');
    if (n) Take(s.data(), n);
    return s;
  }

 private:
  bool Take(void* dst, size_t n) {
    if (!ok_ || n > left_) {
      ok_ = false;
      return false;
    }
    std::memcpy(dst, p_, n);
    p_ += n;
    left_ -= n;
    return true;
  }
  const uint8_t* p_;
  size_t left_;
  bool ok_ = true;
};

void PutMaterial(Writer& w, const MeshMaterial& m) {
  w.Put(m.Diffuse);
  w.Put(m.Ambient);
  w.Put(m.Specular);
  w.Put(m.Power);
  w.PutString(m.TextureFile);
}

}  // namespace

void EncodeMesh(const MeshData& mesh, std::vector<uint8_t>& out) {
  out.clear();
  Writer w(out);
  w.Put(kMagic);
  w.PutArray(mesh.Vertices);
  w.PutArray(mesh.Indices);
  w.PutArray(mesh.Skin);
  w.Put(static_cast<uint64_t>(mesh.Parts.size()));
  for (const MeshPart& p : mesh.Parts) {
    w.Put(p.FirstIndex), w.Put(p.IndexCount), w.Put(p.FirstVertex), w.Put(p.VertexCount);
    w.Put(p.Material), w.Put(p.Node);
    w.PutArray(p.Bones);
  }
  w.Put(static_cast<uint64_t>(mesh.Materials.size()));
  for (const MeshMaterial& m : mesh.Materials) PutMaterial(w, m);
  w.Put(static_cast<uint64_t>(mesh.Nodes.size()));
  for (const MeshNode& n : mesh.Nodes) {
    w.PutString(n.Name);
    w.Put(n.Parent);
    w.Put(n.Local);
  }
  w.Put(static_cast<uint64_t>(mesh.Animations.size()));
  for (const AnimationSet& a : mesh.Animations) {
    w.PutString(a.Name);
    w.Put(a.TicksPerSecond);
    w.Put(a.Duration);
    w.Put(static_cast<uint64_t>(a.Tracks.size()));
    for (const NodeTrack& t : a.Tracks) {
      w.Put(t.Node);
      w.PutArray(t.Position);
      w.PutArray(t.Scale);
      w.PutArray(t.Rotation);
    }
  }
}

bool DecodeMesh(const uint8_t* data, size_t size, MeshData& out, std::string* err) {
  out = MeshData{};
  Reader r(data, size);
  if (r.Get<uint32_t>() != kMagic || !r.Ok()) {
    if (err) *err = "the model could not be read";
    return false;
  }
  r.GetArray(out.Vertices, kMaxMeshVertices);
  r.GetArray(out.Indices, kMaxMeshIndices);
  r.GetArray(out.Skin, kMaxMeshVertices);
  const uint64_t parts = r.Count(24, kMaxMeshParts);
  for (uint64_t i = 0; i < parts && r.Ok(); ++i) {
    MeshPart p;
    p.FirstIndex = r.Get<uint32_t>(), p.IndexCount = r.Get<uint32_t>();
    p.FirstVertex = r.Get<uint32_t>(), p.VertexCount = r.Get<uint32_t>();
    p.Material = r.Get<int>(), p.Node = r.Get<int>();
    r.GetArray(p.Bones, kMaxBonesPerPart);
    out.Parts.push_back(std::move(p));
  }
  const uint64_t materials = r.Count(52, kMaxMeshParts + 1);
  for (uint64_t i = 0; i < materials && r.Ok(); ++i) {
    MeshMaterial m;
    for (float* c : {m.Diffuse, m.Ambient, m.Specular}) {
      const auto v = r.Get<std::array<float, 4>>();
      std::copy(v.begin(), v.end(), c);
    }
    m.Power = r.Get<float>();
    m.TextureFile = r.GetString();
    out.Materials.push_back(std::move(m));
  }
  const uint64_t nodes = r.Count(76, kMaxMeshNodes);
  for (uint64_t i = 0; i < nodes && r.Ok(); ++i) {
    MeshNode n;
    n.Name = r.GetString();
    n.Parent = r.Get<int>();
    n.Local = r.Get<D3DMatrix>();
    out.Nodes.push_back(std::move(n));
  }
  const uint64_t sets = r.Count(32, kMaxAnimationSets);
  uint64_t keys = 0;
  for (uint64_t i = 0; i < sets && r.Ok(); ++i) {
    AnimationSet a;
    a.Name = r.GetString();
    a.TicksPerSecond = r.Get<double>();
    a.Duration = r.Get<double>();
    const uint64_t tracks = r.Count(28, kMaxMeshNodes);
    for (uint64_t t = 0; t < tracks && r.Ok(); ++t) {
      NodeTrack track;
      track.Node = r.Get<int>();
      r.GetArray(track.Position, kMaxAnimationKeys);
      r.GetArray(track.Scale, kMaxAnimationKeys);
      r.GetArray(track.Rotation, kMaxAnimationKeys);
      keys += track.Position.size() + track.Scale.size() + track.Rotation.size();
      if (keys > kMaxAnimationKeys) break;
      a.Tracks.push_back(std::move(track));
    }
    out.Animations.push_back(std::move(a));
  }
  if (!r.Ok() || keys > kMaxAnimationKeys) {
    out = MeshData{};
    if (err) *err = "the model could not be read";
    return false;
  }
  if (!ValidateMesh(out, err)) {
    out = MeshData{};
    return false;
  }
  return true;
}

}  // namespace quellor
