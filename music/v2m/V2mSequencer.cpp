#include "music/v2m/V2mSequencer.h"

#include <algorithm>

#include "music/v2m/Synth.h"

namespace quellor::music::v2m {

namespace {
constexpr uint32_t kNoTick = 0xffffffffu;  // the players' "nothing pending"

// Most notes one channel can start within a single tick: the longest run of
// zero deltas in its note list, plus one.
size_t LongestChord(const EventList& notes) {
  size_t best = 0, run = 0;
  for (size_t i = 0; i < notes.size(); ++i) {
    run = (i > 0 && notes.delta[i] == 0) ? run + 1 : 1;
    best = std::max(best, run);
  }
  return best;
}
}  // namespace

V2mSequencer::V2mSequencer(const V2mSong& song, int rate) : song_(song), ratePer100_(uint64_t(rate / 100)) {
  // Per channel: program change (2 bytes), seven controllers (3 each), a bend
  // (3), the notes (3 each); then the end marker.
  size_t capacity = 1;
  for (const ChannelEvents& c : song.channels)
    if (c.present) capacity += 2 + 3 * kControllers + 3 + 3 * LongestChord(c.notes);
  messages_.resize(capacity);
  Restart();
}

unsigned __int128 V2mSequencer::SamplesFor(uint32_t ticks) const {
  const unsigned __int128 num = (unsigned __int128)ticks * usPerBeat_ * ratePer100_;
  return (num << 32) / ((unsigned __int128)song_.ticksPerBeat * 10000u);
}

void V2mSequencer::Arm(const EventList& list, Cursor& c) {
  c.index = 0;
  c.next = 0;
  if (list.armCount == 0) return;
  c.next = list.firstTick;
  nextTime_ = std::min(nextTime_, c.next);
}

void V2mSequencer::Restart() {
  time_ = 0;
  nextTime_ = kNoTick;
  usPerBeat_ = 500000;
  running_ = true;
  tempo_ = Cursor{};
  if (!song_.tempo.empty()) {
    tempo_.next = song_.tempoDelta[0];
    nextTime_ = tempo_.next;
  }
  for (int ch = 0; ch < kChannels; ++ch) {
    const ChannelEvents& c = song_.channels[size_t(ch)];
    ChannelCursors& k = cursors_[ch];
    k = ChannelCursors{};
    if (!c.present) continue;
    Arm(c.notes, k.notes);
    Arm(c.programs, k.programs);
    Arm(c.bends, k.bends);
    for (int cc = 0; cc < kControllers; ++cc) Arm(c.controls[size_t(cc)], k.controls[cc]);
  }
  pos_ = 0;
  nextPos_ = SamplesFor(nextTime_ - time_);
}

// After an event: the list's next time is its delta from now, and it competes
// for the next tick.
void V2mSequencer::Advance(const EventList& list, Cursor& c) {
  ++c.index;
  if (c.index < list.size()) c.next = time_ + list.delta[c.index];
}

// Writes the list's event due now (every one due, for notes) with its status
// and controller number, then lets the list compete for the next tick.
void V2mSequencer::Emit(const EventList& list, Cursor& c, uint8_t status, uint8_t controller, bool all) {
  while (Due(list, c)) {
    Status(status);
    if (controller != 0) messages_[used_++] = controller;
    messages_[used_++] = list.first[c.index];
    if (!list.second.empty()) messages_[used_++] = list.second[c.index];
    Advance(list, c);
    if (!all) break;
  }
  if (c.index < list.size()) nextTime_ = std::min(nextTime_, c.next);
}

void V2mSequencer::Status(uint8_t s) {
  if (lastStatus_ == s) return;
  lastStatus_ = s;
  messages_[used_++] = s;
}

std::span<const uint8_t> V2mSequencer::TakeTick() {
  used_ = 0;
  lastStatus_ = -1;
  if (!running_) {
    messages_[used_++] = Synth::kEndOfMessages;
    return {messages_.data(), used_};
  }
  time_ = nextTime_;
  pos_ = nextPos_;
  nextTime_ = kNoTick;
  if (tempo_.index < song_.tempo.size() && time_ == tempo_.next) {
    usPerBeat_ = song_.tempo[tempo_.index].usPerBeat;
    ++tempo_.index;
    if (tempo_.index < song_.tempo.size()) tempo_.next = time_ + song_.tempoDelta[tempo_.index];
  }
  if (tempo_.index < song_.tempo.size()) nextTime_ = std::min(nextTime_, tempo_.next);

  for (int ch = 0; ch < kChannels; ++ch) {
    const ChannelEvents& c = song_.channels[size_t(ch)];
    ChannelCursors& k = cursors_[ch];
    if (!c.present) continue;
    Emit(c.programs, k.programs, uint8_t(0xc0 | ch), 0, false);
    for (int cc = 0; cc < kControllers; ++cc)
      Emit(c.controls[size_t(cc)], k.controls[cc], uint8_t(0xb0 | ch), uint8_t(cc + 1), false);
    Emit(c.bends, k.bends, uint8_t(0xe0 | ch), 0, false);
    Emit(c.notes, k.notes, uint8_t(0x90 | ch), 0, true);
  }
  messages_[used_++] = Synth::kEndOfMessages;

  if (nextTime_ == kNoTick || time_ >= song_.endTick) running_ = false;
  nextPos_ = pos_ + SamplesFor(nextTime_ - time_);
  return {messages_.data(), used_};
}

int64_t SongLengthMs(uint32_t ticksPerBeat, uint32_t endTick, std::span<const uint32_t> tempoDelta,
                     std::span<const uint32_t> usPerBeat) {
  // Sum of ticks x microseconds per beat over the tempo segments up to the end.
  unsigned __int128 sum = 0;
  uint64_t tick = 0;
  uint32_t us = 500000;
  for (size_t i = 0; i < tempoDelta.size() && i < usPerBeat.size(); ++i) {
    const uint64_t at = tick + tempoDelta[i];
    if (at >= endTick) break;
    sum += (unsigned __int128)(at - tick) * us;
    tick = at;
    us = usPerBeat[i];
  }
  if (endTick > tick) sum += (unsigned __int128)(endTick - tick) * us;
  const unsigned __int128 ms = sum / ((unsigned __int128)ticksPerBeat * 1000u);
  return ms > INT64_MAX ? INT64_MAX : int64_t(ms);
}

}  // namespace quellor::music::v2m
