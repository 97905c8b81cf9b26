#include "music/sid/SidHeader.h"

#include <cstring>

namespace quellor::music {

namespace {
uint16_t Be16(std::span<const uint8_t> f, size_t at) { return static_cast<uint16_t>(f[at] << 8 | f[at + 1]); }
uint32_t Be32(std::span<const uint8_t> f, size_t at) {
  return static_cast<uint32_t>(f[at]) << 24 | static_cast<uint32_t>(f[at + 1]) << 16 |
         static_cast<uint32_t>(f[at + 2]) << 8 | f[at + 3];
}
// A 32-byte text field, which need not end with a NUL.
std::string Field(std::span<const uint8_t> f, size_t at) {
  size_t n = 0;
  while (n < 32 && f[at + n] != 0) ++n;
  return std::string(reinterpret_cast<const char*>(f.data() + at), n);
}
bool Fail(std::string* why, const char* text) {
  if (why) *why = text;
  return false;
}
constexpr size_t kHeaderV1 = 0x76;
constexpr size_t kHeaderV2 = 0x7C;
}  // namespace

bool ReadSidHeader(std::span<const uint8_t> f, SidInfo& out, std::string* why) {
  out = SidInfo{};
  if (f.size() < kHeaderV1) return Fail(why, "file too short for a SID header");
  bool psid = std::memcmp(f.data(), "PSID", 4) == 0;
  bool rsid = std::memcmp(f.data(), "RSID", 4) == 0;
  if (!psid && !rsid) return Fail(why, "no PSID or RSID signature");
  out.Rsid = rsid;
  out.Version = Be16(f, 4);
  if (out.Version < (rsid ? 2 : 1) || out.Version > 4) return Fail(why, "unknown SID header version");
  size_t headerSize = out.Version == 1 ? kHeaderV1 : kHeaderV2;
  if (f.size() < headerSize) return Fail(why, "file too short for a SID header");

  out.DataOffset = Be16(f, 6);
  uint16_t load = Be16(f, 8);
  out.InitAddress = Be16(f, 10);
  out.PlayAddress = Be16(f, 12);
  out.Songs = Be16(f, 14);
  out.StartSong = Be16(f, 16);
  out.Speed = Be32(f, 18);
  out.Name = Field(f, 22);
  out.Author = Field(f, 54);
  out.Released = Field(f, 86);
  if (out.Version >= 2) out.Flags = Be16(f, 0x76);

  if (out.DataOffset < headerSize || out.DataOffset >= f.size())
    return Fail(why, "SID data offset outside the file");
  size_t data = out.DataOffset;
  size_t dataSize = f.size() - data;
  if (load == 0) {
    // The C64 way: the data starts with its own little-endian load address.
    if (dataSize < 2) return Fail(why, "SID data too short for its load address");
    load = static_cast<uint16_t>(f[data] | f[data + 1] << 8);
    dataSize -= 2;
  } else if (rsid) {
    return Fail(why, "RSID tune with a load address in its header");
  }
  if (dataSize == 0) return Fail(why, "SID tune without C64 data");
  if (load + dataSize > 0x10000) return Fail(why, "SID data runs past the end of C64 memory");
  out.LoadAddress = load;
  out.DataSize = dataSize;
  if (out.InitAddress == 0) out.InitAddress = load;

  if (out.Songs == 0) return Fail(why, "SID tune with no songs");
  if (out.Songs > 256) out.Songs = 256;
  if (psid && (out.Flags & 0x01)) return Fail(why, "Sidplayer MUS data is not a playable tune");

  if (rsid) {
    if (out.PlayAddress != 0 || out.Speed != 0) return Fail(why, "RSID tune with a play address or speed");
    if (load < 0x07E8) return Fail(why, "RSID tune loads below $07E8");
    if (!out.BasicProgram()) {
      uint16_t init = out.InitAddress;
      bool inRom = (init >= 0xA000 && init < 0xC000) || init >= 0xD000;
      bool inData = init >= load && init < load + dataSize;
      if (inRom || !inData) return Fail(why, "RSID init address outside its data");
    }
  }
  return true;
}

}  // namespace quellor::music
