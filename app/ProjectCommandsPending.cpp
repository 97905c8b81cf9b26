#include "app/ProjectCommands.h"

// Stand-ins so the editor links before the project commands arrive; weak, so the real
// definitions take over. Delete this file once app/ProjectCommands.cpp exists.
namespace quellor {
__attribute__((weak)) void CommandNewIntro(AppContext&) {}
__attribute__((weak)) void CommandLoadProject(AppContext&) {}
__attribute__((weak)) void CommandSaveProject(AppContext&) {}
}
