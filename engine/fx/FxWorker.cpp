#include "engine/fx/FxWorker.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "engine/fx/FxProtocol.h"

extern char** environ;

namespace quellor {

namespace {
using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left < 0 ? 0 : static_cast<int>(left);
}
}  // namespace

FxWorker::FxWorker(std::string executable, int timeoutMs) : exe_(std::move(executable)), timeoutMs_(timeoutMs) {}

FxWorker::~FxWorker() { Stop(); }

bool FxWorker::Start(std::string* why) {
  // A socket pair rather than two pipes: writing to a dead worker then gives EPIPE
  // instead of a SIGPIPE that would end the editor.
  int fds[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) {
    *why = "no socket pair for the effect translator";
    return false;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 0);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  // The editor's other files and connections are none of the worker's business.
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  char* argv[] = {const_cast<char*>(exe_.c_str()), nullptr};
  pid_t pid = -1;
  const int rc = posix_spawnp(&pid, exe_.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    *why = "the effect translator " + exe_ + " could not be started";
    return false;
  }
  pid_ = pid;
  fd_ = fds[0];
  ++starts_;
  return true;
}

void FxWorker::Stop() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
  }
  pid_ = -1;
}

FxResult FxWorker::Fail(const std::string& why, bool* workerFailed) {
  Stop();
  if (workerFailed) *workerFailed = true;
  FxResult r;
  r.Message = why + "\n";
  return r;
}

FxResult FxWorker::Translate(FxKind kind, std::string_view source, bool* workerFailed) {
  if (workerFailed) *workerFailed = false;
  if (source.size() + 1 > kFxMaxRequest) {
    FxResult r;
    r.Message = "the effect text is too long\n";
    return r;
  }
  // A worker that ended since the last request (killed from outside, say) is replaced
  // first, so its end is not blamed on this effect.
  if (pid_ > 0) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      Stop();
    }
  }
  std::string why;
  if (fd_ < 0 && !Start(&why)) return Fail(why, workerFailed);
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs_);
  const std::vector<uint8_t> request = FxFrame(kFxRequestTag, EncodeFxRequest(kind, source));
  size_t sent = 0;
  while (sent < request.size()) {
    pollfd p{fd_, POLLOUT, 0};
    const int ready = poll(&p, 1, RemainingMs(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return Fail("the effect translator does not answer", workerFailed);
    const ssize_t n = send(fd_, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // the worker is gone; the read below tells how
    sent += static_cast<size_t>(n);
  }
  FxFrameReader reader(kFxResponseTag, kFxMaxResponse);
  std::vector<uint8_t> buf(1u << 16);
  while (reader.Current() == FxFrameReader::State::NeedMore) {
    pollfd p{fd_, POLLIN, 0};
    const int ready = poll(&p, 1, RemainingMs(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0)
      return Fail("the effect translator took longer than " + std::to_string(timeoutMs_) + " ms and was stopped",
                  workerFailed);
    const ssize_t n = recv(fd_, buf.data(), buf.size(), 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // The worker hung up: a compiler crash on this text. It gets until the deadline
      // to end (one that closed its output and lingers is killed by Fail).
      std::string how;
      while (pid_ > 0) {
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
          if (WIFSIGNALED(status)) how = " (signal " + std::to_string(WTERMSIG(status)) + ")";
          else if (WIFEXITED(status)) how = " (exit " + std::to_string(WEXITSTATUS(status)) + ")";
          pid_ = -1;
        } else if (RemainingMs(deadline) == 0) {
          break;
        } else {
          poll(nullptr, 0, 2);
        }
      }
      return Fail("the effect translator crashed on this effect" + how, workerFailed);
    }
    size_t used = 0;
    reader.Feed(buf.data(), static_cast<size_t>(n), &used);
    if (used != static_cast<size_t>(n)) return Fail("the effect translator sent an unreadable answer", workerFailed);
  }
  FxResult result;
  if (reader.Current() != FxFrameReader::State::Done || !DecodeFxResult(reader.Payload(), result))
    return Fail("the effect translator sent an unreadable answer", workerFailed);
  return result;
}

std::string FindFxWorker() {
  if (const char* env = std::getenv("QUELLOR_FXWORKER"); env && *env) return env;
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    for (const fs::path& dir : {self.parent_path(), self.parent_path().parent_path()}) {
      const fs::path candidate = dir / kFxWorkerName;
      if (fs::is_regular_file(candidate, ec)) return candidate.string();
    }
  }
#ifdef QUELLOR_FXWORKER_DIR
  const fs::path built = fs::path(QUELLOR_FXWORKER_DIR) / kFxWorkerName;
  if (fs::is_regular_file(built, ec)) return built.string();
#endif
  return kFxWorkerName;  // left to the search path
}

}  // namespace quellor
