#pragma once
// Menu command handlers by command number; each command file adds its own.
#include <functional>
#include <unordered_map>

#include "app/AppContext.h"

namespace quellor {

using CommandTable = std::unordered_map<int, std::function<void(AppContext&)>>;

void AddFileCommands(CommandTable& t);
void AddImageCommands(CommandTable& t);   // logo, sign, background, GFX, border
void AddAnimCommands(CommandTable& t);    // start-up and bob animation
void AddTextCommands(CommandTable& t);    // fonts, scrollers, pager, trainer
void AddObjectCommands(CommandTable& t);  // the 3D object, its textures and shader
void AddEffectCommands(CommandTable& t);  // the post effect
void AddDialogCommands(CommandTable& t);  // Edit, Extra and Help: the editor's dialogs
void AddMusicCommands(CommandTable& t);   // loading and removing the tune

// The complete table, built once.
const CommandTable& MenuCommands();

}  // namespace quellor
