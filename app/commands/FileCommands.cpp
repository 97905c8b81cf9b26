#include "app/MenuIds.h"
#include "app/ExportCommand.h"
#include "app/ProjectCommands.h"
#include "app/commands/CommandTable.h"

namespace quellor {

void AddFileCommands(CommandTable& t) {
  t[menu::kFileNew] = CommandNewIntro;
  t[menu::kFileLoad] = CommandLoadProject;
  t[menu::kFileSave] = CommandSaveProject;
  t[menu::kFileCreateFinal] = CommandCreateFinal;
  // The shell closes the main window and leaves the loop.
  t[menu::kFileQuit] = [](AppContext& ctx) { ctx.QuitRequested = true; };
}

}  // namespace quellor
