#include "engine/fx/FxBundle.h"

#include <algorithm>

#include "engine/fx/FxTranslator.h"

namespace quellor {

namespace {

constexpr uint8_t kBundleMagic[5] = {'Q', 'F', 'X', 'B', 1};  // last byte: format version

void PutU32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Reads forward through the bundle; every take is checked against what is left.
class Cursor {
 public:
  explicit Cursor(std::span<const uint8_t> b) : b_(b) {}
  bool Take(size_t n, std::span<const uint8_t>& out) {
    if (n > b_.size() - pos_) return false;
    out = b_.subspan(pos_, n);
    pos_ += n;
    return true;
  }
  bool U32(uint32_t& v) {
    std::span<const uint8_t> s;
    if (!Take(4, s)) return false;
    v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(s[i]) << (8 * i);
    return true;
  }
  // A length followed by that many bytes.
  bool Block(std::span<const uint8_t>& out) {
    uint32_t n = 0;
    return U32(n) && Take(n, out);
  }
  bool AtEnd() const { return pos_ == b_.size(); }

 private:
  std::span<const uint8_t> b_;
  size_t pos_ = 0;
};

bool ReadEntry(Cursor& c, FxBundleEntry& e) {
  std::span<const uint8_t> kind, source, result;
  if (!c.Take(1, kind) || kind[0] > static_cast<uint8_t>(FxKind::TextureShader)) return false;
  if (!c.Block(source) || !c.Block(result)) return false;
  e.Kind = static_cast<FxKind>(kind[0]);
  e.Source.assign(source.begin(), source.end());
  return DecodeFxResult(result, e.Result) && e.Result.Ok && e.Result.Fx.Kind == e.Kind;
}

}  // namespace

std::vector<uint8_t> EncodeFxBundle(const std::vector<FxBundleEntry>& entries) {
  std::vector<uint8_t> b(std::begin(kBundleMagic), std::end(kBundleMagic));
  PutU32(b, static_cast<uint32_t>(entries.size()));
  for (const FxBundleEntry& e : entries) {
    b.push_back(static_cast<uint8_t>(e.Kind));
    PutU32(b, static_cast<uint32_t>(e.Source.size()));
    b.insert(b.end(), e.Source.begin(), e.Source.end());
    const std::vector<uint8_t> result = EncodeFxResult(e.Result);
    PutU32(b, static_cast<uint32_t>(result.size()));
    b.insert(b.end(), result.begin(), result.end());
  }
  return b;
}

bool DecodeFxBundle(std::span<const uint8_t> bytes, std::vector<FxBundleEntry>& out) {
  out.clear();
  Cursor c(bytes);
  std::span<const uint8_t> magic;
  uint32_t count = 0;
  if (!c.Take(sizeof kBundleMagic, magic) || !std::equal(magic.begin(), magic.end(), kBundleMagic) ||
      !c.U32(count) || count > kMaxFxBundleEntries)
    return false;
  std::vector<FxBundleEntry> entries(count);
  for (FxBundleEntry& e : entries)
    if (!ReadEntry(c, e)) return false;
  if (!c.AtEnd()) return false;
  out = std::move(entries);
  return true;
}

std::vector<FxBundleEntry> TranslateForBundle(FxTranslator& t,
                                              const std::vector<std::pair<FxKind, std::string>>& sources) {
  std::vector<FxBundleEntry> entries;
  for (const auto& item : sources) {
    const FxKind kind = item.first;
    const std::string& source = item.second;
    if (entries.size() >= kMaxFxBundleEntries) break;
    const bool repeat = std::any_of(entries.begin(), entries.end(), [&](const FxBundleEntry& e) {
      return e.Kind == kind && e.Source == source;
    });
    if (repeat) continue;
    FxResult r = t.Translate(kind, source);
    if (r.Ok) entries.push_back({kind, source, std::move(r)});
  }
  return entries;
}

int SeedFxTranslator(FxTranslator& t, std::vector<FxBundleEntry> entries) {
  int taken = 0;
  for (FxBundleEntry& e : entries)
    if (t.Remember(e.Kind, std::move(e.Source), std::move(e.Result))) ++taken;
  return taken;
}

}  // namespace quellor
