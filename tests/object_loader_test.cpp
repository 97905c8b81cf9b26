// The 3D object loaders: the size divisor, what the object gets on loading, refusals
// that keep the old object, and the animated variant's set count.
#include <gtest/gtest.h>

#include "mesh_samples.h"
#include "project/Colors.h"
#include "project/Loaders.h"
#include "project/Object3d.h"
#include "project_test_support.h"

using namespace quellor;
using namespace quellor::testsupport;

namespace {

// One triangle whose bounding box is w x h x d.
std::string TriangleX(float w, float h, float d) {
  auto f = [](float v) { return std::to_string(v); };
  return "xof 0303txt 0032\nMesh Tri {\n 3;\n 0.0;0.0;0.0;,\n " + f(w) + ";0.0;0.0;,\n 0.0;" + f(h) + ";" + f(d) +
         ";;\n 1;\n 3;0,1,2;;\n}\n";
}

class ObjectLoaders : public ::testing::Test {
 protected:
  ScratchDir dir;
  IntroModel m = FreshModel(dir.Base());
  RecordingEngine e;
  void SetUp() override { ASSERT_TRUE(e.Open(800, 600)); }

  std::string Write(const std::string& name, const std::string& text) {
    WriteText(dir.Path / name, text);
    return (dir.Path / name).string();
  }
  bool Logged(const std::string& text, uint32_t colour) const {
    for (const StatusLine& l : m.Log.Lines)
      if (l.Text == text && l.Colour == colour) return true;
    return false;
  }
};

}  // namespace

TEST_F(ObjectLoaders, SizeDivisorFollowsTheLargestDimension) {
  struct Case {
    float W, H, D, Divisor;
  } cases[] = {{40, 20, 10, 10}, {100, 30, 5, 10}, {20, 100.5f, 1, 50}, {1000, 400, 2, 50}, {300, 10, 1000.5f, 200}};
  m.Obj3d.PosX = -1, m.Obj3d.PosY = 2, m.Obj3d.PosZ = 14;
  for (const Case& c : cases) {
    LoadObject3d(m, e, Write("tri.x", TriangleX(c.W, c.H, c.D)));
    ASSERT_NE(m.Obj3d.Entity, 0u) << c.W;
    float w, h, d;
    e.EntitySize(m.Obj3d.Entity, &w, &h, &d);
    EXPECT_NEAR(w, c.W / c.Divisor, 1e-3) << c.W << " x " << c.H << " x " << c.D;
    EXPECT_NEAR(h, c.H / c.Divisor, 1e-3);
    EXPECT_NEAR(d, c.D / c.Divisor, 1e-3);
  }
  EXPECT_EQ(e.Entities().size(), 1u) << "each load frees the object before";
  const EntityData* ent = e.Entity(m.Obj3d.Entity);
  EXPECT_FLOAT_EQ(ent->Position[0], -1);
  EXPECT_FLOAT_EQ(ent->Position[2], 14);
  EXPECT_EQ(m.Obj3d.Type, 0);
  EXPECT_EQ(m.Obj3d.File, (dir.Path / "tri.x").string());
  EXPECT_TRUE(Logged("3d Object succesfully loaded.", kColorSuccess));
  EXPECT_FALSE(ent->MaterialOverride) << "no texture, no fixed material";

  // With a texture the object wears it and gets the fixed material; shadow follows the switch.
  WritePng(dir.Path / "t.png", 4, 4);
  LoadTexture(m, e, (dir.Path / "t.png").string(), 0);
  m.Obj3d.Shadow = 1;
  LoadObject3d(m, e, Write("tri.x", TriangleX(5, 5, 5)));
  ent = e.Entity(m.Obj3d.Entity);
  EXPECT_EQ(ent->Texture, m.Tex3d.Texture);
  EXPECT_TRUE(ent->Shadow);
  ASSERT_TRUE(ent->MaterialOverride);
  EXPECT_FLOAT_EQ(ent->Material.Diffuse[0], 225.0f / 255);
  EXPECT_FLOAT_EQ(ent->Material.Ambient[1], 1.0f);
  EXPECT_FLOAT_EQ(ent->Material.Power, 40.0f);
}

TEST_F(ObjectLoaders, RefusedFilesKeepTheOldObject) {
  LoadObject3d(m, e, Write("good.x", TriangleX(30, 30, 30)));
  const Handle old = m.Obj3d.Entity;
  const std::string oldFile = m.Obj3d.File;
  ASSERT_NE(old, 0u);

  LoadObject3d(m, e, Write("huge.x", meshsamples::HugeCountX()));
  EXPECT_EQ(m.Obj3d.Entity, old);
  EXPECT_EQ(m.Obj3d.File, oldFile);
  ASSERT_FALSE(m.Log.Lines.empty());
  const StatusLine& refusal = m.Log.Lines.back();
  EXPECT_EQ(refusal.Text.rfind("#20 Objekt konnte nicht geladen werden: huge.x", 0), 0u) << refusal.Text;
  EXPECT_EQ(refusal.Colour, kColorError);

  LoadAnimObject3d(m, e, Write("deep.x", meshsamples::DeepX(kMaxMeshDepth + 4)));
  EXPECT_EQ(m.Obj3d.Entity, old);
  EXPECT_EQ(m.Log.Lines.back().Colour, kColorError);

  LoadObject3d(m, e, Write("big.x", TriangleX(1, 1, 1) + std::string(524288, ' ')));
  EXPECT_EQ(m.Obj3d.Entity, old);
  EXPECT_TRUE(Logged("Sorry, 3d Object filesize is to big.", kColorTooBig));

  const size_t lines = m.Log.Lines.size();
  LoadObject3d(m, e, (dir.Path / "missing.x").string());
  EXPECT_EQ(m.Obj3d.Entity, old);
  EXPECT_EQ(m.Log.Lines.size(), lines) << "a missing file is left to the project reader";
  EXPECT_EQ(e.Entities().size(), 1u);
}

TEST_F(ObjectLoaders, AnimatedObjectCountsItsSets) {
  LoadAnimObject3d(m, e, Write("arm.x", meshsamples::AnimatedX()));
  ASSERT_NE(m.Obj3d.Entity, 0u);
  EXPECT_EQ(m.Obj3d.AnimSets, 2);  // "Walk" and "Run"
  EXPECT_EQ(m.Obj3d.Type, 10);
  EXPECT_TRUE(Logged("3d Anim Object succesfully loaded.", kColorSuccess));
  EXPECT_TRUE(Logged("2 Animation sets detected", kColorSuccess));
}

namespace {
// Compiles everything: the effect runtime is not part of these tests.
class CompilingEngine : public RecordingEngine {
 public:
  std::string Compiled;
  Handle CreateEffect(const std::string& source) override {
    Compiled = source;
    return 900;
  }
  Handle CreateTextureShader(const std::string&, int w, int h) override {
    return TextureFromImage(Image{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 4, 255)});
  }
};
}  // namespace

TEST_F(ObjectLoaders, ShaderLoadersAttachWhatCompilesAndKeepTheObjectPlainOtherwise) {
  LoadObject3d(m, e, Write("tri.x", TriangleX(5, 5, 5)));
  const std::string fx = Write("wave.fx", "technique Technique0\n{\n");
  LoadVertexShader(m, e, fx);  // the technique is not closed: nothing compiles
  EXPECT_EQ(m.VertexShader.Code, "technique Technique0\r\n{\r\n");
  EXPECT_EQ(m.VertexShader.File, fx);
  EXPECT_EQ(m.VertexShader.Effect, 0u);
  EXPECT_EQ(e.Entity(m.Obj3d.Entity)->Effect, 0u);
  EXPECT_EQ(m.Log.Lines.back().Text.rfind("#17 Shader konnte nicht erstellt werden", 0), 0u);
  EXPECT_EQ(m.Log.Lines.back().Colour, kColorError);

  CompilingEngine c;
  ASSERT_TRUE(c.Open(800, 600));
  IntroModel n = FreshModel(dir.Base());
  CreateObjectPrimitive(n, c, 1);
  LoadVertexShader(n, c, fx);
  ASSERT_EQ(n.VertexShader.Effect, 900u);
  EXPECT_EQ(c.Entity(n.Obj3d.Entity)->Effect, 900u);
  EXPECT_EQ(c.Params.back().Technique, "Technique0");
  LoadTextureShader(n, c, Write("tex.fx", "float4 Testout(float2 uv : POSITION) : COLOR { return 1; }"));
  ASSERT_NE(n.TexShader.Texture, 0u);
  EXPECT_EQ(c.TextureWidth(n.TexShader.Texture), 256);
  EXPECT_EQ(n.TexShader.State, 1);
  EXPECT_EQ(n.Tex3d.Type, 2);
  EXPECT_EQ(c.Entity(n.Obj3d.Entity)->Texture, n.TexShader.Texture);

  const std::string big = Write("big.fx", std::string(10241, ' '));
  LoadVertexShader(n, c, big);
  EXPECT_EQ(n.VertexShader.File, fx);
  EXPECT_EQ(n.Log.Lines.back().Text, "Sorry, Vertex Shader filesize is to big.");
}
