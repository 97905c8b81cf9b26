// The effect framework reader on arbitrary text: it must never crash, and what it
// returns must keep the user's positions: the same length, line breaks in the same
// places, and only blanks where it changed something (the retyped samplers aside).
// A refusal must name a position the shader editor can find.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/fx/FxLog.h"
#include "engine/fx/FxReader.h"

using namespace quellor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string src(reinterpret_cast<const char*>(data), size);
  FxLayout l;
  std::string error;
  if (!ReadFx(src, l, &error)) {
    int line = 0, col = 0;
    if (!FindFxErrorPosition(error, line, col) || line < 1 || col < 1) std::abort();
    return 0;
  }
  if (l.Hlsl.size() != src.size()) std::abort();
  for (size_t i = 0; i < src.size(); ++i) {
    if ((src[i] == '\n') != (l.Hlsl[i] == '\n')) std::abort();
    if (l.Hlsl[i] == src[i] || l.Hlsl[i] == ' ') continue;
    // Otherwise an alias replaced the word "sampler" here.
    bool inAlias = false;
    for (size_t back = 0; back < 7 && back <= i && !inAlias; ++back)
      inAlias = src.compare(i - back, 7, "sampler") == 0;
    if (!inAlias) std::abort();
  }
  for (const FxParam& p : l.Fx.Params)
    if (p.Rows > 4 || p.Cols > 4 || p.Default.size() > size_t{16} * std::max<size_t>(1, p.ArraySize)) std::abort();
  return 0;
}
