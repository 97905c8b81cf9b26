#pragma once
// The two walkers of the slot layouts: one turns model fields and a payload into a
// slot's bytes, the other reads a slot's bytes back, never past the slot's room.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "export/slots/SlotLayout.h"

namespace quellor::slots {

void PutLong(std::vector<uint8_t>& out, int32_t v);
int32_t GetLong(const uint8_t* p);

class SlotWriter : public SlotVisitor {
 public:
  // `payload` is what the slot's payload fields write: file bytes, or the characters of
  // a text (its zero byte is added here).
  explicit SlotWriter(std::vector<uint8_t> payload = {}) : payload_(std::move(payload)) {}

  void Long(int32_t& v) override { PutLong(out_, v); }
  void Float(float& v) override;
  void NearestLong(float& v) override;
  void Constant(int32_t v) override { PutLong(out_, v); }
  void Presence(bool&) override { PutLong(out_, 1); }
  void Text(std::string& s, size_t maxChars) override;
  void TextField(std::string& s, size_t fieldBytes) override;
  void PayloadLength() override;
  void Payload(PayloadKind kind) override;

  const std::vector<uint8_t>& Bytes() const { return out_; }

 private:
  std::vector<uint8_t> payload_;
  std::vector<uint8_t> out_;
};

class SlotReader : public SlotVisitor {
 public:
  explicit SlotReader(std::span<const uint8_t> slot) : in_(slot) {}

  void Long(int32_t& v) override;
  void Float(float& v) override;
  void NearestLong(float& v) override;
  void Constant(int32_t) override;
  void Presence(bool& present) override;
  void Text(std::string& s, size_t maxChars) override;
  void TextField(std::string& s, size_t fieldBytes) override;
  void PayloadLength() override;
  void Payload(PayloadKind kind) override;

  // False once a field ran past the slot's room or a payload length was impossible;
  // fields after that point read as 0 and the payload stays empty.
  bool Ok() const { return ok_; }
  std::vector<uint8_t>& PayloadBytes() { return payload_; }

 private:
  const uint8_t* Take(size_t n);

  std::span<const uint8_t> in_;
  size_t pos_ = 0;
  int32_t length_ = 0;
  bool ok_ = true;
  std::vector<uint8_t> payload_;
};

}  // namespace quellor::slots
