#pragma once
// JCALG1 streams: a 10-byte header ("JC", unpacked size, checksum) followed by an
// MSB-first bit stream stored as little-endian 32-bit words. Used by the editor's
// resource packs and by the exporter.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quellor {

constexpr size_t kJcalg1HeaderSize = 10;

struct Jcalg1Header {
  uint32_t UnpackedSize = 0;
  uint32_t Checksum = 0;  // 0 = not checked
};

// Checksum of the unpacked data as the format defines it (0 for fewer than 4 bytes).
uint32_t Jcalg1Checksum(const uint8_t* data, size_t size);

// Reads the signature and the header fields; false when the input is too short or
// does not start with "JC".
bool Jcalg1ReadHeader(const uint8_t* in, size_t inLen, Jcalg1Header& header);

// Decodes a whole stream into out[0..outLen). Succeeds only when the header size equals
// outLen, the stream ends with its end code inside the input, every copy stays inside
// the bytes produced so far and the checksum (when present) matches. Never reads past
// in+inLen nor writes past out+outLen, whatever the input.
bool Jcalg1Decompress(const uint8_t* in, size_t inLen, uint8_t* out, size_t outLen);

// Convenience: decodes into a vector sized from the header, refusing sizes above maxSize.
bool Jcalg1DecompressToVector(const uint8_t* in, size_t inLen, std::vector<uint8_t>& out,
                              size_t maxSize);

struct Jcalg1Options {
  // Largest match distance searched. Any value is valid for the format; larger windows
  // find more matches at the cost of time.
  uint32_t WindowSize = 1u << 20;
  // Hash-chain candidates examined per position.
  int MaxChain = 96;
  bool WithChecksum = true;
};

// Returns a complete, valid stream; it may be longer than the input for data that does
// not compress (callers decide whether to store it). Empty only for inputs of 4 GiB or
// more, which the header cannot describe.
std::vector<uint8_t> Jcalg1Compress(const uint8_t* data, size_t size,
                                    const Jcalg1Options& options = {});

}  // namespace quellor
