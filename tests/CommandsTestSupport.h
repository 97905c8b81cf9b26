#pragma once
// Fixture of the command and placement-mode tests: a fresh model, a recording engine
// with an 800 x 600 screen and the scripted host, bound together in an AppContext.
#include <gtest/gtest.h>

#include "app/AppContext.h"
#include "app/PlacementModes.h"
#include "engine/recording/RecordingEngine.h"
#include "project/NewIntro.h"
#include "tests/FakeHost.h"

namespace quellor::test {

// Adds what the recording engine leaves out: one entity with a size, scale and position.
class EntityEngine : public RecordingEngine {
 public:
  float Size[3] = {0, 0, 0};
  float Scale[3] = {0, 0, 0};
  float Pos[3] = {0, 0, 0};
  std::vector<Handle> FreedEntities;
  void EntitySize(Handle, float* w, float* h, float* d) const override {
    *w = Size[0];
    *h = Size[1];
    *d = Size[2];
  }
  void ScaleEntity(Handle, float x, float y, float z) override {
    Scale[0] = x;
    Scale[1] = y;
    Scale[2] = z;
  }
  void PositionEntity(Handle, float x, float y, float z) override {
    Pos[0] = x;
    Pos[1] = y;
    Pos[2] = z;
  }
  void EntityPosition(Handle, float* x, float* y, float* z) const override {
    *x = Pos[0];
    *y = Pos[1];
    *z = Pos[2];
  }
  void FreeEntity(Handle h) override { FreedEntities.push_back(h); }
};

// A white w x h sprite.
inline Handle MakeWhiteSprite(Engine& e, int w, int h) {
  Image img;
  img.Width = w;
  img.Height = h;
  img.Rgba.assign(static_cast<size_t>(w) * h * 4, 255);
  return e.CreateSprite(e.TextureFromImage(img));
}

class CommandsTest : public ::testing::Test {
 protected:
  IntroModel m;
  EntityEngine e;
  FakeHost host;
  AppContext ctx{m, e, host};

  void SetUp() override {
    InitModel(m);
    m.BaseDir = "/base";
    ASSERT_TRUE(e.Open(800, 600));
  }

  Handle MakeSprite(int w, int h) { return MakeWhiteSprite(e, w, h); }

  void Mouse(int x, int y) {
    m.PreviewMouseX = x;
    m.PreviewMouseY = y;
  }

  // One placement pass with the given buttons held.
  void Pass(bool right, bool left = false) {
    e.SetMouseButton(kMouseRight, right);
    e.SetMouseButton(kMouseLeft, left);
    RunPlacementPass(m, e, host);
  }
};

}  // namespace quellor::test
