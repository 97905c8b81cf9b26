// Windows bitmap reader: core, info, V4 and V5 headers; 1/4/8-bit palettes, 16/24/32-bit
// pixels with or without bit fields, bottom-up and top-down rows, RLE8 and RLE4.
#include <cstdlib>

#include "engine/image/ImageBytes.h"
#include "engine/image/ImageCodec.h"

namespace quellor {

namespace {

using namespace imagebytes;

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;

struct BmpInfo {
  int64_t Width = 0;
  int64_t Height = 0;  // always positive here; TopDown keeps the sign
  bool TopDown = false;
  uint32_t Bpp = 0;
  uint32_t Compression = 0;
  uint32_t ColorsUsed = 0;
  bool Core = false;  // 12-byte OS/2 header: 3-byte palette entries
  uint64_t PaletteOffset = 0;
  uint64_t DataOffset = 0;
  MaskChannel R, G, B, A;
};

struct Rgba {
  uint8_t R, G, B, A;
};

bool ReadHeader(const uint8_t* d, size_t n, BmpInfo& info) {
  if (n < 26 || d[0] != 'B' || d[1] != 'M') return false;
  uint32_t headerSize = U32(d + 14);
  if (!InRange(n, 14, headerSize)) return false;
  uint32_t maskBytes = 0;
  if (headerSize == 12) {
    info.Core = true;
    info.Width = U16(d + 18);
    info.Height = U16(d + 20);
    info.Bpp = U16(d + 24);
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 ||
             headerSize == 108 || headerSize == 124) {
    info.Width = I32(d + 18);
    int64_t h = I32(d + 22);
    info.TopDown = h < 0;
    info.Height = h < 0 ? -h : h;
    info.Bpp = U16(d + 28);
    info.Compression = U32(d + 30);
    info.ColorsUsed = U32(d + 46);
    // The 64-byte OS/2 header gives compression values 3 and up other meanings.
    if (headerSize == 64 && info.Compression >= kBiBitfields) return false;
    uint32_t masks[4] = {0, 0, 0, 0};
    if (info.Compression == kBiBitfields || info.Compression == kBiAlphaBitfields) {
      if (headerSize == 40) {
        maskBytes = info.Compression == kBiAlphaBitfields ? 16 : 12;
        if (!InRange(n, 54, maskBytes)) return false;
        for (uint32_t i = 0; i < maskBytes / 4; ++i) masks[i] = U32(d + 54 + 4 * i);
      } else {
        for (uint32_t i = 0; i < 4 && 40 + 4 * i + 4 <= headerSize; ++i) masks[i] = U32(d + 54 + 4 * i);
      }
      info.R = MaskChannel::From(masks[0]);
      info.G = MaskChannel::From(masks[1]);
      info.B = MaskChannel::From(masks[2]);
      info.A = MaskChannel::From(masks[3]);
    }
  } else {
    return false;
  }
  if (info.Width <= 0 || info.Height <= 0 || info.Width > kMaxImageSide || info.Height > kMaxImageSide)
    return false;

  switch (info.Compression) {
    case kBiRgb:
      if (info.Bpp != 1 && info.Bpp != 4 && info.Bpp != 8 && info.Bpp != 16 && info.Bpp != 24 &&
          info.Bpp != 32)
        return false;
      if (info.Bpp == 16) {
        info.R = MaskChannel::From(0x7C00);
        info.G = MaskChannel::From(0x03E0);
        info.B = MaskChannel::From(0x001F);
      } else if (info.Bpp == 32) {  // the fourth byte of plain 32-bit bitmaps is padding
        info.R = MaskChannel::From(0x00FF0000);
        info.G = MaskChannel::From(0x0000FF00);
        info.B = MaskChannel::From(0x000000FF);
      }
      break;
    case kBiRle8:
      if (info.Bpp != 8 || info.TopDown) return false;
      break;
    case kBiRle4:
      if (info.Bpp != 4 || info.TopDown) return false;
      break;
    case kBiBitfields:
    case kBiAlphaBitfields:
      if (info.Bpp != 16 && info.Bpp != 32) return false;
      if (!info.R.Present() && !info.G.Present() && !info.B.Present()) return false;
      break;
    default:
      return false;
  }
  info.PaletteOffset = 14ull + headerSize + maskBytes;
  uint32_t offBits = U32(d + 10);
  info.DataOffset = offBits;
  if (info.Bpp <= 8) {
    uint64_t maxColors = 1ull << info.Bpp;
    uint64_t colors = info.ColorsUsed == 0 || info.ColorsUsed > maxColors ? maxColors : info.ColorsUsed;
    info.ColorsUsed = static_cast<uint32_t>(colors);
    uint64_t paletteBytes = colors * (info.Core ? 3 : 4);
    if (!InRange(n, info.PaletteOffset, paletteBytes)) return false;
    if (offBits == 0) info.DataOffset = info.PaletteOffset + paletteBytes;
  } else if (offBits == 0) {
    info.DataOffset = info.PaletteOffset;
  }
  return info.DataOffset >= 14ull + headerSize && info.DataOffset <= n;
}

void ReadPalette(const uint8_t* d, const BmpInfo& info, Rgba palette[256]) {
  for (int i = 0; i < 256; ++i) palette[i] = {0, 0, 0, 255};
  size_t entry = info.Core ? 3 : 4;
  for (uint32_t i = 0; i < info.ColorsUsed; ++i) {
    const uint8_t* p = d + info.PaletteOffset + i * entry;
    palette[i] = {p[2], p[1], p[0], 255};
  }
}

void Put(Image& img, int64_t x, int64_t fileRow, const BmpInfo& info, Rgba c) {
  int64_t y = info.TopDown ? fileRow : info.Height - 1 - fileRow;
  uint8_t* px = img.Rgba.data() + (static_cast<size_t>(y) * img.Width + static_cast<size_t>(x)) * 4;
  px[0] = c.R;
  px[1] = c.G;
  px[2] = c.B;
  px[3] = c.A;
}

bool DecodeUncompressed(const uint8_t* d, size_t n, const BmpInfo& info, Image& img) {
  uint64_t stride = ((static_cast<uint64_t>(info.Width) * info.Bpp + 31) / 32) * 4;
  if (!InRange(n, info.DataOffset, stride * static_cast<uint64_t>(info.Height))) return false;
  if (!AllocateRgba(img, info.Width, info.Height, kMaxImageSide)) return false;
  Rgba palette[256];
  if (info.Bpp <= 8) ReadPalette(d, info, palette);
  bool useAlpha = info.A.Present() && info.Bpp >= 16;
  bool anyAlpha = false;
  for (int64_t row = 0; row < info.Height; ++row) {
    const uint8_t* src = d + info.DataOffset + row * stride;
    for (int64_t x = 0; x < info.Width; ++x) {
      Rgba c{0, 0, 0, 255};
      switch (info.Bpp) {
        case 1: c = palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
        case 4: c = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF]; break;
        case 8: c = palette[src[x]]; break;
        case 24: c = {src[x * 3 + 2], src[x * 3 + 1], src[x * 3], 255}; break;
        case 16:
        case 32: {
          uint32_t v = info.Bpp == 16 ? U16(src + x * 2) : U32(src + x * 4);
          c = {info.R.Extract(v), info.G.Extract(v), info.B.Extract(v), 255};
          if (useAlpha) {
            c.A = info.A.Extract(v);
            anyAlpha = anyAlpha || c.A != 0;
          }
          break;
        }
      }
      Put(img, x, row, info, c);
    }
  }
  // Many writers declare an alpha mask but leave the channel zero: show those opaque.
  if (useAlpha && !anyAlpha)
    for (size_t i = 3; i < img.Rgba.size(); i += 4) img.Rgba[i] = 255;
  return true;
}

bool DecodeRle(const uint8_t* d, size_t n, const BmpInfo& info, Image& img) {
  // Runs and skips let a few bytes cover a whole image; refuse files far too small to be
  // an honest encoding of their claimed size before allocating for it.
  uint64_t pixels = static_cast<uint64_t>(info.Width) * static_cast<uint64_t>(info.Height);
  if (pixels > (1ull << 20) && pixels / 1024 > n) return false;
  if (!AllocateRgba(img, info.Width, info.Height, kMaxImageSide)) return false;  // transparent
  Rgba palette[256];
  ReadPalette(d, info, palette);
  const bool four = info.Compression == kBiRle4;
  int64_t x = 0, row = 0;
  auto emit = [&](uint8_t index) {
    if (x < info.Width && row < info.Height) Put(img, x, row, info, palette[index]);
    if (x < info.Width) ++x;
  };
  uint64_t p = info.DataOffset;
  for (;;) {
    if (row >= info.Height) return true;
    if (!InRange(n, p, 2)) return false;
    uint8_t count = d[p], value = d[p + 1];
    p += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) emit(four ? ((i & 1) ? value & 0xF : value >> 4) : value);
    } else if (value == 0) {  // end of line
      x = 0;
      ++row;
    } else if (value == 1) {  // end of bitmap
      return true;
    } else if (value == 2) {  // delta
      if (!InRange(n, p, 2)) return false;
      x = std::min<int64_t>(x + d[p], info.Width);
      row += d[p + 1];
      p += 2;
    } else {  // absolute run of `value` pixels, padded to whole words
      uint64_t bytes = four ? (value + 1u) / 2 : value;
      uint64_t padded = (bytes + 1) & ~1ull;
      if (!InRange(n, p, padded)) return false;
      for (int i = 0; i < value; ++i) {
        uint8_t b = d[p + (four ? i / 2 : i)];
        emit(four ? ((i & 1) ? b & 0xF : b >> 4) : b);
      }
      p += padded;
    }
  }
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, Image& out) {
  if (!data) return false;
  BmpInfo info;
  if (!ReadHeader(data, size, info)) return false;
  Image img;
  bool ok = info.Compression == kBiRle8 || info.Compression == kBiRle4
                ? DecodeRle(data, size, info, img)
                : DecodeUncompressed(data, size, info, img);
  if (!ok) return false;
  out = std::move(img);
  return true;
}

}  // namespace quellor
