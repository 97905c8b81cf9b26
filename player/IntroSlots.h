#pragma once
// Reading an exported intro back from the data slots of the running player: every slot
// in its byte layout into an intro model, every embedded file under the name the
// project reader will look for it by. Pure: no engine, no files; hostile slot bytes give
// a refusal or a smaller intro, never a read outside the slots.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "engine/fx/FxBundle.h"
#include "export/slots/SlotLayout.h"
#include "project/IntroModel.h"

namespace quellor {

// The bytes of each slot (its whole room), in SlotId order.
using SlotBytes = std::array<std::span<const uint8_t>, slots::kSlotCount>;

// The folder the embedded files appear under; no such folder exists on disk.
constexpr const char* kEmbeddedRoot = "/quellor-embedded";

struct EmbeddedFile {
  std::string Name;  // full path below kEmbeddedRoot
  std::vector<uint8_t> Bytes;
};

struct EmbeddedIntro {
  std::unique_ptr<IntroModel> Model = std::make_unique<IntroModel>();
  std::vector<EmbeddedFile> Files;
  std::vector<uint8_t> Music;  // the tune's file, empty for none
  // The effects' translations made by the editor; empty when the slot held none or
  // was damaged (the player then has no translation of its own).
  std::vector<FxBundleEntry> Translations;
  // Slots whose fields ran past their room or announced an impossible payload; what
  // could be read of them is kept.
  std::vector<slots::SlotId> Damaged;
};

// Reads every slot. False (with the reason) when the settings slot holds no intro: a
// stub that was never exported, or a screen size no window can have.
bool ReadIntroSlots(const SlotBytes& slots, EmbeddedIntro& out, std::string* error);

}  // namespace quellor
