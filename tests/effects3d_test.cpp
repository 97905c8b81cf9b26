// The 3D object's effect parameters: what is set, in which order, with which values.
#include <gtest/gtest.h>

#include "engine/Clock.h"
#include "engine/recording/RecordingEngine.h"
#include "project/IntroModel.h"
#include "render/Effects3d.h"

using namespace quellor;

namespace {

constexpr Handle kEffect = 77;

class ObjectShaderParameters : public ::testing::Test {
 protected:
  IntroModel m;
  RecordingEngine e;
  static constexpr uint64_t clock100ns = 4'321'000'000'000ull;
  ManualClock clock{clock100ns};

  void SetUp() override {
    InitModel(m);
    e.SetClock(clock);
    ASSERT_TRUE(e.Open(800, 600));
    m.Obj3d.Entity = e.CreatePrimitive(Primitive::Cube);
    e.PositionEntity(m.Obj3d.Entity, 1, 2, 10);
    e.TurnEntity(m.Obj3d.Entity, 10, 20, 30);
  }

  Handle Texture() { return e.TextureFromImage(Image{2, 2, std::vector<uint8_t>(16, 255)}); }

  const RecordedParam& Param(const std::string& name) {
    for (const RecordedParam& p : e.Params)
      if (p.Name == name) return p;
    static const RecordedParam kNone;
    ADD_FAILURE() << name << " was not set";
    return kNone;
  }
};

}  // namespace

TEST_F(ObjectShaderParameters, ContractIsSetInOrderWhenTheObjectHasAnEffect) {
  m.Tex3d.Texture = Texture();
  m.VertexShader.Texture = {Texture(), Texture(), 0};
  m.VertexShader.Var1 = 0.25f, m.VertexShader.Var2 = 1.5f, m.VertexShader.Var3 = -2.0f;

  SetObjectShaderParameters(m, e);
  EXPECT_TRUE(e.Params.empty()) << "nothing is set without an effect";

  m.VertexShader.Effect = kEffect;
  SetObjectShaderParameters(m, e);
  const std::vector<std::string> order = {"mouse",     "worldViewProjI", "worldViewProj", "matWorld",   "matWorldI",
                                          "lightDir",  "matLightWorld",  "matCamView",    "matCamViewI", "matCamProj",
                                          "vecEye",    "postfx",         "texture0",      "texture1",   "texture2",
                                          "texture3",  "time",           "Var1",          "Var2",       "Var3"};
  std::vector<std::string> names;
  for (const RecordedParam& p : e.Params) {
    names.push_back(p.Name);
    EXPECT_EQ(p.Effect, kEffect);
  }
  EXPECT_EQ(names, order);

  const float* world = e.QueryMatrix(MatrixKind::World, m.Obj3d.Entity);
  EXPECT_EQ(Param("matWorld").Values, std::vector<float>(world, world + 16));
  const float* wvp = e.QueryMatrix(MatrixKind::WorldViewProjection, m.Obj3d.Entity);
  EXPECT_EQ(Param("worldViewProj").Values, std::vector<float>(wvp, wvp + 16));
  EXPECT_EQ(Param("lightDir").Type, RecordedParam::Kind::Vector);
  EXPECT_EQ(Param("vecEye").Type, RecordedParam::Kind::Vector);
  EXPECT_EQ(Param("postfx").Values, std::vector<float>{0.0f});
  EXPECT_EQ(Param("texture0").Texture, m.Tex3d.Texture);
  EXPECT_EQ(Param("texture1").Texture, m.VertexShader.Texture[0]);
  EXPECT_EQ(Param("texture2").Texture, m.VertexShader.Texture[1]);
  EXPECT_EQ(Param("texture3").Texture, 0u);
  // 10-microsecond ticks over 100000: seconds of up-time.
  EXPECT_FLOAT_EQ(Param("time").Values.at(0), static_cast<float>(clock100ns / 100 / 100000.0));
  EXPECT_EQ(Param("Var1").Values, std::vector<float>{0.25f});
  EXPECT_EQ(Param("Var3").Values, std::vector<float>{-2.0f});

  // While a texture shader is applied, its texture is the object's.
  m.TexShader.Texture = Texture();
  m.TexShader.State = 1;
  e.Clear();
  SetObjectShaderParameters(m, e);
  EXPECT_EQ(Param("texture0").Texture, m.TexShader.Texture);
}

TEST_F(ObjectShaderParameters, MouseVectorFollowsTheOptionEveryFrame) {
  // Taken even without an effect.
  m.VertexShader.M_opt = 0;
  m.PreviewMouseX = 395, m.PreviewMouseY = 118;
  SetObjectShaderParameters(m, e);
  EXPECT_FLOAT_EQ(m.ShaderMouse[0], 395.0f / 790);
  EXPECT_FLOAT_EQ(m.ShaderMouse[1], 118.0f / 590);
  EXPECT_FLOAT_EQ(m.ShaderMouse[2], 0);
  m.PreviewMouseX = 810;  // outside the preview: slightly negative
  SetObjectShaderParameters(m, e);
  EXPECT_FLOAT_EQ(m.ShaderMouse[0], -1.0f / 790);
  EXPECT_FLOAT_EQ(m.ShaderMouse[1], -1.0f / 590);

  m.VertexShader.M_opt = 1;
  m.VertexShader.M_X = 200, m.VertexShader.M_Y = 450;
  SetObjectShaderParameters(m, e);
  EXPECT_FLOAT_EQ(m.ShaderMouse[0], 0.25f);
  EXPECT_FLOAT_EQ(m.ShaderMouse[1], 0.75f);

  m.VertexShader.M_opt = 2;
  m.ScrollRun[0].SwingSine = -0.6f;
  m.VertexShader.Effect = kEffect;
  SetObjectShaderParameters(m, e);
  EXPECT_FLOAT_EQ(m.ShaderMouse[0], 0.6f);
  EXPECT_FLOAT_EQ(m.ShaderMouse[1], 0.6f);
  EXPECT_EQ(Param("mouse").Values, (std::vector<float>{0.6f, 0.6f, 0.0f}));
}
