// The effect framework reader, the compiler-message rewriting and the byte forms of
// translations (no compiler, no GL).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/fx/FxCodec.h"
#include "engine/fx/FxLog.h"
#include "engine/fx/FxProtocol.h"
#include "engine/fx/FxReader.h"
#include "render/RasterBars.h"

namespace quellor {
namespace {

const char* const kEffect = R"(float4 tint : DIFFUSE < string UIName = "Tint"; > = {1, 0, 1, 0};
float amount : register(c4) = 2;
float4 filled = 0.5;
float weights[3] = {1, -2, 3.5f};
row_major float4x4 rm;
static const float kConst = 1;
texture texture0 < string ResourceName = "a.png"; >;
textureCUBE env;
sampler postTex : register(s0) = sampler_state { Texture = <texture0>; MinFilter = Linear; AddressU = Clamp; Funky = 3; };
sampler envSampler = sampler_state { Texture = (env); };
float4 PS(float2 uv : TEXCOORD0, uniform float k, uniform float2 j) : COLOR { return tex2D(postTex, uv) * k; }
technique PostProcess < string Script = "x"; > {
  pass p0 {
    PixelShader = compile ps_2_0 PS(0.5, float2(1, -1));
    AlphaBlendEnable = TRUE; SrcBlend = SrcAlpha; DestBlend = D3DBLEND_INVSRCALPHA;
    CullMode = None; ColorWriteEnable = RED | BLUE; Lighting = FALSE;
  }
}
)";

const FxParam* Param(const FxLayout& l, const std::string& name) {
  for (const FxParam& p : l.Fx.Params)
    if (p.Name == name) return &p;
  return nullptr;
}

TEST(FxReader, BlanksTheFrameworkKeepingEveryLineAndColumn) {
  FxLayout l;
  std::string error;
  ASSERT_TRUE(ReadFx(kEffect, l, &error)) << error;
  const std::string src = kEffect;
  ASSERT_EQ(l.Hlsl.size(), src.size());
  const size_t alias1 = src.find("sampler postTex"), alias2 = src.find("sampler envSampler");
  for (size_t i = 0; i < src.size(); ++i) {
    ASSERT_EQ(src[i] == '\n', l.Hlsl[i] == '\n') << i;
    const bool inAlias = (i >= alias1 && i < alias1 + 7) || (i >= alias2 && i < alias2 + 7);
    if (!inAlias && l.Hlsl[i] != src[i]) ASSERT_EQ(l.Hlsl[i], ' ') << i;
  }
  for (const char* gone : {"technique", "sampler_state", "register", "texture0 <", "textureCUBE", "UIName", "pass"})
    EXPECT_EQ(l.Hlsl.find(gone), std::string::npos) << gone;
  // The HLSL itself stands where it stood.
  const size_t ps = src.find("float4 PS(");
  EXPECT_EQ(l.Hlsl.substr(ps, 60), src.substr(ps, 60));
  // The untyped samplers are retyped from their textures, in as many characters.
  EXPECT_EQ(l.Hlsl.substr(src.find("sampler postTex"), 7), kFxSamplerAliases[1]);
  EXPECT_EQ(l.Hlsl.substr(src.find("sampler envSampler"), 7), kFxSamplerAliases[3]);
}

TEST(FxReader, RecordsParametersSamplersAndPasses) {
  FxLayout l;
  ASSERT_TRUE(ReadFx(kEffect, l, nullptr));
  ASSERT_TRUE(Param(l, "tint") && Param(l, "amount") && Param(l, "filled") && Param(l, "weights") && Param(l, "rm"));
  EXPECT_EQ(Param(l, "tint")->Default, (std::vector<float>{1, 0, 1, 0}));
  EXPECT_EQ(Param(l, "tint")->Semantic, "DIFFUSE");
  ASSERT_EQ(Param(l, "tint")->Annotations.size(), 1u);
  EXPECT_EQ(Param(l, "tint")->Annotations[0].Value, "Tint");
  EXPECT_EQ(Param(l, "amount")->Default, (std::vector<float>{2}));
  EXPECT_EQ(Param(l, "filled")->Default, (std::vector<float>{0.5f, 0.5f, 0.5f, 0.5f}));
  EXPECT_EQ(Param(l, "weights")->ArraySize, 3);
  EXPECT_EQ(Param(l, "weights")->Default, (std::vector<float>{1, -2, 3.5f}));
  EXPECT_TRUE(Param(l, "rm")->RowMajor);
  EXPECT_EQ(Param(l, "rm")->Rows * Param(l, "rm")->Cols, 16);
  EXPECT_EQ(Param(l, "kConst"), nullptr);  // static: not a parameter
  EXPECT_EQ(Param(l, "env")->Dim, FxTextureDim::Cube);
  ASSERT_EQ(l.Fx.Samplers.size(), 2u);
  EXPECT_EQ(l.Fx.Samplers[0].Texture, "texture0");
  EXPECT_EQ(l.Fx.Samplers[0].State.Min, FxFilter::Linear);
  EXPECT_EQ(l.Fx.Samplers[0].State.Mag, FxFilter::Point);  // Direct3D's default
  EXPECT_EQ(l.Fx.Samplers[0].State.U, FxAddress::Clamp);
  EXPECT_EQ(l.Fx.Samplers[1].Dim, FxTextureDim::Cube);
  ASSERT_EQ(l.Fx.Techniques.size(), 1u);
  const FxPass& p = l.Fx.Techniques[0].Passes.at(0);
  EXPECT_EQ(l.Fx.Techniques[0].Name, "PostProcess");
  EXPECT_EQ(p.PixelEntry, "PS");
  EXPECT_EQ(p.PixelProfile, "ps_2_0");
  EXPECT_TRUE(p.VertexEntry.empty());
  ASSERT_EQ(p.Constants.size(), 2u);
  EXPECT_EQ(p.Constants[0].Name, "k");
  EXPECT_EQ(p.Constants[1].Values, (std::vector<float>{1, -1}));
  const std::vector<FxRenderState> want = {{FxState::AlphaBlendEnable, 1}, {FxState::SrcBlend, 5},
                                           {FxState::DestBlend, 6}, {FxState::CullMode, 1},
                                           {FxState::ColorWriteEnable, 5}};
  EXPECT_EQ(p.States, want);
  // What is ignored is said, with its place.
  std::string warnings;
  for (const std::string& w : l.Warnings) warnings += w + "\n";
  EXPECT_NE(warnings.find("memory(9,"), std::string::npos) << warnings;  // Funky
  EXPECT_NE(warnings.find("'Lighting'"), std::string::npos) << warnings;
}

TEST(FxReader, MalformedFrameworkIsRefusedAtItsPlace) {
  struct Case {
    std::string Source, At, Says;
  };
  const Case cases[] = {
      {"float4 PS() : COLOR { return 1; }\ntechnique T { pass P { PixelShader = compile ps_2_0 Missing(); } }",
       "Missing", "not found"},
      {"float4 PS(float2 : TEXCOORD0) : COLOR { return 1; }", ": TEXCOORD0", "parameter name"},
      {"float4 PS(uniform float k) : COLOR { return k; }\ntechnique T { pass P { PixelShader = compile ps_2_0 PS(k); } }",
       "k); }", "must be numbers"},
      {"float4 PS() : COLOR { return 1; }\ntechnique T { pass P { PixelShader = compile ps_2_0 PS(); }", "technique",
       "not closed"},
      {"float4 PS() : COLOR { return 1; }\ntechnique T { pass P { PixelShader = asm { ps_2_0 }; } }", "asm",
       "not supported"},
      {"float4 x = 1;\n}", "}", "declaration expected"},
  };
  for (const Case& c : cases) {
    FxLayout l;
    std::string error;
    EXPECT_FALSE(ReadFx(c.Source, l, &error)) << c.Source;
    int line = 0, col = 0;
    ASSERT_TRUE(FindFxErrorPosition(error, line, col)) << error;
    const size_t at = c.Source.find(c.At);
    const size_t lineStart = c.Source.rfind('\n', at) == std::string::npos ? 0 : c.Source.rfind('\n', at) + 1;
    EXPECT_EQ(line, 1 + static_cast<int>(std::count(c.Source.begin(), c.Source.begin() + at, '\n'))) << error;
    EXPECT_EQ(col, static_cast<int>(at - lineStart) + 1) << error;
    EXPECT_NE(error.find(c.Says), std::string::npos) << error;
  }
}

TEST(FxLog, CompilerMessagesGetTheUsersLineAndColumn) {
  const std::string source = "float a;\nfloat4 PS() : COLOR {\n  float b = foo(1);\n  return b\n}\n";
  const std::string log =
      "ERROR: memory:3: 'foo' : no matching overloaded function found \n"
      "WARNING: memory:2: 'PS' : something to note\n"
      "ERROR: memory:5: ';' : Expected \n"
      "memory(5): error at column 1, HLSL parsing failed.\n"
      "ERROR: 2 compilation errors.  No code generated.\n";
  const std::string out = FormatFxLog(log, source);
  EXPECT_EQ(out,
            "memory(3,13): error: 'foo' : no matching overloaded function found\n"
            "memory(5,1): error: ';' : Expected\n"
            "memory(2,8): warning: 'PS' : something to note\n");
  int line = 0, col = 0;
  ASSERT_TRUE(FindFxErrorPosition("#17 Shader konnte nicht erstellt werden: \n" + out, line, col));
  EXPECT_EQ(line, 3);
  EXPECT_EQ(col, 13);
  EXPECT_FALSE(FindFxErrorPosition("memory(3): no column", line, col));
  EXPECT_FALSE(FindFxErrorPosition("nothing here", line, col));
}

FxResult SampleResult() {
  FxLayout l;
  EXPECT_TRUE(ReadFx(kEffect, l, nullptr));
  FxResult r;
  r.Ok = true;
  r.Fx = l.Fx;
  r.Fx.Techniques[0].Passes[0].VertexGlsl = "#version 330\nvoid main() {}\n";
  r.Fx.Log = "memory(1,1): warning: w\n";
  return r;
}

TEST(FxCodec, RoundTripsAndRefusesEveryDamagedForm) {
  const FxResult r = SampleResult();
  const std::vector<uint8_t> bytes = EncodeFxResult(r);
  FxResult back;
  ASSERT_TRUE(DecodeFxResult(bytes, back));
  EXPECT_EQ(back.Fx, r.Fx);
  // Every truncation fails, so does a byte too many.
  for (size_t n = 0; n < bytes.size(); n += 7)
    EXPECT_FALSE(DecodeFxResult(std::span<const uint8_t>(bytes.data(), n), back)) << n;
  std::vector<uint8_t> longer = bytes;
  longer.push_back(0);
  EXPECT_FALSE(DecodeFxResult(longer, back));
  // A string length pointing past the end (the first parameter's name length).
  std::vector<uint8_t> huge = bytes;
  for (size_t i = 10; i < 14; ++i) huge[i] = 0xFF;
  EXPECT_FALSE(DecodeFxResult(huge, back));
  FxResult failed;
  failed.Message = "memory(2,3): error: x\n";
  ASSERT_TRUE(DecodeFxResult(EncodeFxResult(failed), back));
  EXPECT_FALSE(back.Ok);
  EXPECT_EQ(back.Message, failed.Message);
}

TEST(FxProtocol, FramesArriveInPiecesAndBadHeadersStop) {
  const std::vector<uint8_t> payload = EncodeFxRequest(FxKind::TextureShader, "float4 Testout() : COLOR;");
  const std::vector<uint8_t> frame = FxFrame(kFxRequestTag, payload);
  FxFrameReader r(kFxRequestTag, kFxMaxRequest);
  size_t used = 0, fed = 0;
  while (fed < frame.size()) {
    const size_t piece = std::min<size_t>(3, frame.size() - fed);
    r.Feed(frame.data() + fed, piece, &used);
    fed += used;
  }
  ASSERT_EQ(r.Current(), FxFrameReader::State::Done);
  FxKind kind;
  std::string source;
  ASSERT_TRUE(DecodeFxRequest(r.Payload(), kind, source));
  EXPECT_EQ(kind, FxKind::TextureShader);
  EXPECT_EQ(source, "float4 Testout() : COLOR;");
  // Bytes after a frame are left for the next one.
  std::vector<uint8_t> two = frame;
  two.insert(two.end(), frame.begin(), frame.end());
  FxFrameReader first(kFxRequestTag, kFxMaxRequest);
  first.Feed(two.data(), two.size(), &used);
  EXPECT_EQ(used, frame.size());
  // Wrong tag, oversized length.
  FxFrameReader wrong(kFxResponseTag, kFxMaxResponse);
  EXPECT_EQ(wrong.Feed(frame.data(), frame.size(), &used), FxFrameReader::State::Bad);
  const uint8_t big[8] = {'Q', 'F', 'X', 'Q', 0xFF, 0xFF, 0xFF, 0x7F};
  FxFrameReader limited(kFxRequestTag, 1024);
  EXPECT_EQ(limited.Feed(big, 8, &used), FxFrameReader::State::Bad);
  EXPECT_FALSE(DecodeFxRequest(std::vector<uint8_t>{7, 'x'}, kind, source));
}

// The fuzzers' seeds are our own effects and the byte forms of two translations; run
// with QUELLOR_WRITE_SEEDS=1 to write them again.
TEST(FxSeeds, CommittedSeedsAreCurrent) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(QUELLOR_SOURCE_DIR) / "fuzz" / "seeds";
  auto read = [](const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  std::vector<std::pair<fs::path, std::string>> seeds = {{root / "fxreader" / "framework.fx", kEffect},
                                                         {root / "fxreader" / "raster.fx", kRasterEffectSource}};
  for (const char* shipped : {"PostFX/crt.fx", "Vertex/Wobble.fx", "Texture/plasma.fx"})
    seeds.emplace_back(root / "fxreader" / fs::path(shipped).filename(),
                       read(fs::path(QUELLOR_SOURCE_DIR) / "Data" / "Shader" / shipped));
  FxResult failed;
  failed.Message = "memory(2,3): error: ';' : Expected\n";
  int n = 0;
  for (const FxResult& r : {SampleResult(), failed}) {
    const std::vector<uint8_t> frame = FxFrame(kFxResponseTag, EncodeFxResult(r));
    // First byte: the piece size the fuzzer feeds the frame reader with.
    seeds.emplace_back(root / "fxprotocol" / ("result" + std::to_string(n++) + ".bin"),
                       std::string(1, '\x05') + std::string(frame.begin(), frame.end()));
  }
  for (const auto& [path, bytes] : seeds) {
    if (std::getenv("QUELLOR_WRITE_SEEDS")) {
      fs::create_directories(path.parent_path());
      std::ofstream(path, std::ios::binary) << bytes;
    }
    EXPECT_EQ(read(path), bytes) << path;
  }
}

}  // namespace
}  // namespace quellor
