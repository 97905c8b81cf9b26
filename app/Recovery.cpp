#include "app/Recovery.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "project/Colors.h"
#include "project/PathResolve.h"
#include "project/ProjectFile.h"
#include "project/StatusLog.h"

namespace quellor {

bool WriteRecoveryIfChanged(AppContext& ctx) {
  if (!HasUnkeptChanges(ctx)) return false;
  IntroModel& m = ctx.Model;
  std::error_code ec;
  const std::string folder = ResolvePath(JoinPath(m.BaseDir, "Data/Prefs/"));
  std::filesystem::create_directories(folder, ec);
  const std::string target = ResolvePath(JoinPath(m.BaseDir, kRecoveryFile));
  const std::string older = ResolvePath(JoinPath(m.BaseDir, kOlderRecoveryFile));
  if (std::filesystem::is_regular_file(target, ec)) std::rename(target.c_str(), older.c_str());
  // The writer reports a failure in red itself; the program goes on either way.
  const bool ok = SaveProject(m, ctx.Eng, target);
  if (ok) {
    AddStatusLine(m, std::string("Unsaved changes kept in ") + kRecoveryFile, kMessageMs,
                  kColorInfo);
    MarkKept(ctx);
  }
  return ok;
}

}  // namespace quellor
