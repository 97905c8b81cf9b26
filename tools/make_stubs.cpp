// Packs the player stub executables as the editor ships them, after checking that each
// holds every slot tag exactly once with the room the slot layouts ask for.
// Usage: make_stubs <output dir> <tracker stub> <SID stub> <FC stub> <V2M stub>
//        make_stubs --fuzz-seeds <seed dir>   (inputs for fuzz/fuzz_player_slots.cpp)
#include <chrono>
#include <filesystem>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/image/ImageCodec.h"
#include "export/StubImage.h"
#include "export/slots/SlotIo.h"
#include "project/FileReplace.h"
#include "project/PathResolve.h"

using namespace quellor;

namespace {

bool CheckSlots(const std::string& exe, const std::vector<uint8_t>& image) {
  StubImage probe;
  probe.Buffer = image;
  probe.Buffer.resize(image.size() + kStubMargin, 0);
  probe.Size = image.size();
  const auto at = FindSlots(probe.Buffer.data(), probe.Size);
  bool ok = true;
  for (int i = 0; i < slots::kSlotCount; ++i) {
    const auto id = static_cast<slots::SlotId>(i);
    const size_t count = CountTag(image, id);
    const size_t room = SlotRoom(probe, at[i]);
    if (count != 1 || room != slots::SlotCapacity(id)) {
      std::fprintf(stderr, "make_stubs: %s: tag %s found %zu times, room %zu (want 1, %u)\n",
                   exe.c_str(), SlotTag(id), count, room, slots::SlotCapacity(id));
      ok = false;
    }
  }
  return ok;
}

// One fuzzing input: 37 slot sizes (16-bit), then the slots as the exporter writes them.
std::vector<uint8_t> Seed(IntroModel& m, const std::vector<uint8_t>& image) {
  std::vector<std::vector<uint8_t>> bytes(slots::kSlotCount);
  for (int i = 0; i < slots::kSlotCount; ++i) {
    const auto id = static_cast<slots::SlotId>(i);
    slots::SlotExtras x;
    x.Object.Present = true;
    std::vector<uint8_t> payload;
    if (id == slots::SlotId::Logo || id == slots::SlotId::Font1) payload = image;
    if (id == slots::SlotId::Pager || id == slots::SlotId::Trainer)
      payload = {'O', 'N', 'E', '\r', '\n', 'T', 'W', 'O'};
    slots::SlotWriter w(payload);
    if (id == slots::SlotId::Order) {
      for (int32_t c : slots::DisplayOrderCodes(m.DisplayOrder)) slots::PutLong(bytes[i], c);
      continue;
    }
    slots::VisitSlot(id, m, x, w);
    bytes[i] = w.Bytes();
  }
  std::vector<uint8_t> out;
  for (const auto& b : bytes) {
    out.push_back(static_cast<uint8_t>(b.size()));
    out.push_back(static_cast<uint8_t>(b.size() >> 8));
  }
  for (const auto& b : bytes) out.insert(out.end(), b.begin(), b.end());
  return out;
}

int WriteSeeds(const std::string& dir) {
  std::filesystem::create_directories(dir);
  Image img;
  img.Width = img.Height = 4;
  img.Rgba.assign(64, 200);
  const std::vector<uint8_t> png = EncodePng(img);
  IntroModel m;
  InitModel(m);
  m.ScreenX = 320;
  m.ScreenY = 240;
  const std::vector<uint8_t> plain = Seed(m, {});
  m.Pager.Active = m.Trainer.Active = 1;
  m.Trainer.YLins = 1;
  m.DisplayOrder = {"Logo", "Font1"};
  m.Scroller[0].Active = 1;
  const std::vector<uint8_t> full = Seed(m, png);
  for (const auto& [name, bytes] : {std::pair{"plain.slots", plain}, std::pair{"logo_font_texts.slots", full}})
    if (!ReplaceFileContents(JoinPath(dir, name), bytes.data(), bytes.size())) return 1;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--fuzz-seeds") return WriteSeeds(argv[2]);
  if (argc != 6) {
    std::fprintf(stderr, "usage: make_stubs <output dir> <tracker> <sid> <fc> <v2m>\n");
    return 2;
  }
  const std::string outDir = argv[1];
  const int types[4] = {0, 1, 2, 3};
  for (int k = 0; k < 4; ++k) {
    const std::string exe = argv[2 + k];
    std::vector<uint8_t> image;
    if (!ReadWholeFile(exe, image, kMaxStubImageBytes)) {
      std::fprintf(stderr, "make_stubs: cannot read %s\n", exe.c_str());
      return 1;
    }
    if (!CheckSlots(exe, image)) return 1;
    const auto t0 = std::chrono::steady_clock::now();
    std::vector<uint8_t> packed = PackStub(image);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    const std::string out = JoinPath(outDir, StubFileName(types[k]));
    if (!ReplaceFileContents(out, packed.data(), packed.size())) {
      std::fprintf(stderr, "make_stubs: cannot write %s\n", out.c_str());
      return 1;
    }
    std::printf("make_stubs: %s: %zu bytes -> %zu bytes (%.0f ms)\n", out.c_str(), image.size(),
                packed.size(), ms);
  }
  return 0;
}
