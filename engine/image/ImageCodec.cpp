#include "engine/image/ImageCodec.h"

#include <cstdio>
#include <cstring>

namespace quellor {

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxBytes) {
  out.clear();
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bool ok = true;
  uint8_t buf[65536];
  for (;;) {
    size_t n = std::fread(buf, 1, sizeof buf, f);
    if (n == 0) break;
    if (out.size() + n > maxBytes) { ok = false; break; }
    out.insert(out.end(), buf, buf + n);
  }
  if (std::ferror(f)) ok = false;
  std::fclose(f);
  return ok;
}

ImageFormat DetectImageFormat(const uint8_t* data, size_t size) {
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (!data) return ImageFormat::Unknown;
  if (size >= 8 && std::memcmp(data, kPng, 8) == 0) return ImageFormat::Png;
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return ImageFormat::Jpeg;
  if (size >= 4 && std::memcmp(data, "DDS ", 4) == 0) return ImageFormat::Dds;
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return ImageFormat::Bmp;
  return ImageFormat::Unknown;
}

// Chosen by content: users rename files freely, and the extension proves nothing.
bool DecodeImage(const uint8_t* data, size_t size, Image& out) {
  switch (DetectImageFormat(data, size)) {
    case ImageFormat::Png: return DecodePng(data, size, out);
    case ImageFormat::Jpeg: return DecodeJpeg(data, size, out);
    case ImageFormat::Bmp: return DecodeBmp(data, size, out);
    case ImageFormat::Dds: return DecodeDds(data, size, out);
    case ImageFormat::Unknown: break;
  }
  return false;
}

bool DecodeImageFile(const std::string& path, Image& out) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, kMaxImageFileBytes)) return false;
  return DecodeImage(bytes.data(), bytes.size(), out);
}

bool WritePngFile(const std::string& path, const Image& img) {
  std::vector<uint8_t> bytes = EncodePng(img);
  if (bytes.empty()) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

}  // namespace quellor
