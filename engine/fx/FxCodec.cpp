#include "engine/fx/FxCodec.h"

#include <cmath>
#include <cstring>

namespace quellor {

namespace {

constexpr uint8_t kMagic[4] = {'Q', 'F', 'X', 2};  // last byte: format version
constexpr uint32_t kMaxString = 4u << 20;
constexpr uint32_t kMaxItems = 4096;
constexpr uint32_t kMaxFloats = 1u << 16;

class Writer {
 public:
  std::vector<uint8_t> Bytes;
  void U8(uint8_t v) { Bytes.push_back(v); }
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) Bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  void F32(float f) {
    uint32_t v;
    std::memcpy(&v, &f, 4);
    U32(v);
  }
  void Str(const std::string& s) {
    U32(static_cast<uint32_t>(s.size()));
    Bytes.insert(Bytes.end(), s.begin(), s.end());
  }
  void Floats(const std::vector<float>& v) {
    U32(static_cast<uint32_t>(v.size()));
    for (float f : v) F32(f);
  }
};

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> b) : b_(b) {}
  bool Ok() const { return ok_; }
  void Fail() { ok_ = false; }
  bool AtEnd() const { return pos_ == b_.size(); }
  uint8_t U8() {
    if (!Need(1)) return 0;
    return b_[pos_++];
  }
  uint32_t U32() {
    if (!Need(4)) return 0;
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(b_[pos_ + i]) << (8 * i);
    pos_ += 4;
    return v;
  }
  float F32() {
    const uint32_t v = U32();
    float f;
    std::memcpy(&f, &v, 4);
    if (!std::isfinite(f)) ok_ = false;
    return ok_ ? f : 0.0f;
  }
  std::string Str() {
    const uint32_t n = U32();
    if (n > kMaxString || !Need(n)) return {};
    std::string s(reinterpret_cast<const char*>(b_.data() + pos_), n);
    pos_ += n;
    return s;
  }
  // A count of items that each take at least `minBytes`.
  uint32_t Count(uint32_t limit, size_t minBytes) {
    const uint32_t n = U32();
    if (n > limit || (ok_ && n * minBytes > b_.size() - pos_)) ok_ = false;
    return ok_ ? n : 0;
  }
  std::vector<float> Floats() {
    const uint32_t n = Count(kMaxFloats, 4);
    std::vector<float> v(n);
    for (float& f : v) f = F32();
    return v;
  }
  template <class E>
  E Enum(uint8_t last) {
    const uint8_t v = U8();
    if (v > last) ok_ = false;
    return static_cast<E>(ok_ ? v : 0);
  }

 private:
  bool Need(size_t n) {
    if (!ok_ || n > b_.size() - pos_) ok_ = false;
    return ok_;
  }
  std::span<const uint8_t> b_;
  size_t pos_ = 0;
  bool ok_ = true;
};

void Put(Writer& w, const std::vector<FxAnnotation>& list) {
  w.U32(static_cast<uint32_t>(list.size()));
  for (const FxAnnotation& a : list) {
    w.Str(a.Name);
    w.Str(a.Value);
  }
}

std::vector<FxAnnotation> GetAnnotations(Reader& r) {
  std::vector<FxAnnotation> list(r.Count(kMaxItems, 8));
  for (FxAnnotation& a : list) {
    a.Name = r.Str();
    a.Value = r.Str();
  }
  return list;
}

void Put(Writer& w, const FxSamplerState& s) {
  w.U8(static_cast<uint8_t>(s.Min));
  w.U8(static_cast<uint8_t>(s.Mag));
  w.U8(static_cast<uint8_t>(s.Mip));
  w.U8(static_cast<uint8_t>(s.U));
  w.U8(static_cast<uint8_t>(s.V));
  w.U8(static_cast<uint8_t>(s.W));
  w.U32(s.BorderColor);
  w.U32(s.MaxAnisotropy);
  w.F32(s.MipLodBias);
}

FxSamplerState GetSamplerState(Reader& r) {
  FxSamplerState s;
  s.Min = r.Enum<FxFilter>(3);
  s.Mag = r.Enum<FxFilter>(3);
  s.Mip = r.Enum<FxFilter>(3);
  s.U = r.Enum<FxAddress>(5);
  s.V = r.Enum<FxAddress>(5);
  s.W = r.Enum<FxAddress>(5);
  s.BorderColor = r.U32();
  s.MaxAnisotropy = r.U32();
  s.MipLodBias = r.F32();
  return s;
}

void PutFx(Writer& w, const CompiledFx& fx) {
  w.U8(static_cast<uint8_t>(fx.Kind));
  w.U32(static_cast<uint32_t>(fx.Params.size()));
  for (const FxParam& p : fx.Params) {
    w.Str(p.Name);
    w.U8(static_cast<uint8_t>(p.Class));
    w.U8(static_cast<uint8_t>(p.Scalar));
    w.U8(p.Rows);
    w.U8(p.Cols);
    w.U32(p.ArraySize);
    w.U8(p.RowMajor ? 1 : 0);
    w.U8(static_cast<uint8_t>(p.Dim));
    w.Str(p.Semantic);
    w.Floats(p.Default);
    Put(w, p.Annotations);
  }
  w.U32(static_cast<uint32_t>(fx.Samplers.size()));
  for (const FxSampler& s : fx.Samplers) {
    w.Str(s.Name);
    w.Str(s.Texture);
    w.U8(static_cast<uint8_t>(s.Dim));
    Put(w, s.State);
  }
  w.U32(static_cast<uint32_t>(fx.Techniques.size()));
  for (const FxTechnique& t : fx.Techniques) {
    w.Str(t.Name);
    Put(w, t.Annotations);
    w.U32(static_cast<uint32_t>(t.Passes.size()));
    for (const FxPass& p : t.Passes) {
      w.Str(p.Name);
      w.Str(p.VertexEntry);
      w.Str(p.VertexProfile);
      w.Str(p.PixelEntry);
      w.Str(p.PixelProfile);
      w.U32(static_cast<uint32_t>(p.Constants.size()));
      for (const FxPassConstant& c : p.Constants) {
        w.Str(c.Name);
        w.Floats(c.Values);
      }
      w.U32(static_cast<uint32_t>(p.States.size()));
      for (const FxRenderState& s : p.States) {
        w.U8(static_cast<uint8_t>(s.State));
        w.U32(s.Value);
      }
      Put(w, p.Annotations);
      w.Str(p.VertexGlsl);
      w.Str(p.PixelGlsl);
    }
  }
  w.Str(fx.Log);
}

void GetFx(Reader& r, CompiledFx& fx) {
  fx.Kind = r.Enum<FxKind>(1);
  fx.Params.resize(r.Count(kMaxItems, 26));
  for (FxParam& p : fx.Params) {
    p.Name = r.Str();
    p.Class = r.Enum<FxParamClass>(3);
    p.Scalar = r.Enum<FxScalar>(2);
    p.Rows = r.U8();
    p.Cols = r.U8();
    const uint32_t array = r.U32();
    p.ArraySize = static_cast<uint16_t>(array > 65535 ? 0 : array);
    p.RowMajor = r.U8() != 0;
    p.Dim = r.Enum<FxTextureDim>(3);
    p.Semantic = r.Str();
    p.Default = r.Floats();
    p.Annotations = GetAnnotations(r);
    if (array > 65535 || p.Rows > 4 || p.Cols > 4) r.Fail();
    if (!r.Ok()) return;
  }
  fx.Samplers.resize(r.Count(kMaxItems, 27));
  for (FxSampler& s : fx.Samplers) {
    s.Name = r.Str();
    s.Texture = r.Str();
    s.Dim = r.Enum<FxTextureDim>(3);
    s.State = GetSamplerState(r);
  }
  fx.Techniques.resize(r.Count(kMaxItems, 12));
  for (FxTechnique& t : fx.Techniques) {
    t.Name = r.Str();
    t.Annotations = GetAnnotations(r);
    t.Passes.resize(r.Count(kMaxItems, 40));
    for (FxPass& p : t.Passes) {
      p.Name = r.Str();
      p.VertexEntry = r.Str();
      p.VertexProfile = r.Str();
      p.PixelEntry = r.Str();
      p.PixelProfile = r.Str();
      p.Constants.resize(r.Count(kMaxItems, 8));
      for (FxPassConstant& c : p.Constants) {
        c.Name = r.Str();
        c.Values = r.Floats();
      }
      p.States.resize(r.Count(kMaxItems, 5));
      for (FxRenderState& s : p.States) {
        s.State = r.Enum<FxState>(static_cast<uint8_t>(FxState::BlendOpAlpha));
        s.Value = r.U32();
      }
      p.Annotations = GetAnnotations(r);
      p.VertexGlsl = r.Str();
      p.PixelGlsl = r.Str();
    }
  }
  fx.Log = r.Str();
}

}  // namespace

std::vector<uint8_t> EncodeFxResult(const FxResult& result) {
  Writer w;
  for (uint8_t b : kMagic) w.U8(b);
  w.U8(result.Ok ? 1 : 0);
  if (result.Ok) PutFx(w, result.Fx);
  else w.Str(result.Message);
  return std::move(w.Bytes);
}

bool DecodeFxResult(std::span<const uint8_t> bytes, FxResult& out) {
  out = FxResult{};
  Reader r(bytes);
  for (uint8_t b : kMagic)
    if (r.U8() != b) return false;
  const uint8_t ok = r.U8();
  if (ok > 1) return false;
  out.Ok = ok == 1;
  if (out.Ok) GetFx(r, out.Fx);
  else out.Message = r.Str();
  if (!r.Ok() || !r.AtEnd()) {
    out = FxResult{};
    return false;
  }
  return true;
}

}  // namespace quellor
