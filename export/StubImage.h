#pragma once
// Player stubs as the editor ships them: "Data/bin/QuellorN.bin", a 32-bit
// little-endian unpacked length TL followed by one JCALG1 stream of the executable.
// The slots of an image are found by their seven-character tags.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "export/slots/SlotLayout.h"

namespace quellor {

// Stub file name for a music type: 0 -> Quellor1.bin, 1 -> 2, 2 -> 3, 3 -> 5; "" for
// any other type.
std::string StubFileName(int32_t musicType);

// Larger stubs are not read: an image this size is no player.
constexpr uint64_t kMaxStubImageBytes = 256u << 20;
// The image buffer is this much longer than the image, so a tag can be compared at its
// very last byte.
constexpr size_t kStubMargin = 8;

struct StubImage {
  std::vector<uint8_t> Buffer;  // the image, then at least kStubMargin zero bytes
  size_t Size = 0;              // bytes of the image
  uint32_t TL = 0;              // unpacked length the file announces
  int64_t FL = 0;               // file length (0 when it could not be opened)
};

// A stub file for an executable image: TL, then the image as one JCALG1 stream.
std::vector<uint8_t> PackStub(const std::vector<uint8_t>& image);

// Reads and decodes a stub file. False when it cannot be opened or read, announces an
// impossible length, or does not decode; TL and FL are filled as far as they were read.
bool LoadStub(const std::string& path, StubImage& out);

// The tag of a slot, e.g. "QLRX_ST".
const char* SlotTag(slots::SlotId id);

// Where each slot starts (8 bytes after the first byte of its tag's last occurrence),
// -1 for tags the image lacks. Compares at every position from 0 to size inclusive;
// `buffer` must hold at least size + kStubMargin bytes.
std::array<int64_t, slots::kSlotCount> FindSlots(const uint8_t* buffer, size_t size);

// How often the slot's tag occurs in the image (a stub must hold each exactly once).
size_t CountTag(const std::vector<uint8_t>& image, slots::SlotId id);

// Room of a slot: the capacity our stubs store in the 4 bytes in front of its tag,
// never reaching past the image's end. 0 when the slot lies outside the image.
size_t SlotRoom(const StubImage& image, int64_t slotStart);

}  // namespace quellor
