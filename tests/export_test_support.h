#pragma once
// Stubs made by the tests: an image with every slot laid out as our stubs lay it out
// (room, tag, room bytes of a fill value), packed as a stub file, and the offsets the
// builder chose, so checks do not depend on the exporter's own scan.
#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "engine/recording/RecordingEngine.h"
#include "export/StubImage.h"
#include "export/slots/SlotLayout.h"
#include "tests/project_test_support.h"

namespace quellor::testsupport {

struct TestStub {
  std::vector<uint8_t> Image;
  std::array<size_t, slots::kSlotCount> SlotAt{};  // 0 for a slot left out
};

inline void PutLe32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

// Every slot gets `room` bytes (its field bytes plus `room` for a payload), filled with
// `fill`. `leaveOut` names a slot whose tag the stub lacks; `roomOf` overrides one room.
struct StubShape {
  uint32_t PayloadRoom = 4096;
  uint8_t Fill = 0xEE;
  int LeaveOut = -1;
  int SmallSlot = -1;
  uint32_t SmallRoom = 0;
};

inline TestStub MakeStub(const StubShape& shape = {}) {
  TestStub s;
  const char prefix[] = "MZ-not-really-an-executable-";
  s.Image.assign(prefix, prefix + sizeof prefix);
  for (int i = 0; i < slots::kSlotCount; ++i) {
    if (i == shape.LeaveOut) continue;
    const auto id = static_cast<slots::SlotId>(i);
    uint32_t room = slots::SlotCapacity(id) - slots::SlotPayloadRoom(id) + shape.PayloadRoom;
    if (i == shape.SmallSlot) room = shape.SmallRoom;
    PutLe32(s.Image, room);
    const char* tag = SlotTag(id);
    s.Image.insert(s.Image.end(), tag, tag + 7);
    s.Image.push_back(0);
    s.SlotAt[i] = s.Image.size();
    s.Image.insert(s.Image.end(), room, shape.Fill);
  }
  const char suffix[] = "-end-of-image";
  s.Image.insert(s.Image.end(), suffix, suffix + sizeof suffix);
  return s;
}

inline void WriteBytes(const fs::path& p, const std::vector<uint8_t>& bytes) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const fs::path& p) {
  std::string s = ReadText(p);
  return {s.begin(), s.end()};
}

// Reads of an exported image at a slot of the test stub.
struct SlotCheck {
  const std::vector<uint8_t>& Out;
  const TestStub& Stub;
  size_t At(slots::SlotId id, size_t offset) const { return Stub.SlotAt[static_cast<int>(id)] + offset; }
  int32_t Long(slots::SlotId id, size_t offset) const {
    int32_t v;
    std::memcpy(&v, &Out[At(id, offset)], 4);
    return v;
  }
  float Float(slots::SlotId id, size_t offset) const {
    float v;
    std::memcpy(&v, &Out[At(id, offset)], 4);
    return v;
  }
  std::vector<uint8_t> Bytes(slots::SlotId id, size_t offset, size_t n) const {
    return {Out.begin() + At(id, offset), Out.begin() + At(id, offset) + n};
  }
  std::string Text(slots::SlotId id, size_t offset) const {
    return std::string(reinterpret_cast<const char*>(&Out[At(id, offset)]));
  }
};

// Distinct bytes of a given length for an asset file.
inline std::vector<uint8_t> AssetBytes(size_t n, uint8_t seed) {
  std::vector<uint8_t> b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(seed + i * 7);
  return b;
}

}  // namespace quellor::testsupport
