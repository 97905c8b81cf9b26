#include "render/Frame.h"

namespace quellor {

namespace {
constexpr int kLineHeight = 20;

// "later than" on the wrapping 32-bit millisecond clock.
bool Later(uint32_t a, uint32_t b) { return static_cast<int32_t>(a - b) > 0; }
}  // namespace

void DrawStatusLog(IntroModel& m, Engine& e) {
  if (m.LogEnabled != 1) return;
  std::vector<StatusLine>& lines = m.Log.Lines;
  int y = 0;
  for (size_t i = 0; i < lines.size(); y += kLineHeight) {
    e.DrawTextColored(0, y, lines[i].Text, lines[i].Colour);
    // An expired line still shows in this frame; the ones below move up next frame.
    if (Later(m.Clock.FrameNow, lines[i].Expiry))
      lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
    else
      ++i;
  }
}

}  // namespace quellor
