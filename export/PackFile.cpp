#include "export/PackFile.h"

#include "project/FileReplace.h"

#include <limits>

namespace quellor {

namespace {
void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}
}  // namespace

bool AppendPackEntry(std::vector<uint8_t>& pack, const std::vector<uint8_t>& data,
                     const Jcalg1Options& options) {
  if (data.size() >= std::numeric_limits<uint32_t>::max()) return false;
  std::vector<uint8_t> packed = Jcalg1Compress(data.data(), data.size(), options);
  bool compressed = !packed.empty() && packed.size() < data.size();
  const std::vector<uint8_t>& stored = compressed ? packed : data;
  PutLe32(pack, uint32_t(data.size()));
  PutLe32(pack, uint32_t(stored.size()));
  pack.insert(pack.end(), stored.begin(), stored.end());
  return true;
}

std::vector<uint8_t> BuildPack(const std::vector<std::vector<uint8_t>>& entries,
                               const Jcalg1Options& options) {
  std::vector<uint8_t> pack;
  for (const auto& e : entries)
    if (!AppendPackEntry(pack, e, options)) return {};
  return pack;
}

bool WritePackFile(const std::string& path, const std::vector<std::vector<uint8_t>>& entries,
                   const Jcalg1Options& options) {
  std::vector<uint8_t> pack = BuildPack(entries, options);
  if (pack.empty() && !entries.empty()) return false;
  bool ok = ReplaceFileContents(path, pack.data(), pack.size());
  return ok;
}

}  // namespace quellor
