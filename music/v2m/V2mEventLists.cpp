#include "music/v2m/V2mEventLists.h"

namespace quellor::music::v2m {

namespace {

// Byte reads that may stray past a block (the bend quirk below) but never past
// the file: anything outside reads as zero.
struct FileBytes {
  std::span<const uint8_t> file;
  uint8_t At(uint64_t pos) const { return pos < file.size() ? file[size_t(pos)] : 0; }
  // A 24-bit delta stored as three byte columns `stride` apart.
  uint32_t Delta(uint64_t pos, uint64_t stride) const {
    return uint32_t(At(pos)) | uint32_t(At(pos + stride)) << 8 | uint32_t(At(pos + 2 * stride)) << 16;
  }
};

// Payload columns are delta coded: each stored byte is added to a running value.
void ReadColumn(const FileBytes& f, uint64_t start, uint32_t count, std::vector<uint8_t>& out) {
  out.resize(count);
  uint8_t value = 0;
  for (uint32_t i = 0; i < count; ++i) out[i] = value = uint8_t(value + f.At(start + i));
}

void ReadDeltas(const FileBytes& f, const ListBlock& b, EventList& list) {
  list.delta.resize(b.count);
  for (uint32_t i = 0; i < b.count; ++i) list.delta[i] = f.Delta(b.offset + i, b.count);
  list.armCount = b.count;
  list.firstTick = b.count ? list.delta[0] : 0;
}

void ReadList(const FileBytes& f, const ListBlock& b, int payloadColumns, EventList& list) {
  ReadDeltas(f, b, list);
  ReadColumn(f, b.offset + 3ull * b.count, b.count, list.first);
  if (payloadColumns > 1) ReadColumn(f, b.offset + 4ull * b.count, b.count, list.second);
}

// Pitch bends as every player reads them: the first time and both payload
// columns use the program-change count as stride, later deltas the bend count.
void ReadBends(const FileBytes& f, const ListBlock& b, uint32_t programCount, EventList& list) {
  ReadDeltas(f, b, list);
  list.armCount = programCount;
  list.firstTick = programCount ? f.Delta(b.offset, programCount) : 0;
  if (b.count) list.delta[0] = list.firstTick;
  ReadColumn(f, b.offset + 3ull * programCount, b.count, list.first);
  ReadColumn(f, b.offset + 4ull * programCount, b.count, list.second);
}

}  // namespace

void ReadEventLists(std::span<const uint8_t> file, const V2mLayout& layout, V2mSong& song) {
  const FileBytes f{file};
  song.ticksPerBeat = layout.ticksPerBeat;
  song.endTick = layout.endTick;

  const ListBlock& t = layout.tempo;
  song.tempoDelta.resize(t.count);
  song.tempo.resize(t.count);
  for (uint32_t i = 0; i < t.count; ++i) {
    song.tempoDelta[i] = f.Delta(t.offset + i, t.count);
    const uint64_t us = t.offset + 3ull * t.count + 4ull * i;
    song.tempo[i].usPerBeat = uint32_t(f.At(us)) | uint32_t(f.At(us + 1)) << 8 |
                              uint32_t(f.At(us + 2)) << 16 | uint32_t(f.At(us + 3)) << 24;
    song.tempo[i].numerator = f.At(t.offset + 7ull * t.count + i);
    song.tempo[i].denominator = f.At(t.offset + 8ull * t.count + i);
    song.tempo[i].tpq = f.At(t.offset + 9ull * t.count + i);
  }

  for (int ch = 0; ch < kChannels; ++ch) {
    const ChannelBlocks& b = layout.channels[size_t(ch)];
    ChannelEvents& c = song.channels[size_t(ch)];
    c = ChannelEvents{};
    c.present = b.present;
    if (!b.present) continue;
    ReadList(f, b.notes, 2, c.notes);
    ReadList(f, b.programs, 1, c.programs);
    ReadBends(f, b.bends, b.programs.count, c.bends);
    for (int cc = 0; cc < kControllers; ++cc) ReadList(f, b.controls[size_t(cc)], 1, c.controls[size_t(cc)]);
  }
}

}  // namespace quellor::music::v2m
