#include "music/v2m/V2mLayout.h"

#include <algorithm>

namespace quellor::music::v2m {

namespace {

class Cursor {
 public:
  explicit Cursor(std::span<const uint8_t> file) : file_(file) {}
  size_t pos() const { return pos_; }
  size_t left() const { return file_.size() - pos_; }
  bool Word(uint32_t& v) {
    if (left() < 4) return false;
    v = ReadLe32(file_.data() + pos_);
    pos_ += 4;
    return true;
  }
  // A counted list of `width` bytes per entry.
  bool List(uint32_t width, ListBlock& block) {
    if (!Word(block.count)) return false;
    return Skip(uint64_t(block.count) * width, block.offset);
  }
  bool Skip(uint64_t size, size_t& start) {
    if (size > left()) return false;
    start = pos_;
    pos_ += size_t(size);
    return true;
  }

 private:
  std::span<const uint8_t> file_;
  size_t pos_ = 0;
};

bool Fail(std::string* error, std::string text) {
  if (error) *error = std::move(text);
  return false;
}

}  // namespace

bool LocateV2mBlocks(std::span<const uint8_t> file, V2mLayout& out, std::string* error) {
  out = V2mLayout{};
  Cursor c(file);
  if (!c.Word(out.ticksPerBeat) || !c.Word(out.endTick))
    return Fail(error, "V2M file too short for its header");
  if (out.ticksPerBeat == 0) return Fail(error, "V2M file has no ticks per beat");
  if (!c.List(10, out.tempo)) return Fail(error, "V2M tempo events run past the end of the file");

  for (int ch = 0; ch < 16; ++ch) {
    ChannelBlocks& b = out.channels[size_t(ch)];
    const std::string where = "V2M channel " + std::to_string(ch + 1);
    if (!c.List(5, b.notes)) return Fail(error, where + " notes run past the end of the file");
    if (b.notes.count == 0) continue;
    b.present = true;
    if (!c.List(4, b.programs)) return Fail(error, where + " program changes run past the end of the file");
    if (!c.List(5, b.bends)) return Fail(error, where + " pitch bends run past the end of the file");
    for (ListBlock& cc : b.controls)
      if (!c.List(4, cc)) return Fail(error, where + " controllers run past the end of the file");
  }

  if (!c.Word(out.globalsSize)) return Fail(error, "V2M file ends before its synth globals");
  if (out.globalsSize > kMaxGlobalsSize) return Fail(error, "V2M synth globals are too large");
  if (!c.Skip(out.globalsSize, out.globalsOffset))
    return Fail(error, "V2M synth globals run past the end of the file");
  if (!c.Word(out.patchesSize)) return Fail(error, "V2M file ends before its patches");
  if (out.patchesSize > kMaxPatchMapSize) return Fail(error, "V2M patch bank is too large");
  if (!c.Skip(out.patchesSize, out.patchesOffset))
    return Fail(error, "V2M patch bank runs past the end of the file");

  // Older files end here. A speech block that claims more than the file holds
  // keeps what is there, as the players did.
  uint32_t speech = 0;
  if (c.Word(speech) && speech > 0 && speech < kMaxSpeechSize) {
    out.speechOffset = c.pos();
    out.speechSize = uint32_t(std::min<size_t>(speech, c.left()));
  }
  return true;
}

}  // namespace quellor::music::v2m
