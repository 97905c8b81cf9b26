#include "render/BorderTiles.h"

namespace quellor {

void DisplayBorderTiles(const IntroModel& m, Engine& e) {
  const BorderFields& b = m.Border;
  const Handle top = b.Sprite[0], bottom = b.Sprite[1], right = b.Sprite[2], left = b.Sprite[3];
  for (int k = 0; k <= b.TilesX; ++k) {
    const int x = k * b.CspX;
    if (b.Top == 1 && top) e.DisplaySprite(top, x, 0, 255);
    if (b.Bot == 1 && bottom) e.DisplaySprite(bottom, x, m.ScreenY - b.CspY, 255);
  }
  for (int k = 0; k <= b.TilesY; ++k) {
    const int y = k * b.CspX;
    if (b.Rgt == 1 && right) e.DisplaySprite(right, m.ScreenX - b.CspY, y, 255);
    if (b.Lft == 1 && left) e.DisplaySprite(left, 0, y, 255);
  }
}

}  // namespace quellor
