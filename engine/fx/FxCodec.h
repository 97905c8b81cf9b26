#pragma once
// Byte form of a translation result, as the worker sends it and the disk cache keeps it.
// The decoder is the editor's side of an untrusted channel (a worker may die half-way or
// send anything): it checks every length against the bytes it has and against fixed
// limits, never reads outside the input and fails on anything malformed.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/fx/FxTypes.h"

namespace quellor {

struct FxResult {
  bool Ok = false;
  CompiledFx Fx;        // when Ok
  std::string Message;  // compiler messages when not Ok
};

std::vector<uint8_t> EncodeFxResult(const FxResult& r);
bool DecodeFxResult(std::span<const uint8_t> bytes, FxResult& out);

}  // namespace quellor
