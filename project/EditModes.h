#pragma once
// Placement mode numbers as IntroModel::EditMode holds them; 0 = no mode.

namespace quellor::mode {
constexpr int kNone = 0;
constexpr int kLogoMove = 1, kLogoSize = 2, kScroller1Move = 3, kScroller1Size = 4,
              kScroller2Move = 5, kScroller2Size = 6, kObjectSize = 7, kObjectMove = 8,
              kBorderSize = 9, kPagerMove = 10, kPagerSize = 11, kPagerSpace = 12,
              kAnimMove = 14, kAnimSize = 15, kAnimRotate = 16, kBobMove = 17, kBobSize = 18,
              kBobRotate = 19, kSignMove = 20, kTrainerMove = 21, kTrainerSize = 22,
              kTrainerSpace = 23, kTrainerBarSize = 24, kGfxMove = 25, kGfxSize = 26,
              kGfxRotate = 27;
}  // namespace quellor::mode
