#include "app/ResourcePacks.h"


#include <cstring>

#include "engine/image/ImageCodec.h"
#include "export/jcalg1/Jcalg1.h"
#include "project/PathResolve.h"

namespace quellor {

namespace {
uint32_t LoadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

bool ReadPack(const uint8_t* data, size_t size, size_t maxEntries,
              std::vector<std::vector<uint8_t>>& entries) {
  entries.clear();
  if (size > 0 && !data) return false;
  size_t pos = 0;
  uint64_t total = 0;
  while (entries.size() < maxEntries && pos < size) {
    if (size - pos < 8) return entries.clear(), false;
    uint32_t unpacked = LoadLe32(data + pos);
    uint32_t stored = LoadLe32(data + pos + 4);
    pos += 8;
    total += unpacked;
    if (unpacked > kMaxPackEntryBytes || total > kMaxPackFileBytes || stored > size - pos)
      return entries.clear(), false;
    const uint8_t* payload = data + pos;
    pos += stored;
    std::vector<uint8_t> entry;
    if (stored == unpacked) {
      entry.assign(payload, payload + stored);
    } else {
      Jcalg1Header h;
      // Check the stream's own size before allocating anything for it.
      if (!Jcalg1ReadHeader(payload, stored, h) || h.UnpackedSize != unpacked)
        return entries.clear(), false;
      entry.resize(unpacked);
      if (!Jcalg1Decompress(payload, stored, entry.data(), entry.size()))
        return entries.clear(), false;
    }
    entries.push_back(std::move(entry));
  }
  return true;
}

bool ReadPackFile(const std::string& path, size_t maxEntries,
                  std::vector<std::vector<uint8_t>>& entries) {
  entries.clear();
  // A pipe or device in the pack's place would hold start-up until someone writes to it.
  if (!PathIsSafeToRead(path)) return false;
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, kMaxPackFileBytes)) return false;
  return ReadPack(bytes.data(), bytes.size(), maxEntries, entries);
}

bool LoadStartupPack(const std::string& baseDir, StartupPack& out) {
  out = {};
  std::vector<std::vector<uint8_t>> e;
  if (!ReadPackFile(ResolvePath(JoinPath(baseDir, kStartupPackPath)), 4, e) || e.size() != 4)
    return false;
  out.Banner = std::move(e[0]);
  out.RedPill = std::move(e[1]);
  out.BluePill = std::move(e[2]);
  // The text ends at its NUL; a missing terminator ends it at the entry's end.
  const std::vector<uint8_t>& t = e[3];
  size_t len = 0;
  while (len < t.size() && t[len] != 0) ++len;
  out.AboutText.assign(reinterpret_cast<const char*>(t.data()), len);
  return true;
}

bool LoadHelpPack(const std::string& baseDir, HelpPack& out) {
  out = {};
  std::vector<std::vector<uint8_t>> e;
  if (!ReadPackFile(ResolvePath(JoinPath(baseDir, kHelpPackPath)), 4, e) || e.size() != 4)
    return false;
  for (int i = 0; i < 3; ++i) out.HelpImages[i] = std::move(e[i]);
  out.WelcomeLogo = std::move(e[3]);
  return true;
}

}  // namespace quellor
