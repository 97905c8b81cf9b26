// New Intro: releases every asset of the intro and resets a fixed subset of the model.
// Placement, blend and layer settings of logo, sign, fonts and border survive on purpose:
// a new intro keeps the user's layout habits.
#include "project/NewIntro.h"

#include "project/Loaders.h"
#include "project/StatusLog.h"
#include "project/loaders/LoaderCommon.h"

namespace quellor {

namespace {
using loaders::ReleaseEffect;
using loaders::ReleaseSprite;
using loaders::ReleaseTexture;

void ResetAnimation(Engine& e, AnimFields& a) {
  ReleaseSprite(e, a.Sprite);
  a.File.clear();
  a.Trans = 255;
  a.Layer = 0;
  a.SRC = 5;
  a.Dest = 6;
  a.SizeX = a.SizeY = 100;
  a.FSizeX = a.FSizeY = 32;
  a.Frames = 1;
  a.Speed = 20;
  a.Active = 0;
  a.PosX = a.PosY = 0;
  a.Rota = 0;
}
}  // namespace

void ClearIntro(IntroModel& m, Engine& e) {
  // 1, 2
  AddStatusLine(m, "All data removed.", kMessageMs, kColorInfo);
  m.Draws.clear();

  // 3 overlay
  m.Over.clear();
  m.OverUSE = m.OverW = m.OverH = m.OverPX = m.OverPY = 0;

  // 4 bob clones
  {
    std::vector<CloneRecord> clones = std::move(m.AnimClone.Clones);
    m.AnimClone = AnimCloneFields{};
    clones.assign(1, CloneRecord{});
    m.AnimClone.Clones = std::move(clones);
    m.AnimClone.width = 800;
    m.AnimClone.height = 600;
  }

  // 5 window and start-up settings
  m.ONTop = m.MovWin = 0;
  m.IconC.clear();
  m.StartTimer.fill(0);
  m.ExecPRG.clear();
  m.ExecRun = m.ExecNME = 0;
  m.StartFlag.fill(0);

  // 6 GFX slots
  for (int i = 1; i <= 5; ++i) {
    ReleaseSprite(e, m.GFX.Sprite[i]);
    m.GFX.File[i].clear();
    m.GFX.XPos[i] = m.GFX.YPos[i] = 0;
    m.GFX.XSize[i] = m.GFX.YSize[i] = 100;
    m.GFX.Layer[i] = 0;
    m.GFX.SRC[i] = 5;
    m.GFX.Dest[i] = 6;
    m.GFX.Trans[i] = 255;
    m.GFX.Rota[i] = 0;
  }

  // 7 sign, logo, background
  m.Sign.File.clear();
  RemoveFromDisplayOrder(m, "Sign");
  ReleaseSprite(e, m.Sign.Sprite);
  ReleaseSprite(e, m.Logo.Sprite);
  m.Logo.File.clear();
  if (m.Background.Sprite != 0) e.FreeBackdrop(m.Background.Sprite);
  m.Background.Sprite = 0;
  ReleaseTexture(e, m.Background.Texture);
  m.Background.File.clear();
  m.Background.ScrollX = m.Background.ScrollY = 0;

  // 8 3D object, its texture and texture shader
  if (m.Obj3d.Entity != 0) {
    if (m.VertexShader.Effect != 0) e.EntityEffect(m.Obj3d.Entity, 0);
    e.FreeEntity(m.Obj3d.Entity);
  }
  m.Obj3d.Entity = 0;
  m.Obj3d.Type = 0;
  m.Obj3d.File.clear();
  m.Obj3d.PosX = m.Obj3d.PosY = 0;
  m.Obj3d.PosZ = 10;
  m.Obj3d.RotX = m.Obj3d.RotY = m.Obj3d.RotZ = 1;
  m.Obj3d.Shadow = 0;
  m.Obj3d.AnimSets = 0;
  ReleaseTexture(e, m.Tex3d.Texture);
  m.Tex3d.File.clear();
  ReleaseEffect(e, m.TexShader.Effect);
  ReleaseTexture(e, m.TexShader.Texture);
  m.TexShader.Code.clear();
  m.TexShader.File.clear();
  m.Obj3d.WorkPos = {0, 0, 10};

  // 9 vertex-shader textures
  for (int i = 0; i < 3; ++i) {
    ReleaseTexture(e, m.VertexShader.Texture[i]);
    m.VertexShader.TexFile[i].clear();
  }

  // 10 music: the player itself is stopped by the music module when it owns one
  m.Music.File.clear();
  m.Music.Player = 0;
  m.Music.Type = 0;

  // 11 post effect
  m.PostFX.Code.clear();
  m.PostFX.File.clear();
  ReleaseEffect(e, m.PostFX.Effect);

  // 12 raster bars
  for (int n = 0; n < 5; ++n) {
    m.Raster.fxt[n] = 0;
    m.Raster.enb[n] = 0;
    m.Raster.txt[n] = 0;
    m.Raster.val[n] = 0.5f;
    m.Raster.rgb[n].fill(0);
  }
  m.Raster.RasterCount = 0;
  for (int n = 1; n <= 4; ++n) {
    ReleaseTexture(e, m.Raster.Texture[n]);
    m.Raster.Path[n].clear();
  }

  // 13 fonts
  ReleaseFont(m, e, 1);
  ReleaseFont(m, e, 2);

  // 14, 15 scroller texts; every text effect off
  m.Scroller[0].Text = "Scroller 1 ";
  m.Scroller[1].Text = "Scroller 2 ";
  m.Scroller[0].Active = m.Scroller[1].Active = 0;
  m.Pager.Active = 0;
  m.Trainer.Active = 0;

  // 16 lists
  m.PagerState.Letters.clear();
  m.Pager.Lines.clear();
  m.DisplayOrder.clear();

  // 17 pager, trainer and trainer bar
  PagerFields& p = m.Pager;
  p.YLins = 5;
  p.perLine = 20;
  p.FXin = p.FXout = 0;
  p.Time = 5000;
  p.Page = 0;
  p.Font = 0;
  p.XPos = p.YPos = p.SizX = p.SizY = 100;
  p.cspX = p.cspY = 32;
  p.Spacer = 0;
  p.Active = 0;
  m.Trainer.Lines.clear();
  m.TrainerState.Letters.clear();
  TrainerFields& t = m.Trainer;
  t.YLins = 6;
  t.perLine = 25;
  t.XPos = 50;
  t.YPos = 100;
  t.SizX = t.SizY = 100;
  t.cspX = t.cspY = 32;
  t.Spacer = t.Active = t.Font = t.Contr = t.LLExit = 0;
  ReleaseSprite(e, m.TrainerBar.Sprite);
  m.TrainerBar.File.clear();
  m.TrainerBar.TB_SRC = 5;
  m.TrainerBar.TB_Dest = 6;
  m.TrainerBar.TB_Line = 1;
  m.TrainerBar.TB_FSL = 100;
  m.TrainerBar.TB_Layer = 0;

  // 18 vertex shader
  m.VertexShader.Code.clear();
  m.VertexShader.File.clear();
  ReleaseEffect(e, m.VertexShader.Effect);
  for (Handle& tex : m.VertexShader.Texture) ReleaseTexture(e, tex);
  m.VertexShader.Var1 = m.VertexShader.Var2 = m.VertexShader.Var3 = 0.5f;

  // 19 scroller sine settings, tables rebuilt from phase 0
  for (int s = 0; s < 2; ++s) {
    ScrollerFields& sc = m.Scroller[s];
    sc.SinSiz = 200;
    sc.SinADD = 4.0f;
    sc.SinRot = 10;
    sc.SinSTP = 2;
    sc.TablePhase = 0;
    BuildSineTables(sc);
    sc.Phase = 1;
    sc.Angle = 0;
    sc.SSinAdd = s == 0 ? 5.0f : 2.0f;
    sc.SSinSiz = 150;
    sc.FX = 0;
  }

  // 20 border
  ReleaseBorder(m, e);
  m.Border.File.clear();
  RemoveFromDisplayOrder(m, "Border");
  m.Border.Top = m.Border.Bot = 1;
  m.Border.Rgt = m.Border.Lft = 0;
  m.Border.TilesY = 0;

  // 21 animations
  ResetAnimation(e, m.Anim_2d);
  m.Anim_2d.Intro = m.Anim_2d.Outro = m.Anim_2d.Spec = 0;
  ResetAnimation(e, m.Anim_BOB);
  m.Anim_BOB.CspX = m.Anim_BOB.CspY = 32;

  // 22
  MarkChanged(m);
}

}  // namespace quellor
