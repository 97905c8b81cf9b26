#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>

#include "engine/image/ImageCodec.h"
#include "image_samples.h"

using namespace quellor;
using namespace imgtest;

namespace {

Image Pattern(int w, int h) {
  Image img;
  img.Width = w;
  img.Height = h;
  img.Rgba.resize(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = img.Rgba.data() + (static_cast<size_t>(y) * w + x) * 4;
      p[0] = static_cast<uint8_t>(x * 17);
      p[1] = static_cast<uint8_t>(y * 29);
      p[2] = static_cast<uint8_t>(x ^ y);
      p[3] = static_cast<uint8_t>(255 - x * y);
    }
  return img;
}

// Left half red, right half blue, in 8-pixel blocks so the halves compress flat.
std::vector<uint8_t> RedBlueRgb(int w, int h) {
  std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) rgb[(static_cast<size_t>(y) * w + x) * 3 + (x < w / 2 ? 0 : 2)] = 255;
  return rgb;
}

void ExpectNear(const Image& img, int x, int y, std::array<int, 3> rgb, int tol) {
  const uint8_t* p = Px(img, x, y);
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(p[c], rgb[c], tol) << "at " << x << "," << y << " channel " << c;
  EXPECT_EQ(p[3], 255);
}

}  // namespace

TEST(ImagePng, RoundTripKeepsEveryPixelAndAlpha) {
  Image src = Pattern(13, 7);
  Bytes png = EncodePng(src);
  ASSERT_FALSE(png.empty());
  Image out;
  ASSERT_TRUE(DecodeImage(png.data(), png.size(), out));
  EXPECT_EQ(out.Width, 13);
  EXPECT_EQ(out.Height, 7);
  EXPECT_EQ(out.Rgba, src.Rgba);
  EXPECT_EQ(DetectImageFormat(png.data(), png.size()), ImageFormat::Png);
}

TEST(ImagePng, FormatFollowsContentNotExtension) {
  namespace fs = std::filesystem;
  fs::path dir = fs::path(QUELLOR_BINARY_DIR) / "scratch" / "image_extension";
  fs::remove_all(dir);
  fs::create_directories(dir);
  Image src = Pattern(4, 4);
  ASSERT_TRUE(WritePngFile((dir / "really_png.jpg").string(), src));
  BmpSpec s;
  ASSERT_TRUE(WriteFile((dir / "really_bmp.png").string(), MakeBmp(s, BmpRows({{1, 2, 3}}))));
  ASSERT_TRUE(WriteFile((dir / "text.png").string(), Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}));
  Image out;
  EXPECT_TRUE(DecodeImageFile((dir / "really_png.jpg").string(), out));
  EXPECT_EQ(out.Rgba, src.Rgba);
  EXPECT_TRUE(DecodeImageFile((dir / "really_bmp.png").string(), out));
  EXPECT_EQ(out.Width, 1);
  EXPECT_EQ(Px(out, 0, 0)[0], 3);
  EXPECT_FALSE(DecodeImageFile((dir / "text.png").string(), out));
  EXPECT_FALSE(DecodeImageFile((dir / "missing.png").string(), out));
  EXPECT_FALSE(DecodeImageFile(dir.string(), out));  // a folder is no image
  fs::remove_all(dir);
}

TEST(ImageJpeg, BaselineAndProgressiveColour) {
  const int w = 16, h = 8;
  std::vector<uint8_t> rgb = RedBlueRgb(w, h);
  for (bool progressive : {false, true}) {
    SCOPED_TRACE(progressive ? "progressive" : "baseline");
    JpegOptions o;
    o.Progressive = progressive;
    Bytes jpg = EncodeJpeg(rgb.data(), w, h, 3, o);
    EXPECT_EQ(DetectImageFormat(jpg.data(), jpg.size()), ImageFormat::Jpeg);
    Image img;
    ASSERT_TRUE(DecodeImage(jpg.data(), jpg.size(), img));
    ASSERT_EQ(img.Width, w);
    ASSERT_EQ(img.Height, h);
    ASSERT_EQ(img.Rgba.size(), static_cast<size_t>(w) * h * 4);
    ExpectNear(img, 3, 0, {255, 0, 0}, 6);  // top row first
    ExpectNear(img, 4, 7, {255, 0, 0}, 6);
    ExpectNear(img, 12, 0, {0, 0, 255}, 6);
    ExpectNear(img, 11, 7, {0, 0, 255}, 6);
  }
  // With the usual 2x2 chroma subsampling the halves still come out right away from the edge.
  JpegOptions sub;
  sub.FullChroma = false;
  std::vector<uint8_t> big = RedBlueRgb(32, 16);
  Bytes jpg = EncodeJpeg(big.data(), 32, 16, 3, sub);
  Image img;
  ASSERT_TRUE(DecodeImage(jpg.data(), jpg.size(), img));
  ExpectNear(img, 2, 8, {255, 0, 0}, 12);
  ExpectNear(img, 29, 8, {0, 0, 255}, 12);
}

TEST(ImageJpeg, GreyAndCmykBecomeRgba) {
  const int w = 8, h = 8;
  std::vector<uint8_t> grey(w * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) grey[y * w + x] = y < 4 ? 40 : 200;
  Bytes jpg = EncodeJpeg(grey.data(), w, h, 1);
  Image img;
  ASSERT_TRUE(DecodeImage(jpg.data(), jpg.size(), img));
  ExpectNear(img, 2, 1, {40, 40, 40}, 8);
  ExpectNear(img, 5, 6, {200, 200, 200}, 8);
  const uint8_t* p = Px(img, 5, 6);
  EXPECT_TRUE(p[0] == p[1] && p[1] == p[2]);

  // libjpeg writes CMYK with an Adobe marker, whose convention stores ink inverted:
  // stored 0 = full ink. Full cyan and no black reads as (0, 255, 255).
  std::vector<uint8_t> cmyk(static_cast<size_t>(w) * h * 4);
  for (size_t i = 0; i < cmyk.size(); i += 4) {
    cmyk[i] = 0;
    cmyk[i + 1] = 255;
    cmyk[i + 2] = 255;
    cmyk[i + 3] = 255;
  }
  jpg = EncodeJpeg(cmyk.data(), w, h, 4);
  ASSERT_TRUE(DecodeImage(jpg.data(), jpg.size(), img));
  ExpectNear(img, 4, 4, {0, 255, 255}, 6);
}

TEST(ImageLimits, WellCompressedLargeImagesAreNotMistakenForBombs) {
  // Flat images compress far better than photos; the size-versus-length guards must
  // still let them through.
  Image flat;
  flat.Width = 2048;
  flat.Height = 1024;
  flat.Rgba.assign(static_cast<size_t>(flat.Width) * flat.Height * 4, 0x40);
  Bytes png = EncodePng(flat);
  Image out;
  ASSERT_TRUE(DecodeImage(png.data(), png.size(), out));
  EXPECT_EQ(out.Width, 2048);
  EXPECT_EQ(Px(out, 2047, 1023)[3], 0x40);

  // Above the pixel count that JPEG headers may always claim.
  std::vector<uint8_t> grey(static_cast<size_t>(2100) * 2100, 90);
  JpegOptions o;
  o.Quality = 50;
  Bytes jpg = EncodeJpeg(grey.data(), 2100, 2100, 1, o);
  ASSERT_TRUE(DecodeImage(jpg.data(), jpg.size(), out));
  EXPECT_EQ(out.Height, 2100);
  EXPECT_NEAR(Px(out, 1000, 2099)[0], 90, 2);
}
