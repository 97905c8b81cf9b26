#pragma once
// The external executable packers run on an exported intro: 1 UPX, 2 kkrunchy,
// 3 mpress, found as Data/bin/upx.exe, kkrunchy.exe and mpress.exe below the base
// folder (any case). On this platform a native `upx` on the PATH stands in for UPX.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace quellor {

constexpr int kPackerCount = 4;  // index 0 is "Uncompressed"

// File sizes of the packers, -1 for one that is absent (index 0 is always -1).
std::array<int64_t, kPackerCount> ProbePackers(const std::string& baseDir);

struct PackerRun {
  std::string Program;     // as it is started
  std::string Parameters;  // Windows-style parameter text
  std::string WorkDir;     // the target's folder
};

// What runs for packer choice `packer` on `target`: UPX and kkrunchy get
// "--best " + the quoted file name, mpress the quoted file name alone. False for any
// other choice and for a packer the probe did not find.
bool PackerCommand(int packer, const std::array<int64_t, kPackerCount>& found,
                   const std::string& baseDir, const std::string& target, PackerRun& out);

}  // namespace quellor
