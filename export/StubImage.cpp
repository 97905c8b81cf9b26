#include "export/StubImage.h"

#include <cstring>
#include <filesystem>

#include "engine/image/ImageCodec.h"
#include "export/jcalg1/Jcalg1.h"
#include "export/slots/SlotIo.h"
#include "project/PathResolve.h"

namespace quellor {

namespace {
#define QUELLOR_SLOT(id, tag) tag,
constexpr const char* kTags[slots::kSlotCount] = {
#include "export/slots/SlotTags.def"
};
#undef QUELLOR_SLOT
constexpr size_t kTagChars = 7;
}  // namespace

std::string StubFileName(int32_t musicType) {
  switch (musicType) {
    case 0: return "Quellor1.bin";
    case 1: return "Quellor2.bin";
    case 2: return "Quellor3.bin";
    case 3: return "Quellor5.bin";  // there is no variant 4
    default: return {};
  }
}

const char* SlotTag(slots::SlotId id) {
  const int i = static_cast<int>(id);
  return i >= 0 && i < slots::kSlotCount ? kTags[i] : "";
}

std::vector<uint8_t> PackStub(const std::vector<uint8_t>& image) {
  std::vector<uint8_t> out;
  slots::PutLong(out, static_cast<int32_t>(image.size()));
  std::vector<uint8_t> stream = Jcalg1Compress(image.data(), image.size());
  out.insert(out.end(), stream.begin(), stream.end());
  return out;
}

size_t CountTag(const std::vector<uint8_t>& image, slots::SlotId id) {
  const char* tag = SlotTag(id);
  size_t n = 0;
  for (size_t p = 0; p + kTagChars <= image.size(); ++p)
    if (image[p] == 'Q' && std::memcmp(&image[p], tag, kTagChars) == 0) ++n;
  return n;
}

bool LoadStub(const std::string& path, StubImage& out) {
  out = StubImage{};
  std::string resolved = ResolvePath(path);
  std::error_code ec;
  if (!PathIsSafeToRead(resolved) || !std::filesystem::is_regular_file(resolved, ec)) return false;
  const uintmax_t fileSize = std::filesystem::file_size(resolved, ec);
  if (ec) return false;
  out.FL = static_cast<int64_t>(fileSize);
  // A stream is far smaller than its image; a file above the image limit is no stub.
  std::vector<uint8_t> file;
  if (fileSize > kMaxStubImageBytes || !ReadWholeFile(resolved, file, kMaxStubImageBytes))
    return false;
  out.FL = static_cast<int64_t>(file.size());
  if (file.size() < 4) return false;
  out.TL = static_cast<uint32_t>(slots::GetLong(file.data()));
  Jcalg1Header header;
  if (!Jcalg1ReadHeader(file.data() + 4, file.size() - 4, header)) return false;
  // The stream must fit the buffer the length announces, margin not counted.
  if (out.TL == 0 || out.TL > kMaxStubImageBytes || header.UnpackedSize == 0 ||
      header.UnpackedSize > out.TL)
    return false;
  out.Buffer.assign(static_cast<size_t>(out.TL) + kStubMargin, 0);
  if (!Jcalg1Decompress(file.data() + 4, file.size() - 4, out.Buffer.data(), header.UnpackedSize)) {
    out.Buffer.clear();
    return false;
  }
  out.Size = header.UnpackedSize;
  return true;
}

std::array<int64_t, slots::kSlotCount> FindSlots(const uint8_t* buffer, size_t size) {
  std::array<int64_t, slots::kSlotCount> at;
  at.fill(-1);
  // Every tag starts with "QL"; only there is a full comparison worth making.
  const uint8_t* p = buffer;
  const uint8_t* last = buffer + size;  // inclusive
  while (p <= last) {
    p = static_cast<const uint8_t*>(std::memchr(p, 'Q', static_cast<size_t>(last - p) + 1));
    if (!p) break;
    if (p[1] == 'L') {
      for (int i = 0; i < slots::kSlotCount; ++i)
        if (std::memcmp(p, kTags[i], kTagChars) == 0) at[i] = (p - buffer) + 8;
    }
    ++p;
  }
  return at;
}

size_t SlotRoom(const StubImage& image, int64_t slotStart) {
  if (slotStart < 12 || static_cast<uint64_t>(slotStart) > image.Size) return 0;
  const size_t start = static_cast<size_t>(slotStart);
  const size_t declared = static_cast<uint32_t>(slots::GetLong(image.Buffer.data() + start - 12));
  return std::min(declared, image.Size - start);
}

}  // namespace quellor
