// The post effect and raster bars in the frame, on the recording engine: what the
// renderer hands to the effects, in which order, and the shader loaders.
#include <cmath>
#include <fstream>

#include "engine/fx/FxReader.h"
#include "project/Colors.h"
#include "project/Loaders.h"
#include "project/loaders/LoaderCommon.h"
#include "render/Frame.h"
#include "render/RasterBars.h"
#include "tests/frame_fixtures.h"

namespace quellor {
namespace {

using testing::ModelFixture;

const char* const kPost = "texture texture0;\nsampler s = sampler_state { Texture = <texture0>; };\n"
                          "float4 PS(float2 uv : TEXCOORD0) : COLOR { return tex2D(s, uv); }\n"
                          "technique PostProcess { pass p0 { PixelShader = compile ps_2_0 PS(); } }\n";

class EffectsFrame : public ModelFixture {
 protected:
  void SetUp() override {
    ModelFixture::SetUp();
    e.SetClock(testing::TestClock());  // 50 s
    m.ScreenTexture = e.CreateRenderTarget(800, 600);
  }
  std::vector<RecordedParam> SetsOf(Handle fx) const {
    std::vector<RecordedParam> out;
    for (const RecordedParam& s : e.Params)
      if (s.Effect == fx) out.push_back(s);
    return out;
  }
  static std::vector<std::string> Names(const std::vector<RecordedParam>& sets) {
    std::vector<std::string> n;
    for (const RecordedParam& s : sets) n.push_back(s.Name);
    return n;
  }
  static const RecordedParam& Find(const std::vector<RecordedParam>& sets, const std::string& name) {
    for (const RecordedParam& s : sets)
      if (s.Name == name) return s;
    static RecordedParam none;
    ADD_FAILURE() << name << " was not set";
    return none;
  }
  std::string File(const std::string& name, const std::string& text) {
    const auto p = dir_ / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
};

TEST_F(EffectsFrame, PostEffectGetsTheContractInItsOrder) {
  m.PostFX.Effect = e.CreateEffect(kPost);
  ASSERT_NE(m.PostFX.Effect, 0u);
  const Image img = testing::MakeImage(4, 4);
  m.Background.Texture = e.TextureFromImage(img);
  m.Tex3d.Texture = e.TextureFromImage(img);
  m.VertexShader.Texture = {e.TextureFromImage(img), e.TextureFromImage(img), e.TextureFromImage(img)};
  m.VertexShader.Var1 = 0.25f, m.VertexShader.Var2 = 0.5f, m.VertexShader.Var3 = 0.75f;
  m.VertexShader.M_opt = 1;
  m.VertexShader.M_X = 200, m.VertexShader.M_Y = 150;
  DrawFrame(m, e, nullptr);
  const auto sets = SetsOf(m.PostFX.Effect);
  const std::vector<std::string> order = {
      "mouse", "postfx", "time", "worldViewProjI", "worldViewProj", "matWorld", "matWorldI", "lightDir",
      "matLightWorld", "matCamView", "matCamViewI", "matCamProj", "vecEye", "PostProcess", "textureBG",
      "texture0", "texture1", "texture2", "texture3", "Var1", "Var2", "Var3"};
  EXPECT_EQ(Names(sets), order);
  EXPECT_EQ(Find(sets, "PostProcess").Type, RecordedParam::Kind::Technique);
  EXPECT_EQ(Find(sets, "mouse").Values.at(0), 0.25f);
  EXPECT_EQ(Find(sets, "mouse").Values.at(1), 0.25f);
  EXPECT_EQ(Find(sets, "postfx").Values.at(0), 1.0f);
  EXPECT_FLOAT_EQ(Find(sets, "time").Values.at(0), 50.0f);
  EXPECT_EQ(Find(sets, "lightDir").Type, RecordedParam::Kind::Vector);
  EXPECT_EQ(Find(sets, "matCamView").Type, RecordedParam::Kind::Matrix);
  EXPECT_EQ(Find(sets, "textureBG").Texture, m.Background.Texture);
  EXPECT_EQ(Find(sets, "texture0").Texture, m.ScreenTexture);
  EXPECT_EQ(Find(sets, "texture1").Texture, m.Tex3d.Texture);
  EXPECT_EQ(Find(sets, "texture2").Texture, m.VertexShader.Texture[0]);
  EXPECT_EQ(Find(sets, "texture3").Texture, m.VertexShader.Texture[1]);
  EXPECT_EQ(Find(sets, "Var3").Values.at(0), 0.75f);
  // Grab after the 3D pass, the effect into the target; the 2D pass over it, then shown.
  const std::vector<RecordedOp> want = {RecordedOp::RenderWorld, RecordedOp::GrabScreen, RecordedOp::ScreenEffect,
                                        RecordedOp::OverlayToTarget, RecordedOp::CopyToScreen, RecordedOp::Flip};
  EXPECT_EQ(e.Ops, want);
  EXPECT_EQ(e.ScreenEffects, std::vector<Handle>{m.PostFX.Effect});
}

TEST_F(EffectsFrame, RasterPassRecoloursLastAndOnlyWhenARasterIsOn) {
  SetRasterEffectSource(m);
  CompileRasterEffect(m, e);
  ASSERT_NE(m.Raster.Effect, 0u);
  DrawFrame(m, e, nullptr);
  EXPECT_TRUE(SetsOf(m.Raster.Effect).empty());
  EXPECT_EQ(std::count(e.Ops.begin(), e.Ops.end(), RecordedOp::GrabScreen), 0);
  e.Clear();
  RasterFields& r = m.Raster;
  r.enb[2] = 1;
  r.fxt[2] = 3;
  r.val[2] = 0.25f;
  r.rgb[2] = {1, 0, 1, 0};
  for (int n = 1; n <= 3; ++n) r.Texture[n] = e.TextureFromImage(testing::MakeImage(2, 8));
  r.RasterCount = 1;
  DrawFrame(m, e, nullptr);
  const auto sets = SetsOf(r.Effect);
  const std::vector<std::string> order = {"time", "Ras_FX1", "Ras_1_enabled", "Ras_1_value", "Ras_FX2", "Ras_2_enabled",
                                          "Ras_2_value", "Ras_FX3", "Ras_3_enabled", "Ras_3_value", "clear1", "clear2",
                                          "clear3", "recolor", "texture0", "texture1", "texture2", "texture3"};
  EXPECT_EQ(Names(sets), order);
  EXPECT_EQ(Find(sets, "Ras_FX2").Values.at(0), 3.0f);
  EXPECT_EQ(Find(sets, "Ras_2_enabled").Values.at(0), 1.0f);
  EXPECT_EQ(Find(sets, "Ras_1_enabled").Values.at(0), 0.0f);
  EXPECT_EQ(Find(sets, "Ras_2_value").Values.at(0), 0.25f);
  EXPECT_EQ(Find(sets, "clear2").Type, RecordedParam::Kind::Color);
  EXPECT_EQ(Find(sets, "clear2").Values, (std::vector<float>{1, 0, 1, 0}));
  EXPECT_EQ(Find(sets, "texture0").Texture, m.ScreenTexture);
  EXPECT_EQ(Find(sets, "texture3").Texture, r.Texture[3]);
  // After the status log's texts were queued: grab, recolour, copy, then the flip.
  const std::vector<RecordedOp> tail = {RecordedOp::GrabScreen, RecordedOp::ScreenEffect, RecordedOp::CopyToScreen,
                                        RecordedOp::Flip};
  ASSERT_GE(e.Ops.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), e.Ops.end() - 4));
}

TEST_F(EffectsFrame, BuiltInRasterEffectHasTheFixedNamesAndDefaults) {
  FxLayout l;
  std::string error;
  ASSERT_TRUE(ReadFx(kRasterEffectSource, l, &error)) << error;
  auto def = [&](const std::string& name) {
    for (const FxParam& p : l.Fx.Params)
      if (p.Name == name) return p.Default;
    ADD_FAILURE() << name;
    return std::vector<float>{};
  };
  for (int n = 1; n <= 3; ++n) {
    const std::string k = std::to_string(n);
    EXPECT_EQ(def("Ras_FX" + k), std::vector<float>{0});
    EXPECT_EQ(def("Ras_" + k + "_enabled"), std::vector<float>{1});
    EXPECT_EQ(def("Ras_" + k + "_value"), std::vector<float>{0.5f});
  }
  EXPECT_EQ(def("clear1"), (std::vector<float>{0, 0, 0, 0}));
  EXPECT_EQ(def("clear2"), (std::vector<float>{1, 0, 1, 0}));
  EXPECT_EQ(def("clear3"), (std::vector<float>{0, 0, 0, 0}));
  std::vector<std::pair<std::string, std::string>> samplers;
  for (const FxSampler& s : l.Fx.Samplers) samplers.emplace_back(s.Name, s.Texture);
  EXPECT_EQ(samplers, (std::vector<std::pair<std::string, std::string>>{
                          {"postTex", "texture0"}, {"Sampler1", "texture1"}, {"Sampler2", "texture2"}, {"Sampler3", "texture3"}}));
  ASSERT_EQ(l.Fx.Techniques.size(), 1u);
  EXPECT_EQ(l.Fx.Techniques[0].Name, "recolor");
  ASSERT_EQ(l.Fx.Techniques[0].Passes.size(), 1u);
  EXPECT_EQ(l.Fx.Techniques[0].Passes[0].Name, "p1");
  EXPECT_EQ(l.Fx.Techniques[0].Passes[0].PixelEntry, "PStexture");
  EXPECT_EQ(l.Fx.Techniques[0].Passes[0].PixelProfile, "ps_2_0");
}

TEST_F(EffectsFrame, ShaderLoadersCompileOrLeaveTheSlotEmptyWithTheMessage) {
  const std::string good = File("post.fx", kPost);
  const std::string broken = File("broken.fx", "float4 PS() : COLOR { return 1; }\ntechnique T {\n");
  LoadPostFxShader(m, e, good);
  const Handle first = m.PostFX.Effect;
  ASSERT_NE(first, 0u);
  EXPECT_EQ(m.PostFX.Code, loaders::WithCrLf(kPost));
  EXPECT_EQ(m.Log.Lines.back().Text, "PostFX Shader succesfully loaded.");
  LoadPostFxShader(m, e, broken);
  EXPECT_EQ(m.PostFX.Effect, 0u);
  EXPECT_EQ(e.Effects.count(first), 0u);  // the previous one was freed
  // One line: the engine's message with the compiler's first line, which has the place.
  const StatusLine& line = m.Log.Lines.back();
  EXPECT_EQ(line.Text.rfind("#17 Shader konnte nicht erstellt werden: memory(2,1): error:", 0), 0u) << line.Text;
  EXPECT_EQ(line.Colour, kColorError);
  // The frame then has no post pass.
  e.Clear();
  DrawFrame(m, e, nullptr);
  EXPECT_EQ(std::count(e.Ops.begin(), e.Ops.end(), RecordedOp::ScreenEffect), 0);
  // Too big: refused, the slot untouched.
  LoadPostFxShader(m, e, good);
  const Handle kept = m.PostFX.Effect;
  LoadPostFxShader(m, e, File("big.fx", std::string(10241, ' ')));
  EXPECT_EQ(m.PostFX.Effect, kept);
  EXPECT_EQ(m.Log.Lines.back().Text, "Sorry, PostFX Shader filesize is to big.");

  const std::string vs = File("v.fx", "float4 PS() : COLOR { return 1; }\n"
                                      "technique Technique9 { pass p { PixelShader = compile ps_2_0 PS(); } }\n"
                                      "technique Technique0 { pass p { PixelShader = compile ps_2_0 PS(); } }\n");
  LoadVertexShader(m, e, vs);
  ASSERT_NE(m.VertexShader.Effect, 0u);
  EXPECT_EQ(e.Effects.at(m.VertexShader.Effect).Technique, "Technique0");
  EXPECT_EQ(m.Log.Lines.back().Text, "Vertex Shader succesfully loaded.");
  LoadVertexShader(m, e, broken);
  EXPECT_EQ(m.VertexShader.Effect, 0u);

  LoadTextureShader(m, e, File("t.fx", "float4 Testout(float2 uv : POSITION) : COLOR { return 1; }"));
  EXPECT_NE(m.TexShader.Texture, 0u);
  EXPECT_EQ(m.TexShader.State, 1);
  EXPECT_EQ(e.TextureWidth(m.TexShader.Texture), 256);
  LoadTextureShader(m, e, File("t2.fx", "float4 Other(float2 uv : POSITION) : COLOR { return 1; }"));
  EXPECT_EQ(m.TexShader.Texture, 0u);
  EXPECT_EQ(m.Log.Lines.back().Text.rfind("#16 Texturshader konnte nicht erstellt werden: memory(1,1)", 0), 0u);
}

}  // namespace
}  // namespace quellor
