#pragma once
// Writes V2M files from a plain description: for tests, fuzzing seeds and
// tools. Pitch bends are never written (every player reads them with a quirk
// that only files with as many bends as program changes survive).
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "music/v2m/V2mParams.h"

namespace quellor::music::v2m {

struct SketchNote {
  uint32_t tick;
  uint8_t note, velocity;  // velocity 0 ends the note
};
struct SketchValue {
  uint32_t tick;
  uint8_t value;
};
struct SketchTempo {
  uint32_t tick;
  uint32_t usPerBeat;
  uint8_t numerator = 4, denominator = 4;
};
struct SketchChannel {
  std::vector<SketchNote> notes;  // a channel without notes stores nothing else
  std::vector<SketchValue> programs;
  std::array<std::vector<SketchValue>, 7> controls;  // CC #1..#7
};

struct V2mSketch {
  uint32_t ticksPerBeat = 96;
  uint32_t endTick = 0;
  std::vector<SketchTempo> tempo;  // in tick order
  std::array<SketchChannel, 16> channels;
  std::vector<uint8_t> globals;               // stored as is; its size tells the version
  std::vector<std::vector<uint8_t>> patches;  // each: parameters, mod count, mods
  std::vector<std::string> speech;            // no speech block when empty
};

std::vector<uint8_t> WriteV2m(const V2mSketch& sketch);

// One stored patch: its parameters (as many as its version has) and modulations.
std::vector<uint8_t> PatchBytes(std::span<const uint8_t> params, std::span<const Modulation> mods);

// Parameters of a fresh patch / fresh globals in the layout of `version`.
std::vector<uint8_t> InitialPatchParams(int version);
std::vector<uint8_t> InitialGlobals(int version);

}  // namespace quellor::music::v2m
