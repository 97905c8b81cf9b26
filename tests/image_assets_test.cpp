// The images that ship in Data/ and the fuzzer's seed files: each must decode with the
// program's own readers and keep the size other parts and the demo project expect.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/image/ImageCodec.h"

using namespace quellor;
namespace fs = std::filesystem;

TEST(ImageAssets, ShippedImagesDecodeWithTheirSizes) {
  struct Expect {
    const char* Path;
    int W, H;
  };
  const Expect shipped[] = {
      {"Data/Bobs/Blue.png", 32, 32},         {"Data/Logo/quellor.png", 400, 100},
      {"Data/Fonts/font32.png", 320, 192},    {"Data/Bobs/star.png", 128, 128},
      {"Data/Border/border.png", 128, 128},   {"Data/Textures/background.png", 256, 256},
      {"Data/TrainerBar/bar.png", 512, 32},   {"Data/Anim/spin.png", 256, 32},
  };
  const fs::path root = QUELLOR_SOURCE_DIR;
  for (const Expect& e : shipped) {
    SCOPED_TRACE(e.Path);
    const fs::path p = root / e.Path;
    ASSERT_TRUE(fs::exists(p));
    EXPECT_LT(fs::file_size(p), 65536u);
    Image img;
    ASSERT_TRUE(DecodeImageFile(p.string(), img));
    EXPECT_EQ(img.Width, e.W);
    EXPECT_EQ(img.Height, e.H);
  }
  // The bob and the font sheet are drawn on transparency: corners clear, centre opaque.
  Image bob;
  ASSERT_TRUE(DecodeImageFile((root / "Data/Bobs/Blue.png").string(), bob));
  EXPECT_EQ(bob.Rgba[3], 0);
  const uint8_t* centre = bob.Rgba.data() + (16 * 32 + 16) * 4;
  EXPECT_EQ(centre[3], 255);
  EXPECT_GT(centre[2], centre[0]);  // blue
  Image font;
  ASSERT_TRUE(DecodeImageFile((root / "Data/Fonts/font32.png").string(), font));
  auto cellInk = [&font](int k) {
    int sum = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) sum += font.Rgba[(((k / 10) * 32 + y) * font.Width + (k % 10) * 32 + x) * 4 + 3] > 128;
    return sum;
  };
  EXPECT_EQ(cellInk(0), 0);               // ' '
  EXPECT_GT(cellInk('A' - 32), 60);       // 'A' in row 3, column 3
  EXPECT_GT(cellInk('[' - 32), 30);       // the last cell
  EXPECT_GT(cellInk('W' - 32), cellInk('.' - 32));
}

TEST(ImageAssets, EverySeedOfTheImageFuzzerDecodes) {
  const fs::path dir = fs::path(QUELLOR_SOURCE_DIR) / "fuzz/seeds/image";
  ASSERT_TRUE(fs::is_directory(dir));
  int count = 0;
  bool kinds[5] = {};
  for (const auto& entry : fs::directory_iterator(dir)) {
    SCOPED_TRACE(entry.path().string());
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(entry.path().string(), bytes));
    kinds[static_cast<int>(DetectImageFormat(bytes.data(), bytes.size()))] = true;
    Image img;
    EXPECT_TRUE(DecodeImage(bytes.data(), bytes.size(), img));
    ++count;
  }
  EXPECT_GE(count, 4);
  EXPECT_TRUE(kinds[static_cast<int>(ImageFormat::Png)] && kinds[static_cast<int>(ImageFormat::Jpeg)] &&
              kinds[static_cast<int>(ImageFormat::Bmp)] && kinds[static_cast<int>(ImageFormat::Dds)]);
}
