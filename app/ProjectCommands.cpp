#include "app/ProjectCommands.h"

#include "app/MusicCommands.h"
#include "app/Recovery.h"
#include "project/NewIntro.h"
#include "project/PathResolve.h"
#include "project/ProjectFile.h"
#include "render/Scrollers.h"
#include "render/TextOptions.h"

namespace quellor {

namespace {
std::string PrefsFolder(const IntroModel& m) { return ResolvePath(JoinPath(m.BaseDir, "Data/Prefs/")); }
}  // namespace

void CommandNewIntro(AppContext& ctx) {
  WriteRecoveryIfChanged(ctx);
  ClearIntro(ctx.Model, ctx.Eng);
  MarkKept(ctx);
}

void LoadProjectFile(AppContext& ctx, const std::string& name) {
  if (name.empty()) return;
  IntroModel& m = ctx.Model;
  WriteRecoveryIfChanged(ctx);
  LoadOutcome out = LoadProject(m, ctx.Eng, name);
  // The old tune went with the old intro; the reader found the new one's file.
  SyncMusicOutput(ctx);
  LoadProjectMusic(ctx);
  RestartAfterProjectLoad(m, ctx.Eng);
  MarkKept(ctx);
  ctx.Win.SetTitle(NormalTitle(m));
  if (!out.ResolutionMismatch) return;
  if (ctx.Win.AskYesNo(kResolutionWarningTitle,
                       ResolutionWarningText(out.FileWidth, out.FileHeight, m.ScreenX, m.ScreenY))) {
    ctx.Win.RestartProgram({"/sr", std::to_string(out.FileWidth), std::to_string(out.FileHeight),
                            ResolvePath(out.FileName)});
    ctx.QuitRequested = true;
  }
}

void CommandLoadProject(AppContext& ctx) {
  std::string name =
      ctx.Win.OpenFileDialog("Quellor - Load Intro Datas", PrefsFolder(ctx.Model), kProjectFilter, nullptr);
  LoadProjectFile(ctx, name);
  // Read or not, a SID tune named by the model is loaded again.
  ReloadSidTune(ctx, name.empty());
  RestartScrollers(ctx.Model);
}

void CommandSaveProject(AppContext& ctx) {
  // The dialog gets the file it offers, not only its folder.
  std::string offered = JoinPath(PrefsFolder(ctx.Model), ctx.Model.ProjectName);
  std::string name = ctx.Win.SaveFileDialog("Quellor - save all Datas", offered, kProjectFilter);
  if (!name.empty() && SaveProject(ctx.Model, ctx.Eng, name)) MarkKept(ctx);
}

}  // namespace quellor
