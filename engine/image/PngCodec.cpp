#include <png.h>

#include <cstring>

#include "engine/image/ImageCodec.h"

namespace quellor {

bool DecodePng(const uint8_t* data, size_t size, Image& out) {
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&img, data, size)) return false;
  if (img.width == 0 || img.height == 0 || img.width > kMaxImageSide || img.height > kMaxImageSide) {
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
