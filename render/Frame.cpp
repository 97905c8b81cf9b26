// One preview frame: timing, the per-frame updates, the 3D pass, the post effect, the
// placement overlay, the 2D pass with the idle rule, the status log, the raster pass,
// the queued texts and the flip. Nothing here allocates once the lists have grown.
#include "render/Frame.h"

#include <algorithm>
#include <cmath>

#include "render/Bobs.h"
#include "render/BorderTiles.h"
#include "render/Effects3d.h"
#include "render/IdleScene.h"
#include "render/PagerTrainer.h"
#include "render/Scrollers.h"

namespace quellor {

namespace {

int Rounded(float v) { return static_cast<int>(std::lrint(v)); }

// Whole pixels of this frame's scroll step; the fraction waits for the next frame.
int CarriedStep(float speed, float& carry, float speedFactor) {
  const float step = speedFactor / 10.0f * speed + carry;
  const float whole = std::trunc(step);
  carry = step - whole;
  // A stored speed near the integer limits at a low frame rate would not fit an int.
  constexpr float kLimit = 2147483520.0f;  // largest float below 2^31
  return static_cast<int>(std::clamp(whole, -kLimit, kLimit));
}

void UpdateScrolling(IntroModel& m, Engine& e) {
  FrameClock& c = m.Clock;
  const BackgroundFields& bg = m.Background;
  if (bg.Sprite != 0 && (bg.ScrollX != 0 || bg.ScrollY != 0)) {
    int dx = 0, dy = 0;
    if (bg.ScrollX != 0) dx = CarriedStep(static_cast<float>(bg.ScrollX), c.BackdropCarryX, c.SpeedFactor);
    if (bg.ScrollY != 0) dy = CarriedStep(static_cast<float>(bg.ScrollY), c.BackdropCarryY, c.SpeedFactor);
    e.ScrollBackdrop(bg.Sprite, static_cast<float>(dy), static_cast<float>(dx));
  }
  const BorderFields& b = m.Border;
  if (b.Texture != 0 && b.Scroll != 0) {
    const int step = CarriedStep(static_cast<float>(b.Scroll), c.BorderCarry, c.SpeedFactor);
    e.ScrollTextureRows(b.Texture, 0, step);
    // The side pieces are quarter-turned copies: the rows of the original are their
    // columns, so their content moves across the edge like on one rotated texture
    // (right piece turned clockwise, left piece counter-clockwise).
    if (b.SideTexture[0] != 0) e.ScrollTextureRows(b.SideTexture[0], -step, 0);
    if (b.SideTexture[1] != 0) e.ScrollTextureRows(b.SideTexture[1], step, 0);
  }
}

bool BorderLoaded(const IntroModel& m) { return m.Border.Texture != 0; }

void DisplayAnim2d(const IntroModel& m, Engine& e) {
  e.DisplaySprite(m.Anim_2d.Sprite, Rounded(m.Anim_2d.PosX), Rounded(m.Anim_2d.PosY), m.Anim_2d.Trans);
}

void DisplayBobAnim(const IntroModel& m, Engine& e) {
  e.DisplaySprite(m.Anim_BOB.Sprite, Rounded(m.Anim_BOB.PosX), Rounded(m.Anim_BOB.PosY),
                  m.Anim_BOB.Trans);
}

void ThreeDItems(IntroModel& m, Engine& e) {
  if (m.Sign.Sprite && m.Sign.Layer > 0)
    e.DisplaySprite(m.Sign.Sprite, m.Sign.PosX, m.Sign.PosY, m.Sign.Trans);
  if (BorderLoaded(m) && m.Border.Layer > 0) DisplayBorderTiles(m, e);
  if (m.Logo.Sprite && m.Logo.Layer > 0)
    e.DisplaySprite(m.Logo.Sprite, m.Logo.PosX, m.Logo.PosY, m.Logo.Trans);
  if (m.Anim_2d.Sprite && m.Anim_2d.Layer > 0) DisplayAnim2d(m, e);
  if (m.Anim_BOB.Sprite && m.Anim_BOB.Layer > 0) DisplayBobAnim(m, e);
}

bool AnyAssetLoaded(const IntroModel& m) {
  // Border, overlay, trainer bar and music do not end the idle screen.
  if (m.Obj3d.Entity || m.Background.Texture || m.Background.Sprite || m.Font1.Image ||
      m.Font2.Image || m.PostFX.Effect || m.Logo.Sprite || m.Raster.RasterCount ||
      m.Anim_2d.Sprite || m.Anim_BOB.Sprite || m.Sign.Sprite)
    return true;
  for (int i = 1; i <= 5; ++i)
    if (m.GFX.Sprite[i]) return true;
  return false;
}

void IdleSwitch(IntroModel& m, Engine& e) {
  IdleScene& s = m.Idle;
  if (!AnyAssetLoaded(m)) {
    s.On = true;
    if (s.Points.empty()) FillIdleScene(m);
    if (s.LogoSprite) e.DisplaySprite(s.LogoSprite, s.LogoX, s.LogoY, 255);
  } else if (s.On) {
    s.On = false;
    s.Points.clear();
  }
}

void TwoDPass(IntroModel& m, Engine& e) {
  for (int i = 1; i <= 5; ++i)
    if (m.GFX.Sprite[i] && m.GFX.Layer[i] < 2)
      e.DisplaySprite(m.GFX.Sprite[i], m.GFX.XPos[i], m.GFX.YPos[i], m.GFX.Trans[i]);
  if (m.TrainerBar.Sprite && m.TrainerBar.TB_Layer < 2 && m.Trainer.Active == 1)
    e.DisplaySprite(m.TrainerBar.Sprite, m.TrainerState.BarX, m.TrainerState.BarY, 255);
  AnimFields& a = m.Anim_2d;
  if (a.Sprite && a.Layer < 2) {
    DisplayAnim2d(m, e);
    if (a.Intro == 1) {
      // A play-once start-up animation stops on its last frame.
      if (e.SpriteFrame(a.Sprite) == a.Frames - 1) a.Frame = a.Frames - 1;
      if (a.Frame != -1) e.SetSpriteFrame(a.Sprite, a.Frame);
    }
  }
  if (m.Sign.Sprite && m.Sign.Layer < 2)
    e.DisplaySprite(m.Sign.Sprite, m.Sign.PosX, m.Sign.PosY, m.Sign.Trans);
  if (m.Anim_BOB.Sprite && m.Anim_BOB.Layer < 2) DisplayBobAnim(m, e);
  if (BorderLoaded(m) && m.Border.Layer < 2) DisplayBorderTiles(m, e);
  if (m.Logo.Sprite && m.Logo.Layer < 2)
    e.DisplaySprite(m.Logo.Sprite, m.Logo.PosX, m.Logo.PosY, m.Logo.Trans);
  IdleSwitch(m, e);
  DisplayDrawRecords(m, e, false);
  if (m.PostFX.Effect) {
    // The 2D pass lands on top of the processed picture and is not processed itself.
    e.RenderOverlayToTarget(m.ScreenTexture);
    e.CopyTargetToScreen(m.ScreenTexture);
  }
}

}  // namespace

void DisplayDrawRecords(IntroModel& m, Engine& e, bool threeDPass) {
  for (const DrawRecord& r : m.Draws) {
    if (r.Sprite == 0 || (threeDPass ? r.Layer <= 0 : r.Layer >= 2)) continue;
    e.RotateSprite(r.Sprite, r.Rotation);
    e.ZoomSprite(r.Sprite, static_cast<float>(r.Width), static_cast<float>(r.Height));
    e.DisplaySprite(r.Sprite, r.X, r.Y, r.Alpha, r.Frame);
  }
}

void AnimateSprites(IntroModel& m, Engine& e) {
  // An animation's Speed is how long each of its frames stays on screen, in ms of preview
  // time: the default 20 runs at 50 frames a second, the demo spinner's 40 at 25. Preview
  // time is SpeedFactor sixtieths of a second per frame, so a frozen preview stops them.
  for (AnimFields* a : {&m.Anim_2d, &m.Anim_BOB})
    if (a->Sprite)
      e.AnimateSprite(a->Sprite, static_cast<float>(a->Speed), a->Frames, a->Dir,
                      a == &m.Anim_2d && a->Intro == 1);
  e.AdvanceAnimations(m.Clock.SpeedFactor * 1000.0f / 60.0f);
}

void DrawFrame(IntroModel& m, Engine& e, PlacementHook* overlay) {
  // 1-2
  UpdateFrameTiming(m, e);
  AnimateSprites(m, e);
  ScrollerSwing(m, 0);
  ScrollerSwing(m, 1);

  // 3 GFX auto-rotation, then the GFX layers of the 3D pass
  const float speed = m.Clock.SpeedFactor;
  for (int i = 1; i <= 5; ++i)
    if (m.GFX.Sprite[i]) e.TurnSprite(m.GFX.Sprite[i], m.GFX.AutoRot[i] * speed);
  for (int i = 1; i <= 5; ++i)
    if (m.GFX.Sprite[i] && m.GFX.Layer[i] > 0)
      e.DisplaySprite(m.GFX.Sprite[i], m.GFX.XPos[i], m.GFX.YPos[i], m.GFX.Trans[i]);

  // 4-6
  UpdateScrolling(m, e);
  ThreeDItems(m, e);
  if (m.Obj3d.Entity) e.TurnEntity(m.Obj3d.Entity, m.Obj3d.RotX, m.Obj3d.RotY, m.Obj3d.RotZ);

  // 7 the draw list
  m.Draws.clear();
  AddScrollerRecords(m, e, 0);
  AddScrollerRecords(m, e, 1);
  AddPagerRecords(m, e);
  AddBobRecords(m, e);
  AddTrainerRecords(m, e);

  // 8 the 3D pass
  if (m.TrainerBar.Sprite && m.TrainerBar.TB_Layer > 0)
    e.DisplaySprite(m.TrainerBar.Sprite, m.TrainerState.BarX, m.TrainerState.BarY, 255);
  DisplayDrawRecords(m, e, true);
  SetObjectShaderParameters(m, e);
  if (m.Idle.On) MoveIdleScene(m);
  e.RenderWorld();
  DrawIdlePoints(m, e);
  if (m.PostFX.Effect) RunPostEffect(m, e);

  // 9-10
  if (overlay) overlay->Run(m, e);
  TwoDPass(m, e);

  // 11-13
  DrawStatusLog(m, e);
  if (m.Raster.RasterCount > 0) RunRasterPass(m, e);
  e.FlushText();
  e.FlipBuffers();
}

}  // namespace quellor
