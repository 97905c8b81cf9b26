#pragma once
#include "tests/shared_dir.h"
// Shared pieces of the V2M tests: a small song written by the test itself and
// the way to the shared test material.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "music/v2m/V2mWriter.h"

namespace quellor::music::v2m::test {

// One saw patch on channel 1: three notes, and the tempo halves at tick 192.
// Length by hand: 192 ticks at 0.5 s per 96 ticks = 1000 ms, then 192 ticks at
// 0.25 s per 96 = 500 ms.
inline V2mSketch ThreeNoteSong() {
  V2mSketch s;
  s.ticksPerBeat = 96;
  s.endTick = 384;
  s.tempo = {{0, 500000}, {192, 250000}};
  s.globals = InitialGlobals(kNewestSynthVersion);
  std::vector<uint8_t> params = InitialPatchParams(kNewestSynthVersion);
  params[kEnvFirst + 4] = 20;  // short release
  const Modulation mods[] = {{0, 127, 37}, {7, 127, 59}};  // velocity -> amp, CC 7 -> volume
  s.patches = {PatchBytes(params, mods)};
  s.channels[0].programs = {{0, 0}};
  s.channels[0].notes = {{0, 60, 100}, {48, 60, 0}, {96, 64, 100}, {144, 64, 0}, {192, 67, 100}, {300, 67, 0}};
  return s;
}

inline std::filesystem::path SharedDir() { return quellor::testing::SharedDir(); }

}  // namespace quellor::music::v2m::test
