// Frame step 8.7: the user's post effect over the finished 3D pass.
#include "project/Object3d.h"
#include "render/EffectSlotsResolve.h"
#include "render/Effects3d.h"

namespace quellor {

namespace {
enum PostSlot { kMouse, kPostFx, kTime, kTextureBG, kTexture0, kTexture1, kTexture2, kTexture3, kVar1, kVar2, kVar3,
                kPostSlots };
constexpr const char* kPostNames[kPostSlots] = {"mouse",    "postfx",   "time",     "textureBG",
                                                "texture0", "texture1", "texture2", "texture3",
                                                "Var1",     "Var2",     "Var3"};
}  // namespace

void RunPostEffect(IntroModel& m, Engine& e) {
  const Handle fx = m.PostFX.Effect;
  if (fx == 0 || m.ScreenTexture == 0) return;
  EffectSlots& s = m.PostSlots;
  ResolveEffectSlots(e, fx, kPostNames, s);
  e.GrabScreen(m.ScreenTexture);
  // The mouse vector was taken at step 8.3 of this frame.
  e.SetEffectVector(fx, s.Index[kMouse], m.ShaderMouse.data());
  e.SetEffectFloat(fx, s.Index[kPostFx], 1.0f);
  e.SetEffectFloat(fx, s.Index[kTime], ShaderTime(e));
  SetMatrixParameters(m, e, fx);
  e.EffectTechnique(fx, "PostProcess");
  e.SetEffectTexture(fx, s.Index[kTextureBG], m.Background.Texture);
  e.SetEffectTexture(fx, s.Index[kTexture0], m.ScreenTexture);
  e.SetEffectTexture(fx, s.Index[kTexture1], ObjectTexture(m));
  e.SetEffectTexture(fx, s.Index[kTexture2], m.VertexShader.Texture[0]);
  e.SetEffectTexture(fx, s.Index[kTexture3], m.VertexShader.Texture[1]);
  e.SetEffectFloat(fx, s.Index[kVar1], m.VertexShader.Var1);
  e.SetEffectFloat(fx, s.Index[kVar2], m.VertexShader.Var2);
  e.SetEffectFloat(fx, s.Index[kVar3], m.VertexShader.Var3);
  e.DrawScreenEffect(m.ScreenTexture, fx);
}

}  // namespace quellor
