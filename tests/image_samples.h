#pragma once
// Small image files built byte by byte for the decoder tests: BMP and DDS headers with
// chosen fields, and JPEG files compressed here through libjpeg.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "engine/Engine.h"

namespace imgtest {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
inline void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline void Set32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Pads each row to a multiple of four bytes and joins them in the given (file) order.
inline Bytes BmpRows(const std::vector<Bytes>& rows) {
  Bytes out;
  for (const Bytes& r : rows) {
    out.insert(out.end(), r.begin(), r.end());
    for (size_t i = r.size(); i % 4 != 0; ++i) out.push_back(0xEE);
  }
  return out;
}

struct BmpSpec {
  int32_t Width = 1;
  int32_t Height = 1;  // negative: top-down
  uint16_t Bpp = 24;
  uint32_t Compression = 0;
  uint32_t HeaderSize = 40;  // 12, 40, 108 or 124
  std::vector<uint32_t> Palette;  // 0x00RRGGBB
  uint32_t ColorsUsed = 0;
  std::vector<uint32_t> Masks;  // after a 40-byte header, or inside a V4/V5 header
};

inline Bytes MakeBmp(const BmpSpec& s, const Bytes& pixels) {
  Bytes h;
  h.push_back('B');
  h.push_back('M');
  Put32(h, 0);  // file size, patched below
  Put32(h, 0);
  Put32(h, 0);  // data offset, patched below
  Put32(h, s.HeaderSize);
  if (s.HeaderSize == 12) {
    Put16(h, static_cast<uint32_t>(s.Width));
    Put16(h, static_cast<uint32_t>(s.Height));
    Put16(h, 1);
    Put16(h, s.Bpp);
  } else {
    Put32(h, static_cast<uint32_t>(s.Width));
    Put32(h, static_cast<uint32_t>(s.Height));
    Put16(h, 1);
    Put16(h, s.Bpp);
    Put32(h, s.Compression);
    Put32(h, static_cast<uint32_t>(pixels.size()));
    Put32(h, 2835);
    Put32(h, 2835);
    Put32(h, s.ColorsUsed);
    Put32(h, 0);
    if (s.HeaderSize == 40) {
      for (uint32_t m : s.Masks) Put32(h, m);
    } else {
      for (size_t i = 0; i < 4; ++i) Put32(h, i < s.Masks.size() ? s.Masks[i] : 0);
      while (h.size() < 14 + s.HeaderSize) h.push_back(0);
    }
  }
  for (uint32_t c : s.Palette) {
    h.push_back(static_cast<uint8_t>(c));
    h.push_back(static_cast<uint8_t>(c >> 8));
    h.push_back(static_cast<uint8_t>(c >> 16));
    if (s.HeaderSize != 12) h.push_back(0);
  }
  Set32(h, 10, static_cast<uint32_t>(h.size()));
  h.insert(h.end(), pixels.begin(), pixels.end());
  Set32(h, 2, static_cast<uint32_t>(h.size()));
  return h;
}

constexpr uint32_t kDdsFourCC = 0x4, kDdsRgb = 0x40, kDdsAlphaPixels = 0x1, kDdsLuminance = 0x20000,
                   kDdsAlpha = 0x2;

inline uint32_t FourCC(const char* s) {
  return static_cast<uint8_t>(s[0]) | (static_cast<uint8_t>(s[1]) << 8) | (static_cast<uint8_t>(s[2]) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(s[3])) << 24);
}

struct DdsSpec {
  uint32_t Width = 4;
  uint32_t Height = 4;
  uint32_t PfFlags = kDdsFourCC;
  uint32_t FourCC = 0;
  uint32_t Bits = 0;
  uint32_t Masks[4] = {0, 0, 0, 0};  // R, G, B, A
  uint32_t MipCount = 1;
};

inline Bytes MakeDds(const DdsSpec& s, const Bytes& data) {
  Bytes b;
  Put32(b, 0x20534444);
  Put32(b, 124);
  Put32(b, 0x1 | 0x2 | 0x4 | 0x1000 | (s.MipCount > 1 ? 0x20000 : 0));
  Put32(b, s.Height);
  Put32(b, s.Width);
  Put32(b, 0);  // pitch or linear size: left 0, as many writers do
  Put32(b, 0);
  Put32(b, s.MipCount);
  for (int i = 0; i < 11; ++i) Put32(b, 0);
  Put32(b, 32);
  Put32(b, s.PfFlags);
  Put32(b, s.FourCC);
  Put32(b, s.Bits);
  for (uint32_t m : s.Masks) Put32(b, m);
  Put32(b, 0x1000);
  for (int i = 0; i < 4; ++i) Put32(b, 0);
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

struct JpegOptions {
  int Quality = 100;
  bool Progressive = false;
  bool FullChroma = true;  // no chroma subsampling, so flat colour areas stay exact
};

// Compresses w x h pixels of `components` bytes each (1 gray, 3 RGB, 4 CMYK).
inline Bytes EncodeJpeg(const uint8_t* pixels, int w, int h, int components, const JpegOptions& o = {}) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* mem = nullptr;
  unsigned long memSize = 0;
  jpeg_mem_dest(&c, &mem, &memSize);
  c.image_width = static_cast<JDIMENSION>(w);
  c.image_height = static_cast<JDIMENSION>(h);
  c.input_components = components;
  c.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, o.Quality, TRUE);
  if (o.FullChroma)
    for (int i = 0; i < c.num_components; ++i) c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
  if (o.Progressive) jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<uint8_t*>(pixels + static_cast<size_t>(c.next_scanline) * w * components);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  Bytes out(mem, mem + memSize);
  free(mem);
  return out;
}

inline const uint8_t* Px(const quellor::Image& img, int x, int y) {
  return img.Rgba.data() + (static_cast<size_t>(y) * img.Width + x) * 4;
}

inline bool WriteFile(const std::string& path, const Bytes& b) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = b.empty() || std::fwrite(b.data(), 1, b.size(), f) == b.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace imgtest
