// JCALG1 codec on arbitrary input. Input that starts like a stream goes to the decoder,
// which must never read or write out of bounds nor hang; whatever decodes must survive
// a re-encode round trip. Any other input is data for an encoder round trip.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "export/jcalg1/Jcalg1.h"

using namespace quellor;

namespace {
void RoundTrip(const uint8_t* data, size_t size, uint32_t window) {
  Jcalg1Options opt;
  opt.WindowSize = window;
  std::vector<uint8_t> packed = Jcalg1Compress(data, size, opt);
  std::vector<uint8_t> back(size);
  if (!Jcalg1Decompress(packed.data(), packed.size(), back.data(), back.size())) std::abort();
  for (size_t i = 0; i < size; ++i)
    if (back[i] != data[i]) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Jcalg1Header h;
  if (!Jcalg1ReadHeader(data, size, h)) {
    // Small windows make distances wrap around the match finder's ring often.
    RoundTrip(data, size, size > 0 && data[0] < 16 ? 1024 : 1u << 20);
    return 0;
  }
  // Keep allocations modest; the decoder itself is tested against its output size.
  if (h.UnpackedSize > (1u << 20)) return 0;
  std::vector<uint8_t> out(h.UnpackedSize);
  if (!Jcalg1Decompress(data, size, out.data(), out.size())) return 0;
  if (out.size() <= (64u << 10)) RoundTrip(out.data(), out.size(), 1u << 20);
  return 0;
}
