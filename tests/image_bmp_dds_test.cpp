#include <gtest/gtest.h>

#include <array>

#include "engine/image/DdsCodec.h"
#include "engine/image/ImageCodec.h"
#include "image_samples.h"

using namespace quellor;
using namespace imgtest;

namespace {

using Rgba = std::array<int, 4>;

Rgba At(const Image& img, int x, int y) {
  const uint8_t* p = Px(img, x, y);
  return {p[0], p[1], p[2], p[3]};
}

Image MustDecode(const Bytes& b) {
  Image img;
  EXPECT_TRUE(DecodeImage(b.data(), b.size(), img));
  EXPECT_EQ(img.Rgba.size(), static_cast<size_t>(img.Width) * img.Height * 4);
  return img;
}

}  // namespace

TEST(ImageBmp, TrueColourRowsOrderAndPadding) {
  // 24-bit, bottom-up: the first stored row is the bottom one; rows pad to 4 bytes.
  BmpSpec s;
  s.Width = 3;
  s.Height = 2;
  Image img = MustDecode(MakeBmp(s, BmpRows({{1, 2, 3, 4, 5, 6, 7, 8, 9}, {10, 11, 12, 13, 14, 15, 16, 17, 18}})));
  ASSERT_EQ(img.Width, 3);
  ASSERT_EQ(img.Height, 2);
  EXPECT_EQ(At(img, 0, 0), (Rgba{12, 11, 10, 255}));
  EXPECT_EQ(At(img, 2, 0), (Rgba{18, 17, 16, 255}));
  EXPECT_EQ(At(img, 0, 1), (Rgba{3, 2, 1, 255}));
  EXPECT_EQ(At(img, 2, 1), (Rgba{9, 8, 7, 255}));

  // 32-bit top-down: first stored row on top; the fourth byte of plain 32-bit is padding.
  s.Width = 2;
  s.Height = -2;
  s.Bpp = 32;
  img = MustDecode(MakeBmp(s, BmpRows({{1, 2, 3, 0x80, 4, 5, 6, 0}, {7, 8, 9, 0, 10, 11, 12, 0}})));
  ASSERT_EQ(img.Height, 2);
  EXPECT_EQ(At(img, 0, 0), (Rgba{3, 2, 1, 255}));
  EXPECT_EQ(At(img, 1, 1), (Rgba{12, 11, 10, 255}));

  // OS/2 core header with 24-bit pixels.
  BmpSpec core;
  core.HeaderSize = 12;
  core.Width = 1;
  core.Height = 1;
  img = MustDecode(MakeBmp(core, BmpRows({{30, 20, 10}})));
  EXPECT_EQ(At(img, 0, 0), (Rgba{10, 20, 30, 255}));
}

TEST(ImageBmp, PalettesOfOneFourAndEightBits) {
  BmpSpec s;
  s.Bpp = 8;
  s.Width = 3;
  s.Height = 1;
  s.Palette = {0x112233, 0x445566, 0x778899};
  s.ColorsUsed = 3;
  // Index 200 lies beyond the three colours: shown black, never read from outside.
  Image img = MustDecode(MakeBmp(s, BmpRows({{2, 0, 200}})));
  EXPECT_EQ(At(img, 0, 0), (Rgba{0x77, 0x88, 0x99, 255}));
  EXPECT_EQ(At(img, 1, 0), (Rgba{0x11, 0x22, 0x33, 255}));
  EXPECT_EQ(At(img, 2, 0), (Rgba{0, 0, 0, 255}));

  s.Bpp = 4;
  s.Width = 5;
  s.ColorsUsed = 0;
  s.Palette.assign(16, 0);
  for (uint32_t i = 0; i < 16; ++i) s.Palette[i] = i * 0x101010;
  img = MustDecode(MakeBmp(s, BmpRows({{0x12, 0x34, 0x50}})));
  for (int x = 0; x < 5; ++x) EXPECT_EQ(At(img, x, 0)[0], (x + 1) * 0x10) << x;

  s.Bpp = 1;
  s.Width = 10;
  s.Palette = {0x000000, 0xFFFFFF};
  img = MustDecode(MakeBmp(s, BmpRows({{0xB0, 0x40}})));
  const int expect[10] = {1, 0, 1, 1, 0, 0, 0, 0, 0, 1};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(At(img, x, 0)[1], expect[x] * 255) << x;
}

TEST(ImageBmp, SixteenAndThirtyTwoBitFields) {
  // Plain 16-bit is 5-5-5; narrow fields stretch so that their maximum is 255.
  BmpSpec s;
  s.Bpp = 16;
  s.Width = 3;
  Image img = MustDecode(MakeBmp(s, BmpRows({{0x00, 0x7C, 0xE0, 0x03, 0x10, 0x42}})));
  EXPECT_EQ(At(img, 0, 0), (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(At(img, 1, 0), (Rgba{0, 255, 0, 255}));
  EXPECT_EQ(At(img, 2, 0), (Rgba{132, 132, 132, 255}));  // 16 of 31

  // 5-6-5 declared by bit fields after the 40-byte header.
  s.Compression = 3;
  s.Masks = {0xF800, 0x07E0, 0x001F};
  img = MustDecode(MakeBmp(s, BmpRows({{0xE0, 0x07, 0x00, 0x04, 0x1F, 0x00}})));
  EXPECT_EQ(At(img, 0, 0), (Rgba{0, 255, 0, 255}));
  EXPECT_EQ(At(img, 1, 0), (Rgba{0, 130, 0, 255}));  // 32 of 63
  EXPECT_EQ(At(img, 2, 0), (Rgba{0, 0, 255, 255}));

  // 32-bit with bytes in R, G, B, X order: the masks decide, not the usual layout.
  s.Bpp = 32;
  s.Width = 1;
  s.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
  img = MustDecode(MakeBmp(s, BmpRows({{10, 20, 30, 40}})));
  EXPECT_EQ(At(img, 0, 0), (Rgba{10, 20, 30, 255}));

  // V5 header with an alpha mask keeps the alpha.
  s.HeaderSize = 124;
  s.Width = 2;
  s.Masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  img = MustDecode(MakeBmp(s, BmpRows({{0x10, 0x20, 0x30, 0x40, 1, 2, 3, 0}})));
  EXPECT_EQ(At(img, 0, 0), (Rgba{0x30, 0x20, 0x10, 0x40}));
  EXPECT_EQ(At(img, 1, 0), (Rgba{3, 2, 1, 0}));
  // An alpha mask over an all-zero channel means the writer never filled it: opaque.
  img = MustDecode(MakeBmp(s, BmpRows({{0x10, 0x20, 0x30, 0, 1, 2, 3, 0}})));
  EXPECT_EQ(At(img, 0, 0)[3], 255);
  EXPECT_EQ(At(img, 1, 0)[3], 255);
  // V4 header, same layout.
  s.HeaderSize = 108;
  img = MustDecode(MakeBmp(s, BmpRows({{0x10, 0x20, 0x30, 0x40, 1, 2, 3, 0x7F}})));
  EXPECT_EQ(At(img, 1, 0), (Rgba{3, 2, 1, 0x7F}));
}

TEST(ImageBmp, RunLengthEncodedBitmaps) {
  BmpSpec s;
  s.Bpp = 8;
  s.Compression = 1;
  s.Width = 4;
  s.Height = 3;
  s.Palette = {0x000000, 0xFF0000, 0x00FF00};
  s.ColorsUsed = 3;
  // Bottom row: run of two of colour 1, end of line; a delta of (+1, +1) skips row 1;
  // then an absolute run of three indices (padded to a word) and end of bitmap.
  Bytes rle = {2, 1, 0, 0, 0, 2, 1, 1, 0, 3, 2, 1, 2, 0, 0, 1};
  Image img = MustDecode(MakeBmp(s, rle));
  const Rgba none{0, 0, 0, 0}, red{255, 0, 0, 255}, green{0, 255, 0, 255};
  EXPECT_EQ(At(img, 0, 2), red);
  EXPECT_EQ(At(img, 1, 2), red);
  EXPECT_EQ(At(img, 2, 2), none);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(At(img, x, 1), none);
  EXPECT_EQ(At(img, 0, 0), none);
  EXPECT_EQ(At(img, 1, 0), green);
  EXPECT_EQ(At(img, 2, 0), red);
  EXPECT_EQ(At(img, 3, 0), green);

  // A run longer than the row is clipped at the right edge.
  img = MustDecode(MakeBmp(s, {200, 2, 0, 1}));
  EXPECT_EQ(At(img, 3, 2), green);
  EXPECT_EQ(At(img, 0, 1), none);

  s.Bpp = 4;
  s.Compression = 2;
  s.Width = 5;
  s.Height = 1;
  // Encoded run of five alternating indices 1, 2; then absolute 3 nibbles 2, 1, 0.
  img = MustDecode(MakeBmp(s, {5, 0x12, 0, 0, 0, 1}));
  EXPECT_EQ(At(img, 0, 0), red);
  EXPECT_EQ(At(img, 1, 0), green);
  EXPECT_EQ(At(img, 4, 0), red);
  s.Width = 3;
  img = MustDecode(MakeBmp(s, {0, 3, 0x21, 0x00, 0, 1}));
  EXPECT_EQ(At(img, 0, 0), green);
  EXPECT_EQ(At(img, 1, 0), red);
  EXPECT_EQ(At(img, 2, 0), (Rgba{0, 0, 0, 255}));
}

TEST(ImageDds, Dxt1FourColourAndOneBitAlphaBlocks) {
  uint8_t px[16][4];
  // c0 = pure red, c1 = pure blue, c0 > c1: two thirds steps between them.
  const uint8_t fourColour[8] = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0x1B, 0x00, 0x55};
  DecodeDxtColourBlock(fourColour, true, px);
  const Rgba row0[4] = {{255, 0, 0, 255}, {0, 0, 255, 255}, {170, 0, 85, 255}, {85, 0, 170, 255}};
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ((Rgba{px[x][0], px[x][1], px[x][2], px[x][3]}), row0[x]) << x;
    EXPECT_EQ((Rgba{px[4 + x][0], px[4 + x][1], px[4 + x][2], px[4 + x][3]}), row0[3 - x]) << x;
    EXPECT_EQ(px[8 + x][0], 255);
    EXPECT_EQ(px[12 + x][2], 255);
  }
  // c0 <= c1: halfway colour and transparent black.
  const uint8_t threeColour[8] = {0x1F, 0x00, 0x00, 0xF8, 0xE4, 0, 0, 0};
  DecodeDxtColourBlock(threeColour, true, px);
  EXPECT_EQ((Rgba{px[2][0], px[2][1], px[2][2], px[2][3]}), (Rgba{127, 0, 127, 255}));
  EXPECT_EQ((Rgba{px[3][0], px[3][1], px[3][2], px[3][3]}), (Rgba{0, 0, 0, 0}));
  // The same block inside DXT3/5 always has four colours.
  DecodeDxtColourBlock(threeColour, false, px);
  EXPECT_EQ((Rgba{px[3][0], px[3][1], px[3][2], px[3][3]}), (Rgba{170, 0, 85, 255}));
  // 5- and 6-bit fields widen by repeating their top bits.
  // Equal end points count as c0 <= c1, so index 3 is transparent there too.
  const uint8_t grey[8] = {0x10, 0x84, 0x10, 0x84, 0xC0, 0, 0, 0};
  DecodeDxtColourBlock(grey, true, px);
  EXPECT_EQ((Rgba{px[0][0], px[0][1], px[0][2], px[0][3]}), (Rgba{132, 130, 132, 255}));
  EXPECT_EQ(px[3][3], 0);

  // Through the file reader: a 5x3 image needs two blocks and is clipped to 5x3.
  DdsSpec s;
  s.Width = 5;
  s.Height = 3;
  s.FourCC = FourCC("DXT1");
  Bytes data(threeColour, threeColour + 8);
  data.insert(data.end(), fourColour, fourColour + 8);
  Image img = MustDecode(MakeDds(s, data));
  ASSERT_EQ(img.Width, 5);
  ASSERT_EQ(img.Height, 3);
  EXPECT_EQ(At(img, 3, 0), (Rgba{0, 0, 0, 0}));
  EXPECT_EQ(At(img, 4, 0), (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(At(img, 4, 1), (Rgba{85, 0, 170, 255}));
  EXPECT_EQ(At(img, 4, 2), (Rgba{255, 0, 0, 255}));
}

TEST(ImageDds, Dxt3AndDxt5Alpha) {
  const uint8_t colour[8] = {0x1F, 0x00, 0x00, 0xF8, 0xFF, 0xFF, 0xFF, 0xFF};  // all index 3
  DdsSpec s;
  s.FourCC = FourCC("DXT3");
  Bytes data = {0x10, 0x32, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  data.insert(data.end(), colour, colour + 8);
  Image img = MustDecode(MakeDds(s, data));
  EXPECT_EQ(At(img, 0, 0), (Rgba{170, 0, 85, 0}));
  EXPECT_EQ(At(img, 1, 0)[3], 17);
  EXPECT_EQ(At(img, 2, 0)[3], 34);
  EXPECT_EQ(At(img, 3, 0)[3], 51);
  EXPECT_EQ(At(img, 0, 1)[3], 255);

  // DXT5, a0 > a1: eight levels; pixel i uses index i mod 8 (3-bit little-endian stream).
  s.FourCC = FourCC("DXT5");
  data = {200, 100, 0x88, 0xC6, 0xFA, 0x88, 0xC6, 0xFA};
  data.insert(data.end(), colour, colour + 8);
  img = MustDecode(MakeDds(s, data));
  const int eight[8] = {200, 100, 185, 171, 157, 142, 128, 114};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(At(img, i % 4, i / 4)[3], eight[i % 8]) << i;
  EXPECT_EQ(At(img, 0, 0)[0], 170);

  // a0 <= a1: six levels plus fully transparent and opaque.
  data[0] = 50;
  data[1] = 150;
  img = MustDecode(MakeDds(s, data));
  const int six[8] = {50, 150, 70, 90, 110, 130, 0, 255};
  for (int i = 0; i < 16; ++i) EXPECT_EQ(At(img, i % 4, i / 4)[3], six[i % 8]) << i;
}

TEST(ImageDds, UncompressedFormatsByMask) {
  DdsSpec s;
  s.Width = 2;
  s.Height = 1;
  s.PfFlags = kDdsRgb | kDdsAlphaPixels;
  s.Bits = 32;
  s.Masks[0] = 0x00FF0000;
  s.Masks[1] = 0x0000FF00;
  s.Masks[2] = 0x000000FF;
  s.Masks[3] = 0xFF000000;
  Bytes argb = {1, 2, 3, 4, 5, 6, 7, 8};
  Image img = MustDecode(MakeDds(s, argb));
  EXPECT_EQ(At(img, 0, 0), (Rgba{3, 2, 1, 4}));
  EXPECT_EQ(At(img, 1, 0), (Rgba{7, 6, 5, 8}));

  s.PfFlags = kDdsRgb;  // X8R8G8B8
  img = MustDecode(MakeDds(s, argb));
  EXPECT_EQ(At(img, 0, 0), (Rgba{3, 2, 1, 255}));

  s.Bits = 24;
  s.Masks[3] = 0;
  img = MustDecode(MakeDds(s, {1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(At(img, 1, 0), (Rgba{6, 5, 4, 255}));

  s.Bits = 16;
  s.Masks[0] = 0xF800;
  s.Masks[1] = 0x07E0;
  s.Masks[2] = 0x001F;
  img = MustDecode(MakeDds(s, {0x00, 0xF8, 0x1F, 0x00}));
  EXPECT_EQ(At(img, 0, 0), (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(At(img, 1, 0), (Rgba{0, 0, 255, 255}));

  s.PfFlags = kDdsLuminance;
  s.Bits = 8;
  s.Masks[0] = 0xFF;
  img = MustDecode(MakeDds(s, {0x80, 0x40}));
  EXPECT_EQ(At(img, 0, 0), (Rgba{0x80, 0x80, 0x80, 255}));

  s.PfFlags = kDdsAlpha;
  s.Masks[0] = 0;
  s.Masks[3] = 0xFF;
  img = MustDecode(MakeDds(s, {0x80, 0x40}));
  EXPECT_EQ(At(img, 1, 0), (Rgba{0, 0, 0, 0x40}));

  // Further mip levels after the first are ignored.
  s.PfFlags = kDdsLuminance;
  s.Masks[0] = 0xFF;
  s.Masks[3] = 0;
  s.MipCount = 2;
  img = MustDecode(MakeDds(s, {9, 8, 7}));
  EXPECT_EQ(img.Width, 2);
  EXPECT_EQ(At(img, 1, 0)[0], 8);
}
