#pragma once
// The data slots of an exported intro: which slots a player stub reserves, how much room
// each has, and the byte layout of every slot as one field list per slot. The exporter
// walks the lists to write a slot and the player walks the same lists to read it back,
// so writer and reader cannot disagree on an offset.
//
// All numbers are 32-bit little-endian: longs signed, floats IEEE-754 single. A text is
// its single-byte characters followed by one zero byte. A payload (an asset file's
// bytes, or a text whose length is stored) is announced by a length long somewhere
// before it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "project/IntroModel.h"

namespace quellor::slots {

// In the order the exporter writes them.
enum class SlotId : int {
  Settings, Overlay, Scroller1, Scroller2, StartTimers, Logo, Sign, BobClones,
  Gfx1, Gfx2, Gfx3, Gfx4, Gfx5, StartAnim, BobAnim, Font1, Font2, Music, Background,
  Object3d, Texture3d, VertexShader, VsTexture1, VsTexture2, VsTexture3, Pager, Trainer,
  TrainerBar, PostFx, Rasters, Raster1, Raster2, Raster3, ExecAfter, Texts, Border, Order,
  FxTranslations,
};
constexpr int kSlotCount = static_cast<int>(SlotId::FxTranslations) + 1;

constexpr SlotId GfxSlot(int layer) { return static_cast<SlotId>(static_cast<int>(SlotId::Gfx1) + layer - 1); }
constexpr SlotId VsTextureSlot(int k) {
  return static_cast<SlotId>(static_cast<int>(SlotId::VsTexture1) + k - 1);
}
constexpr SlotId RasterSlot(int n) { return static_cast<SlotId>(static_cast<int>(SlotId::Raster1) + n - 1); }

// Largest payloads a slot takes: the asset loaders' size limits, and room for texts
// that the editors do not limit.
constexpr uint32_t kImageBytes = 262144;
constexpr uint32_t kSignBytes = 10240;
constexpr uint32_t kTrainerBarBytes = 102400;
constexpr uint32_t kAnimationBytes = 524288;
constexpr uint32_t kObjectBytes = 524288;
constexpr uint32_t kMusicBytes = 524288;
constexpr uint32_t kRasterBytes = 1024;
constexpr uint32_t kLongTextBytes = 65536;
// The intro's effects as translated by the editor (engine/fx/FxBundle.h): a few KB each.
constexpr uint32_t kFxTranslationBytes = 262144;
constexpr size_t kNameChars = 19;       // intro name
constexpr size_t kExecChars = 256;      // program started after the intro
constexpr size_t kTextFieldBytes = 1024;  // one scroll text field, zero included
constexpr int kTextFields = 4;

namespace detail {
// Bytes of the fields in front of each slot's payload (or of the whole slot when it
// has none), and its largest payload, in SlotId order.
inline constexpr uint32_t kFieldBytes[kSlotCount] = {
    32 + kNameChars + 1,  // Settings
    16,                   // Overlay
    52, 52,               // Scroller1, Scroller2
    116,                  // StartTimers
    40, 36,               // Logo, Sign
    68,                   // BobClones
    44, 44, 44, 44, 44,   // Gfx1..Gfx5
    72, 68,               // StartAnim, BobAnim
    60, 4,                // Font1, Font2
    8, 12,                // Music, Background
    84, 8, 28,            // Object3d, Texture3d, VertexShader
    4, 4, 4,              // VsTexture1..3
    184, 84, 4, 4,        // Pager, Trainer, TrainerBar, PostFx
    84,                   // Rasters
    4, 4, 4,              // Raster1..3
    kExecChars + 1,       // ExecAfter
    kTextFieldBytes * kTextFields,  // Texts
    52,                   // Border
    13 * 4,               // Order: each of the thirteen names at most once
    4,                    // FxTranslations
};
inline constexpr uint32_t kPayloadBytes[kSlotCount] = {
    0, kImageBytes, 0, 0, 0, kImageBytes, kSignBytes, 0,
    kImageBytes, kImageBytes, kImageBytes, kImageBytes, kImageBytes,
    kAnimationBytes, kAnimationBytes, kImageBytes, kImageBytes, kMusicBytes, kImageBytes,
    kObjectBytes, kImageBytes, kLongTextBytes + 1,
    kImageBytes, kImageBytes, kImageBytes,
    kLongTextBytes + 1, kLongTextBytes + 1, kTrainerBarBytes, kLongTextBytes + 1,
    0, kRasterBytes, kRasterBytes, kRasterBytes,
    0, 0, kImageBytes, 0,
    kFxTranslationBytes,
};
}  // namespace detail

// Largest payload a slot takes (0 for slots without one).
constexpr uint32_t SlotPayloadRoom(SlotId id) {
  const int i = static_cast<int>(id);
  return i < 0 || i >= kSlotCount ? 0 : detail::kPayloadBytes[i];
}

// Room of each slot in a stub: its fields plus its largest payload (with the zero of a
// text payload), rounded up to 16 bytes.
constexpr uint32_t SlotCapacity(SlotId id) {
  const int i = static_cast<int>(id);
  if (i < 0 || i >= kSlotCount) return 0;
  return (detail::kFieldBytes[i] + detail::kPayloadBytes[i] + 15u) & ~15u;
}

// How a payload is stored: verbatim file bytes, or text followed by a zero byte.
enum class PayloadKind { Bytes, Text };

// The 3D object's values that come from the render engine rather than the model.
struct ObjectPlacement {
  float Extent[3] = {0, 0, 0};    // mesh width, height, depth
  float Position[3] = {0, 0, 0};  // entity position
  bool Present = false;           // the slot was written (its presence long is 1)
};

// Values of a slot that are not model fields.
struct SlotExtras {
  ObjectPlacement Object;
  int32_t TextureKind = 0;  // 0 image file, 1 texture shader code
};

class SlotVisitor {
 public:
  virtual ~SlotVisitor() = default;
  virtual void Long(int32_t& v) = 0;
  virtual void Float(float& v) = 0;
  // A float field stored as the nearest long.
  virtual void NearestLong(float& v) = 0;
  // A long with a fixed value; the reader checks nothing and keeps nothing.
  virtual void Constant(int32_t v) = 0;
  // A long 1 marking that the slot was written (a stub holds 0 there).
  virtual void Presence(bool& present) = 0;
  // At most maxChars characters and a zero byte.
  virtual void Text(std::string& s, size_t maxChars) = 0;
  // A field of fieldBytes bytes: at most fieldBytes - 1 characters, then zeros.
  virtual void TextField(std::string& s, size_t fieldBytes) = 0;
  // The length long of the slot's payload, and the payload itself.
  virtual void PayloadLength() = 0;
  virtual void Payload(PayloadKind kind) = 0;
};

// Walks the fields of one slot in stored order. Not for SlotId::Order (see below).
void VisitSlot(SlotId id, IntroModel& m, SlotExtras& x, SlotVisitor& v);

// Display order: one long per known name ("Logo" 1 ... "GFX5" 13), unknown names left
// out; no count, no terminator.
std::vector<int32_t> DisplayOrderCodes(const std::vector<std::string>& names);
// Names of the codes, read until the first value that is no code (a stub holds zeros).
std::vector<std::string> DisplayOrderNames(const int32_t* codes, size_t count);

// The pager and trainer texts: lines joined with CR LF, and split again.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);
std::vector<std::string> SplitLinesCrLf(const std::string& text);

}  // namespace quellor::slots
