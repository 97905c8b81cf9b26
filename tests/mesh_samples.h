#pragma once
// Model files the tests write themselves: a two-frame X file with two animation sets and
// no tick rate, and hostile variants of it.
#include <string>

namespace quellor::meshsamples {

// Frame "Arm" holds a unit quad; set "Walk" moves Arm from x = 0 to x = kWalkEndX over
// kWalkEndTick ticks, set "Run" turns nothing but moves it in y.
constexpr float kWalkEndX = 5.0f;
constexpr int kWalkEndTick = 4800;

inline std::string Quad(const std::string& name) {
  return "Mesh " + name +
         " {\n 4;\n 0.0;0.0;0.0;,\n 1.0;0.0;0.0;,\n 1.0;1.0;0.0;,\n 0.0;1.0;0.0;;\n"
         " 2;\n 3;0,1,2;,\n 3;0,2,3;;\n}\n";
}

inline std::string Identity() {
  return "FrameTransformMatrix {\n 1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0,0.0,0.0,0.0,0.0,1.0;;\n}\n";
}

inline std::string AnimatedX() {
  const std::string end = std::to_string(kWalkEndTick);
  return "xof 0303txt 0032\n"
         "Frame Root {\n" + Identity() +
         " Frame Arm {\n" + Identity() + Quad("ArmMesh") + " }\n}\n"
         "AnimationSet Walk {\n Animation {\n  { Arm }\n  AnimationKey {\n   2;\n   2;\n"
         "   0;3;0.0,0.0,0.0;;,\n   " + end + ";3;5.0,0.0,0.0;;;\n  }\n }\n}\n"
         "AnimationSet Run {\n Animation {\n  { Arm }\n  AnimationKey {\n   2;\n   2;\n"
         "   0;3;0.0,0.0,0.0;;,\n   " + end + ";3;0.0,3.0,0.0;;;\n  }\n }\n}\n";
}

inline std::string StaticX() { return "xof 0303txt 0032\n" + Quad("Plain"); }

// Declares far more vertices than the file holds.
inline std::string HugeCountX() {
  return "xof 0303txt 0032\nMesh Big {\n 2000000000;\n 0.0;0.0;0.0;,\n 1.0;0.0;0.0;;\n"
         " 1;\n 3;0,1,2;;\n}\n";
}

// Frames nested deeper than any model needs.
inline std::string DeepX(int depth) {
  std::string s = "xof 0303txt 0032\n";
  for (int i = 0; i < depth; ++i) s += "Frame F" + std::to_string(i) + " {\n";
  s += Quad("Deep");
  for (int i = 0; i < depth; ++i) s += "}\n";
  return s;
}

}  // namespace quellor::meshsamples
