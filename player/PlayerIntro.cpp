#include "player/PlayerIntro.h"

#include "project/ProjectFile.h"
#include "render/Frame.h"
#include "render/RasterBars.h"
#include "render/Scrollers.h"
#include "render/TextOptions.h"

namespace quellor {

void LoadEmbeddedIntro(EmbeddedIntro& intro, Engine& e, IntroModel& play) {
  IntroModel& slots = *intro.Model;
  for (EmbeddedFile& f : intro.Files) e.MountFile(f.Name, std::move(f.Bytes));
  intro.Files.clear();

  play.BaseDir = kEmbeddedRoot;
  play.ScreenX = slots.ScreenX;
  play.ScreenY = slots.ScreenY;
  play.AnimClone.width = play.ScreenX;
  play.AnimClone.height = play.ScreenY;
  play.ScreenTexture = e.CreateRenderTarget(play.ScreenX, play.ScreenY);
  SetupIdleScene(play);
  FillIdleScene(play);
  // The raster bars' own effect, compiled at start as the editor does.
  SetRasterEffectSource(play);
  CompileRasterEffect(play, e);

  // The same text a save of this intro would write, read by the same reader.
  LoadProjectText(play, e, ProjectText(slots, e), "intro.ini");
  RestartAfterProjectLoad(play, e);
  ResetScrollers(play);

  // What the project file does not carry.
  play.Obj3d.FogStart = slots.Obj3d.FogStart;
  play.Obj3d.FogEnd = slots.Obj3d.FogEnd;
  play.ExecPRG = slots.ExecPRG;
  play.ExecRun = slots.ExecRun;

  play.Log.Lines.clear();
  play.LogEnabled = 0;
  play.Clock.PreviewStart = play.Clock.NowMs();
  play.Clock.FramesPerSecond = 60.0f;
}

}  // namespace quellor
