// Reading a whole V2M file: locate the blocks, read the event lists, lift the
// bank to the newest synth version, pick up the lyric texts.
#include <algorithm>

#include "music/v2m/V2mBank.h"
#include "music/v2m/V2mEventLists.h"
#include "music/v2m/V2mLayout.h"
#include "music/v2m/V2mSong.h"

namespace quellor::music::v2m {

namespace {

// Speech block: a count, that many offsets from the block start, then
// NUL-terminated phoneme texts. Entries pointing outside the block read as "".
std::vector<std::string> ReadSpeech(std::span<const uint8_t> block) {
  std::vector<std::string> texts;
  if (block.size() < 4) return texts;
  const uint32_t count = std::min<uint32_t>(ReadLe32(block.data()), 64);
  for (uint32_t i = 0; i < count && 8 + 4ull * i <= block.size(); ++i) {
    const uint32_t at = ReadLe32(block.data() + 4 + 4 * i);
    std::string text;
    for (size_t p = at; p < block.size() && block[p] != 0; ++p) text.push_back(char(block[p]));
    texts.push_back(std::move(text));
  }
  return texts;
}

}  // namespace

bool ReadV2m(std::span<const uint8_t> bytes, V2mSong& song, std::string* error) {
  V2mLayout layout;
  if (!LocateV2mBlocks(bytes, layout, error)) return false;
  ReadEventLists(bytes, layout, song);

  const auto patchMap = bytes.subspan(layout.patchesOffset, layout.patchesSize);
  const int used = CountUsedPatches(song);
  if (used == 0) {
    if (error) *error = "V2M file plays no notes with any patch";
    return false;
  }
  const int version = DetectSynthVersion(patchMap, layout.globalsSize, used);
  if (version < 0) {
    if (error) *error = "V2M file was made by an unknown synth version";
    return false;
  }
  song.synthVersion = version;
  if (!ConvertPatches(patchMap, version, song.patches, error)) return false;
  ConvertGlobals(bytes.subspan(layout.globalsOffset, layout.globalsSize), version, song.globals);
  song.speech = ReadSpeech(bytes.subspan(layout.speechOffset, layout.speechSize));
  return true;
}

}  // namespace quellor::music::v2m
