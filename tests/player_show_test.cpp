// What the exported intro adds to the frames: start-up and exit fades, activation
// times, the sign's effects; its command line and its keys.
#include <gtest/gtest.h>

#include "engine/recording/RecordingEngine.h"
#include "player/IntroShow.h"
#include "player/PlayerOptions.h"
#include "player/sdl/SdlKeys.h"
#include "tests/gl_test_support.h"

namespace quellor {
namespace {

struct ShowRig {
  IntroModel M;
  RecordingEngine E;
  IntroShow Show;
  ShowRig() {
    InitModel(M);
    E.Open(800, 600);
    M.Sign.Sprite = E.CreateSprite(E.TextureFromImage(gltest::Solid(40, 20, 0xFFFFFFFFu)));
    M.Sign.PosX = 300;
    M.Sign.PosY = 200;
    M.Logo.Trans = 200;
    M.GFX.Trans[2] = 100;
    M.Scroller[0].Active = 1;
    M.Border.Texture = 77;
  }
  void At(uint32_t ms) { Show.Apply(M, E, 1000 + ms); }
};

TEST(IntroShow, FadingTheSceneRunsFromBlackAndBackOnTheWayOut) {
  ShowRig r;
  r.M.FMode = 0;
  r.Show.Begin(r.M, r.E, 1000);
  EXPECT_EQ(r.E.ScreenFade(), 0.0f);
  r.At(kShowFadeMs / 2);
  EXPECT_FLOAT_EQ(r.E.ScreenFade(), 0.5f);
  r.At(5000);
  EXPECT_EQ(r.E.ScreenFade(), 1.0f);
  r.Show.Leave(1000 + 5000);
  EXPECT_FALSE(r.Show.Finished(1000 + 5000 + kShowFadeMs - 1));
  r.At(5000 + kShowFadeMs / 4);
  EXPECT_FLOAT_EQ(r.E.ScreenFade(), 0.75f);
  EXPECT_TRUE(r.Show.Finished(1000 + 5000 + kShowFadeMs));

  ShowRig plopp;
  plopp.M.FMode = 1;
  plopp.Show.Begin(plopp.M, plopp.E, 1000);
  EXPECT_EQ(plopp.E.ScreenFade(), 1.0f);
  plopp.Show.Leave(1200);
  EXPECT_TRUE(plopp.Show.Finished(1200));  // nothing to play backwards
}

TEST(IntroShow, ItemsWaitForTheirTimeAndFadeInWhereFlagged) {
  ShowRig r;
  r.M.StartTimer[static_cast<int>(ShowItem::Logo)] = 2000;
  r.M.StartFlag[5] = 1;  // the logo fades in
  r.M.StartTimer[static_cast<int>(ShowItem::Gfx2)] = 500;  // GFX #2 appears at once
  r.M.StartTimer[static_cast<int>(ShowItem::Scroll1)] = 300;
  r.M.StartTimer[static_cast<int>(ShowItem::Border)] = 300;
  r.Show.Begin(r.M, r.E, 1000);
  EXPECT_EQ(r.M.Logo.Trans, 0);
  EXPECT_EQ(r.M.GFX.Trans[2], 0);
  EXPECT_EQ(r.M.Scroller[0].Active, 0);
  EXPECT_EQ(r.M.Border.Texture, 0u);
  r.At(600);
  EXPECT_EQ(r.M.GFX.Trans[2], 100);
  EXPECT_EQ(r.M.Scroller[0].Active, 1);
  EXPECT_EQ(r.M.Border.Texture, 77u);
  EXPECT_EQ(r.M.Logo.Trans, 0);
  r.At(2000 + kShowFadeMs / 4);
  EXPECT_EQ(r.M.Logo.Trans, 50);
  r.At(9000);
  EXPECT_EQ(r.M.Logo.Trans, 200);
}

TEST(IntroShow, TheSignMovesInAtItsTimeAndOutOnTheWayOut) {
  ShowRig r;
  r.M.Sign.IN = 3;   // from the left
  r.M.Sign.OUT = 4;  // to the bottom
  r.M.StartTimer[static_cast<int>(ShowItem::Sign)] = 1000;
  r.Show.Begin(r.M, r.E, 1000);
  EXPECT_EQ(r.M.Sign.Trans, 0);  // not yet
  r.At(1000);
  EXPECT_EQ(r.M.Sign.PosX, -40);  // just off the left edge
  r.At(1000 + kShowFadeMs / 2);
  EXPECT_EQ(r.M.Sign.PosX, 130);
  r.At(1000 + kShowFadeMs);
  EXPECT_EQ(r.M.Sign.PosX, 300);
  r.Show.Leave(1000 + 3000);
  EXPECT_FALSE(r.Show.Finished(1000 + 3000 + 10));  // the sign's way out takes its time
  r.At(3000 + kShowFadeMs);
  EXPECT_EQ(r.M.Sign.PosY, 600);
  EXPECT_EQ(r.M.Sign.PosX, 300);
}

TEST(PlayerCommandLine, HeadlessOptionsAndBadValues) {
  PlayerOptions o = ParsePlayerOptions({"--frames", "120", "--fps", "60", "--png", "a.png", "--audio-out", "a.wav"});
  EXPECT_TRUE(o.Error.empty());
  EXPECT_TRUE(o.Headless);
  EXPECT_EQ(o.Frames, 120);
  EXPECT_EQ(o.Fps, 60);
  EXPECT_EQ(o.PngPath, "a.png");
  EXPECT_EQ(o.AudioPath, "a.wav");
  EXPECT_FALSE(ParsePlayerOptions({}).Headless);
  EXPECT_FALSE(ParsePlayerOptions({"--fps", "30"}).Headless);
  EXPECT_FALSE(ParsePlayerOptions({"--frames", "0"}).Error.empty());
  EXPECT_FALSE(ParsePlayerOptions({"--fps"}).Error.empty());
  EXPECT_FALSE(ParsePlayerOptions({"--what"}).Error.empty());
}

TEST(PlayerKeys, SdlScanCodesBecomeDirectInputCodes) {
  // Scan codes by the USB HID tables, DIK values by DirectInput's.
  EXPECT_EQ(DikFromSdlScancode(41), 0x01);   // Escape
  EXPECT_EQ(DikFromSdlScancode(4), 0x1E);    // A
  EXPECT_EQ(DikFromSdlScancode(29), 0x2C);   // Z
  EXPECT_EQ(DikFromSdlScancode(39), 0x0B);   // 0
  EXPECT_EQ(DikFromSdlScancode(44), 0x39);   // Space
  EXPECT_EQ(DikFromSdlScancode(58), 0x3B);   // F1
  EXPECT_EQ(DikFromSdlScancode(68), 0x57);   // F11
  EXPECT_EQ(DikFromSdlScancode(82), 0xC8);   // Up
  EXPECT_EQ(DikFromSdlScancode(81), 0xD0);   // Down
  EXPECT_EQ(DikFromSdlScancode(88), 0x9C);   // keypad Enter
  EXPECT_EQ(DikFromSdlScancode(230), 0xB8);  // right Alt
  EXPECT_EQ(DikFromSdlScancode(0), 0);
  EXPECT_EQ(DikFromSdlScancode(500), 0);
}

}  // namespace
}  // namespace quellor
