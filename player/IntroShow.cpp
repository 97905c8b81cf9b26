#include "player/IntroShow.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quellor {

namespace {
// value * share, rounded; wide enough for any stored value (a long may hold anything).
int32_t Scaled(int64_t value, float share) {
  const double v = std::nearbyint(static_cast<double>(value) * share);
  return static_cast<int32_t>(std::clamp(v, -2147483648.0, 2147483647.0));
}
// The way from `from` to `to` at `share` (0..1).
int32_t Toward(int32_t from, int64_t to, float share) {
  return static_cast<int32_t>(std::clamp<int64_t>(from + int64_t{Scaled(to - from, share)}, INT32_MIN, INT32_MAX));
}
float Share(uint32_t ms) { return std::min(1.0f, static_cast<float>(ms) / kShowFadeMs); }
}  // namespace

void IntroShow::Begin(IntroModel& m, Engine& e, uint32_t startMs) {
  stored_.AnimTrans = m.Anim_2d.Trans;
  stored_.BobTrans = m.Anim_BOB.Trans;
  stored_.LogoTrans = m.Logo.Trans;
  stored_.SignTrans = m.Sign.Trans;
  stored_.GfxTrans = m.GFX.Trans;
  stored_.Scroll1 = m.Scroller[0].Active;
  stored_.Scroll2 = m.Scroller[1].Active;
  stored_.Pager = m.Pager.Active;
  stored_.Trainer = m.Trainer.Active;
  stored_.BorderTexture = m.Border.Texture;
  stored_.SignX = m.Sign.PosX;
  stored_.SignY = m.Sign.PosY;
  for (int i = 0; i < 16; ++i) start_[i] = std::max<int32_t>(0, m.StartTimer[i]);
  // Start flags: SF_0..SF_6 for anim to border, SF_7 for the trainer, the GFX flags for
  // GFX #1..#5; the sign has none (its appear effect does that job).
  for (int i = 0; i <= 6; ++i) fades_[i] = m.StartFlag[i] != 0;
  fades_[static_cast<int>(ShowItem::Trainer)] = m.StartFlag[7] != 0;
  for (int g = 1; g <= 5; ++g) fades_[9 + g] = m.GFX.StartFlag[g] != 0;
  fMode_ = m.FMode;
  signIn_ = m.Sign.IN;
  signOut_ = m.Sign.OUT;
  startMs_ = startMs;
  leaving_ = false;
  Apply(m, e, startMs);
}

float IntroShow::ItemShare(int item, uint32_t elapsed) const {
  const uint32_t at = static_cast<uint32_t>(start_[item]);
  if (elapsed < at) return 0.0f;
  return fades_[item] ? Share(elapsed - at) : 1.0f;
}

void IntroShow::Leave(uint32_t nowMs) {
  if (leaving_) return;
  leaving_ = true;
  leaveMs_ = nowMs;
}

bool IntroShow::Finished(uint32_t nowMs) const {
  if (!leaving_) return false;
  // The reversed start-up fade, and the sign's way out when it has one.
  const bool waits = fMode_ == 0 || (signOut_ >= 1 && signOut_ <= 5);
  return !waits || nowMs - leaveMs_ >= kShowFadeMs;
}

void IntroShow::Apply(IntroModel& m, Engine& e, uint32_t nowMs) {
  const uint32_t elapsed = nowMs - startMs_;
  auto share = [&](ShowItem item) { return ItemShare(static_cast<int>(item), elapsed); };
  m.Anim_2d.Trans = Scaled(stored_.AnimTrans, share(ShowItem::Anim));
  m.Anim_BOB.Trans = Scaled(stored_.BobTrans, share(ShowItem::BobAnim));
  m.Logo.Trans = Scaled(stored_.LogoTrans, share(ShowItem::Logo));
  for (int g = 1; g <= 5; ++g)
    m.GFX.Trans[g] = Scaled(stored_.GfxTrans[g], ItemShare(9 + g, elapsed));
  // Items without an opacity of their own appear at their time.
  m.Scroller[0].Active = share(ShowItem::Scroll1) > 0.0f ? stored_.Scroll1 : 0;
  m.Scroller[1].Active = share(ShowItem::Scroll2) > 0.0f ? stored_.Scroll2 : 0;
  m.Pager.Active = share(ShowItem::Pager) > 0.0f ? stored_.Pager : 0;
  m.Trainer.Active = share(ShowItem::Trainer) > 0.0f ? stored_.Trainer : 0;
  m.Border.Texture = share(ShowItem::Border) > 0.0f ? stored_.BorderTexture : 0;

  const uint32_t leftFor = leaving_ ? nowMs - leaveMs_ : 0;
  ApplySign(m, e, elapsed, leftFor);

  float fade = fMode_ == 0 ? Share(elapsed) : 1.0f;
  if (leaving_) fade = fMode_ == 0 ? std::min(fade, 1.0f - Share(leftFor)) : 1.0f;
  e.SetScreenFade(fade);
}

void IntroShow::ApplySign(IntroModel& m, Engine& e, uint32_t elapsed, uint32_t leftFor) {
  m.Sign.PosX = stored_.SignX;
  m.Sign.PosY = stored_.SignY;
  const uint32_t at = static_cast<uint32_t>(start_[static_cast<int>(ShowItem::Sign)]);
  if (elapsed < at) {
    m.Sign.Trans = 0;
    return;
  }
  const int w = m.Sign.Sprite ? e.SpriteWidth(m.Sign.Sprite) : 0;
  const int h = m.Sign.Sprite ? e.SpriteHeight(m.Sign.Sprite) : 0;
  // `away` 1 = fully off screen (or transparent), 0 = in place.
  auto place = [&](int32_t effect, float away) {
    const float in = 1.0f - away;
    switch (effect) {
      case 1: m.Sign.Trans = Scaled(stored_.SignTrans, in); break;
      case 2: m.Sign.PosY = Toward(stored_.SignY, -h, away); break;  // above the top edge
      case 3: m.Sign.PosX = Toward(stored_.SignX, -w, away); break;
      case 4: m.Sign.PosY = Toward(stored_.SignY, m.ScreenY, away); break;
      case 5: m.Sign.PosX = Toward(stored_.SignX, m.ScreenX, away); break;
      default: break;
    }
  };
  m.Sign.Trans = stored_.SignTrans;
  place(signIn_, 1.0f - Share(elapsed - at));
  if (leaving_ && signOut_ >= 1 && signOut_ <= 5) place(signOut_, Share(leftFor));
}

}  // namespace quellor
