// NOT YET IMPLEMENTED: the post-effect loader arrives with the effects module. Until
// then it accepts the call and loads nothing (the handle stays 0).
#include "project/Loaders.h"

namespace quellor {
void LoadPostFxShader(IntroModel&, Engine&, const std::string&) {}
}  // namespace quellor
