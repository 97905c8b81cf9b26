#pragma once
// X11 hardware key codes as the intro's DIK codes: X11 key codes are evdev codes + 8.
// No toolkit headers here, so tests can use it.
#include "engine/Input.h"

namespace quellor {

constexpr int kX11KeycodeOffset = 8;

constexpr int DikFromX11Keycode(int keycode) { return DikFromEvdev(keycode - kX11KeycodeOffset); }

}  // namespace quellor
