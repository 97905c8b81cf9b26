#pragma once
// Input codes of the engine's polling: keys are DirectInput scan codes (DIK values),
// mouse buttons 0 = left and 1 = right. Hosts translate their toolkit's codes to these.

namespace quellor {

namespace dik {
constexpr int kEscape = 0x01;
constexpr int kReturn = 0x1C;
constexpr int kSpace = 0x39;
constexpr int kF1 = 0x3B;  // F1..F10 are consecutive
constexpr int kF11 = 0x57;
constexpr int kF12 = 0x58;
constexpr int kUp = 0xC8;
constexpr int kDown = 0xD0;
constexpr int kAnyKey = -1;  // KeyDown(-1): is any key held
}  // namespace dik

constexpr int kMouseLeft = 0;
constexpr int kMouseRight = 1;

}  // namespace quellor
