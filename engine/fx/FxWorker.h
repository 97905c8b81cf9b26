#pragma once
// The editor's side of the translator worker: starts the worker process on first use,
// sends it one effect at a time and waits for the answer with a time limit. A worker
// that crashes, hangs or talks nonsense is killed and its failure becomes an error
// message; the next request starts a fresh one.
#include <sys/types.h>

#include <string>
#include <string_view>

#include "engine/fx/FxCodec.h"

namespace quellor {

inline constexpr const char* kFxWorkerName = "quellor_fxworker";

class FxWorker {
 public:
  FxWorker(std::string executable, int timeoutMs);
  ~FxWorker();
  FxWorker(const FxWorker&) = delete;
  FxWorker& operator=(const FxWorker&) = delete;

  // Ok, or not Ok with the compiler's messages, or not Ok with the reason the worker
  // failed; `workerFailed` tells the last case apart.
  FxResult Translate(FxKind kind, std::string_view source, bool* workerFailed = nullptr);
  // Starts: 0 while none has been started; grows when a failed worker is replaced.
  int Starts() const { return starts_; }
  pid_t Pid() const { return pid_; }  // -1 while none runs

 private:
  bool Start(std::string* why);
  void Stop();
  FxResult Fail(const std::string& why, bool* workerFailed);

  std::string exe_;
  int timeoutMs_;
  pid_t pid_ = -1;
  int fd_ = -1;
  int starts_ = 0;
};

// The worker executable: $QUELLOR_FXWORKER if set, else beside the running program,
// else in the build folder this program was built in.
std::string FindFxWorker();

}  // namespace quellor
