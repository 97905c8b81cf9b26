#pragma once
// Effect translation as the engine uses it: an unchanged effect text is not translated
// twice. Results are kept in memory and on disk (one file per text under the user's
// cache folder); a cache file that does not read back exactly is ignored and replaced.
// Everything else goes to the worker process.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/fx/FxCodec.h"

namespace quellor {

class FxWorker;

struct FxTranslatorOptions {
  std::string WorkerPath;  // empty: FindFxWorker()
  std::string CacheDir;    // empty: no disk cache
  int TimeoutMs = 5000;
};

struct FxTranslatorStats {
  int MemoryHits = 0, DiskHits = 0, WorkerRuns = 0;
};

class FxTranslator {
 public:
  explicit FxTranslator(FxTranslatorOptions options = {});
  ~FxTranslator();

  FxResult Translate(FxKind kind, std::string_view source);
  // Takes a translation made elsewhere (an exported intro's), so that text is answered
  // from memory without a worker. Only a successful result of the same kind is kept.
  bool Remember(FxKind kind, std::string source, FxResult result);
  const FxTranslatorStats& Stats() const { return stats_; }
  void SetCacheDir(std::string dir) { options_.CacheDir = std::move(dir); }
  void ForgetMemory() { memory_.clear(); }
  const FxTranslatorOptions& Options() const { return options_; }

 private:
  struct Entry {
    FxKind Kind;
    std::string Source;
    FxResult Result;
  };
  bool ReadDisk(uint64_t key, FxKind kind, std::string_view source, FxResult& out) const;
  void WriteDisk(uint64_t key, FxKind kind, std::string_view source, const FxResult& r) const;
  std::string PathFor(uint64_t key) const;
  void Keep(uint64_t key, Entry entry);

  FxTranslatorOptions options_;
  std::unique_ptr<FxWorker> worker_;
  std::unordered_map<uint64_t, Entry> memory_;
  FxTranslatorStats stats_;
};

// $XDG_CACHE_HOME/quellor/fx, else ~/.cache/quellor/fx; empty when neither is known.
std::string DefaultFxCacheDir();

// Content key of an effect text (64-bit FNV-1a over the translator version, kind, text).
uint64_t FxContentKey(FxKind kind, std::string_view source);

}  // namespace quellor
