#include "export/PeIcon.h"

#include <algorithm>
#include <optional>

#include "engine/image/ImageCodec.h"
#include "project/FileReplace.h"
#include "project/PathResolve.h"

namespace quellor {

namespace {

constexpr size_t kMaxIconFileBytes = 16u << 20;
constexpr size_t kMaxExeBytes = 512u << 20;
constexpr size_t kSectionHeaderBytes = 40;
constexpr int kResourceDirectory = 2;
constexpr int kCertificateDirectory = 4;
constexpr size_t kMaxResourceEntries = 1u << 16;

uint16_t Get16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
         (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
void Set16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Set32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
bool Fits(size_t size, uint64_t at, uint64_t count) { return at <= size && count <= size - at; }

bool PowerOfTwo(uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }
uint64_t AlignUp(uint64_t v, uint32_t a) { return (v + a - 1) / a * a; }

struct Section {
  size_t HeaderAt = 0;  // file offset of its 40-byte header
  uint32_t VirtualSize = 0, VirtualAddress = 0, RawSize = 0, RawPointer = 0;
  uint64_t VirtualEnd() const { return uint64_t(VirtualAddress) + std::max(VirtualSize, RawSize); }
};

// The headers of a PE image, every offset checked against the file.
struct PeLayout {
  size_t Coff = 0, Optional = 0;
  bool Plus = false;
  uint32_t SectionAlignment = 0, FileAlignment = 0, SizeOfHeaders = 0;
  size_t DirectoryAt = 0;  // file offset of data directory 0
  uint32_t DirectoryCount = 0;
  size_t SectionTable = 0;
  std::vector<Section> Sections;

  size_t NumberOfSectionsAt() const { return Coff + 2; }
  size_t ChecksumAt() const { return Optional + 64; }
  size_t SizeOfImageAt() const { return Optional + 56; }
  size_t InitializedDataAt() const { return Optional + 8; }
  size_t DirectoryEntry(int i) const { return DirectoryAt + 8 * static_cast<size_t>(i); }
};

std::optional<PeLayout> ReadLayout(const std::vector<uint8_t>& f) {
  const size_t n = f.size();
  if (n < 0x40 || f[0] != 'M' || f[1] != 'Z') return std::nullopt;
  const uint32_t peAt = Get32(f, 0x3C);
  if (!Fits(n, peAt, 24) || f[peAt] != 'P' || f[peAt + 1] != 'E' || f[peAt + 2] || f[peAt + 3])
    return std::nullopt;
  PeLayout l;
  l.Coff = peAt + 4;
  const uint16_t sections = Get16(f, l.Coff + 2);
  const uint16_t optionalBytes = Get16(f, l.Coff + 16);
  l.Optional = l.Coff + 20;
  if (!Fits(n, l.Optional, optionalBytes) || optionalBytes < 2) return std::nullopt;
  const uint16_t magic = Get16(f, l.Optional);
  if (magic != 0x10B && magic != 0x20B) return std::nullopt;
  l.Plus = magic == 0x20B;
  const size_t countAt = l.Optional + (l.Plus ? 108 : 92);
  if (countAt + 4 > l.Optional + optionalBytes) return std::nullopt;
  l.SectionAlignment = Get32(f, l.Optional + 32);
  l.FileAlignment = Get32(f, l.Optional + 36);
  l.SizeOfHeaders = Get32(f, l.Optional + 60);
  l.DirectoryCount = Get32(f, countAt);
  l.DirectoryAt = countAt + 4;
  // Only the directories that lie inside the optional header are real.
  const size_t room = (l.Optional + optionalBytes - l.DirectoryAt) / 8;
  l.DirectoryCount = static_cast<uint32_t>(std::min<size_t>(l.DirectoryCount, room));
  l.SectionTable = l.Optional + optionalBytes;
  if (!Fits(n, l.SectionTable, uint64_t(sections) * kSectionHeaderBytes)) return std::nullopt;
  for (uint16_t i = 0; i < sections; ++i) {
    Section s;
    s.HeaderAt = l.SectionTable + i * kSectionHeaderBytes;
    s.VirtualSize = Get32(f, s.HeaderAt + 8);
    s.VirtualAddress = Get32(f, s.HeaderAt + 12);
    s.RawSize = Get32(f, s.HeaderAt + 16);
    s.RawPointer = Get32(f, s.HeaderAt + 20);
    l.Sections.push_back(s);
  }
  return l;
}

// File offset of `count` bytes at an RVA, when they lie in one section's file data.
std::optional<size_t> RvaToOffset(const PeLayout& l, size_t fileSize, uint64_t rva, uint64_t count) {
  for (const Section& s : l.Sections) {
    if (rva < s.VirtualAddress) continue;
    const uint64_t into = rva - s.VirtualAddress;
    if (into + count > s.RawSize || into + count > std::max(s.VirtualSize, s.RawSize)) continue;
    const uint64_t at = uint64_t(s.RawPointer) + into;
    if (Fits(fileSize, at, count)) return static_cast<size_t>(at);
  }
  return std::nullopt;
}

// ---- reading the tree -------------------------------------------------------------

struct TreeReader {
  const std::vector<uint8_t>& f;
  const PeLayout& l;
  uint32_t rootRva;
  size_t entries = 0;

  std::optional<size_t> At(uint64_t offset, uint64_t count) const {
    return RvaToOffset(l, f.size(), uint64_t(rootRva) + offset, count);
  }

  bool Key(uint32_t raw, ResourceKey& key) const {
    if (!(raw & 0x80000000u)) {
      key = ResourceKey::Of(raw & 0xFFFF);
      return true;
    }
    auto lenAt = At(raw & 0x7FFFFFFFu, 2);
    if (!lenAt) return false;
    const uint16_t len = Get16(f, *lenAt);
    auto chars = At((raw & 0x7FFFFFFFu) + 2, uint64_t(len) * 2);
    if (!chars) return false;
    key.Named = true;
    key.Name.clear();
    for (uint16_t i = 0; i < len; ++i) key.Name.push_back(static_cast<char16_t>(Get16(f, *chars + 2 * i)));
    return true;
  }

  // Calls fn(key, target) for each entry of the directory at `offset`.
  template <class Fn>
  bool Directory(uint32_t offset, Fn&& fn) {
    auto head = At(offset, 16);
    if (!head) return false;
    const uint32_t count = uint32_t(Get16(f, *head + 12)) + Get16(f, *head + 14);
    auto list = At(uint64_t(offset) + 16, uint64_t(count) * 8);
    if (!list) return false;
    for (uint32_t i = 0; i < count; ++i) {
      if (++entries > kMaxResourceEntries) return false;
      ResourceKey key;
      if (!Key(Get32(f, *list + 8 * i), key)) return false;
      if (!fn(key, Get32(f, *list + 8 * i + 4))) return false;
    }
    return true;
  }

  static bool IsDirectory(uint32_t target) { return (target & 0x80000000u) != 0; }
  static uint32_t Offset(uint32_t target) { return target & 0x7FFFFFFFu; }

  bool Data(uint32_t target, ResourceData& out) const {
    if (IsDirectory(target)) return false;
    auto entry = At(target, 16);
    if (!entry) return false;
    const uint32_t rva = Get32(f, *entry), size = Get32(f, *entry + 4);
    out.CodePage = Get32(f, *entry + 8);
    auto bytes = RvaToOffset(l, f.size(), rva, size);
    if (!bytes) return false;
    out.Bytes.assign(f.begin() + static_cast<std::ptrdiff_t>(*bytes),
                     f.begin() + static_cast<std::ptrdiff_t>(*bytes + size));
    return true;
  }

  // Exactly three levels: type, name, language. Deeper or shallower trees are damaged.
  bool Read(ResourceTree& tree) {
    return Directory(0, [&](const ResourceKey& type, uint32_t t1) {
      if (!IsDirectory(t1)) return false;
      return Directory(Offset(t1), [&](const ResourceKey& name, uint32_t t2) {
        if (!IsDirectory(t2)) return false;
        return Directory(Offset(t2), [&](const ResourceKey& lang, uint32_t t3) {
          return Data(t3, tree[type][name][lang]);
        });
      });
    });
  }
};

// ---- writing the tree -------------------------------------------------------------

// Lays the tree out for `baseRva`: directories breadth first, then names, then data
// entries, then the data, each blob on an 8-byte boundary.
std::vector<uint8_t> WriteTree(const ResourceTree& tree, uint32_t baseRva) {
  auto dirBytes = [](size_t n) { return 16 + 8 * n; };
  // Sizes first: directory offsets of every level.
  size_t dirs = dirBytes(tree.size());
  for (const auto& [type, names] : tree) {
    dirs += dirBytes(names.size());
    for (const auto& [name, langs] : names) dirs += dirBytes(langs.size());
  }
  size_t names = 0, leaves = 0;
  auto countName = [&](const ResourceKey& k) {
    if (k.Named) names += 2 + 2 * k.Name.size();
  };
  for (const auto& [type, nameMap] : tree) {
    countName(type);
    for (const auto& [name, langs] : nameMap) {
      countName(name);
      for (const auto& [lang, data] : langs) {
        countName(lang);
        ++leaves;
      }
    }
  }
  const size_t namesAt = dirs;
  const size_t entriesAt = AlignUp(namesAt + names, 4);
  size_t dataAt = AlignUp(entriesAt + 16 * leaves, 8);

  std::vector<uint8_t> out(dataAt, 0);
  size_t nextDir = dirBytes(tree.size()), nextName = namesAt, nextEntry = entriesAt;
  auto putKey = [&](size_t at, const ResourceKey& k) {
    if (!k.Named) {
      Set32(out, at, k.Id & 0xFFFF);
      return;
    }
    Set32(out, at, 0x80000000u | static_cast<uint32_t>(nextName));
    Set16(out, nextName, static_cast<uint32_t>(k.Name.size()));
    for (size_t i = 0; i < k.Name.size(); ++i) Set16(out, nextName + 2 + 2 * i, k.Name[i]);
    nextName += 2 + 2 * k.Name.size();
  };
  auto putHead = [&](size_t at, const auto& map) {
    size_t named = 0;
    for (const auto& [k, v] : map) named += k.Named ? 1 : 0;
    Set16(out, at + 12, static_cast<uint32_t>(named));
    Set16(out, at + 14, static_cast<uint32_t>(map.size() - named));
  };
  // Level 1 sits at 0; its children follow in order, then theirs.
  std::vector<std::pair<size_t, const std::map<ResourceKey, std::map<ResourceKey, ResourceData>>*>> level2;
  putHead(0, tree);
  size_t i = 0;
  for (const auto& [type, nameMap] : tree) {
    putKey(16 + 8 * i, type);
    Set32(out, 16 + 8 * i + 4, 0x80000000u | static_cast<uint32_t>(nextDir));
    level2.emplace_back(nextDir, &nameMap);
    nextDir += dirBytes(nameMap.size());
    ++i;
  }
  std::vector<std::pair<size_t, const std::map<ResourceKey, ResourceData>*>> level3;
  for (const auto& [at, nameMap] : level2) {
    putHead(at, *nameMap);
    size_t j = 0;
    for (const auto& [name, langs] : *nameMap) {
      putKey(at + 16 + 8 * j, name);
      Set32(out, at + 16 + 8 * j + 4, 0x80000000u | static_cast<uint32_t>(nextDir));
      level3.emplace_back(nextDir, &langs);
      nextDir += dirBytes(langs.size());
      ++j;
    }
  }
  for (const auto& [at, langs] : level3) {
    putHead(at, *langs);
    size_t k = 0;
    for (const auto& [lang, data] : *langs) {
      putKey(at + 16 + 8 * k, lang);
      Set32(out, at + 16 + 8 * k + 4, static_cast<uint32_t>(nextEntry));
      Set32(out, nextEntry, baseRva + static_cast<uint32_t>(dataAt));
      Set32(out, nextEntry + 4, static_cast<uint32_t>(data.Bytes.size()));
      Set32(out, nextEntry + 8, data.CodePage);
      nextEntry += 16;
      out.insert(out.end(), data.Bytes.begin(), data.Bytes.end());
      dataAt += data.Bytes.size();
      const size_t padded = AlignUp(dataAt, 8);
      out.resize(padded, 0);
      dataAt = padded;
      ++k;
    }
  }
  return out;
}

// ---- the icon file ------------------------------------------------------------------

// The group resource and the images of an .ico file; false when it is no icon file or
// an image lies outside it.
bool ReadIconFile(const std::vector<uint8_t>& ico, std::vector<uint8_t>& group,
                  std::vector<std::vector<uint8_t>>& images) {
  if (ico.size() < 6 || Get16(ico, 0) != 0 || Get16(ico, 2) != 1) return false;
  const uint16_t count = Get16(ico, 4);
  if (count == 0 || !Fits(ico.size(), 6, uint64_t(count) * 16)) return false;
  group.assign(6, 0);
  Set16(group, 2, 1);
  Set16(group, 4, count);
  images.clear();
  for (uint16_t i = 0; i < count; ++i) {
    const size_t e = 6 + 16 * size_t(i);
    const uint32_t bytes = Get32(ico, e + 8), offset = Get32(ico, e + 12);
    if (bytes == 0 || !Fits(ico.size(), offset, bytes)) return false;
    // The first 12 bytes of the directory entry, then the image's resource id.
    group.insert(group.end(), ico.begin() + static_cast<std::ptrdiff_t>(e),
                 ico.begin() + static_cast<std::ptrdiff_t>(e + 12));
    group.push_back(static_cast<uint8_t>((i + 1) & 0xFF));
    group.push_back(static_cast<uint8_t>((i + 1) >> 8));
    images.emplace_back(ico.begin() + offset, ico.begin() + offset + bytes);
  }
  return true;
}

}  // namespace

bool IsPeImage(const std::vector<uint8_t>& file) { return ReadLayout(file).has_value(); }

size_t PeChecksumOffset(const std::vector<uint8_t>& file) {
  auto l = ReadLayout(file);
  return l ? l->ChecksumAt() : 0;
}

uint32_t PeChecksum(const std::vector<uint8_t>& file, size_t checksumOffset) {
  uint64_t sum = 0;
  const size_t n = file.size();
  for (size_t i = 0; i < n; i += 2) {
    uint32_t word = file[i] | (i + 1 < n ? file[i + 1] << 8 : 0);
    if (i >= checksumOffset && i < checksumOffset + 4) word = 0;
    sum += word;
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<uint32_t>(sum & 0xFFFF) + static_cast<uint32_t>(n);
}

bool ReadResources(const std::vector<uint8_t>& file, ResourceTree& tree) {
  tree.clear();
  auto l = ReadLayout(file);
  if (!l) return false;
  if (l->DirectoryCount <= kResourceDirectory) return true;
  const uint32_t rva = Get32(file, l->DirectoryEntry(kResourceDirectory));
  const uint32_t size = Get32(file, l->DirectoryEntry(kResourceDirectory) + 4);
  if (rva == 0 || size == 0) return true;
  TreeReader reader{file, *l, rva};
  return reader.Read(tree);
}

IconResult ReplaceIconInImage(const std::vector<uint8_t>& ico, std::vector<uint8_t>& exe) {
  auto layout = ReadLayout(exe);
  if (!layout) return IconResult::NotPe;
  PeLayout& l = *layout;
  std::vector<uint8_t> group;
  std::vector<std::vector<uint8_t>> images;
  if (!ReadIconFile(ico, group, images)) return IconResult::BadIcon;
  if (l.DirectoryCount <= kResourceDirectory || !PowerOfTwo(l.FileAlignment) ||
      !PowerOfTwo(l.SectionAlignment))
    return IconResult::NoRoom;
  ResourceTree tree;
  if (!ReadResources(exe, tree)) return IconResult::NoRoom;

  const ResourceKey neutral = ResourceKey::Of(0);
  tree[ResourceKey::Of(kResourceGroupIcon)][ResourceKey::Of(1)][neutral] = {group, 0};
  for (size_t i = 0; i < images.size(); ++i)
    tree[ResourceKey::Of(kResourceIcon)][ResourceKey::Of(static_cast<uint32_t>(i + 1))][neutral] = {
        std::move(images[i]), 0};

  // Where the sections' data ends; anything behind it (an overlay) is kept behind it.
  uint64_t rawEnd = l.SizeOfHeaders;
  uint64_t virtualEnd = AlignUp(l.SizeOfHeaders, l.SectionAlignment);
  for (const Section& s : l.Sections) {
    if (s.RawSize) rawEnd = std::max<uint64_t>(rawEnd, uint64_t(s.RawPointer) + s.RawSize);
    virtualEnd = std::max(virtualEnd, s.VirtualEnd());
  }
  if (rawEnd > exe.size()) return IconResult::NoRoom;
  std::vector<uint8_t> overlay(exe.begin() + static_cast<std::ptrdiff_t>(rawEnd), exe.end());
  // A signature lies at the end and no longer matches: it goes.
  if (l.DirectoryCount > kCertificateDirectory) {
    const size_t cert = l.DirectoryEntry(kCertificateDirectory);
    const uint32_t certAt = Get32(exe, cert);
    if (certAt != 0) {
      if (certAt >= rawEnd && certAt - rawEnd <= overlay.size()) overlay.resize(certAt - rawEnd);
      Set32(exe, cert, 0);
      Set32(exe, cert + 4, 0);
    }
  }

  // The old resource section is rebuilt in place when it is the last section both in
  // the file and in memory; otherwise a new section is appended.
  const uint32_t oldRva = Get32(exe, l.DirectoryEntry(kResourceDirectory));
  Section* last = nullptr;
  for (Section& s : l.Sections)
    if (!last || s.VirtualAddress > last->VirtualAddress) last = &s;
  bool inPlace = last && oldRva != 0 && oldRva == last->VirtualAddress &&
                 uint64_t(last->RawPointer) + last->RawSize == rawEnd;
  for (const Section& s : l.Sections)
    if (inPlace && &s != last && s.RawSize && uint64_t(s.RawPointer) + s.RawSize > last->RawPointer)
      inPlace = false;  // another section's data lies behind it in the file

  uint32_t baseRva;
  uint64_t rawAt;
  int64_t initialisedDelta;
  if (inPlace) {
    baseRva = last->VirtualAddress;
    rawAt = last->RawPointer;
    initialisedDelta = -static_cast<int64_t>(last->RawSize);
  } else {
    const size_t newHeader = l.SectionTable + l.Sections.size() * kSectionHeaderBytes;
    uint64_t firstRaw = l.SizeOfHeaders;
    for (const Section& s : l.Sections)
      if (s.RawSize) firstRaw = std::min<uint64_t>(firstRaw, s.RawPointer);
    if (newHeader + kSectionHeaderBytes > firstRaw || l.Sections.size() >= 96) return IconResult::NoRoom;
    baseRva = static_cast<uint32_t>(AlignUp(virtualEnd, l.SectionAlignment));
    rawAt = AlignUp(rawEnd, l.FileAlignment);
    initialisedDelta = 0;
  }
  std::vector<uint8_t> rsrc = WriteTree(tree, baseRva);
  const uint64_t rawSize = AlignUp(rsrc.size(), l.FileAlignment);
  if (rawAt + rawSize + overlay.size() > kMaxExeBytes ||
      uint64_t(baseRva) + AlignUp(rsrc.size(), l.SectionAlignment) > 0xFFFFFFFFull)
    return IconResult::NoRoom;

  exe.resize(static_cast<size_t>(rawAt), 0);
  exe.insert(exe.end(), rsrc.begin(), rsrc.end());
  exe.resize(static_cast<size_t>(rawAt + rawSize), 0);
  exe.insert(exe.end(), overlay.begin(), overlay.end());

  size_t header;
  if (inPlace) {
    header = last->HeaderAt;
  } else {
    header = l.SectionTable + l.Sections.size() * kSectionHeaderBytes;
    std::fill(exe.begin() + static_cast<std::ptrdiff_t>(header),
              exe.begin() + static_cast<std::ptrdiff_t>(header + kSectionHeaderBytes), 0);
    const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    std::copy(name, name + 8, exe.begin() + static_cast<std::ptrdiff_t>(header));
    Set32(exe, header + 36, 0x40000040u);  // initialised data, readable
    Set16(exe, l.NumberOfSectionsAt(), static_cast<uint32_t>(l.Sections.size() + 1));
  }
  Set32(exe, header + 8, static_cast<uint32_t>(rsrc.size()));
  Set32(exe, header + 12, baseRva);
  Set32(exe, header + 16, static_cast<uint32_t>(rawSize));
  Set32(exe, header + 20, static_cast<uint32_t>(rawAt));
  initialisedDelta += static_cast<int64_t>(rawSize);

  Set32(exe, l.DirectoryEntry(kResourceDirectory), baseRva);
  Set32(exe, l.DirectoryEntry(kResourceDirectory) + 4, static_cast<uint32_t>(rsrc.size()));
  uint64_t imageEnd = uint64_t(baseRva) + rsrc.size();
  for (const Section& s : l.Sections)
    if (!(inPlace && &s == last)) imageEnd = std::max(imageEnd, s.VirtualEnd());
  Set32(exe, l.SizeOfImageAt(), static_cast<uint32_t>(AlignUp(imageEnd, l.SectionAlignment)));
  const int64_t initialised = int64_t(Get32(exe, l.InitializedDataAt())) + initialisedDelta;
  Set32(exe, l.InitializedDataAt(), static_cast<uint32_t>(std::clamp<int64_t>(initialised, 0, 0xFFFFFFFF)));
  Set32(exe, l.ChecksumAt(), PeChecksum(exe, l.ChecksumAt()));
  return IconResult::Replaced;
}

IconResult ReplaceIcon(const std::string& iconFile, const std::string& exeFile) {
  std::vector<uint8_t> ico, exe;
  const std::string icoPath = ResolvePath(iconFile), exePath = ResolvePath(exeFile);
  if (!PathIsSafeToRead(icoPath) || !PathIsSafeToRead(exePath) ||
      !ReadWholeFile(icoPath, ico, kMaxIconFileBytes) || !ReadWholeFile(exePath, exe, kMaxExeBytes))
    return IconResult::FileError;
  IconResult r = ReplaceIconInImage(ico, exe);
  if (r != IconResult::Replaced) return r;
  return ReplaceFileContents(exePath, exe.data(), exe.size(), 0755) ? r : IconResult::FileError;
}

}  // namespace quellor
