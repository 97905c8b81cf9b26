#include "engine/image/ImageCodec.h"

#include <cstdio>

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

bool DecodeImage(const uint8_t* data, size_t size, Image& out) {
  if (!data || size < 8) return false;
  if (data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G') return DecodePng(data, size, out);
  return false;
}

bool DecodeImageFile(const std::string& path, Image& out) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes, 256u << 20)) return false;
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
