#include "player/PlayerOptions.h"

#include <cctype>

namespace quellor {

namespace {
bool Positive(const std::string& s, int& out) {
  if (s.empty() || s.size() > 7) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  out = std::stoi(s);
  return out > 0;
}
}  // namespace

PlayerOptions ParsePlayerOptions(const std::vector<std::string>& params) {
  PlayerOptions o;
  for (size_t i = 0; i < params.size(); ++i) {
    const std::string& p = params[i];
    if (p == "--headless") {
      o.Headless = true;
      continue;
    }
    if (p == "--help") {
      o.Help = true;
      continue;
    }
    const bool takesValue = p == "--frames" || p == "--fps" || p == "--png" || p == "--audio-out";
    if (!takesValue) {
      o.Error = "unknown parameter: " + p;
      return o;
    }
    if (i + 1 >= params.size()) {
      o.Error = p + " needs a value";
      return o;
    }
    const std::string& v = params[++i];
    bool ok = !v.empty();
    if (p == "--frames") ok = Positive(v, o.Frames);
    else if (p == "--fps") ok = Positive(v, o.Fps);
    else if (p == "--png") o.PngPath = v;
    else o.AudioPath = v;
    if (p != "--fps") o.Headless = true;
    if (!ok) {
      o.Error = "bad value for " + p + ": " + v;
      return o;
    }
  }
  return o;
}

std::string PlayerUsage() {
  return "usage: INTRO                      plays the intro\n"
         "       INTRO --headless [--frames N] [--fps N] [--png OUT.png] [--audio-out OUT.wav]\n"
         "       (renders without a display; --frames, --png and --audio-out imply --headless)\n";
}

}  // namespace quellor
