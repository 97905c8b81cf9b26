// Loaders of the single-sprite kinds: logo, sign, GFX slots, trainer bar, animations,
// plus the overlay (measured only) and the background (a backdrop).
#include <string>

#include "project/Loaders.h"
#include "project/NewIntro.h"
#include "project/loaders/LoaderCommon.h"

namespace quellor {

using loaders::CentredX;
using loaders::FitsLimit;
using loaders::LogLoaded;
using loaders::LogDecodeFailure;
using loaders::ReleaseTexture;
using loaders::ReplaceSprite;

namespace {
constexpr uint64_t kImageLimit = 262144;
constexpr uint64_t kSignLimit = 10240;
constexpr uint64_t kTrainerBarLimit = 102400;
constexpr uint64_t kAnimationLimit = 524288;

void Finish(IntroModel& m, const char* displayName, const std::string& message) {
  if (displayName) AddToDisplayOrder(m, displayName);
  MarkChanged(m);
  LogLoaded(m, message);
}
}  // namespace

void LoadLogo(IntroModel& m, Engine& e, const std::string& path) {
  if (path.empty()) return;
  if (!FitsLimit(m, path, kImageLimit, "Sorry, Logo filesize is to big.")) return;
  if (!ReplaceSprite(m, e, path, m.Logo.Sprite)) return;
  m.Logo.PosX = CentredX(m, e, m.Logo.Sprite);
  m.Logo.PosY = 100;
  m.Logo.Trans = 255;
  m.Logo.File = path;
  m.Logo.SizeX = m.Logo.SizeY = 100;
  e.ZoomSprite(m.Logo.Sprite, static_cast<float>(m.Logo.SizeX), static_cast<float>(m.Logo.SizeY));
  e.SpriteBlending(m.Logo.Sprite, m.Logo.SRC, m.Logo.Dest);
  Finish(m, "Logo", "Logo succesfully loaded.");
}

void LoadSign(IntroModel& m, Engine& e, const std::string& path) {
  if (path.empty()) return;
  if (!FitsLimit(m, path, kSignLimit, "Sorry, Sign filesize to big.")) return;
  if (!ReplaceSprite(m, e, path, m.Sign.Sprite)) return;
  m.Sign.PosX = CentredX(m, e, m.Sign.Sprite);
  m.Sign.PosY = 100;
  m.Sign.Trans = 255;
  m.Sign.File = path;
  e.SpriteBlending(m.Sign.Sprite, m.Sign.SRC, m.Sign.Dest);
  Finish(m, "Sign", "Sign succesfully loaded.");
}

void LoadGfx(IntroModel& m, Engine& e, const std::string& path, int slot) {
  if (path.empty() || slot < 1 || slot > 5) return;
  const std::string n = std::to_string(slot);
  // The slot takes the new path even when the file is then refused as too big.
  const std::string before = m.GFX.File[slot];
  m.GFX.File[slot] = path;
  if (!FitsLimit(m, path, kImageLimit, "Sorry, GFX#" + n + " filesize is To big.")) return;
  Handle& sprite = m.GFX.Sprite[slot];
  if (!ReplaceSprite(m, e, path, sprite)) {
    m.GFX.File[slot] = before;  // the old picture stays, and so does its name
    return;
  }
  m.GFX.XPos[slot] = CentredX(m, e, sprite);
  m.GFX.YPos[slot] = 100;
  m.GFX.Trans[slot] = 255;
  m.GFX.XSize[slot] = m.GFX.YSize[slot] = 100;
  e.ZoomSprite(sprite, static_cast<float>(m.GFX.XSize[slot]), static_cast<float>(m.GFX.YSize[slot]));
  e.SpriteBlending(sprite, m.GFX.SRC[slot], m.GFX.Dest[slot]);
  const std::string name = "GFX" + n;
  Finish(m, name.c_str(), "GFX#" + n + " succesfully loaded.");
}

void LoadOverlay(IntroModel& m, Engine& e, const std::string& path) {
  if (path.empty()) return;
  if (!FitsLimit(m, path, kImageLimit, "Sorry, Overlay filesize is to big.")) return;
  // The overlay is only measured here; the exported player draws it.
  Handle probe = e.LoadSprite(path);
  if (probe == 0) {
    LogDecodeFailure(m, e, path);
    return;
  }
  m.OverW = e.SpriteWidth(probe);
  m.OverH = e.SpriteHeight(probe);
  m.OverPX = m.OverPY = 0;
  e.FreeSprite(probe);
  m.Over = path;
  Finish(m, nullptr, "Overlay succesfully loaded.");
}

void LoadBackground(IntroModel& m, Engine& e, const std::string& path) {
  if (path.empty()) return;
  if (!FitsLimit(m, path, kImageLimit, "Sorry, Background filesize is to big.")) return;
  Handle texture = e.LoadTexture(path);
  Handle backdrop = texture ? e.CreateBackdrop(texture) : 0;
  if (backdrop == 0) {
    LogDecodeFailure(m, e, path);
    ReleaseTexture(e, texture);
    return;
  }
  if (m.Background.Sprite != 0) e.FreeBackdrop(m.Background.Sprite);
  ReleaseTexture(e, m.Background.Texture);
  m.Background.File = path;
  m.Background.Texture = texture;
  m.Background.Sprite = backdrop;
  Finish(m, nullptr, "Background succesfully loaded.");
}

void LoadTrainerBar(IntroModel& m, Engine& e, const std::string& path) {
  if (path.empty()) return;
  if (!FitsLimit(m, path, kTrainerBarLimit, "Sorry, TrainerBar filesize is to big.")) return;
  if (!ReplaceSprite(m, e, path, m.TrainerBar.Sprite)) return;
  m.TrainerBar.File = path;
  m.TrainerBar.TB_CSX = e.SpriteWidth(m.TrainerBar.Sprite);
  e.SpriteBlending(m.TrainerBar.Sprite, m.TrainerBar.TB_SRC, m.TrainerBar.TB_Dest);
  Finish(m, "TrainerBar", "TrainerBar succesfully loaded.");
}

void LoadAnimation(IntroModel& m, Engine& e, const std::string& path, int kind) {
  if (path.empty() || (kind != 0 && kind != 1)) return;
  if (!FitsLimit(m, path, kAnimationLimit, "Sorry, Animation filesize is to big.")) return;
  AnimFields& a = kind == 0 ? m.Anim_2d : m.Anim_BOB;
  if (!ReplaceSprite(m, e, path, a.Sprite)) return;
  a.File = path;
  a.FSizeX = e.SpriteWidth(a.Sprite);
  a.FSizeY = e.SpriteHeight(a.Sprite);
  a.PosX = a.PosY = 0;
  a.Trans = 255;
  a.Layer = 0;
  a.SRC = 5;
  a.Dest = 6;
  a.SizeX = a.SizeY = 100;
  a.Frames = 1;
  a.Rota = 0;
  if (kind == 0) {
    a.Frame = -1;
    a.Intro = a.Outro = a.Spec = 0;
  }
  e.ZoomSprite(a.Sprite, static_cast<float>(a.SizeX), static_cast<float>(a.SizeY));
  e.SpriteBlending(a.Sprite, a.SRC, a.Dest);
  if (kind == 0)
    Finish(m, "Anim", "StartUp Animation succesfully loaded.");
  else
    Finish(m, "Bob_Anim", "Bob Animation succesfully loaded.");
}

}  // namespace quellor
