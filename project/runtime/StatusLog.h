#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace quellor {
struct StatusLine {
  uint32_t Expiry = 0;  // clock ms at which the line goes
  std::string Text;
  uint32_t Colour = 0;
};
// Oldest first.
struct StatusLog {
  std::vector<StatusLine> Lines;
};
}
