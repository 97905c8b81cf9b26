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

// Linux evdev key codes as DIK codes: the main block's evdev codes are the PC set-1 scan
// codes, which are the DIK values; the extended keys sit elsewhere in evdev and are
// mapped one by one. 0 for keys without a DIK code.
constexpr int DikFromEvdev(int code) {
  if (code >= 1 && code <= 83) return code;  // Escape .. keypad point
  switch (code) {
    case 86: return 0x56;   // key beside left shift on 102-key boards
    case 87: return 0x57;   // F11
    case 88: return 0x58;   // F12
    case 96: return 0x9C;   // keypad Enter
    case 97: return 0x9D;   // right Ctrl
    case 98: return 0xB5;   // keypad /
    case 99: return 0xB7;   // SysRq / Print
    case 100: return 0xB8;  // right Alt
    case 102: return 0xC7;  // Home
    case 103: return 0xC8;  // Up
    case 104: return 0xC9;  // Page Up
    case 105: return 0xCB;  // Left
    case 106: return 0xCD;  // Right
    case 107: return 0xCF;  // End
    case 108: return 0xD0;  // Down
    case 109: return 0xD1;  // Page Down
    case 110: return 0xD2;  // Insert
    case 111: return 0xD3;  // Delete
    case 119: return 0xC5;  // Pause
    case 125: return 0xDB;  // left Windows key
    case 126: return 0xDC;  // right Windows key
    case 127: return 0xDD;  // menu key
    default: return 0;
  }
}

constexpr int kMouseLeft = 0;
constexpr int kMouseRight = 1;

}  // namespace quellor
