// Frames drawn by the GL engine on a headless context, where the picture is the point.
#include <filesystem>

#include "engine/image/ImageCodec.h"
#include "gl_test_support.h"
#include "project/IntroModel.h"
#include "project/Loaders.h"
#include "render/Frame.h"
#include "render/IdleScene.h"

using namespace quellor;
using namespace quellor::gltest;

namespace {


class FrameGl : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("quellor_frame_gl_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_ / "Data" / "Bobs");
    InitModel(m);
    m.BaseDir = dir_.string();
    clock_.SetMs(1000);
    m.Clock.Source = &clock_;
    m.Clock.PreviewStart = clock_.NowMs();
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  void Frame() {
    clock_.AdvanceMs(16);
    DrawFrame(m, *e, nullptr);
  }
  std::filesystem::path dir_;
  IntroModel m;
  std::unique_ptr<GlEngine> e;
  ManualClock clock_;
};

TEST_F(FrameGl, BothLayerItemWithAdditiveBlendIsAddedTwice) {
  QUELLOR_REQUIRE_GL();
  e = std::make_unique<GlEngine>();
  ASSERT_TRUE(e->Open(200, 150)) << e->ErrorText();
  e->SetClearColor(0xFF000000u);
  m.ScreenX = 200;
  m.ScreenY = 150;
  const std::string path = (dir_ / "logo.png").string();
  ASSERT_TRUE(WritePngFile(path, Solid(20, 20, 0xFF3C0000u)));  // red 60
  m.Logo.SRC = 5;
  m.Logo.Dest = 2;  // additive
  LoadLogo(m, *e, path);
  ASSERT_NE(m.Logo.Sprite, 0u);
  m.Logo.Layer = 1;
  const int x = m.Logo.PosX + 10, y = m.Logo.PosY + 10;

  Frame();  // the first picture holds the 3D-pass draw only
  EXPECT_TRUE(Same(PixelAt(e->ReadScreen(), x, y), {60, 0, 0}, 2));
  Frame();  // then last frame's 2D draw and this frame's 3D draw add up
  EXPECT_TRUE(Same(PixelAt(e->ReadScreen(), x, y), {120, 0, 0}, 2));
  EXPECT_TRUE(Same(PixelAt(e->ReadScreen(), 2, 2), {0, 0, 0}));

  m.Logo.Layer = 2;  // on the 3D layer alone it is drawn once per picture
  Frame();
  Frame();
  EXPECT_TRUE(Same(PixelAt(e->ReadScreen(), x, y), {60, 0, 0}, 2));
}

TEST_F(FrameGl, StarfieldIsVisibleAndMoves) {
  QUELLOR_REQUIRE_GL();
  e = std::make_unique<GlEngine>();
  ASSERT_TRUE(e->Open(320, 240)) << e->ErrorText();
  e->SetClearColor(0xFF000000u);
  m.ScreenX = 320;
  m.ScreenY = 240;
  ASSERT_TRUE(WritePngFile((dir_ / "Data" / "Bobs" / "Blue.png").string(), Solid(8, 8, 0xFF4080FFu)));
  SetupIdleScene(m);
  FillIdleScene(m);
  LoadIdlePointTexture(m, *e);
  ASSERT_NE(m.Idle.PointTexture, 0u);

  auto lit = [](const Image& img) {
    int n = 0;
    for (size_t i = 0; i < img.Rgba.size(); i += 4)
      n += img.Rgba[i] + img.Rgba[i + 1] + img.Rgba[i + 2] > 30;
    return n;
  };
  Frame();
  const Image first = e->ReadScreen();
  for (int i = 0; i < 5; ++i) Frame();
  const Image later = e->ReadScreen();
  EXPECT_GT(lit(first), 200);
  EXPECT_GT(lit(later), 200);
  EXPECT_NE(first.Rgba, later.Rgba);

  // Loading an asset ends the starfield from the next picture on.
  const std::string gfx = (dir_ / "g.png").string();
  ASSERT_TRUE(WritePngFile(gfx, Solid(4, 4, 0xFF000000u)));
  LoadGfx(m, *e, gfx, 1);
  m.Log.Lines.clear();  // the load message would light pixels of its own
  Frame();
  Frame();
  EXPECT_EQ(lit(e->ReadScreen()), 0);
}

}  // namespace
