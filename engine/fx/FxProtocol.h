#pragma once
// The byte protocol between the editor and its translator worker. Every message is a
// frame: a 4-byte tag, a 4-byte little-endian payload length, the payload. The editor
// sends a request frame (kind byte, then the effect text) and reads back a response
// frame whose payload is an encoded FxResult (FxCodec.h).
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/fx/FxTypes.h"

namespace quellor {

inline constexpr uint8_t kFxRequestTag[4] = {'Q', 'F', 'X', 'Q'};
inline constexpr uint8_t kFxResponseTag[4] = {'Q', 'F', 'X', 'R'};
inline constexpr size_t kFxMaxRequest = 1u << 20;    // effect texts are limited to 10 KB
inline constexpr size_t kFxMaxResponse = 16u << 20;

std::vector<uint8_t> FxFrame(const uint8_t (&tag)[4], std::span<const uint8_t> payload);

std::vector<uint8_t> EncodeFxRequest(FxKind kind, std::string_view source);
bool DecodeFxRequest(std::span<const uint8_t> payload, FxKind& kind, std::string& source);

// Collects one frame from bytes arriving in pieces.
class FxFrameReader {
 public:
  enum class State { NeedMore, Done, Bad };
  FxFrameReader(const uint8_t (&tag)[4], size_t maxPayload) : tag_(tag), max_(maxPayload) {}
  // Takes bytes up to the end of the frame; `used` tells how many were taken.
  State Feed(const uint8_t* data, size_t size, size_t* used);
  State Current() const { return state_; }
  const std::vector<uint8_t>& Payload() const { return payload_; }

 private:
  const uint8_t (&tag_)[4];
  size_t max_;
  uint8_t header_[8] = {};
  size_t headerFill_ = 0;
  size_t length_ = 0;
  std::vector<uint8_t> payload_;
  State state_ = State::NeedMore;
};

}  // namespace quellor
