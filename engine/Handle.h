#pragma once
#include <cstdint>

namespace quellor {
// Engine object identifier (sprite, texture, entity, effect, target); 0 = none.
using Handle = uint32_t;
}
