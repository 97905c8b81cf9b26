#pragma once
// SDL scan codes (USB HID usages) as the intro's DIK codes, through the Linux evdev
// codes that engine/Input.h maps. No SDL header here, so tests can use it.
#include "engine/Input.h"

namespace quellor {

constexpr int EvdevFromSdlScancode(int sc) {
  // Letters A..Z are HID 4..29.
  constexpr int kLetters[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};
  if (sc >= 4 && sc <= 29) return kLetters[sc - 4];
  if (sc >= 30 && sc <= 39) return sc - 28;  // 1..9, 0 are evdev 2..11
  if (sc >= 58 && sc <= 67) return sc + 1;   // F1..F10 are evdev 59..68
  // Keypad 1..9, 0 and point.
  constexpr int kKeypad[11] = {79, 80, 81, 75, 76, 77, 71, 72, 73, 82, 83};
  if (sc >= 89 && sc <= 99) return kKeypad[sc - 89];
  switch (sc) {
    case 40: return 28;    // Return
    case 41: return 1;     // Escape
    case 42: return 14;    // Backspace
    case 43: return 15;    // Tab
    case 44: return 57;    // Space
    case 45: return 12;    // -
    case 46: return 13;    // =
    case 47: return 26;    // [
    case 48: return 27;    // ]
    case 49: return 43;    // backslash
    case 51: return 39;    // ;
    case 52: return 40;    // '
    case 53: return 41;    // `
    case 54: return 51;    // ,
    case 55: return 52;    // .
    case 56: return 53;    // /
    case 57: return 58;    // Caps Lock
    case 68: return 87;    // F11
    case 69: return 88;    // F12
    case 70: return 99;    // Print
    case 71: return 70;    // Scroll Lock
    case 72: return 119;   // Pause
    case 73: return 110;   // Insert
    case 74: return 102;   // Home
    case 75: return 104;   // Page Up
    case 76: return 111;   // Delete
    case 77: return 107;   // End
    case 78: return 109;   // Page Down
    case 79: return 106;   // Right
    case 80: return 105;   // Left
    case 81: return 108;   // Down
    case 82: return 103;   // Up
    case 83: return 69;    // Num Lock
    case 84: return 98;    // keypad /
    case 85: return 55;    // keypad *
    case 86: return 74;    // keypad -
    case 87: return 78;    // keypad +
    case 88: return 96;    // keypad Enter
    case 100: return 86;   // key beside left shift
    case 224: return 29;   // left Ctrl
    case 225: return 42;   // left Shift
    case 226: return 56;   // left Alt
    case 227: return 125;  // left Windows key
    case 228: return 97;   // right Ctrl
    case 229: return 54;   // right Shift
    case 230: return 100;  // right Alt
    case 231: return 126;  // right Windows key
    default: return 0;
  }
}

constexpr int DikFromSdlScancode(int sc) {
  const int evdev = EvdevFromSdlScancode(sc);
  return evdev ? DikFromEvdev(evdev) : 0;
}

}  // namespace quellor
