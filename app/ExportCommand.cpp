#include "app/ExportCommand.h"

#include <filesystem>
#include <memory>

#include "export/CreateFinal.h"
#include "export/Packers.h"
#include "project/PathResolve.h"
#include "project/ProjectFile.h"
#include "render/RasterBars.h"

namespace quellor {

void CommandCreateFinal(AppContext& ctx) {
  IntroModel& m = ctx.Model;
  const std::string offered = JoinPath(m.BaseDir, m.ExportName);
  const std::string target = ctx.Win.SaveFileDialog(kExportDialogTitle, offered, kExportDialogFilter);
  if (target.empty()) return;
  ExportEnv env;
  env.ErrorBox = [&ctx](const std::string& title, const std::string& text) { ctx.Win.ErrorBox(title, text); };
  CreateFinal(m, ctx.Eng, target, env);
}

bool ExportProjectFile(const std::string& project, const std::string& target, Engine& e,
                       std::string* message) {
  auto model = std::make_unique<IntroModel>();
  IntroModel& m = *model;
  std::error_code ec;
  InitModel(m);
  // The player compiles the raster bars' effect too, so its translation goes along.
  SetRasterEffectSource(m);
  m.BaseDir = std::filesystem::current_path(ec).string();
  m.PackerFileSize = ProbePackers(m.BaseDir);
  LoadOutcome out = LoadProject(m, e, project);
  if (out.Read && out.ResolutionMismatch) {
    // The intro keeps the size it was made for, as after the editor's restart.
    m.ScreenX = out.FileWidth;
    m.ScreenY = out.FileHeight;
    out = LoadProject(m, e, project);
  }
  if (!out.Read) {
    if (message) *message = "cannot read the project " + project;
    return false;
  }
  std::string boxText;
  ExportEnv env;
  env.ErrorBox = [&boxText](const std::string&, const std::string& text) { boxText = text; };
  ExportResult r = CreateFinal(m, e, target, env);
  if (message) {
    std::string why = r.Error;
    for (char& c : why)
      if (c == '\r') c = ' ';  // the error box's line breaks
    *message = r.Written ? "exported " + r.Target + " (" + std::to_string(r.ImageBytes) + " bytes)" : why;
  }
  return r.Written;
}

}  // namespace quellor
