#pragma once
#include "tests/TestClock.h"
// Shared set-up for the effect tests: a recording engine, a fresh model and font
// glyph sprites made straight from images (every glyph a distinct sprite).
#include <gtest/gtest.h>

#include "engine/recording/RecordingEngine.h"
#include "project/IntroModel.h"

namespace quellor::effecttest {


class EffectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(e.Open(800, 600));
    InitModel(m);
    quellor::testing::TestClock().SetMs(100000);
    m.Clock.Source = &quellor::testing::TestClock();
    m.Clock.FrameNow = quellor::testing::TestMs();
    m.Clock.SpeedFactor = 1.0f;
  }

  // Cuts glyph sprites for font 0 or 1, each `w` x `h` pixels.
  void MakeFont(int font, int w = 32, int h = 32) {
    Image img;
    img.Width = w;
    img.Height = h;
    img.Rgba.assign(static_cast<size_t>(w) * h * 4, 255);
    FontFields& f = FontOf(m, font);
    for (auto& g : f.Chars) {
      g.Image = e.TextureFromImage(img);
      g.Sprite = e.CreateSprite(g.Image);
    }
  }

  Handle Glyph(int font, char ch) {
    int c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') c -= 32;
    return FontOf(m, font).Chars[c - 32].Sprite;
  }

  void SetTime(uint32_t t) {
    quellor::testing::TestClock().SetMs(t);
    m.Clock.FrameNow = t;
  }

  RecordingEngine e;
  IntroModel m;
};

}  // namespace quellor::effecttest
