#include "project/FileReplace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace quellor {

bool ReplaceFileContents(const std::string& path, const void* data, size_t size, unsigned mode) {
  if (path.empty()) return false;
  const std::string temp = path + ".tmp";
  // A fresh file, so that the kernel applies `mode` and the umask as for any new file.
  ::unlink(temp.c_str());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, static_cast<mode_t>(mode));
  if (fd < 0) return false;
  bool ok = true;
  const char* p = static_cast<const char*>(data);
  size_t done = 0;
  while (ok && done < size) {
    ssize_t n = ::write(fd, p + done, size - done);
    if (n <= 0) ok = false;
    else done += static_cast<size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace quellor
