#pragma once
#include <cstdint>

namespace quellor {
// Status-log colours (ARGB) and durations used throughout the program.
constexpr uint32_t kColorError = 0xC8FF0000u;
constexpr uint32_t kColorTooBig = 0xC8FFC800u;
constexpr uint32_t kColorSuccess = 0xC800FF00u;
constexpr uint32_t kColorInfo = 0xC8FFFFFFu;
constexpr uint32_t kNotFoundMs = 10800;
constexpr uint32_t kMessageMs = 10000;
}
