#include "engine/fx/FxTranslator.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "engine/fx/FxWorker.h"

namespace quellor {

namespace {
// Bumped whenever the translation changes, so older cache files stop matching.
constexpr const char* kTranslatorVersion = "quellor-fx-3";
constexpr uint8_t kCacheMagic[4] = {'Q', 'F', 'X', 'C'};
constexpr size_t kMaxCacheFile = 32u << 20;
constexpr size_t kMaxMemoryEntries = 64;

void PutU32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

bool GetU32(const std::vector<uint8_t>& b, size_t& pos, uint32_t& v) {
  if (b.size() - pos < 4) return false;
  v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(b[pos + i]) << (8 * i);
  pos += 4;
  return true;
}
}  // namespace

uint64_t FxContentKey(FxKind kind, std::string_view source) {
  uint64_t h = 1469598103934665603ull;
  auto mix = [&h](std::string_view s) {
    for (unsigned char c : s) {
      h ^= c;
      h *= 1099511628211ull;
    }
  };
  mix(kTranslatorVersion);
  mix(std::string_view(kind == FxKind::Effect ? "E" : "T", 1));
  mix(source);
  return h;
}

std::string DefaultFxCacheDir() {
  namespace fs = std::filesystem;
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg) return (fs::path(xdg) / "quellor" / "fx").string();
  if (const char* home = std::getenv("HOME"); home && *home)
    return (fs::path(home) / ".cache" / "quellor" / "fx").string();
  return {};
}

FxTranslator::FxTranslator(FxTranslatorOptions options) : options_(std::move(options)) {}
FxTranslator::~FxTranslator() = default;

std::string FxTranslator::PathFor(uint64_t key) const {
  char name[32];
  std::snprintf(name, sizeof name, "%016llx.fxc", static_cast<unsigned long long>(key));
  return (std::filesystem::path(options_.CacheDir) / name).string();
}

bool FxTranslator::ReadDisk(uint64_t key, FxKind kind, std::string_view source, FxResult& out) const {
  if (options_.CacheDir.empty()) return false;
  std::error_code ec;
  const std::string path = PathFor(key);
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size > kMaxCacheFile) return false;
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t pos = 0;
  uint32_t srcLen = 0, resultLen = 0;
  if (b.size() < 5 || !std::equal(kCacheMagic, kCacheMagic + 4, b.begin())) return false;
  pos = 4;
  if (b[pos++] != static_cast<uint8_t>(kind)) return false;
  if (!GetU32(b, pos, srcLen) || b.size() - pos < srcLen) return false;
  if (std::string_view(reinterpret_cast<const char*>(b.data() + pos), srcLen) != source) return false;
  pos += srcLen;
  if (!GetU32(b, pos, resultLen) || b.size() - pos != resultLen) return false;
  return DecodeFxResult(std::span<const uint8_t>(b.data() + pos, resultLen), out) && out.Ok;
}

void FxTranslator::WriteDisk(uint64_t key, FxKind kind, std::string_view source, const FxResult& r) const {
  if (options_.CacheDir.empty()) return;
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::create_directories(options_.CacheDir, ec);
  std::vector<uint8_t> b(kCacheMagic, kCacheMagic + 4);
  b.push_back(static_cast<uint8_t>(kind));
  PutU32(b, static_cast<uint32_t>(source.size()));
  b.insert(b.end(), source.begin(), source.end());
  const std::vector<uint8_t> encoded = EncodeFxResult(r);
  PutU32(b, static_cast<uint32_t>(encoded.size()));
  b.insert(b.end(), encoded.begin(), encoded.end());
  // Written aside and renamed, so a reader never sees half a file.
  const std::string path = PathFor(key);
  const std::string temp = path + ".tmp" + std::to_string(getpid());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return;
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    if (!out) {
      out.close();
      fs::remove(temp, ec);
      return;
    }
  }
  fs::rename(temp, path, ec);
  if (ec) fs::remove(temp, ec);
}

FxResult FxTranslator::Translate(FxKind kind, std::string_view source) {
  const uint64_t key = FxContentKey(kind, source);
  if (auto it = memory_.find(key); it != memory_.end() && it->second.Kind == kind && it->second.Source == source) {
    ++stats_.MemoryHits;
    return it->second.Result;
  }
  FxResult result;
  if (ReadDisk(key, kind, source, result)) {
    ++stats_.DiskHits;
  } else {
    if (!worker_)
      worker_ = std::make_unique<FxWorker>(options_.WorkerPath.empty() ? FindFxWorker() : options_.WorkerPath,
                                           options_.TimeoutMs);
    ++stats_.WorkerRuns;
    result = worker_->Translate(kind, source);
    if (!result.Ok) return result;
    WriteDisk(key, kind, source, result);
  }
  Keep(key, Entry{kind, std::string(source), result});
  return result;
}

bool FxTranslator::Remember(FxKind kind, std::string source, FxResult result) {
  if (!result.Ok || result.Fx.Kind != kind) return false;
  const uint64_t key = FxContentKey(kind, source);
  Keep(key, Entry{kind, std::move(source), std::move(result)});
  return true;
}

void FxTranslator::Keep(uint64_t key, Entry entry) {
  if (memory_.size() >= kMaxMemoryEntries && !memory_.count(key)) memory_.clear();
  memory_[key] = std::move(entry);
}

}  // namespace quellor
