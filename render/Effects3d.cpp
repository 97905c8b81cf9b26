#include "render/Effects3d.h"

namespace quellor {
// The 3D object's shader parameters come with the 3D layer; until then a frame has
// nothing to do at this point. The post effect and the raster pass live in
// PostEffect.cpp and RasterBars.cpp.
void SetObjectShaderParameters(IntroModel&, Engine&) {}
}
