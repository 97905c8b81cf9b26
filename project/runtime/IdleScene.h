#pragma once
#include <cstdint>
#include <vector>
#include "engine/Engine.h"
#include "engine/Handle.h"

namespace quellor {
struct IdlePoint {
  float X = 0, Y = 0, Z = 0, Size = 1.0f;
  uint32_t Colour = 0xFFFFFFFFu;
};
// The starfield tunnel and the editor logo shown while nothing is loaded.
struct IdleScene {
  bool On = false;
  std::vector<IdlePoint> Points;
  int32_t PointCount = 3500;
  float PointSize = 1.0f;
  uint32_t Colour = 0xFFFFFFFFu;
  float XMin = -10, XMax = 10, YMin = -10, YMax = 10, ZMin = -10, ZMax = 400;
  float VelX = 0, VelY = 0, VelZ = -0.3f;
  float Yaw = 0, Pitch = 0.25f, Roll = 0;
  float YawVel = 0, PitchVel = 0, RollVel = -0.01f;
  Handle LogoSprite = 0;
  Handle LogoTexture = 0;
  Handle PointTexture = 0;  // "Data/Bobs/Blue.png"
  int32_t LogoX = 0, LogoY = 0;
  uint64_t Seed = 0x9E3779B97F4A7C15ULL;  // jitter generator; tests seed it
  std::vector<PointVertex> Buffer;        // vertex copy handed to the engine, reused
};
}
