// JCALG1 decoder on arbitrary input: must never read or write out of bounds nor hang.
// Streams that decode must also survive a re-encode round trip.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "export/jcalg1/Jcalg1.h"

using namespace quellor;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Jcalg1Header h;
  if (!Jcalg1ReadHeader(data, size, h)) return 0;
  // Keep allocations modest; the decoder itself is tested against its output size.
  if (h.UnpackedSize > (1u << 20)) return 0;
  std::vector<uint8_t> out(h.UnpackedSize);
  if (!Jcalg1Decompress(data, size, out.data(), out.size())) return 0;
  std::vector<uint8_t> again = Jcalg1Compress(out.data(), out.size());
  std::vector<uint8_t> back(out.size());
  if (!Jcalg1Decompress(again.data(), again.size(), back.data(), back.size()) || back != out) std::abort();
  return 0;
}
