#pragma once
// Command line of an exported intro. Without parameters it plays; the options render it
// without a display, so an exported intro can be checked by a script:
//   --headless --frames N --fps N --png OUT.png --audio-out OUT.wav
#include <string>
#include <vector>

namespace quellor {

struct PlayerOptions {
  bool Headless = false;
  int Frames = 120;
  int Fps = 0;  // 0: the real clock; N: frame k is shown at k * 1000 / N ms
  std::string PngPath;
  std::string AudioPath;
  bool Help = false;
  std::string Error;  // non-empty: the line could not be understood
};

// Parameters without the program name. --frames, --png and --audio-out imply --headless.
PlayerOptions ParsePlayerOptions(const std::vector<std::string>& params);
std::string PlayerUsage();

}  // namespace quellor
