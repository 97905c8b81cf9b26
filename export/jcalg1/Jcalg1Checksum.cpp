#include "export/jcalg1/Jcalg1.h"

namespace quellor {

namespace {
uint32_t LoadLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint32_t Mix(uint32_t sum, uint32_t x) {
  sum += x;
  return sum ^ (((x << 1) | (x >> 31)) + 1u);
}
}  // namespace

uint32_t Jcalg1Checksum(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  uint32_t sum = 0;
  size_t pos = 0;
  for (; pos + 4 <= size; pos += 4) sum = Mix(sum, LoadLe32(data + pos));
  // A 1..3 byte tail is covered by the last four bytes once more (overlapping).
  if (pos < size) sum = Mix(sum, LoadLe32(data + size - 4));
  return sum;
}

bool Jcalg1ReadHeader(const uint8_t* in, size_t inLen, Jcalg1Header& header) {
  if (!in || inLen < kJcalg1HeaderSize || in[0] != 'J' || in[1] != 'C') return false;
  header.UnpackedSize = LoadLe32(in + 2);
  header.Checksum = LoadLe32(in + 6);
  return true;
}

}  // namespace quellor
