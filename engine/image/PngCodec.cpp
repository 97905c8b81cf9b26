#include <png.h>

#include <cstring>

#include "engine/image/ImageCodec.h"

namespace quellor {

namespace {
// Deflate cannot compress by more than about 1032:1, and every row holds at least a
// filter byte and one bit per pixel; headers claiming more are refused before the
// output buffer is allocated.
constexpr uint64_t kMaxDeflateRatio = 1040;

uint32_t Be32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

// libpng stops reading once the pixels are complete; a file cut inside its trailing
// chunks would pass. The chunk chain must reach IEND inside the data.
bool ChunksReachEnd(const uint8_t* data, size_t size) {
  size_t pos = 8;
  while (size - pos >= 12) {
    uint64_t len = Be32(data + pos);
    if (len > 0x7FFFFFFFu || len + 12 > size - pos) return false;
    if (std::memcmp(data + pos + 4, "IEND", 4) == 0) return true;
    pos += static_cast<size_t>(len) + 12;
  }
  return false;
}
}  // namespace

// The simplified libpng interface catches libpng's own error jumps inside libpng and
// reports them as a false return, so no jump ever crosses these C++ frames.
bool DecodePng(const uint8_t* data, size_t size, Image& out) {
  if (!data || size < 8 || !ChunksReachEnd(data, size)) return false;
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&img, data, size)) return false;
  if (img.width == 0 || img.height == 0 || img.width > kMaxImageSide || img.height > kMaxImageSide ||
      static_cast<uint64_t>(img.height) * ((img.width + 7) / 8 + 1) > size * kMaxDeflateRatio + 1024) {
    png_image_free(&img);
    return false;
  }
  img.format = PNG_FORMAT_RGBA;
  Image result;
  result.Width = static_cast<int>(img.width);
  result.Height = static_cast<int>(img.height);
  result.Rgba.resize(PNG_IMAGE_SIZE(img));
  if (!png_image_finish_read(&img, nullptr, result.Rgba.data(), 0, nullptr)) {
    png_image_free(&img);
    return false;
  }
  out = std::move(result);
  return true;
}

std::vector<uint8_t> EncodePng(const Image& src) {
  std::vector<uint8_t> bytes;
  if (src.Width <= 0 || src.Height <= 0 ||
      src.Rgba.size() < static_cast<size_t>(src.Width) * src.Height * 4)
    return bytes;
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  img.width = static_cast<png_uint_32>(src.Width);
  img.height = static_cast<png_uint_32>(src.Height);
  img.format = PNG_FORMAT_RGBA;
  png_alloc_size_t len = 0;
  if (!png_image_write_to_memory(&img, nullptr, &len, 0, src.Rgba.data(), 0, nullptr)) return bytes;
  bytes.resize(len);
  if (!png_image_write_to_memory(&img, bytes.data(), &len, 0, src.Rgba.data(), 0, nullptr)) bytes.clear();
  bytes.resize(len);
  return bytes;
}

}  // namespace quellor
