// Resource pack reader on arbitrary files: every failure must be a clean refusal.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/ResourcePacks.h"

using namespace quellor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::vector<uint8_t>> entries;
  bool ok = ReadPack(data, size, 8, entries);
  if (!ok && !entries.empty()) std::abort();
  size_t total = 0;
  for (const auto& e : entries) total += e.size();
  if (total > kMaxPackFileBytes) std::abort();
  return 0;
}
