#pragma once
// What an exported intro does around its frames, beyond the preview: the start-up
// effect (`FMode` 0 fades the scene in from black, 1 shows it at once), the activation
// time of each item (`Startup_Timer.ST`, ms after the start, with a fade-in where its
// start flag is set), the sign's appear (`Sign.IN`) and disappear (`Sign.OUT`) effects,
// and the way out, which plays the start-up effect backwards.
//
// Items are held back through the model: an item with an opacity of its own gets it
// raised from 0, the others are switched on at their time. Call Apply before every
// frame; the model's stored values are kept here and put back.
#include <array>
#include <cstdint>

#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {

constexpr uint32_t kShowFadeMs = 1000;  // start-up and exit fades, item fade-ins, sign moves

// The items of the "FX activation time" table, numbered as Startup_Timer.ST.
enum class ShowItem : int {
  Anim = 0, BobAnim = 1, Scroll1 = 2, Scroll2 = 3, Pager = 4, Logo = 5, Border = 6, Sign = 7,
  Trainer = 8, Gfx1 = 10, Gfx2, Gfx3, Gfx4, Gfx5,
};

class IntroShow {
 public:
  // Remembers the intro's own values; `startMs` is the intro's first frame.
  void Begin(IntroModel& m, Engine& e, uint32_t startMs);
  // Sets the model and the engine's screen fade for the frame at `nowMs`.
  void Apply(IntroModel& m, Engine& e, uint32_t nowMs);
  // Escape or the window's close: the way out starts now (once).
  void Leave(uint32_t nowMs);
  bool Leaving() const { return leaving_; }
  // The way out has played to its end.
  bool Finished(uint32_t nowMs) const;

 private:
  // 0..1 share of an item that is visible at `elapsed` ms after the start.
  float ItemShare(int item, uint32_t elapsed) const;
  void ApplySign(IntroModel& m, Engine& e, uint32_t elapsed, uint32_t leftFor);

  struct Stored {
    int32_t AnimTrans = 255, BobTrans = 255, LogoTrans = 255, SignTrans = 255;
    std::array<int32_t, 6> GfxTrans{};
    int32_t Scroll1 = 0, Scroll2 = 0, Pager = 0, Trainer = 0;
    Handle BorderTexture = 0;
    int32_t SignX = 0, SignY = 0;
  } stored_;
  std::array<int32_t, 16> start_{};
  std::array<bool, 16> fades_{};
  int32_t fMode_ = 0, signIn_ = 0, signOut_ = 0;
  uint32_t startMs_ = 0, leaveMs_ = 0;
  bool leaving_ = false;
};

}  // namespace quellor
