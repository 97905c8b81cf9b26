#pragma once
// The PSID / RSID header of a C64 SID tune. All numbers in the file are big-endian; the
// record holds them in the machine's order.
#include <cstdint>
#include <span>
#include <string>

namespace quellor::music {

struct SidInfo {
  bool Rsid = false;         // "RSID": expects a real C64 (KERNAL, BASIC, character ROM)
  uint16_t Version = 0;
  uint16_t DataOffset = 0;
  uint16_t LoadAddress = 0;  // effective: from the header, or the data's first two bytes
  uint16_t InitAddress = 0;  // effective: 0 in the file means the load address
  uint16_t PlayAddress = 0;
  uint16_t Songs = 0;        // offset 14
  uint16_t StartSong = 0;    // offset 16, 1-based, as the file has it
  uint32_t Speed = 0;
  uint16_t Flags = 0;        // version 2 and later
  size_t DataSize = 0;       // C64 bytes after the load address
  std::string Name, Author, Released;  // offsets 22, 54, 86; 32 bytes each

  // 0-based song to start with: StartSong - 1, or the first song when the header
  // names none or one past the end.
  int StartIndex() const { return StartSong == 0 || StartSong > Songs ? 0 : StartSong - 1; }
  // An RSID tune that is a BASIC program.
  bool BasicProgram() const { return Rsid && (Flags & 0x02) != 0; }
};

// Reads and checks the header against the file: magic and version, the data offset, the
// load range within the C64's 64 KB, the song count and the extra RSID rules. False with
// a reason when the file is not a tune the replayer can run.
bool ReadSidHeader(std::span<const uint8_t> file, SidInfo& out, std::string* why);

}  // namespace quellor::music
