#pragma once
// Icons of Windows (PE/COFF) executables, replaced without the Windows resource API.
// The .ico file's images become RT_ICON resources 1..n and its directory the
// RT_GROUP_ICON resource 1, both language neutral, beside every resource the file
// already has; the resource section is rebuilt in place when it is the last one, or
// appended as a new section, and the header fields and the checksum follow.
#include <compare>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quellor {

enum class IconResult { Replaced, NotPe, BadIcon, NoRoom, FileError };

// A name or an id at one level of the resource tree. Named entries sort first.
struct ResourceKey {
  bool Named = false;
  uint32_t Id = 0;
  std::u16string Name;
  auto operator<=>(const ResourceKey& o) const {
    if (Named != o.Named) return Named ? std::strong_ordering::less : std::strong_ordering::greater;
    if (Named) return Name <=> o.Name;
    return Id <=> o.Id;
  }
  bool operator==(const ResourceKey&) const = default;
  static ResourceKey Of(uint32_t id) { return ResourceKey{false, id, {}}; }
};

struct ResourceData {
  std::vector<uint8_t> Bytes;
  uint32_t CodePage = 0;
};

// type -> name -> language -> data
using ResourceTree =
    std::map<ResourceKey, std::map<ResourceKey, std::map<ResourceKey, ResourceData>>>;

constexpr uint32_t kResourceIcon = 3;
constexpr uint32_t kResourceGroupIcon = 14;

bool IsPeImage(const std::vector<uint8_t>& file);

// The resources of a PE image. False when the file is no PE image or its resource tree
// is damaged; a PE image without resources gives an empty tree.
bool ReadResources(const std::vector<uint8_t>& file, ResourceTree& tree);

// Offset of the optional header's CheckSum field; 0 when the file is no PE image.
size_t PeChecksumOffset(const std::vector<uint8_t>& file);
// The PE checksum of the file, with the 4 bytes at checksumOffset counted as zero.
uint32_t PeChecksum(const std::vector<uint8_t>& file, size_t checksumOffset);

// Replaces the icon of the executable image in `exe` by the icon file's bytes.
IconResult ReplaceIconInImage(const std::vector<uint8_t>& ico, std::vector<uint8_t>& exe);

// The same on files: the executable is rewritten through a temporary file, so it is
// either replaced whole or left as it was.
IconResult ReplaceIcon(const std::string& iconFile, const std::string& exeFile);

}  // namespace quellor
