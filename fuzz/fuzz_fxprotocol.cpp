// The editor's side of the translator worker's protocol on arbitrary bytes, as a dead or
// confused worker might send them: the frame reader takes them in pieces of varying
// size, the result decoder reads the payload. Neither may read out of bounds or crash;
// whatever decodes must encode and decode back to the same result. The same bytes go to
// the decoder of an exported intro's translations, which holds such results.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "engine/fx/FxBundle.h"
#include "engine/fx/FxCodec.h"
#include "engine/fx/FxProtocol.h"

using namespace quellor;

namespace {
void RoundTrip(std::span<const uint8_t> payload) {
  FxResult r;
  if (!DecodeFxResult(payload, r)) return;
  FxResult back;
  if (!DecodeFxResult(EncodeFxResult(r), back)) std::abort();
  if (back.Ok != r.Ok || back.Message != r.Message || !(back.Fx == r.Fx)) std::abort();
}

void BundleRoundTrip(std::span<const uint8_t> bytes) {
  std::vector<FxBundleEntry> entries;
  if (!DecodeFxBundle(bytes, entries)) {
    if (!entries.empty()) std::abort();
    return;
  }
  std::vector<FxBundleEntry> back;
  if (!DecodeFxBundle(EncodeFxBundle(entries), back) || back.size() != entries.size()) std::abort();
  for (size_t i = 0; i < back.size(); ++i)
    if (back[i].Kind != entries[i].Kind || back[i].Source != entries[i].Source ||
        !(back[i].Result.Fx == entries[i].Result.Fx))
      std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RoundTrip({data, size});
  BundleRoundTrip({data, size});
  if (size == 0) return 0;
  // The first byte picks the piece size, the rest is what the socket delivers.
  const size_t piece = 1 + data[0] % 64;
  FxFrameReader reader(kFxResponseTag, 1u << 20);
  size_t at = 1;
  while (at < size && reader.Current() == FxFrameReader::State::NeedMore) {
    size_t used = 0;
    const size_t n = std::min(piece, size - at);
    reader.Feed(data + at, n, &used);
    if (used > n) std::abort();
    at += used;
    if (used == 0) break;
  }
  if (reader.Current() == FxFrameReader::State::Done) RoundTrip(reader.Payload());
  return 0;
}
