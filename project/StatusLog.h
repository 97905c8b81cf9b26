#pragma once
#include <cstdint>
#include <string>

#include "project/Colors.h"
#include "project/IntroModel.h"

namespace quellor {
// Appends a status line expiring durationMs from now, while LogEnabled is 1.
void AddStatusLine(IntroModel& m, const std::string& text, uint32_t durationMs, uint32_t colour);
}
