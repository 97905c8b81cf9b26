// DirectDraw surface reader: DXT1 (with its one-bit alpha), DXT2/3, DXT4/5 and
// uncompressed RGB, RGBA, luminance and alpha surfaces described by bit masks.
// Only the first surface (largest mip level, first face or slice) is decoded.
#include "engine/image/DdsCodec.h"

#include "engine/image/ImageBytes.h"
#include "engine/image/ImageCodec.h"

namespace quellor {

namespace {

using namespace imagebytes;

constexpr uint32_t kMagic = 0x20534444;  // "DDS "
constexpr uint32_t kHeaderSize = 124;
constexpr size_t kDataOffset = 4 + kHeaderSize;
constexpr uint32_t kPfAlphaPixels = 0x1, kPfAlpha = 0x2, kPfFourCC = 0x4, kPfRgb = 0x40,
                   kPfLuminance = 0x20000;

constexpr uint32_t FourCC(char a, char b, char c, char d) {
  return static_cast<uint32_t>(static_cast<uint8_t>(a)) | (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8) |
         (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24);
}

void Expand565(uint16_t c, uint8_t* rgb) {
  uint32_t r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
  rgb[0] = static_cast<uint8_t>((r << 3) | (r >> 2));
  rgb[1] = static_cast<uint8_t>((g << 2) | (g >> 4));
  rgb[2] = static_cast<uint8_t>((b << 3) | (b >> 2));
}

enum class Kind { Dxt1, Dxt3, Dxt5 };

bool DecodeBlocks(const uint8_t* d, size_t n, int w, int h, Kind kind, Image& out) {
  const uint64_t blockBytes = kind == Kind::Dxt1 ? 8 : 16;
  const uint64_t bw = (static_cast<uint64_t>(w) + 3) / 4, bh = (static_cast<uint64_t>(h) + 3) / 4;
  if (!InRange(n, kDataOffset, bw * bh * blockBytes)) return false;
  Image img;
  if (!AllocateRgba(img, w, h, kMaxImageSide)) return false;
  const uint8_t* p = d + kDataOffset;
  uint8_t block[16][4];
  for (uint64_t by = 0; by < bh; ++by) {
    for (uint64_t bx = 0; bx < bw; ++bx, p += blockBytes) {
      const uint8_t* colour = kind == Kind::Dxt1 ? p : p + 8;
      DecodeDxtColourBlock(colour, kind == Kind::Dxt1, block);
      if (kind == Kind::Dxt3) DecodeDxt3AlphaBlock(p, block);
      if (kind == Kind::Dxt5) DecodeDxt5AlphaBlock(p, block);
      for (int py = 0; py < 4; ++py) {
        uint64_t y = by * 4 + py;
        if (y >= static_cast<uint64_t>(h)) break;
        for (int px = 0; px < 4; ++px) {
          uint64_t x = bx * 4 + px;
          if (x >= static_cast<uint64_t>(w)) break;
          uint8_t* dst = img.Rgba.data() + (y * w + x) * 4;
          for (int c = 0; c < 4; ++c) dst[c] = block[py * 4 + px][c];
        }
      }
    }
  }
  out = std::move(img);
  return true;
}

bool DecodeMasked(const uint8_t* d, size_t n, int w, int h, const uint8_t* pf, Image& out) {
  const uint32_t flags = U32(pf + 4), bits = U32(pf + 12);
  if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  const bool rgb = flags & kPfRgb, lum = flags & kPfLuminance, alphaOnly = flags & kPfAlpha;
  if (!rgb && !lum && !alphaOnly) return false;
  const MaskChannel r = MaskChannel::From(U32(pf + 16)), g = MaskChannel::From(U32(pf + 20)),
                    b = MaskChannel::From(U32(pf + 24)), a = MaskChannel::From(U32(pf + 28));
  const bool hasAlpha = (flags & (kPfAlphaPixels | kPfAlpha)) && a.Present();
  if (rgb && !r.Present() && !g.Present() && !b.Present()) return false;
  if (!rgb && lum && !r.Present()) return false;
  if (!rgb && !lum && !hasAlpha) return false;
  const uint64_t bytesPerPixel = bits / 8;
  const uint64_t rowBytes = static_cast<uint64_t>(w) * bytesPerPixel;
  if (!InRange(n, kDataOffset, rowBytes * static_cast<uint64_t>(h))) return false;
  Image img;
  if (!AllocateRgba(img, w, h, kMaxImageSide)) return false;
  const uint8_t* p = d + kDataOffset;
  uint8_t* dst = img.Rgba.data();
  for (uint64_t i = 0, count = static_cast<uint64_t>(w) * h; i < count; ++i, p += bytesPerPixel, dst += 4) {
    uint32_t v = 0;
    for (uint64_t k = 0; k < bytesPerPixel; ++k) v |= static_cast<uint32_t>(p[k]) << (8 * k);
    if (rgb) {
      dst[0] = r.Extract(v);
      dst[1] = g.Extract(v);
      dst[2] = b.Extract(v);
    } else if (lum) {
      dst[0] = dst[1] = dst[2] = r.Extract(v);
    }  // alpha-only surfaces stay black, as they sample
    dst[3] = hasAlpha ? a.Extract(v) : 255;
  }
  out = std::move(img);
  return true;
}

}  // namespace

void DecodeDxtColourBlock(const uint8_t* src, bool allowTransparent, uint8_t out[16][4]) {
  const uint16_t c0 = U16(src), c1 = U16(src + 2);
  uint8_t pal[4][4];
  Expand565(c0, pal[0]);
  Expand565(c1, pal[1]);
  pal[0][3] = pal[1][3] = 255;
  if (c0 > c1 || !allowTransparent) {
    for (int c = 0; c < 3; ++c) {
      pal[2][c] = static_cast<uint8_t>((2 * pal[0][c] + pal[1][c]) / 3);
      pal[3][c] = static_cast<uint8_t>((pal[0][c] + 2 * pal[1][c]) / 3);
    }
    pal[2][3] = pal[3][3] = 255;
  } else {
    for (int c = 0; c < 3; ++c) pal[2][c] = static_cast<uint8_t>((pal[0][c] + pal[1][c]) / 2);
    pal[2][3] = 255;
    pal[3][0] = pal[3][1] = pal[3][2] = pal[3][3] = 0;
  }
  const uint32_t indices = U32(src + 4);
  for (int i = 0; i < 16; ++i) {
    const uint8_t* c = pal[(indices >> (2 * i)) & 3];
    for (int k = 0; k < 4; ++k) out[i][k] = c[k];
  }
}

void DecodeDxt3AlphaBlock(const uint8_t* src, uint8_t out[16][4]) {
  for (int i = 0; i < 16; ++i) {
    uint8_t nibble = (src[i / 2] >> ((i & 1) * 4)) & 0xF;
    out[i][3] = static_cast<uint8_t>(nibble * 17);
  }
}

void DecodeDxt5AlphaBlock(const uint8_t* src, uint8_t out[16][4]) {
  const uint32_t a0 = src[0], a1 = src[1];
  uint8_t levels[8];
  levels[0] = static_cast<uint8_t>(a0);
  levels[1] = static_cast<uint8_t>(a1);
  if (a0 > a1) {
    for (uint32_t i = 1; i <= 6; ++i) levels[i + 1] = static_cast<uint8_t>(((7 - i) * a0 + i * a1) / 7);
  } else {
    for (uint32_t i = 1; i <= 4; ++i) levels[i + 1] = static_cast<uint8_t>(((5 - i) * a0 + i * a1) / 5);
    levels[6] = 0;
    levels[7] = 255;
  }
  uint64_t bits = 0;
  for (int k = 0; k < 6; ++k) bits |= static_cast<uint64_t>(src[2 + k]) << (8 * k);
  for (int i = 0; i < 16; ++i) out[i][3] = levels[(bits >> (3 * i)) & 7];
}

bool DecodeDds(const uint8_t* data, size_t size, Image& out) {
  if (!data || size < kDataOffset || U32(data) != kMagic) return false;
  const uint8_t* hdr = data + 4;
  if (U32(hdr) != kHeaderSize) return false;
  const uint32_t h = U32(hdr + 8), w = U32(hdr + 12);
  if (w == 0 || h == 0 || w > static_cast<uint32_t>(kMaxImageSide) || h > static_cast<uint32_t>(kMaxImageSide))
    return false;
  const uint8_t* pf = hdr + 72;
  const uint32_t flags = U32(pf + 4);
  if (flags & kPfFourCC) {
    // DXT2 and DXT4 carry premultiplied colour; it is passed on as stored.
    switch (U32(pf + 8)) {
      case FourCC('D', 'X', 'T', '1'): return DecodeBlocks(data, size, w, h, Kind::Dxt1, out);
      case FourCC('D', 'X', 'T', '2'):
      case FourCC('D', 'X', 'T', '3'): return DecodeBlocks(data, size, w, h, Kind::Dxt3, out);
      case FourCC('D', 'X', 'T', '4'):
      case FourCC('D', 'X', 'T', '5'): return DecodeBlocks(data, size, w, h, Kind::Dxt5, out);
      default: return false;  // DX10 headers and other codecs are not read
    }
  }
  return DecodeMasked(data, size, static_cast<int>(w), static_cast<int>(h), pf, out);
}

}  // namespace quellor
