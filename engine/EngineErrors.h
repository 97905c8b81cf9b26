#pragma once
#include <string>

namespace quellor {
// The engine's error numbers; EngineErrorMessage gives each its text.
enum class EngineError : int {
  None = 0,
  Okay = 1,
  NoDevice = 2,
  ZBuffer = 3,
  BackBuffer = 4,
  Adapter = 5,
  Init = 6,
  ModeMatch = 7,
  ColourDepth = 8,
  Cooperative = 9,
  Font = 10,
  Caps = 11,
  WindowTaken = 12,
  Sound = 13,
  WaveHeader = 14,
  WaveFile = 15,
  TextureShader = 16,
  Shader = 17,
  ImageLoad = 18,
  ImageSave = 19,
  ObjectLoad = 20,
  ObjectSave = 21,
};

// Text of engine error number n (0 = no error); the engine's own German wording.
const char* EngineErrorMessage(int n);
inline const char* EngineErrorMessage(EngineError e) { return EngineErrorMessage(static_cast<int>(e)); }
}
