#pragma once
#include "tests/TestClock.h"
// Shared set-up for the frame, loader and New Intro tests: a model at start-up values on
// a recording engine, a fixed clock and a scratch folder for images written by the test.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "engine/image/ImageCodec.h"
#include "engine/recording/RecordingEngine.h"
#include "project/IntroModel.h"

namespace quellor::testing {


// Solid image with a distinct colour per pixel column so turned copies can be checked.
inline Image MakeImage(int w, int h, uint8_t alpha = 255) {
  Image img;
  img.Width = w;
  img.Height = h;
  img.Rgba.resize(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &img.Rgba[(static_cast<size_t>(y) * w + x) * 4];
      p[0] = static_cast<uint8_t>(x * 7);
      p[1] = static_cast<uint8_t>(y * 5);
      p[2] = static_cast<uint8_t>(x + y);
      p[3] = alpha;
    }
  return img;
}

class ModelFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("quellor_frame_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
    InitModel(m);
    m.BaseDir = dir_.string();
    TestClock().SetMs(50000);
    m.Clock.Source = &TestClock();
    ASSERT_TRUE(e.Open(800, 600));
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  // Writes a w x h PNG into the scratch folder; `padTo` > 0 appends bytes after the
  // image data until the file has exactly that size.
  std::string Png(const std::string& name, int w, int h, uintmax_t padTo = 0) {
    std::filesystem::path p = dir_ / name;
    std::filesystem::create_directories(p.parent_path());
    EXPECT_TRUE(WritePngFile(p.string(), MakeImage(w, h)));
    if (padTo > 0) {
      uintmax_t size = std::filesystem::file_size(p);
      EXPECT_LE(size, padTo);
      std::ofstream out(p, std::ios::binary | std::ios::app);
      for (uintmax_t i = size; i < padTo; ++i) out.put('\0');
    }
    return p.string();
  }

  std::string Missing() const { return (dir_ / "nothing_here.png").string(); }

  std::filesystem::path dir_;
  IntroModel m;
  RecordingEngine e;
};

}  // namespace quellor::testing
