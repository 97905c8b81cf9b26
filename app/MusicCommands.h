#pragma once
// Music loading and playback: the music menu, the replayer by file extension, the
// start/stop rules of "Play Music after loading", looping and removal. The model keeps
// `Music.File`, `Music.Type` and `Music.Player`; the sound itself plays in
// AppContext::Music.
#include <string>

#include "app/AppContext.h"

namespace quellor {

// Music files above this size are refused (SID tunes have no limit).
constexpr uintmax_t kMusicSizeLimit = 524288;
// `Music.Player` of a loaded SID, Future Composer or V2M tune.
constexpr int32_t kLoadedPlayer = 1000;

// Start-up: the buffer tunes are read through, and, for the editor window, the sound
// device. Without a device the program runs silent and says so once in the status log.
void StartSound(AppContext& ctx, bool openDevice);

// Loads a tracker, Future Composer or V2M file (the replayer follows the extension).
void LoadMusic(AppContext& ctx, const std::string& path);
// Who asks for a SID tune: the music command, or the reload after a project was read.
enum class SidCaller { MusicCommand, ProjectLoad };
void LoadSid(AppContext& ctx, const std::string& path, SidCaller caller);
// Stops and releases the current tune; `Music.Type` keeps its value.
void StopMusic(AppContext& ctx);
// Music > Remove.
void RemoveMusic(AppContext& ctx);
// The options window's "Play Music after loading" check box.
void SetPlayAfterLoad(AppContext& ctx, bool on);
// Once per preview frame: a tracker module that has ended starts again at position 0,
// a V2M song more than 500 ms past its length plays again from 0.
void UpdateMusic(AppContext& ctx);

// After a project has been read: its tracker, Future Composer or V2M tune is loaded when
// the reader found the file.
void LoadProjectMusic(AppContext& ctx);
// File > Load and autoload, read or not: a SID tune named by the model is loaded again.
// `reportMissing`: post the not-found line when its file is gone (the project reader
// has posted it already when it ran).
void ReloadSidTune(AppContext& ctx, bool reportMissing);

// The sound follows the model: without a player nothing plays (New Intro, a project
// read). Run after every command.
void SyncMusicOutput(AppContext& ctx);

// The replayer name the options window shows for the model's tune.
std::string MusicPanelName(const IntroModel& m);

// Music > Load and Music > Remove.
void CommandLoadMusic(AppContext& ctx);
void CommandRemoveMusic(AppContext& ctx);

}  // namespace quellor
