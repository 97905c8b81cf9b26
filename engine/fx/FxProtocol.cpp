#include "engine/fx/FxProtocol.h"

#include <algorithm>

namespace quellor {

std::vector<uint8_t> FxFrame(const uint8_t (&tag)[4], std::span<const uint8_t> payload) {
  std::vector<uint8_t> f(tag, tag + 4);
  const uint32_t n = static_cast<uint32_t>(payload.size());
  for (int i = 0; i < 4; ++i) f.push_back(static_cast<uint8_t>(n >> (8 * i)));
  f.insert(f.end(), payload.begin(), payload.end());
  return f;
}

std::vector<uint8_t> EncodeFxRequest(FxKind kind, std::string_view source) {
  std::vector<uint8_t> p;
  p.reserve(source.size() + 1);
  p.push_back(static_cast<uint8_t>(kind));
  p.insert(p.end(), source.begin(), source.end());
  return p;
}

bool DecodeFxRequest(std::span<const uint8_t> payload, FxKind& kind, std::string& source) {
  if (payload.empty() || payload[0] > static_cast<uint8_t>(FxKind::TextureShader)) return false;
  kind = static_cast<FxKind>(payload[0]);
  source.assign(reinterpret_cast<const char*>(payload.data() + 1), payload.size() - 1);
  return true;
}

FxFrameReader::State FxFrameReader::Feed(const uint8_t* data, size_t size, size_t* used) {
  size_t taken = 0;
  while (state_ == State::NeedMore && taken < size) {
    if (headerFill_ < 8) {
      header_[headerFill_++] = data[taken++];
      if (headerFill_ < 8) continue;
      if (!std::equal(header_, header_ + 4, tag_)) {
        state_ = State::Bad;
        break;
      }
      length_ = static_cast<size_t>(header_[4]) | static_cast<size_t>(header_[5]) << 8 |
                static_cast<size_t>(header_[6]) << 16 | static_cast<size_t>(header_[7]) << 24;
      if (length_ > max_) {
        state_ = State::Bad;
        break;
      }
      payload_.reserve(std::min<size_t>(length_, 64u << 10));  // grows with what arrives
      if (length_ == 0) state_ = State::Done;
      continue;
    }
    const size_t n = std::min(size - taken, length_ - payload_.size());
    payload_.insert(payload_.end(), data + taken, data + taken + n);
    taken += n;
    if (payload_.size() == length_) state_ = State::Done;
  }
  if (used) *used = taken;
  return state_;
}

}  // namespace quellor
