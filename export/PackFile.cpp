#include "export/PackFile.h"

#include <cstdio>
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
  std::string tmp = path + ".tmp";
  FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(pack.data(), 1, pack.size(), f) == pack.size();
  ok = (std::fclose(f) == 0) && ok;
  if (ok) ok = std::rename(tmp.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(tmp.c_str());
  return ok;
}

}  // namespace quellor
