#pragma once
// Reading of the editor's resource packs "data/bin/Quellor0.bin" (chooser images and
// About text) and "data/bin/Quellor4.bin" (help images and welcome logo). A pack that
// fails any check counts as unreadable as a whole; the shell then carries on without
// its images and text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quellor {

// Largest unpacked entry, and largest sum over one pack, that a reader accepts.
constexpr uint32_t kMaxPackEntryBytes = 64u << 20;
constexpr size_t kMaxPackFileBytes = 128u << 20;

// Reads up to maxEntries entries in order. Stops cleanly at the end of the data; a
// truncated entry header, a stored length past the end, an unpacked length above the
// cap or a corrupt compressed entry fail the whole pack (entries is then empty).
bool ReadPack(const uint8_t* data, size_t size, size_t maxEntries,
              std::vector<std::vector<uint8_t>>& entries);
bool ReadPackFile(const std::string& path, size_t maxEntries,
                  std::vector<std::vector<uint8_t>>& entries);


struct StartupPack {
  std::vector<uint8_t> Banner;  // encoded images, as stored
  std::vector<uint8_t> RedPill;
  std::vector<uint8_t> BluePill;
  std::string AboutText;
};

struct HelpPack {
  std::array<std::vector<uint8_t>, 3> HelpImages;  // encoded images, help image 1..3
  std::vector<uint8_t> WelcomeLogo;
};

constexpr const char* kStartupPackPath = "data/bin/Quellor0.bin";
constexpr const char* kHelpPackPath = "data/bin/Quellor4.bin";

// Both need every entry of their pack; on failure the result is left empty.
bool LoadStartupPack(const std::string& baseDir, StartupPack& out);
bool LoadHelpPack(const std::string& baseDir, HelpPack& out);

}  // namespace quellor
