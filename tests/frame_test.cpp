#include <algorithm>
#include <cmath>

#include "frame_fixtures.h"
#include "project/Loaders.h"
#include "render/Frame.h"
#include "render/IdleScene.h"
#include "render/Scrollers.h"

using namespace quellor;
using namespace quellor::testing;

namespace {

class Frame : public ModelFixture {
 protected:
  void Step(int frames = 1, uint32_t ms = 16) {
    for (int i = 0; i < frames; ++i) {
      TestClock().AdvanceMs(ms);
      DrawFrame(m, e, nullptr);
    }
  }
  int DrawsOf(Handle s) const {
    return static_cast<int>(std::count_if(e.Drawn.begin(), e.Drawn.end(),
                                          [s](const DrawnSprite& d) { return d.Sprite == s; }));
  }
  bool HasOp(RecordedOp op) const { return std::find(e.Ops.begin(), e.Ops.end(), op) != e.Ops.end(); }
};

TEST_F(Frame, LayerChoicesDecideThePassesAndBothLayerDrawsTwice) {
  m.Clock.PreviewStart = TestMs();
  LoadSign(m, e, Png("sign.png", 10, 10));
  LoadLogo(m, e, Png("logo.png", 10, 10));
  LoadGfx(m, e, Png("gfx.png", 10, 10), 1);
  m.Logo.Layer = 0;
  m.Sign.Layer = 1;
  m.GFX.Layer[1] = 2;
  m.GFX.AutoRot[1] = 2.0f;
  e.SpriteBlending(m.Sign.Sprite, 5, 2);

  Step();
  // The first RenderWorld holds only the 3D pass.
  EXPECT_EQ(DrawsOf(m.Sign.Sprite), 1);
  EXPECT_EQ(DrawsOf(m.GFX.Sprite[1]), 1);
  EXPECT_EQ(DrawsOf(m.Logo.Sprite), 0);
  EXPECT_EQ(e.Ops, (std::vector<RecordedOp>{RecordedOp::RenderWorld, RecordedOp::Flip}));

  e.Clear();
  Step(2);
  // Without a post effect the 2D pass is drawn by the next RenderWorld, so one
  // RenderWorld shows the sign twice (2D of the last frame, 3D of this one).
  ASSERT_EQ(e.Drawn.size(), 8u);
  EXPECT_EQ(DrawsOf(m.Sign.Sprite), 4);
  EXPECT_EQ(DrawsOf(m.Logo.Sprite), 2);
  EXPECT_EQ(DrawsOf(m.GFX.Sprite[1]), 2);
  // Sprites are walked in load order: sign, logo, GFX 1.
  EXPECT_EQ(e.Drawn[0].Sprite, m.Sign.Sprite);
  EXPECT_EQ(e.Drawn[1].Sprite, m.Sign.Sprite);
  EXPECT_EQ(e.Drawn[2].Sprite, m.Logo.Sprite);
  EXPECT_EQ(e.Drawn[3].Sprite, m.GFX.Sprite[1]);
  for (const DrawnSprite& d : e.Drawn)
    if (d.Sprite == m.Sign.Sprite) EXPECT_EQ(d.DestBlend, 2);
  // Auto-rotation: 2 degrees per frame at speed factor 1, three frames so far.
  EXPECT_NEAR(e.SpriteRotation(m.GFX.Sprite[1]), 6.0f, 1e-3);
}

TEST_F(Frame, DrawRecordsFollowTheirLayer) {
  Handle glyph = e.CreateSprite(e.TextureFromImage(MakeImage(8, 8)));
  m.Draws = {
      {glyph, 10, 1, 100, 100, 255, 0.0f, 0, 0, 0},
      {glyph, 20, 2, 50, 200, 128, 90.0f, 0, 1, 0},
      {glyph, 30, 3, 300, 100, 64, 45.0f, 0, 2, 0},
      {0, 40, 4, 100, 100, 255, 0.0f, 0, 1, 0},
  };
  DisplayDrawRecords(m, e, true);
  e.RenderWorld();
  ASSERT_EQ(e.Drawn.size(), 2u);
  EXPECT_EQ(e.Drawn[0].X, 20);
  EXPECT_NEAR(e.Drawn[0].RotationDeg, 90.0f, 1e-2);
  EXPECT_FLOAT_EQ(e.Drawn[0].ZoomX, 0.5f);
  EXPECT_FLOAT_EQ(e.Drawn[0].ZoomY, 2.0f);
  EXPECT_EQ(e.Drawn[0].Alpha, 128);
  EXPECT_EQ(e.Drawn[1].X, 30);
  EXPECT_FLOAT_EQ(e.Drawn[1].ZoomX, 3.0f);
  e.Clear();
  DisplayDrawRecords(m, e, false);
  e.RenderWorld();
  ASSERT_EQ(e.Drawn.size(), 2u);
  EXPECT_EQ(e.Drawn[0].X, 10);
  EXPECT_NEAR(e.Drawn[0].RotationDeg, 0.0f, 1e-3);
  EXPECT_EQ(e.Drawn[1].X, 20);
}

TEST_F(Frame, ScrollerGlyphsOnBothLayerReachBothPasses) {
  m.PendingGrid = {16, 16, 10, 6};
  LoadFont(m, e, Png("font.png", 160, 96), 1);
  m.Scroller[0].Active = 1;
  m.Scroller[0].Font = 0;
  m.Fonts.F1Layer = 1;
  ResetScrollers(m);
  m.ScrollRun[0].Speed = 0;  // the same glyphs in every frame
  Step();
  const size_t threeD = e.Drawn.size();  // this frame's 3D pass only
  ASSERT_GT(threeD, 0u);
  e.Clear();
  Step();
  EXPECT_EQ(e.Drawn.size(), 2 * threeD);  // the 2D pass of frame 1 and the 3D pass of frame 2
  m.Fonts.F1Layer = 0;
  Step();
  e.Clear();
  Step();
  EXPECT_EQ(e.Drawn.size(), threeD);  // 2D only: the last frame's 2D pass
}

TEST_F(Frame, IdleSceneRunsExactlyWhileNothingIsLoaded) {
  SetupIdleScene(m);
  FillIdleScene(m);
  ASSERT_EQ(m.Idle.Points.size(), 3501u);
  Handle logo = e.CreateSprite(e.TextureFromImage(MakeImage(64, 32)));
  SetIdleLogo(m, e, logo);
  EXPECT_EQ(m.Idle.LogoX, 368);
  EXPECT_EQ(m.Idle.LogoY, 234);

  Step(2);
  EXPECT_TRUE(m.Idle.On);
  EXPECT_EQ(e.PointsDrawn, 3501);
  EXPECT_EQ(DrawsOf(logo), 1);  // queued in the first frame's 2D pass
  // The border, overlay and trainer bar do not end the idle screen.
  LoadBorder(m, e, Png("border.png", 32, 32));
  LoadTrainerBar(m, e, Png("bar.png", 32, 8));
  Step();
  EXPECT_TRUE(m.Idle.On);

  LoadGfx(m, e, Png("g.png", 8, 8), 3);
  Step();
  EXPECT_FALSE(m.Idle.On);
  EXPECT_TRUE(m.Idle.Points.empty());
  e.Clear();
  Step();
  EXPECT_FALSE(HasOp(RecordedOp::Points));
  EXPECT_EQ(DrawsOf(logo), 0);

  // Removing the last asset brings the scene back with a fresh tunnel.
  e.FreeSprite(m.GFX.Sprite[3]);
  m.GFX.Sprite[3] = 0;
  Step();
  EXPECT_TRUE(m.Idle.On);
  EXPECT_EQ(m.Idle.Points.size(), 3501u);
  e.Clear();
  Step();
  EXPECT_TRUE(HasOp(RecordedOp::Points));
  EXPECT_EQ(e.PointsDrawn, 3501);
}

TEST_F(Frame, AssetLoadedBeforeTheFirstFrameEndsTheIdleScene) {
  // Start-up fills the tunnel; an asset from the command line or a project loads
  // before the first frame is drawn.
  SetupIdleScene(m);
  FillIdleScene(m);
  LoadGfx(m, e, Png("g.png", 8, 8), 1);
  Step(2);
  EXPECT_FALSE(m.Idle.On);
  EXPECT_TRUE(m.Idle.Points.empty());
  e.Clear();
  Step();
  EXPECT_FALSE(HasOp(RecordedOp::Points));
}

TEST_F(Frame, IdleTunnelAndMotion) {
  SetupIdleScene(m);
  m.Idle.Seed = 42;
  FillIdleScene(m);
  const auto first = m.Idle.Points;
  m.Idle.Seed = 42;
  FillIdleScene(m);
  EXPECT_EQ(first[1234].Z, m.Idle.Points[1234].Z);  // seeded: repeatable
  float lo = 1e9f, hi = -1e9f;
  for (size_t i = 0; i < first.size(); ++i) {
    const float base = -10.0f + static_cast<float>(i) * (410.0f / 3500.0f);
    const float jitter = first[i].Z - base;
    lo = std::min(lo, jitter);
    hi = std::max(hi, jitter);
    ASSERT_NEAR(first[i].X, std::sin(i * 3.14159265 / 180.0) * 10.0, 1e-4);
    ASSERT_NEAR(first[i].Y, std::cos(i * 3.14159265 / 180.0) * 10.0, 1e-4);
  }
  EXPECT_GE(lo, -5.5f - 1e-3f);
  EXPECT_LE(hi, 5.5f + 1e-3f);
  EXPECT_LT(lo, -4.0f);  // the jitter really spreads
  EXPECT_GT(hi, 4.0f);

  // Motion: z falls by 0.3 per frame at speed factor 1 and wraps past the box.
  m.Clock.SpeedFactor = 2.0f;
  m.Idle.Points = {{0, 0, 100, 1, 0}, {0, 0, -9.5f, 1, 0}};
  MoveIdleScene(m);
  EXPECT_NEAR(m.Idle.Points[0].Z, 99.4f, 1e-4);
  EXPECT_NEAR(m.Idle.Points[1].Z, 400.0f + (-10.0f - (-10.1f)), 1e-4);
  EXPECT_NEAR(m.Idle.Roll, 6.2831853f - 0.02f, 1e-5);  // -0.02 wrapped into one turn
}

TEST_F(Frame, BorderTilesCoverTheEdges) {
  LoadBorder(m, e, Png("border.png", 128, 48));
  m.Border.Layer = 2;
  m.Border.Rgt = 1;
  m.Border.Lft = 0;
  Step();
  std::vector<int> topX, bottomY, rightY;
  int rightX = -1;
  for (const DrawnSprite& d : e.Drawn) {
    EXPECT_EQ(d.Alpha, 255);
    if (d.Sprite == m.Border.Sprite[0]) topX.push_back(d.X);
    if (d.Sprite == m.Border.Sprite[1]) bottomY.push_back(d.Y);
    if (d.Sprite == m.Border.Sprite[2]) rightY.push_back(d.Y), rightX = d.X;
  }
  EXPECT_EQ(topX, (std::vector<int>{0, 128, 256, 384, 512, 640, 768}));
  EXPECT_EQ(bottomY, std::vector<int>(7, 552));
  EXPECT_EQ(rightY, (std::vector<int>{0, 128, 256, 384, 512}));
  EXPECT_EQ(rightX, 752);
  EXPECT_EQ(DrawsOf(m.Border.Sprite[3]), 0);
}

TEST_F(Frame, BorderTilesFromExtremePieceSizesNeverWrapBackOnScreen) {
  LoadBorder(m, e, Png("border.png", 64, 32));
  m.Border.Layer = 2;
  m.Border.Rgt = 1;
  m.Border.CspX = INT32_MIN;  // as a hostile project file may store it
  m.Border.CspY = INT32_MIN;
  Step();
  std::vector<int> topX, rightY;
  for (const DrawnSprite& d : e.Drawn) {
    if (d.Sprite == m.Border.Sprite[0]) topX.push_back(d.X);
    if (d.Sprite == m.Border.Sprite[2]) rightY.push_back(d.Y);
    // Neither the bottom nor the right edge can be placed ScreenY / ScreenX - INT32_MIN.
    EXPECT_NE(d.Sprite, m.Border.Sprite[1]);
  }
  EXPECT_EQ(topX, (std::vector<int>{0, INT32_MIN}));
  EXPECT_TRUE(rightY.empty());
}

TEST_F(Frame, SpeedFactorWaitsOneSecondAndFreezesWithoutFocus) {
  ManualClock engineClock;
  e.SetClock(engineClock);
  ASSERT_TRUE(e.Open(800, 600));
  m.Clock.PreviewStart = TestMs();
  auto frame = [&](uint64_t ticks) {
    engineClock.Set100ns(engineClock.Now100ns() + ticks);
    Step(1, static_cast<uint32_t>(ticks / 10000));
  };
  // 0.034 s frames (the engine counts 15 in its half-second window: 30 per second);
  // within the first second speeds still assume 60.
  for (int i = 0; i < 29; ++i) {
    frame(340000);
    ASSERT_FLOAT_EQ(m.Clock.SpeedFactor, 1.0f) << i;
  }
  for (int i = 0; i < 40; ++i) frame(340000);
  EXPECT_FLOAT_EQ(m.Clock.FramesPerSecond, 30.0f);
  EXPECT_FLOAT_EQ(m.Clock.SpeedFactor, 2.0f);
  EXPECT_EQ(m.Clock.LastFps, 30);

  // Without focus the rate stays at the last value even though frames come faster.
  m.Clock.Focused = false;
  for (int i = 0; i < 60; ++i) frame(167000);
  EXPECT_FLOAT_EQ(m.Clock.SpeedFactor, 2.0f);
  m.Clock.Focused = true;
  for (int i = 0; i < 60; ++i) frame(167000);
  EXPECT_FLOAT_EQ(m.Clock.SpeedFactor, 1.0f);
}

TEST_F(Frame, BackdropAndBorderScrollCarryTheirFractions) {
  LoadBackground(m, e, Png("bg.png", 64, 64));
  m.Background.ScrollX = 1;
  m.Background.ScrollY = -3;
  m.Clock.PreviewStart = TestMs();
  Step(60);  // one second at 60 frames per second
  const BackdropData* b = e.Backdrop(m.Background.Sprite);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->OffsetX, 6);
  EXPECT_EQ(b->OffsetY, 64 - 18);

  LoadBorder(m, e, Png("border.png", 16, 16));
  m.Border.Scroll = 5;  // half a row per frame
  const Image before = e.Texture(m.Border.Texture)->Pixels;
  Step();
  EXPECT_EQ(e.Texture(m.Border.Texture)->Pixels.Rgba, before.Rgba);
  Step();
  const Image& after = e.Texture(m.Border.Texture)->Pixels;
  EXPECT_TRUE(std::equal(after.Rgba.begin(), after.Rgba.begin() + 16 * 4, before.Rgba.begin() + 16 * 4));

  // The turned side pieces stay the same quarter turns of the scrolled piece, so the
  // pattern moves across the side edges as it does across the top.
  Step(7);
  const Image& top = e.Texture(m.Border.Texture)->Pixels;
  const Image& right = e.Texture(m.Border.SideTexture[0])->Pixels;  // turned clockwise
  const Image& left = e.Texture(m.Border.SideTexture[1])->Pixels;   // counter-clockwise
  auto px = [](const Image& img, int x, int y) {
    const uint8_t* p = &img.Rgba[(static_cast<size_t>(y) * img.Width + x) * 4];
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
  };
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      ASSERT_EQ(px(right, x, y), px(top, y, 15 - x)) << x << "," << y;
      ASSERT_EQ(px(left, x, y), px(top, 15 - y, x)) << x << "," << y;
    }
}

struct RecordingHook : PlacementHook {
  Handle Cursor = 0;
  size_t OpsAtRun = 0;
  RecordingEngine* Engine = nullptr;
  void Run(IntroModel&, quellor::Engine& e) override {
    OpsAtRun = Engine->Ops.size();
    e.DisplaySprite(Cursor, 5, 6, 255);
  }
};

TEST_F(Frame, PostEffectFrameOrderAndPlacementOverlay) {
  LoadLogo(m, e, Png("logo.png", 10, 10));
  m.PostFX.Effect = 777;  // stands for a compiled post effect
  m.ScreenTexture = e.CreateRenderTarget(800, 600);
  RecordingHook hook;
  hook.Engine = &e;
  hook.Cursor = e.CreateSprite(e.TextureFromImage(MakeImage(4, 4)));
  TestClock().AdvanceMs(16);
  DrawFrame(m, e, &hook);
  EXPECT_EQ(e.Ops, (std::vector<RecordedOp>{RecordedOp::RenderWorld, RecordedOp::GrabScreen,
                                            RecordedOp::ScreenEffect, RecordedOp::OverlayToTarget,
                                            RecordedOp::CopyToScreen, RecordedOp::Flip}));
  EXPECT_EQ(hook.OpsAtRun, 3u);  // after the post effect, before the overlay copy
  // The 2D-pass logo and the cursor land in the overlay, after the 3D pass.
  ASSERT_EQ(e.Drawn.size(), 2u);
  EXPECT_EQ(e.Drawn[0].Sprite, m.Logo.Sprite);
  EXPECT_EQ(e.Drawn[1].Sprite, hook.Cursor);
}

TEST_F(Frame, PlayOnceAnimationHoldsItsLastFrame) {
  Handle sheet = e.CreateSprite(e.TextureFromImage(MakeImage(64, 16)), 16, 16);
  m.Anim_2d.Sprite = sheet;
  m.Anim_2d.Frames = 4;
  m.Anim_2d.Intro = 1;
  m.Anim_2d.Frame = -1;
  e.SetSpriteFrame(sheet, 2);
  Step();
  EXPECT_EQ(m.Anim_2d.Frame, -1);
  e.SetSpriteFrame(sheet, 3);
  Step();
  EXPECT_EQ(m.Anim_2d.Frame, 3);
  e.SetSpriteFrame(sheet, 0);
  Step();
  EXPECT_EQ(e.SpriteFrame(sheet), 3);
}

}  // namespace
