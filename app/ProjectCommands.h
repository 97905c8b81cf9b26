#pragma once
// File menu commands that deal with whole projects: New, Load and Save.
#include <string>

#include "app/AppContext.h"

namespace quellor {

// Filter of the project file dialogs.
constexpr const char* kProjectFilter = "Quellor Data (*.ini)|*.ini";

// File > New: the intro is reset to a new one.
void CommandNewIntro(AppContext& ctx);
// File > Load: asks for a project in Data/Prefs, reads it, then resets both scrollers.
void CommandLoadProject(AppContext& ctx);
// File > Save: asks for a file name (Data/Prefs + the project name offered) and saves.
void CommandSaveProject(AppContext& ctx);

// Reads a project named by the user or the command line: updates the title and, when
// the project wants another screen width, asks whether to restart with it (YES restarts
// and requests quitting; NO keeps the running size). Empty name: nothing happens.
void LoadProjectFile(AppContext& ctx, const std::string& name);

}  // namespace quellor
