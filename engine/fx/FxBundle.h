#pragma once
// Translations carried along with effect texts, so a program without a translator (an
// exported intro) can run them: each entry holds its kind, its text and the result in
// FxCodec's form. The bytes come from outside the program, so decoding checks every
// length and refuses the whole bundle on anything malformed; nothing damaged is used.
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/fx/FxCodec.h"

namespace quellor {

class FxTranslator;

struct FxBundleEntry {
  FxKind Kind = FxKind::Effect;
  std::string Source;
  FxResult Result;  // always Ok, of the entry's kind
};

// Most entries a bundle may hold.
inline constexpr uint32_t kMaxFxBundleEntries = 64;

std::vector<uint8_t> EncodeFxBundle(const std::vector<FxBundleEntry>& entries);
// False, with `out` empty, for a bundle that is not whole and well-formed.
bool DecodeFxBundle(std::span<const uint8_t> bytes, std::vector<FxBundleEntry>& out);

// Translates each text; texts that fail are left out, as are repeats.
std::vector<FxBundleEntry> TranslateForBundle(FxTranslator& t,
                                              const std::vector<std::pair<FxKind, std::string>>& sources);

// Hands the entries to the translator's memory; returns how many it took.
int SeedFxTranslator(FxTranslator& t, std::vector<FxBundleEntry> entries);

}  // namespace quellor
