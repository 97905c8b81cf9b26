#pragma once
// Effects on the headless GL engine: an engine whose translations use no disk cache,
// and a run of one screen effect over a known picture.
#include <memory>
#include <string>

#include "engine/fx/FxTranslator.h"
#include "gl_test_support.h"

namespace quellor::fxtest {

class FxGlTest : public ::testing::Test {
 protected:
  static constexpr int kW = 64, kH = 48;

  void SetUp() override {
    QUELLOR_REQUIRE_GL();
    e = std::make_unique<GlEngine>();
    ASSERT_TRUE(e->Open(kW, kH)) << e->ErrorText();
    e->EffectTranslator().SetCacheDir("");
  }
  void TearDown() override {
    if (e) gltest::Context();  // the engine's GL objects go while the context is current
    e.reset();
  }

  Handle Effect(const std::string& source) {
    Handle fx = e->CreateEffect(source);
    EXPECT_NE(fx, 0u) << e->ErrorText();
    return fx;
  }

  // Shows `frame` on the screen, grabs it into a target that the effect reads as
  // "texture0", draws the effect into the target and puts the target on the screen.
  Image RunScreenEffect(Handle fx, const Image& frame) {
    const Handle tex = e->TextureFromImage(frame);
    const Handle sprite = e->CreateSprite(tex);
    e->DisplaySprite(sprite, 0, 0, 255);
    e->RenderWorld();
    const Handle target = e->CreateRenderTarget(kW, kH);
    e->GrabScreen(target);
    e->EffectTexture(fx, "texture0", target);
    e->DrawScreenEffect(target, fx);
    e->CopyTargetToScreen(target);
    Image out = e->ReadScreen();
    e->FreeRenderTarget(target);
    e->FreeSprite(sprite);
    e->FreeTexture(tex);
    return out;
  }

  // A post effect whose pixel shader body is `body`, reading the screen through `screen`.
  static std::string PostEffect(const std::string& body, const std::string& samplerStates = "") {
    return "texture texture0;\n"
           "sampler screen = sampler_state { Texture = <texture0>; " + samplerStates + " };\n"
           "float4 PS(float2 uv : TEXCOORD0) : COLOR {\n" + body + "\n}\n"
           "technique PostProcess { pass p0 { PixelShader = compile ps_2_0 PS(); } }\n";
  }

  std::unique_ptr<GlEngine> e;
};

}  // namespace quellor::fxtest
