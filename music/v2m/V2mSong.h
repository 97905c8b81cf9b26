#pragma once
// A V2M file read into memory: its event lists, its synth globals and its sound
// bank in the newest parameter layout, and the optional speech texts.
//
// Event lists keep the file's per-list tick deltas rather than absolute ticks,
// because the players that defined the format advance each list by its next delta
// at the moment an event is taken, and a file's timing depends on that reading
// (see the bend list below).
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "music/v2m/V2mParams.h"

namespace quellor::music::v2m {

constexpr int kChannels = 16;
constexpr int kControllers = 7;  // CC #1..#7 are stored per channel

struct EventList {
  std::vector<uint32_t> delta;  // ticks before each event, from the previous one of this list
  std::vector<uint8_t> first;   // payload: note, program, controller value, bend LSB
  std::vector<uint8_t> second;  // note velocity, bend MSB; empty for one-byte events
  // The list's first event time is armed when this is non-zero. It equals the
  // event count except for pitch bends, whose first time every known player
  // reads with the program-change count as column stride: with program changes
  // and no bends, that phantom time still wakes the scheduler once.
  uint32_t armCount = 0;
  uint32_t firstTick = 0;
  size_t size() const { return delta.size(); }
};

struct ChannelEvents {
  bool present = false;  // a channel without notes stores no other lists
  EventList notes, programs, bends;
  std::array<EventList, kControllers> controls;
};

struct TempoChange {
  uint32_t usPerBeat;
  uint8_t numerator, denominator, tpq;
};

struct Patch {
  std::array<uint8_t, kPatchParamCount> params;
  std::vector<Modulation> mods;
};

struct V2mSong {
  uint32_t ticksPerBeat = 0;
  uint32_t endTick = 0;
  std::vector<uint32_t> tempoDelta;  // ticks before each tempo change
  std::vector<TempoChange> tempo;
  std::array<ChannelEvents, kChannels> channels;
  int synthVersion = kNewestSynthVersion;  // layout the file was written in
  std::array<uint8_t, kGlobalParamCount> globals{};
  std::vector<Patch> patches;
  std::vector<std::string> speech;  // lyric texts; empty when the file has none
};

// Reads and converts a whole file. Never reads outside `bytes`; on failure
// returns false with a readable reason in *error.
bool ReadV2m(std::span<const uint8_t> bytes, V2mSong& song, std::string* error);

}  // namespace quellor::music::v2m
