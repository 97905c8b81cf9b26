#include "export/slots/SlotIo.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "project/Ini.h"

namespace quellor::slots {

void PutLong(std::vector<uint8_t>& out, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(u >> (8 * i)));
}

int32_t GetLong(const uint8_t* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                              (static_cast<uint32_t>(p[2]) << 16) |
                              (static_cast<uint32_t>(p[3]) << 24));
}

// ---- writer -------------------------------------------------------------------------

void SlotWriter::Float(float& v) { PutLong(out_, std::bit_cast<int32_t>(v)); }

// Rounded as the project file rounds its whole numbers.
void SlotWriter::NearestLong(float& v) { PutLong(out_, RoundToLong(v)); }

void SlotWriter::Text(std::string& s, size_t maxChars) {
  const size_t n = std::min(s.size(), maxChars);
  out_.insert(out_.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
  out_.push_back(0);
}

void SlotWriter::TextField(std::string& s, size_t fieldBytes) {
  if (fieldBytes == 0) return;
  const size_t n = std::min(s.size(), fieldBytes - 1);
  out_.insert(out_.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
  out_.insert(out_.end(), fieldBytes - n, 0);
}

void SlotWriter::PayloadLength() {
  // Payloads are bounded by the slot capacities long before 2 GiB.
  PutLong(out_, static_cast<int32_t>(std::min<size_t>(payload_.size(), INT32_MAX)));
}

void SlotWriter::Payload(PayloadKind kind) {
  out_.insert(out_.end(), payload_.begin(), payload_.end());
  if (kind == PayloadKind::Text) out_.push_back(0);
}

// ---- reader -------------------------------------------------------------------------

const uint8_t* SlotReader::Take(size_t n) {
  if (!ok_ || n > in_.size() - pos_) {
    ok_ = false;
    return nullptr;
  }
  const uint8_t* p = in_.data() + pos_;
  pos_ += n;
  return p;
}

void SlotReader::Long(int32_t& v) {
  const uint8_t* p = Take(4);
  v = p ? GetLong(p) : 0;
}

void SlotReader::Float(float& v) {
  const uint8_t* p = Take(4);
  v = p ? std::bit_cast<float>(GetLong(p)) : 0.0f;
  // Infinities and NaN would reach integer conversions in the renderer.
  if (!std::isfinite(v)) v = 0.0f;
}

void SlotReader::NearestLong(float& v) {
  int32_t n = 0;
  Long(n);
  v = static_cast<float>(n);
}

void SlotReader::Constant(int32_t) { Take(4); }

void SlotReader::Presence(bool& present) {
  int32_t v = 0;
  Long(v);
  present = v == 1;
}

void SlotReader::Text(std::string& s, size_t maxChars) {
  s.clear();
  if (!ok_) return;
  const size_t room = in_.size() - pos_;
  const size_t limit = std::min(maxChars, room);
  const uint8_t* p = in_.data() + pos_;
  size_t n = 0;
  while (n < limit && p[n] != 0) ++n;
  s.assign(reinterpret_cast<const char*>(p), n);
  pos_ += std::min(room, n + 1);
}

void SlotReader::TextField(std::string& s, size_t fieldBytes) {
  s.clear();
  const uint8_t* p = Take(fieldBytes);
  if (!p || fieldBytes == 0) return;
  size_t n = 0;
  while (n < fieldBytes - 1 && p[n] != 0) ++n;
  s.assign(reinterpret_cast<const char*>(p), n);
}

void SlotReader::PayloadLength() { Long(length_); }

void SlotReader::Payload(PayloadKind kind) {
  payload_.clear();
  if (!ok_ || length_ == 0) return;
  const size_t extra = kind == PayloadKind::Text ? 1 : 0;
  if (length_ < 0 || static_cast<uint64_t>(length_) + extra > in_.size() - pos_) {
    ok_ = false;
    return;
  }
  const uint8_t* p = Take(static_cast<size_t>(length_) + extra);
  payload_.assign(p, p + length_);
}

}  // namespace quellor::slots
