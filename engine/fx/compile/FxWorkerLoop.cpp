// The effect worker's loop: one translation request at a time over standard input and
// output (FxProtocol.h).
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include "engine/fx/FxCodec.h"
#include "engine/fx/FxProtocol.h"
#include "engine/fx/compile/FxCompile.h"
#include "engine/fx/compile/FxWorkerLoop.h"

namespace quellor {

namespace {

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Reads one request frame; false at the end of input or on a malformed frame. Bytes
// after the frame wait in `pending` for the next call.
bool ReadRequest(FxFrameReader& reader, std::vector<uint8_t>& pending) {
  uint8_t buf[16384];
  while (reader.Current() == FxFrameReader::State::NeedMore) {
    const uint8_t* data = pending.data();
    size_t size = pending.size();
    std::vector<uint8_t> fresh;
    if (size == 0) {
      const ssize_t n = read(0, buf, sizeof buf);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      data = buf;
      size = static_cast<size_t>(n);
    }
    size_t used = 0;
    reader.Feed(data, size, &used);
    fresh.assign(data + used, data + size);
    pending.swap(fresh);
  }
  return reader.Current() == FxFrameReader::State::Done;
}

void LimitMemory() {
#if !defined(__SANITIZE_ADDRESS__)
  // A runaway translation fails to allocate instead of taking the machine's memory.
  rlimit lim{};
  lim.rlim_cur = lim.rlim_max = 2048ull << 20;
  setrlimit(RLIMIT_AS, &lim);
#endif
}

}  // namespace

int RunFxWorker() {
  LimitMemory();
  std::vector<uint8_t> pending;
  while (true) {
    FxFrameReader reader(kFxRequestTag, kFxMaxRequest);
    if (!ReadRequest(reader, pending)) return 0;
    FxKind kind;
    std::string source;
    FxResult result;
    if (!DecodeFxRequest(reader.Payload(), kind, source)) {
      result.Message = "malformed translation request";
    } else {
      result.Ok = kind == FxKind::TextureShader ? CompileTextureShader(source, result.Fx)
                                                : CompileFx(source, result.Fx);
      if (!result.Ok) {
        result.Message = std::move(result.Fx.Log);
        result.Fx = CompiledFx{};
      }
    }
    if (!WriteAll(1, FxFrame(kFxResponseTag, EncodeFxResult(result)))) return 1;
  }
}

}  // namespace quellor
