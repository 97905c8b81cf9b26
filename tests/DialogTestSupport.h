#pragma once
// Fixture of the dialog tests: a fresh model, an engine that also records what the
// options window asks of it, the fake host with its fake dialog views, bound in an
// AppContext. No display.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/dialogs/OptionControls.h"
#include "engine/recording/RecordingEngine.h"
#include "tests/CommandsTestSupport.h"
#include "tests/FakeHost.h"

namespace quellor::test {

class DialogEngine : public RecordingEngine {
 public:
  struct BlendCall {
    Handle Sprite;
    int Src, Dest;
  };
  std::vector<BlendCall> Blends;
  std::vector<std::pair<Handle, float>> Rotations;
  std::array<float, 3> Light{};
  std::vector<bool> Shadows;
  // Scripted compiler: empty = the engine's own answer; else every compile fails with it.
  std::string CompileError;
  int Compiles = 0;

  void SpriteBlending(Handle s, int src, int dest) override {
    Blends.push_back({s, src, dest});
    RecordingEngine::SpriteBlending(s, src, dest);
  }
  void RotateSprite(Handle s, float deg) override {
    Rotations.push_back({s, deg});
    RecordingEngine::RotateSprite(s, deg);
  }
  void PositionLight(float x, float y, float z) override { Light = {x, y, z}; }
  void EntityShadow(Handle, bool on) override { Shadows.push_back(on); }
  Handle CreateEffect(const std::string& source) override {
    ++Compiles;
    failure_ = CompileError;
    if (CompileError.empty()) return RecordingEngine::CreateEffect(source);
    return 0;
  }
  std::string ErrorText() const override {
    return failure_.empty() ? RecordingEngine::ErrorText() : failure_;
  }

 private:
  std::string failure_;
};

class DialogTest : public ::testing::Test {
 protected:
  IntroModel m;
  DialogEngine e;
  FakeHost host;
  AppContext ctx{m, e, host};

  void SetUp() override {
    InitModel(m);
    ASSERT_TRUE(e.Open(800, 600));
  }

  static int Id(const std::string& name) {
    int id = options::GadgetId(name);
    EXPECT_NE(id, 0) << "no control " << name;
    return id;
  }

  Handle MakeSprite(int w, int h) { return MakeWhiteSprite(e, w, h); }
};

// A scratch folder below the build tree, emptied for each test that asks for it.
inline std::filesystem::path ScratchDir(const std::string& name) {
  std::filesystem::path p = std::filesystem::path(QUELLOR_BINARY_DIR) / "scratch" / name;
  std::filesystem::remove_all(p);
  std::filesystem::create_directories(p);
  return p;
}

inline void WriteFile(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

inline std::string ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace quellor::test
