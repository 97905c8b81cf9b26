#include "render/Effects3d.h"

namespace quellor {
// The 3D layer, post effect and raster bars come with the effects module; until then
// a frame has nothing to do at these points.
void SetObjectShaderParameters(IntroModel&, Engine&) {}
void RunPostEffect(IntroModel&, Engine&) {}
void RunRasterPass(IntroModel&, Engine&) {}
}
