// Writes the procedural tunes as fuzzing seeds: make_tunes <repository root>
// fuzz/seeds/psid/ gets PSID and RSID tunes, fuzz/seeds/fc/ Future Composer modules.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/TuneArt.h"

using namespace quellor::tuneart;
namespace fs = std::filesystem;

namespace {
bool Write(const fs::path& p, const Bytes& b) {
  fs::create_directories(p.parent_path());
  std::ofstream f(p, std::ios::binary);
  f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  return static_cast<bool>(f);
}

// A module that uses every sequence command once.
Bytes EveryCommand() {
  FcBuilder f = FcBuilder::Song();
  f.FreqSeqs.push_back(FcBuilder::Block({0xE2, 10, 0, 0xE3, 4, 2, 0xE4, 10, 3, 0xE8, 2, 0xEA, 0xFE, 3, 0,
                                         0xE9, 0, 1, 0, 0xE7, 0}));
  f.VolSeqs.push_back(FcBuilder::Block({1, 2, 1, 3, 2, 40, 0xE8, 2, 0xEA, 0xFC, 4, 50, 0xE0, 6}));
  f.Patterns.push_back(FcBuilder::Pattern({{0, 30, 2 | 0x80}, {1, 0, 0x21}, {4, 0x49, 0}}));
  FcBuilder::Step s;
  s.Pattern[0] = 3;
  s.Transpose[0] = -2;
  s.Speed = 2;
  f.Steps.push_back(s);
  return f.Build();
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_tunes <repository root>\n");
    return 2;
  }
  fs::path root = argv[1];
  bool ok = Write(root / "fuzz/seeds/psid/one.sid", MakePsid(1, 1)) &&
            Write(root / "fuzz/seeds/psid/four.sid", MakePsid(4, 3)) &&
            Write(root / "fuzz/seeds/psid/rsid.sid", MakeRsid()) &&
            Write(root / "fuzz/seeds/fc/song.fc14", FcBuilder::Song().Build()) &&
            Write(root / "fuzz/seeds/fc/commands.fc14", EveryCommand());
  if (!ok) std::fprintf(stderr, "make_tunes: cannot write the seeds\n");
  return ok ? 0 : 1;
}
