#include "project/StatusLog.h"

namespace quellor {

void AddStatusLine(IntroModel& m, const std::string& text, uint32_t durationMs, uint32_t colour) {
  if (m.LogEnabled != 1) return;
  m.Log.Lines.push_back({m.Clock.NowMs() + durationMs, text, colour});
}

}  // namespace quellor
