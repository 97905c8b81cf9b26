#pragma once
#include "app/Host.h"
#include "app/MusicSession.h"
#include "app/PlacementModes.h"
#include "app/dialogs/DialogState.h"
#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {
class PlacementHook;

// What a command needs: the model, the engine, the window system and the sound.
struct AppContext {
  IntroModel& Model;
  Engine& Eng;
  Host& Win;
  bool QuitRequested = false;
  int MusicFilterIndex = 0;  // remembered file-type choice of the music requester
  MusicSession Music{};      // the sound output and the loaded tune's data
  uint64_t KeptRevision = 0;  // model revision at the last load, save or New
  PlacementOverlay Placement{Win};  // the frame's hook while a placement mode is active
  DialogState Dialogs{};
};

// Normal window title: "Quellor v" + version + " - " + project name + ".ini".
std::string NormalTitle(const IntroModel& m);
}
