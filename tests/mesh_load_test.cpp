// Models through the engine: animation sets and their playback, hostile files refused,
// and the byte form that brings a model back from the loader's worker process.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/Clock.h"
#include "engine/mesh/MeshPrimitives.h"
#include "engine/mesh/MeshWire.h"
#include "engine/recording/RecordingEngine.h"
#include "mesh_samples.h"
#include "project_test_support.h"

using namespace quellor;
using namespace quellor::testsupport;

namespace {

float MinX(const std::vector<MeshVertex>& v) {
  float x = v.at(0).Pos[0];
  for (const MeshVertex& m : v) x = std::min(x, m.Pos[0]);
  return x;
}

struct ClockedEngine {
  ManualClock Clock;
  RecordingEngine E;
  ClockedEngine() {
    E.SetClock(Clock);
    E.Open(800, 600);
  }
  void Advance(double seconds) {
    Clock.Set100ns(Clock.Now100ns() + static_cast<uint64_t>(seconds * 1e7));
    E.FlipBuffers();
  }
};

}  // namespace

TEST(MeshLoad, AnimatedXReportsItsSetsAndPlaysTheFirstWithTime) {
  ScratchDir dir;
  const fs::path file = dir.Path / "arm.x";
  WriteText(file, meshsamples::AnimatedX());
  ClockedEngine c;
  Handle anim = c.E.LoadEntity(file.string(), true);
  ASSERT_NE(anim, 0u) << c.E.ErrorText();
  EXPECT_EQ(c.E.EntityAnimationSets(anim), 2);
  EXPECT_FLOAT_EQ(MinX(c.E.EntityVertices(anim)), 0.0f);
  // The file gives no tick rate, so DirectX's 4800 ticks per second apply: half a
  // second is half way to the set's last key.
  c.Advance(0.5);
  EXPECT_NEAR(MinX(c.E.EntityVertices(anim)), meshsamples::kWalkEndX * 0.5f * 4800 / meshsamples::kWalkEndTick, 1e-4);
  c.Advance(0.25);
  EXPECT_NEAR(MinX(c.E.EntityVertices(anim)), meshsamples::kWalkEndX * 0.75f, 1e-4);

  // Loaded as a static object the same file has no sets and does not move.
  Handle still = c.E.LoadEntity(file.string(), false);
  ASSERT_NE(still, 0u);
  EXPECT_EQ(c.E.EntityAnimationSets(still), 0);
  const float before = MinX(c.E.EntityVertices(still));
  c.Advance(0.3);
  EXPECT_FLOAT_EQ(MinX(c.E.EntityVertices(still)), before);
}

TEST(MeshLoad, HostileFilesAreRefusedWithTheObjectError) {
  ScratchDir dir;
  struct Case {
    const char* Name;
    std::string Text;
    bool Animated;
  } cases[] = {
      {"huge.x", meshsamples::HugeCountX(), false},
      {"deep.x", meshsamples::DeepX(kMaxMeshDepth + 8), true},
      {"noise.x", std::string("xof 0303txt 0032\n\x01\xff{{{{;;;", 24), false},
      {"empty.3ds", "", false},
      {"cut.b3d", "BB3D\x10\x00\x00\x00", false},
      {"model.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", false},
  };
  ClockedEngine c;
  for (const Case& k : cases) {
    WriteText(dir.Path / k.Name, k.Text);
    EXPECT_EQ(c.E.LoadEntity((dir.Path / k.Name).string(), k.Animated), 0u) << k.Name;
    EXPECT_EQ(c.E.LastError(), 20) << k.Name;
    EXPECT_EQ(c.E.ErrorText().rfind("#20 Objekt konnte nicht geladen werden", 0), 0u) << c.E.ErrorText();
  }
  EXPECT_TRUE(c.E.Entities().empty());
  // The same loader still reads a sound file afterwards.
  WriteText(dir.Path / "ok.x", meshsamples::StaticX());
  EXPECT_NE(c.E.LoadEntity((dir.Path / "ok.x").string()), 0u);
}

TEST(MeshLoad, CutOrGarbledModelBytesAreRefused) {
  MeshData torus = MakeTorus(0.7f, 2.0f, 6);
  std::vector<uint8_t> bytes;
  EncodeMesh(torus, bytes);
  MeshData back;
  ASSERT_TRUE(DecodeMesh(bytes.data(), bytes.size(), back, nullptr));
  EXPECT_EQ(back.Indices, torus.Indices);
  ASSERT_EQ(back.Vertices.size(), torus.Vertices.size());
  for (size_t cut = 0; cut < bytes.size(); cut += 7)
    EXPECT_FALSE(DecodeMesh(bytes.data(), cut, back, nullptr)) << cut;
  // An index past the vertices is caught by the model check, not drawn.
  MeshData bad = torus;
  bad.Indices[4] = static_cast<uint32_t>(bad.Vertices.size());
  EncodeMesh(bad, bytes);
  EXPECT_FALSE(DecodeMesh(bytes.data(), bytes.size(), back, nullptr));
}
