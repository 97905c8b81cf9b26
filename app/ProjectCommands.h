#pragma once
#include "app/AppContext.h"

namespace quellor {
// File > New, File > Load and File > Save.
void CommandNewIntro(AppContext& ctx);
void CommandLoadProject(AppContext& ctx);
void CommandSaveProject(AppContext& ctx);
}
