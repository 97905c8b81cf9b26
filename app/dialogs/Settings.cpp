#include "app/dialogs/Settings.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "project/Ini.h"
#include "project/PathResolve.h"

namespace quellor {

namespace {
// Settings files are a few dozen bytes; anything far larger is not ours and is not read.
constexpr long kMaxSettingsBytes = 64 * 1024;

bool ReadSmallFile(const std::string& path, std::string& out) {
  if (!PathIsSafeToRead(path)) return false;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  char buf[4096];
  size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    out.append(buf, n);
    if (static_cast<long>(out.size()) > kMaxSettingsBytes) {
      out.clear();
      break;
    }
  }
  std::fclose(f);
  return !out.empty();
}
}  // namespace

ProgramSettings ReadSettings(const std::string& path) {
  ProgramSettings s;
  std::string bytes;
  if (!ReadSmallFile(path, bytes)) return s;
  IniDocument doc = IniDocument::Parse(bytes);
  int g = doc.FindGroup("Startup");
  if (g < 0) return s;
  if (auto v = doc.Value(g, "LastSelect")) s.LastSelect = ParseLong(*v);
  if (auto v = doc.Value(g, "StartS")) s.StartS = ParseLong(*v);
  return s;
}

std::string SettingsText(const ProgramSettings& s) {
  IniWriter w;
  w.Group("Startup");
  w.Set("LastSelect", FormatLong(s.LastSelect));
  w.Set("StartS", FormatLong(s.StartS));
  return w.Text();
}

bool WriteSettings(const std::string& path, const ProgramSettings& s) {
  const std::string text = SettingsText(s);
  const std::string temp = path + ".tmp";
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  // Only a complete file takes the old one's place.
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace quellor
