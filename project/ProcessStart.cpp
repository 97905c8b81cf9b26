#include "project/ProcessStart.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace quellor {

std::vector<std::string> SplitParameterText(const std::string& text) {
  std::vector<std::string> out;
  std::string cur;
  bool inQuotes = false, have = false;
  for (char c : text) {
    if (c == '"') {
      inQuotes = !inQuotes;
      have = true;
    } else if (c == ' ' && !inQuotes) {
      if (have) out.push_back(cur);
      cur.clear();
      have = false;
    } else {
      cur += c;
      have = true;
    }
  }
  if (have) out.push_back(cur);
  return out;
}

std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path || name.empty() || name.find('/') != std::string::npos) return {};
  std::string dirs(path);
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    std::string dir = dirs.substr(start, end - start);
    if (!dir.empty()) {
      std::string candidate = dir + "/" + name;
      struct stat st;
      if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
          ::access(candidate.c_str(), X_OK) == 0)
        return candidate;
    }
    start = end + 1;
  }
  return {};
}

bool StartDetached(const std::string& program, const std::string& parameters,
                   const std::string& workDir, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  if (program.empty()) return fail("no program");
  std::error_code ec;
  std::string exe = program;
  if (exe.find('/') == std::string::npos) {
    exe = FindOnPath(program);
    if (exe.empty()) return fail(program + " not found");
  } else if (exe[0] != '/') {
    exe = std::filesystem::absolute(exe, ec).string();
  }
  // Everything the children need is prepared here: after fork only async-signal-safe
  // calls are allowed.
  std::vector<std::string> args = SplitParameterText(parameters);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(exe.c_str()));
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const char* dir = workDir.empty() ? nullptr : workDir.c_str();

  // The grandchild reports a failed exec through this pipe; a successful exec closes it.
  int pipeFd[2];
  if (::pipe2(pipeFd, O_CLOEXEC) != 0) return fail(std::strerror(errno));
  pid_t child = ::fork();
  if (child < 0) {
    ::close(pipeFd[0]);
    ::close(pipeFd[1]);
    return fail(std::strerror(errno));
  }
  if (child == 0) {
    ::close(pipeFd[0]);
    ::setsid();
    pid_t grandchild = ::fork();
    if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
    int err = 0;
    int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
      ::dup2(null, 0);
      ::dup2(null, 1);
      ::dup2(null, 2);
    }
    if (dir && ::chdir(dir) != 0) err = errno;
    if (err == 0) {
      ::execv(argv[0], argv.data());
      err = errno;
    }
    ssize_t ignored = ::write(pipeFd[1], &err, sizeof err);
    (void)ignored;
    _exit(127);
  }
  ::close(pipeFd[1]);
  // The middle process ends at once, so this wait is short; the program itself is
  // adopted by init and never becomes our zombie.
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int childErr = 0;
  ssize_t n;
  while ((n = ::read(pipeFd[0], &childErr, sizeof childErr)) < 0 && errno == EINTR) {
  }
  ::close(pipeFd[0]);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return fail("could not start " + exe);
  if (n == static_cast<ssize_t>(sizeof childErr)) return fail(exe + ": " + std::strerror(childErr));
  return true;
}

}  // namespace quellor
