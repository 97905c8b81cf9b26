#pragma once
// Walks a song's event lists tick by tick, the way the V2M players do: each
// tick gathers every event due at the current tick into one message list for
// the synth (per channel: program change, CC 1..7, pitch bend, then all notes,
// with running status), and times the next tick in output samples.
//
// Sample positions are kept in 32.32 fixed point from tick 0, so rounding
// never accumulates.
#include <cstdint>
#include <span>
#include <vector>

#include "music/v2m/V2mSong.h"

namespace quellor::music::v2m {

class V2mSequencer {
 public:
  V2mSequencer(const V2mSong& song, int rate);
  void Restart();  // before the first tick, tempo back to 120 BPM
  // Takes the next tick's events; the returned list ends with the synth's
  // end marker and stays valid until the next call.
  std::span<const uint8_t> TakeTick();
  // False once the last tick was taken or the song's end tick was reached.
  bool Running() const { return running_; }
  uint32_t tick() const { return time_; }
  // Output sample (from tick 0) of the tick taken last, and of the next one.
  uint64_t TickSample() const { return uint64_t(pos_ >> 32); }
  uint64_t NextTickSample() const { return uint64_t(nextPos_ >> 32); }

 private:
  struct Cursor {
    uint32_t index = 0;
    uint32_t next = 0;  // tick of the event at `index`
  };
  void Arm(const EventList& list, Cursor& c);
  bool Due(const EventList& list, const Cursor& c) const { return c.index < list.size() && time_ == c.next; }
  void Advance(const EventList& list, Cursor& c);
  void Emit(const EventList& list, Cursor& c, uint8_t status, uint8_t controller, bool all);
  void Status(uint8_t s);
  unsigned __int128 SamplesFor(uint32_t ticks) const;  // 32.32

  const V2mSong& song_;
  uint64_t ratePer100_;  // the players time events with rate / 100
  uint32_t time_ = 0, nextTime_ = 0;
  uint32_t usPerBeat_ = 500000;
  bool running_ = true;
  unsigned __int128 pos_ = 0, nextPos_ = 0;
  Cursor tempo_;
  struct ChannelCursors {
    Cursor notes, programs, bends;
    Cursor controls[kControllers];
  };
  ChannelCursors cursors_[kChannels];
  std::vector<uint8_t> messages_;
  size_t used_ = 0;
  int lastStatus_ = -1;
};

// Song length in milliseconds from tick 0 to `endTick`, following the tempo
// changes (exact, rounded down).
int64_t SongLengthMs(uint32_t ticksPerBeat, uint32_t endTick, std::span<const uint32_t> tempoDelta,
                     std::span<const uint32_t> usPerBeat);

}  // namespace quellor::music::v2m
