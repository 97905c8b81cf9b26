// Packs the player stub executables as the editor ships them, after checking that each
// holds every slot tag exactly once with the room the slot layouts ask for.
// Usage: make_stubs <output dir> <tracker stub> <SID stub> <FC stub> <V2M stub>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/image/ImageCodec.h"
#include "export/StubImage.h"
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

}  // namespace

int main(int argc, char** argv) {
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
