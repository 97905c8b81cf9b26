#pragma once
// One playing tune, whatever its replayer. The sound output, the headless renderer and
// the exported player all pull samples through this interface.
//
// Threading: a Tune is used by one thread at a time. The sound output calls Render from
// its device callback and applies position changes there too, between two Render calls;
// the main thread never touches a Tune that is playing (it posts requests to the output).
// Render must not allocate, lock or touch files.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace quellor::music {

// The replayer kinds, numbered as Music.Type stores them.
enum class MusicType : int32_t { Tracker = 0, Sid = 1, FutureComposer = 2, V2m = 3 };

constexpr int kOutputRate = 44100;

class Tune {
 public:
  virtual ~Tune() = default;
  // Writes `frames` stereo frames, interleaved left/right, in -1..1. A tune that has
  // ended writes silence (FC wraps by itself; a tracker module reports its end as
  // position 255 and is started again by KeepTunePlaying, music/Upkeep.h).
  virtual void Render(float* stereo, size_t frames) = 0;
  // Position in the replayer's own unit: the song (order) position for tracker
  // modules, where 255 means the song has ended; milliseconds for V2M; the elapsed
  // milliseconds for SID and Future Composer.
  virtual int32_t Position() const = 0;
  // Jumps to a position in the same unit (tracker order, V2M milliseconds).
  virtual void SetPosition(int32_t pos) = 0;
  // Length in milliseconds where the format knows it (V2M), else -1.
  virtual int32_t LengthMs() const { return -1; }
  // Fades the output to silence over `ms` milliseconds and stays silent (V2M stop).
  virtual void FadeOut(int32_t ms) { (void)ms; }
};

}  // namespace quellor::music
