// Damaged, truncated and hostile image files: every one must be refused or decoded to a
// consistent image, never read outside its bytes (the sanitizer build watches that).
#include <gtest/gtest.h>

#include <zlib.h>

#include <climits>
#include <filesystem>
#include <random>

#include "engine/image/ImageCodec.h"
#include "engine/recording/RecordingEngine.h"
#include "image_samples.h"

using namespace quellor;
using namespace imgtest;

namespace {

struct Sample {
  const char* Name;
  Bytes Data;
};

Image Gradient(int w, int h) {
  Image img;
  img.Width = w;
  img.Height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      img.Rgba.push_back(static_cast<uint8_t>(x * 7));
      img.Rgba.push_back(static_cast<uint8_t>(y * 5));
      img.Rgba.push_back(static_cast<uint8_t>(x + y));
      img.Rgba.push_back(static_cast<uint8_t>(128 + x));
    }
  return img;
}

std::vector<Sample> ValidSamples() {
  std::vector<Sample> out;
  out.push_back({"png", EncodePng(Gradient(9, 6))});
  std::vector<uint8_t> rgb(16 * 16 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 31);
  out.push_back({"jpeg", EncodeJpeg(rgb.data(), 16, 16, 3)});
  JpegOptions prog;
  prog.Progressive = true;
  prog.Quality = 80;
  out.push_back({"jpeg progressive", EncodeJpeg(rgb.data(), 16, 16, 3, prog)});
  BmpSpec s;
  s.Width = 3;
  s.Height = 2;
  out.push_back({"bmp 24", MakeBmp(s, BmpRows({{1, 2, 3, 4, 5, 6, 7, 8, 9}, {1, 2, 3, 4, 5, 6, 7, 8, 9}}))});
  s.Bpp = 8;
  s.Palette = {0x102030, 0x405060};
  s.ColorsUsed = 2;
  out.push_back({"bmp 8", MakeBmp(s, BmpRows({{0, 1, 0}, {1, 0, 1}}))});
  s.Compression = 1;
  out.push_back({"bmp rle8", MakeBmp(s, {3, 1, 0, 0, 0, 3, 0, 1, 0, 0, 0, 1})});
  s.Compression = 3;
  s.Bpp = 32;
  s.HeaderSize = 124;
  s.Palette.clear();
  s.ColorsUsed = 0;
  s.Masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  out.push_back({"bmp v5", MakeBmp(s, Bytes(24, 0x7F))});
  DdsSpec d;
  d.Width = 8;
  d.Height = 4;
  d.FourCC = FourCC("DXT5");
  out.push_back({"dds dxt5", MakeDds(d, Bytes(32, 0x5A))});
  d.FourCC = FourCC("DXT1");
  out.push_back({"dds dxt1", MakeDds(d, Bytes(16, 0xA5))});
  DdsSpec u;
  u.Width = 3;
  u.Height = 3;
  u.PfFlags = kDdsRgb | kDdsAlphaPixels;
  u.Bits = 32;
  u.Masks[0] = 0xFF0000;
  u.Masks[1] = 0xFF00;
  u.Masks[2] = 0xFF;
  u.Masks[3] = 0xFF000000;
  out.push_back({"dds argb", MakeDds(u, Bytes(36, 0x33))});
  return out;
}

bool Decodes(const Bytes& b) {
  Image img;
  return DecodeImage(b.data(), b.size(), img);
}

// A decoder may accept damaged data, but what it hands back must be a whole image.
void ExpectConsistentIfAccepted(const Bytes& b) {
  Image img;
  img.Width = 77;
  if (!DecodeImage(b.data(), b.size(), img)) {
    EXPECT_EQ(img.Width, 77) << "a refused image left the output changed";
    return;
  }
  ASSERT_GT(img.Width, 0);
  ASSERT_GT(img.Height, 0);
  ASSERT_LE(img.Width, kMaxImageSide);
  ASSERT_LE(img.Height, kMaxImageSide);
  ASSERT_EQ(img.Rgba.size(), static_cast<size_t>(img.Width) * img.Height * 4);
}

void FixPngCrc(Bytes& png, size_t chunkStart) {
  uint32_t len = (png[chunkStart] << 24) | (png[chunkStart + 1] << 16) | (png[chunkStart + 2] << 8) | png[chunkStart + 3];
  uLong crc = crc32(0, png.data() + chunkStart + 4, len + 4);
  size_t at = chunkStart + 8 + len;
  for (int i = 0; i < 4; ++i) png[at + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
}

void SetPngSize(Bytes& png, uint32_t w, uint32_t h) {
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = static_cast<uint8_t>(w >> (24 - 8 * i));
    png[20 + i] = static_cast<uint8_t>(h >> (24 - 8 * i));
  }
  FixPngCrc(png, 8);
}

// Start of frame: FF C0 (baseline) or FF C2 (progressive), then length, precision, height, width.
size_t FindJpegFrame(const Bytes& jpg) {
  for (size_t i = 2; i + 9 < jpg.size(); ++i)
    if (jpg[i] == 0xFF && (jpg[i + 1] == 0xC0 || jpg[i + 1] == 0xC2)) return i;
  return 0;
}

}  // namespace

TEST(ImageHostile, EveryTruncationIsRefused) {
  for (const Sample& s : ValidSamples()) {
    SCOPED_TRACE(s.Name);
    ASSERT_TRUE(Decodes(s.Data));
    for (size_t cut = 0; cut < s.Data.size(); ++cut) {
      Bytes prefix(s.Data.begin(), s.Data.begin() + cut);
      EXPECT_FALSE(Decodes(prefix)) << "accepted " << cut << " of " << s.Data.size() << " bytes";
    }
  }
}

TEST(ImageHostile, EverySingleByteDamageStaysInBounds) {
  for (const Sample& s : ValidSamples()) {
    SCOPED_TRACE(s.Name);
    for (size_t i = 0; i < s.Data.size(); ++i) {
      for (uint8_t v : {uint8_t(0x00), uint8_t(0xFF), uint8_t(0x80), uint8_t(s.Data[i] ^ 0x01)}) {
        Bytes b = s.Data;
        b[i] = v;
        ExpectConsistentIfAccepted(b);
      }
    }
  }
}

TEST(ImageHostile, RandomBytesBehindEachSignature) {
  std::mt19937 rng(1234);
  const Bytes prefixes[] = {{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, {0xFF, 0xD8, 0xFF}, {'B', 'M'},
                            {'D', 'D', 'S', ' ', 124, 0, 0, 0}, {}};
  for (const Bytes& prefix : prefixes) {
    for (int round = 0; round < 300; ++round) {
      Bytes b = prefix;
      size_t extra = rng() % 400;
      for (size_t i = 0; i < extra; ++i) b.push_back(static_cast<uint8_t>(rng()));
      ExpectConsistentIfAccepted(b);
    }
  }
  Image img;
  EXPECT_FALSE(DecodeImage(nullptr, 100, img));
  EXPECT_FALSE(DecodeImage(prefixes[0].data(), 0, img));
  EXPECT_FALSE(DecodeImage(prefixes[0].data(), prefixes[0].size(), img));
}

TEST(ImageHostile, BmpHeadersClaimingTooMuch) {
  BmpSpec s;
  Bytes px = BmpRows({{1, 2, 3}});
  ASSERT_TRUE(Decodes(MakeBmp(s, px)));
  // Sides beyond the limit, zero, negative width and the one height that cannot be negated.
  for (int32_t w : {kMaxImageSide + 1, 0, -1, INT_MAX}) {
    s.Width = w;
    EXPECT_FALSE(Decodes(MakeBmp(s, px))) << w;
  }
  s.Width = 1;
  s.Height = INT_MIN;
  EXPECT_FALSE(Decodes(MakeBmp(s, px)));
  // The largest allowed image with a few bytes of data: refused by the length check.
  s.Width = kMaxImageSide;
  s.Height = kMaxImageSide;
  s.Bpp = 32;
  EXPECT_FALSE(Decodes(MakeBmp(s, px)));
  // Run-length data can skip, but a tiny file cannot stand for a gigapixel image.
  s.Bpp = 8;
  s.Compression = 1;
  s.Palette = {0};
  EXPECT_FALSE(Decodes(MakeBmp(s, {0, 1})));
  // A palette that runs past the end of the file.
  s.Width = s.Height = 1;
  s.Compression = 0;
  s.ColorsUsed = 200;
  Bytes shortPalette = MakeBmp(s, {});
  EXPECT_FALSE(Decodes(shortPalette));
  // Unsupported depth and compression (2 bits, embedded JPEG).
  s.ColorsUsed = 0;
  s.Bpp = 2;
  EXPECT_FALSE(Decodes(MakeBmp(s, BmpRows({{0}}))));
  s.Bpp = 24;
  s.Compression = 4;
  EXPECT_FALSE(Decodes(MakeBmp(s, BmpRows({{1, 2, 3}}))));
  // Pixel data offset pointing past the end.
  s.Compression = 0;
  Bytes far = MakeBmp(s, BmpRows({{1, 2, 3}}));
  Set32(far, 10, 0xFFFFFFF0u);
  EXPECT_FALSE(Decodes(far));
}

TEST(ImageHostile, DdsHeadersClaimingTooMuch) {
  DdsSpec d;
  d.FourCC = FourCC("DXT1");
  ASSERT_TRUE(Decodes(MakeDds(d, Bytes(8, 0))));
  for (uint32_t side : {uint32_t(kMaxImageSide + 1), 0u, 0xFFFFFFFFu, 0x80000000u}) {
    d.Width = side;
    EXPECT_FALSE(Decodes(MakeDds(d, Bytes(8, 0)))) << side;
  }
  d.Width = d.Height = kMaxImageSide;
  EXPECT_FALSE(Decodes(MakeDds(d, Bytes(64, 0))));
  d.Width = d.Height = 4;
  d.FourCC = FourCC("DX10");
  EXPECT_FALSE(Decodes(MakeDds(d, Bytes(64, 0))));
  d.FourCC = FourCC("ATI2");
  EXPECT_FALSE(Decodes(MakeDds(d, Bytes(64, 0))));
  // Uncompressed with a bit count that is no whole number of bytes, or no masks at all.
  d.PfFlags = kDdsRgb;
  d.Bits = 12;
  d.Masks[0] = 0xF00;
  EXPECT_FALSE(Decodes(MakeDds(d, Bytes(64, 0))));
  d.Bits = 32;
  d.Masks[0] = 0;
  EXPECT_FALSE(Decodes(MakeDds(d, Bytes(64, 0))));
  d.PfFlags = 0;
  d.Masks[0] = 0xFF;
  EXPECT_FALSE(Decodes(MakeDds(d, Bytes(64, 0))));
  // A header size other than 124.
  d.PfFlags = kDdsRgb;
  Bytes bad = MakeDds(d, Bytes(64, 0));
  ASSERT_TRUE(Decodes(bad));
  Set32(bad, 4, 100);
  EXPECT_FALSE(Decodes(bad));
}

TEST(ImageHostile, PngAndJpegHeadersClaimingTooMuch) {
  Bytes png = EncodePng(Gradient(4, 4));
  ASSERT_TRUE(Decodes(png));
  for (auto [w, h] : {std::pair<uint32_t, uint32_t>{kMaxImageSide, kMaxImageSide}, {kMaxImageSide + 1, 1},
                      {1, 0x7FFFFFFF}, {0, 4}}) {
    Bytes b = png;
    SetPngSize(b, w, h);
    EXPECT_FALSE(Decodes(b)) << w << "x" << h;
  }
  // Damaged checksum of the header chunk.
  Bytes crc = png;
  crc[29] ^= 0xFF;
  EXPECT_FALSE(Decodes(crc));

  std::vector<uint8_t> grey(64, 100);
  Bytes jpg = EncodeJpeg(grey.data(), 8, 8, 1);
  size_t sof = FindJpegFrame(jpg);
  ASSERT_GT(sof, 0u);
  for (auto [w, h] : {std::pair<int, int>{kMaxImageSide, kMaxImageSide}, {65535, 65535}, {8, 0}, {0, 8},
                      {4096, 4096}}) {
    Bytes b = jpg;
    b[sof + 5] = static_cast<uint8_t>(h >> 8);
    b[sof + 6] = static_cast<uint8_t>(h);
    b[sof + 7] = static_cast<uint8_t>(w >> 8);
    b[sof + 8] = static_cast<uint8_t>(w);
    EXPECT_FALSE(Decodes(b)) << w << "x" << h;
  }
}

TEST(ImageHostile, EngineRefusesBadFilesWithErrorEighteen) {
  namespace fs = std::filesystem;
  fs::path dir = fs::path(QUELLOR_BINARY_DIR) / "scratch" / "image_engine";
  fs::remove_all(dir);
  fs::create_directories(dir);
  BmpSpec s;
  s.Width = 2;
  s.Height = 1;
  Bytes good = MakeBmp(s, BmpRows({{0, 0, 255, 255, 0, 0}}));
  Bytes truncated(good.begin(), good.end() - 3);
  ASSERT_TRUE(WriteFile((dir / "good.png").string(), good));
  ASSERT_TRUE(WriteFile((dir / "cut.bmp").string(), truncated));
  ASSERT_TRUE(WriteFile((dir / "empty.png").string(), {}));

  RecordingEngine e;
  ASSERT_TRUE(e.Open(320, 200));
  for (const char* name : {"cut.bmp", "empty.png", "missing.png"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(e.LoadTexture((dir / name).string()), 0u);
    EXPECT_EQ(e.LastError(), 18);
    EXPECT_EQ(e.ErrorText(), "#18 Grafik konnte nicht geladen werden");
  }
  EXPECT_EQ(e.TextureFromMemory(truncated.data(), truncated.size()), 0u);
  EXPECT_EQ(e.LastError(), 18);

  Handle t = e.LoadTexture((dir / "good.png").string());
  ASSERT_NE(t, 0u);
  EXPECT_EQ(e.TextureWidth(t), 2);
  EXPECT_EQ(e.TextureHeight(t), 1);
  const TextureData* tex = e.Texture(t);
  ASSERT_NE(tex, nullptr);
  EXPECT_EQ(tex->Pixels.Rgba[0], 255);  // stored B, G, R: red first pixel
  EXPECT_EQ(tex->Pixels.Rgba[6], 255);  // blue second pixel
  fs::remove_all(dir);
}
