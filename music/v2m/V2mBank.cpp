#include "music/v2m/V2mBank.h"

#include <algorithm>

namespace quellor::music::v2m {

namespace {

bool Fail(std::string* error, std::string text) {
  if (error) *error = std::move(text);
  return false;
}

// Offset table entry p of the bank, or false when it lies outside the block.
bool PatchOffset(std::span<const uint8_t> map, uint64_t p, uint32_t& offset) {
  if (4 * p + 4 > map.size()) return false;
  offset = ReadLe32(map.data() + 4 * p);
  return true;
}

}  // namespace

int CountUsedPatches(const V2mSong& song) {
  // Walks program changes against notes the way the converters did: a program
  // counts as used when notes fall under it (or the change comes after tick 0).
  int used = 0;
  auto mark = [&](uint8_t program) { used = std::max(used, program + 1); };
  for (const ChannelEvents& c : song.channels) {
    if (!c.present) continue;
    uint8_t program = 0;
    uint32_t programTick = 0, noteTick = 0;
    size_t note = 0;
    const size_t notes = c.notes.size();
    for (size_t i = 0; i < c.programs.size(); ++i) {
      programTick += c.programs.delta[i];
      if (programTick > noteTick) mark(program);
      program = c.programs.first[i];
      while (note < notes && noteTick <= programTick) noteTick += c.notes.delta[note++];
    }
    if (note < notes) mark(program);
  }
  return used;
}

int DetectSynthVersion(std::span<const uint8_t> map, uint32_t globalsSize, int usedPatches) {
  int best = -1;
  for (int v = 0; v <= kNewestSynthVersion; ++v) {
    if (globalsSize != uint32_t(GlobalParamCount(v))) continue;
    const int params = PatchParamCount(v);
    bool fits = true;
    for (int p = 0; fits && p + 1 < usedPatches; ++p) {
      uint32_t here = 0, next = 0;
      if (!PatchOffset(map, uint64_t(p), here) || !PatchOffset(map, uint64_t(p) + 1, next)) {
        fits = false;
        break;
      }
      // What lies between two patches beyond the parameters and the count byte
      // must be exactly the modulations that count announces.
      const int64_t modBytes = int64_t(next) - int64_t(here) - params - 1;
      const uint64_t countAt = uint64_t(here) + uint64_t(params);
      fits = modBytes >= 0 && modBytes % 3 == 0 && countAt < map.size() && modBytes / 3 == map[countAt];
    }
    if (fits) best = v;
  }
  return best;
}

int RemapPatchParam(int oldIndex, int version) {
  int seen = -1;
  for (int i = 0; i < kPatchParamCount; ++i) {
    if (kPatchParams[i].since <= version && ++seen == oldIndex) return i;
  }
  // Past the old layout's end: everything new came before it.
  return oldIndex + (kPatchParamCount - PatchParamCount(version));
}

bool ConvertPatches(std::span<const uint8_t> map, int version, std::vector<Patch>& out,
                    std::string* error) {
  uint32_t tableSize = 0;
  if (!PatchOffset(map, 0, tableSize)) return Fail(error, "V2M patch bank has no offset table");
  const uint32_t count = tableSize / 4;
  if (count == 0 || tableSize % 4 != 0 || tableSize > map.size())
    return Fail(error, "V2M patch bank has a broken offset table");
  const int params = PatchParamCount(version);
  out.assign(count, Patch{});
  uint32_t previous = 0;
  for (uint32_t p = 0; p < count; ++p) {
    uint32_t at = 0;
    PatchOffset(map, p, at);
    if (at < tableSize || (p > 0 && at <= previous))
      return Fail(error, "V2M patch " + std::to_string(p) + " lies out of order");
    previous = at;
    if (uint64_t(at) + uint64_t(params) + 1 > map.size())
      return Fail(error, "V2M patch " + std::to_string(p) + " runs past the bank");
    const uint8_t* src = map.data() + at;
    const uint8_t mods = src[params];
    if (uint64_t(at) + uint64_t(params) + 1 + 3ull * mods > map.size())
      return Fail(error, "V2M patch " + std::to_string(p) + " modulations run past the bank");

    // Parameters are MIDI-range values; anything above 127 is clamped so that
    // no setting can leave the synth's defined range.
    Patch& patch = out[p];
    for (int i = 0; i < kPatchParamCount; ++i)
      patch.params[size_t(i)] = kPatchParams[i].since <= version ? std::min<uint8_t>(*src++, 127) : kPatchParams[i].initial;
    ++src;  // the modulation count
    patch.mods.resize(mods);
    for (Modulation& m : patch.mods) {
      m.source = src[0];
      m.amount = src[1];
      m.target = uint8_t(std::min(255, RemapPatchParam(src[2], version)));
      src += 3;
    }
  }
  return true;
}

void ConvertGlobals(std::span<const uint8_t> globals, int version,
                    std::array<uint8_t, kGlobalParamCount>& out) {
  size_t next = 0;
  for (int i = 0; i < kGlobalParamCount; ++i) {
    const bool stored = kGlobalParams[i].since <= version && next < globals.size();
    out[size_t(i)] = stored ? std::min<uint8_t>(globals[next++], 127) : kGlobalParams[i].initial;
  }
}

Patch InitialPatch() {
  Patch p;
  for (int i = 0; i < kPatchParamCount; ++i) p.params[size_t(i)] = kPatchParams[i].initial;
  p.mods = {{0, 127, 37}, {1, 127, 50}, {10, 65, 1}, {7, 127, 59}};
  return p;
}

}  // namespace quellor::music::v2m
