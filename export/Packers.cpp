#include "export/Packers.h"

#include <filesystem>

#include "project/PathResolve.h"
#include "project/ProcessStart.h"

namespace quellor {

namespace {
const char* const kPackerFiles[kPackerCount] = {"", "Data/bin/upx.exe", "Data/bin/kkrunchy.exe",
                                                "Data/bin/mpress.exe"};

int64_t FileSizeOrAbsent(const std::string& path) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return -1;
  const uintmax_t size = std::filesystem::file_size(path, ec);
  return ec ? -1 : static_cast<int64_t>(size);
}

// The program to start for a packer: the shipped file, or for UPX the native one.
std::string PackerProgram(int packer, const std::string& baseDir) {
  if (packer == 1) {
    std::string native = FindOnPath("upx");
    if (!native.empty()) return native;
  }
  return ResolvePath(JoinPath(baseDir, kPackerFiles[packer]));
}
}  // namespace

std::array<int64_t, kPackerCount> ProbePackers(const std::string& baseDir) {
  std::array<int64_t, kPackerCount> sizes{-1, -1, -1, -1};
  for (int i = 1; i < kPackerCount; ++i) sizes[i] = FileSizeOrAbsent(PackerProgram(i, baseDir));
  return sizes;
}

bool PackerCommand(int packer, const std::array<int64_t, kPackerCount>& found,
                   const std::string& baseDir, const std::string& target, PackerRun& out) {
  if (packer < 1 || packer >= kPackerCount || found[packer] == -1) return false;
  const std::string quoted = "\"" + FilePart(target) + "\"";
  out.Program = PackerProgram(packer, baseDir);
  out.Parameters = packer == 3 ? quoted : "--best " + quoted;
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::path(target).parent_path();
  out.WorkDir = folder.empty() ? std::string(".") : folder.string();
  return true;
}

}  // namespace quellor
