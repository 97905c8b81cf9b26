// NOT YET IMPLEMENTED: the 3D object loaders arrive with the 3D layer.
// Until then these accept the call and load nothing (the handles stay 0).
#include "project/Loaders.h"

namespace quellor {
void LoadObject3d(IntroModel&, Engine&, const std::string&) {}
void LoadAnimObject3d(IntroModel&, Engine&, const std::string&) {}
}  // namespace quellor
