#pragma once
#include <string>

namespace quellor {
// Text of engine error number n (0 = no error); the engine's own German wording.
const char* EngineErrorMessage(int n);
}
