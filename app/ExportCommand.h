#pragma once
// File > Create Final: the save requester, then the export to the chosen file.
#include "app/AppContext.h"

namespace quellor {

void CommandCreateFinal(AppContext& ctx);

// `quellor --export PROJECT.ini OUT`: a fresh intro model at the project's own
// resolution, the project loaded on `e`, then Create Final to `target`. Returns whether
// the executable was written; `message` says what happened or why not.
bool ExportProjectFile(const std::string& project, const std::string& target, Engine& e,
                       std::string* message);

}  // namespace quellor
