#include "render/BorderTiles.h"

#include <cstdint>
#include <limits>

namespace quellor {

namespace {
// Tile coordinates are worked out in 64 bits: a stored piece size near the integer limits
// must not wrap a far-off tile back onto the screen. Such tiles cannot be shown and are
// left out.
bool FitsInt(int64_t v) {
  return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}
}  // namespace

void DisplayBorderTiles(const IntroModel& m, Engine& e) {
  const BorderFields& b = m.Border;
  const Handle top = b.Sprite[0], bottom = b.Sprite[1], right = b.Sprite[2], left = b.Sprite[3];
  const int64_t bottomY = int64_t{m.ScreenY} - b.CspY;
  const int64_t rightX = int64_t{m.ScreenX} - b.CspY;
  for (int64_t k = 0; k <= b.TilesX; ++k) {
    const int64_t x = k * b.CspX;
    if (!FitsInt(x)) break;
    if (b.Top == 1 && top) e.DisplaySprite(top, static_cast<int>(x), 0, 255);
    if (b.Bot == 1 && bottom && FitsInt(bottomY))
      e.DisplaySprite(bottom, static_cast<int>(x), static_cast<int>(bottomY), 255);
  }
  for (int64_t k = 0; k <= b.TilesY; ++k) {
    const int64_t y = k * b.CspX;
    if (!FitsInt(y)) break;
    if (b.Rgt == 1 && right && FitsInt(rightX))
      e.DisplaySprite(right, static_cast<int>(rightX), static_cast<int>(y), 255);
    if (b.Lft == 1 && left) e.DisplaySprite(left, 0, static_cast<int>(y), 255);
  }
}

}  // namespace quellor
