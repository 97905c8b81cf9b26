#include "engine/gl/GlEffectStates.h"

#include <epoxy/gl.h>

#include "engine/gl/GlBlend.h"

namespace quellor {

namespace {
GLenum BlendEquation(uint32_t op) {
  switch (op) {
    case 2: return GL_FUNC_SUBTRACT;
    case 3: return GL_FUNC_REVERSE_SUBTRACT;
    case 4: return GL_MIN;
    case 5: return GL_MAX;
    default: return GL_FUNC_ADD;
  }
}

GLenum CompareFunc(uint32_t f) {
  static const GLenum kFuncs[] = {GL_NEVER, GL_LESS, GL_EQUAL, GL_LEQUAL, GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
  return f >= 1 && f <= 8 ? kFuncs[f - 1] : GL_LEQUAL;
}
}  // namespace

void ApplyFxStates(const std::vector<FxRenderState>& states, bool flipped, bool keepAlpha) {
  uint32_t src = 2, dest = 1, srcAlpha = 2, destAlpha = 1, op = 1, opAlpha = 1;  // D3D defaults: One, Zero
  bool separate = false, blendTouched = false;
  uint32_t mask = 0xF;
  for (const FxRenderState& s : states) {
    switch (s.State) {
      case FxState::AlphaBlendEnable: s.Value ? glEnable(GL_BLEND) : glDisable(GL_BLEND); break;
      case FxState::SrcBlend: src = s.Value, blendTouched = true; break;
      case FxState::DestBlend: dest = s.Value, blendTouched = true; break;
      case FxState::BlendOp: op = s.Value, blendTouched = true; break;
      case FxState::SeparateAlphaBlendEnable: separate = s.Value != 0, blendTouched = true; break;
      case FxState::SrcBlendAlpha: srcAlpha = s.Value; break;
      case FxState::DestBlendAlpha: destAlpha = s.Value; break;
      case FxState::BlendOpAlpha: opAlpha = s.Value; break;
      case FxState::ZEnable: s.Value ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST); break;
      case FxState::ZWriteEnable: glDepthMask(s.Value ? GL_TRUE : GL_FALSE); break;
      case FxState::ZFunc: glDepthFunc(CompareFunc(s.Value)); break;
      case FxState::CullMode:
        if (s.Value == 2 || s.Value == 3) {
          // Direct3D's front faces wind clockwise on screen; CCW culls the back faces.
          glEnable(GL_CULL_FACE);
          glFrontFace(flipped ? GL_CCW : GL_CW);
          glCullFace(s.Value == 3 ? GL_BACK : GL_FRONT);
        } else {
          glDisable(GL_CULL_FACE);
        }
        break;
      case FxState::ColorWriteEnable: mask = s.Value; break;
      case FxState::FillMode:
        glPolygonMode(GL_FRONT_AND_BACK, s.Value == 1 ? GL_POINT : s.Value == 2 ? GL_LINE : GL_FILL);
        break;
      default:  // alpha test and stencil have no core-profile state; ignored
        break;
    }
  }
  if (blendTouched) {
    const GlBlendPair colour = MapD3DBlend(static_cast<int>(src), static_cast<int>(dest));
    const GlBlendPair alpha = separate ? MapD3DBlend(static_cast<int>(srcAlpha), static_cast<int>(destAlpha)) : colour;
    glBlendFuncSeparate(colour.Src, colour.Dest, alpha.Src, alpha.Dest);
    glBlendEquationSeparate(BlendEquation(op), BlendEquation(separate ? opAlpha : op));
  }
  glColorMask((mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0, !keepAlpha && (mask & 8) != 0);
}

void ResetFxStates() {
  glDisable(GL_BLEND);
  glBlendEquation(GL_FUNC_ADD);
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  glDepthFunc(GL_LESS);
  glDisable(GL_CULL_FACE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

}  // namespace quellor
