#pragma once
// The sound bank: finding which synth version wrote a file (there is no version
// field, only the sizes of its patches and globals) and lifting its patches and
// globals to the newest parameter layout.
#include <span>
#include <string>

#include "music/v2m/V2mLayout.h"
#include "music/v2m/V2mSong.h"

namespace quellor::music::v2m {

// Number of patches the song's program changes and notes actually use (the
// writers number them from 0 without gaps).
int CountUsedPatches(const V2mSong& song);

// The highest synth version whose patch and global sizes fit the file, or -1.
// `patchMap` is the bank block, `usedPatches` as counted above.
int DetectSynthVersion(std::span<const uint8_t> patchMap, uint32_t globalsSize, int usedPatches);

// Converts the bank block written by `version` to the newest layout: missing
// parameters get their initial values and modulation targets are renumbered.
bool ConvertPatches(std::span<const uint8_t> patchMap, int version, std::vector<Patch>& out,
                    std::string* error);
void ConvertGlobals(std::span<const uint8_t> globals, int version,
                    std::array<uint8_t, kGlobalParamCount>& out);

// Index in the newest layout of parameter `oldIndex` of a patch of `version`.
int RemapPatchParam(int oldIndex, int version);

// The patch a fresh bank holds; used for programs the bank does not define.
Patch InitialPatch();

}  // namespace quellor::music::v2m
