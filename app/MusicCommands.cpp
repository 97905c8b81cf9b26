#include "app/MusicCommands.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/AssetDialog.h"
#include "app/MenuIds.h"
#include "app/commands/CommandTable.h"
#include "music/MusicFormats.h"
#include "music/TuneFactory.h"
#include "music/Upkeep.h"
#include "music/sid/SidPlayTune.h"
#include "project/PathResolve.h"
#include "project/StatusLog.h"

namespace quellor {

namespace {

using music::MusicType;

// Start-up reserves this much for reading tunes; bigger files grow it.
constexpr size_t kReadBufferBytes = 262144;
// Nothing larger can hold a C64 tune (64 KB of memory and a header); larger files are
// read only far enough to be refused by the header check.
constexpr size_t kSidReadLimit = 1 << 20;

void Line(IntroModel& m, const std::string& text, uint32_t colour) {
  AddStatusLine(m, text, colour == kColorError ? kNotFoundMs : kMessageMs, colour);
}

// Size of the file, or -1 when there is no readable file there.
int64_t TuneFileSize(const std::string& path) {
  if (path.empty()) return -1;
  std::string p = ResolvePath(path);
  std::error_code ec;
  if (!PathIsSafeToRead(p) || !std::filesystem::is_regular_file(p, ec)) return -1;
  uintmax_t size = std::filesystem::file_size(p, ec);
  return ec ? -1 : static_cast<int64_t>(size);
}

// Reads the whole file, or fails when it is missing, unreadable or longer than `limit`.
bool ReadTuneFile(const std::string& path, size_t limit, std::vector<uint8_t>& out) {
  out.clear();
  int64_t size = TuneFileSize(path);
  if (size < 0 || static_cast<uint64_t>(size) > limit) return false;
  std::ifstream f(ResolvePath(path), std::ios::binary);
  if (!f) return false;
  out.resize(static_cast<size_t>(size));
  f.read(reinterpret_cast<char*>(out.data()), size);
  if (f.gcount() != size) return false;
  // A file that grew since it was measured is not read past its measured size.
  return true;
}

// The C64 ROMs for RSID tunes, from Data/bin where the user provides them.
struct RomFiles {
  std::vector<uint8_t> Kernal, Basic, Chargen;
  music::SidRoms View() const { return {Kernal, Basic, Chargen}; }
};

RomFiles ReadRoms(const IntroModel& m) {
  RomFiles r;
  auto read = [&](const char* name, size_t size, std::vector<uint8_t>& out) {
    std::string path = ResolvePath(JoinPath(m.BaseDir, std::string("Data/bin/") + name));
    if (TuneFileSize(path) == static_cast<int64_t>(size)) ReadTuneFile(path, size, out);
  };
  read("kernal", music::SidRoms::kKernalSize, r.Kernal);
  read("basic", music::SidRoms::kBasicSize, r.Basic);
  read("chargen", music::SidRoms::kChargenSize, r.Chargen);
  return r;
}

void Refused(IntroModel& m, const std::string& why) {
  Line(m, "Loading Error: Music file can't be played (" + why + ").", kColorError);
}

// Opens the tune from the session's read buffer; posts the reason when it fails.
std::unique_ptr<music::Tune> OpenRead(AppContext& ctx, MusicType type, const music::TuneOptions& opt = {}) {
  std::string why;
  std::unique_ptr<music::Tune> tune = music::OpenTune(ctx.Music.ReadBuffer, type, opt, &why);
  if (!tune) {
    if (!music::ReplayerAvailable(type))
      Line(ctx.Model, std::string("Sorry, the ") + music::ReplayerName(static_cast<int32_t>(type)) +
                          " replayer is not available.", kColorError);
    else
      Refused(ctx.Model, why);
  }
  return tune;
}

bool ReadForPlay(AppContext& ctx, const std::string& path) {
  if (ReadTuneFile(path, kMusicSizeLimit, ctx.Music.ReadBuffer)) return true;
  Line(ctx.Model, "Loading Error: Music file Not found.", kColorError);
  return false;
}

// Starts the loaded SID data at the header's start song, paused unless `play`.
bool StartSid(AppContext& ctx, bool play) {
  MusicSession& s = ctx.Music;
  RomFiles roms = ReadRoms(ctx.Model);
  music::TuneOptions opt;
  opt.SidSong = music::kSidHeaderStartSong;
  opt.Roms = roms.View();
  std::string why;
  std::unique_ptr<music::Tune> tune = music::OpenTune(s.SidData, MusicType::Sid, opt, &why);
  if (!tune) {
    Line(ctx.Model, why == music::kSidRomsMissing ? why : "Loading Error: Sid file can't be played (" + why + ").",
         kColorError);
    return false;
  }
  s.Out.Mix().Play(std::move(tune), !play);
  return true;
}

}  // namespace

void StartSound(AppContext& ctx, bool openDevice) {
  MusicSession& s = ctx.Music;
  s.ReadBuffer.reserve(kReadBufferBytes);
  if (!openDevice || s.DeviceTried) return;
  s.DeviceTried = true;
  std::string why;
  if (!s.Out.Open(&why)) Line(ctx.Model, "No sound device found, music plays silently.", kColorInfo);
}

void StopMusic(AppContext& ctx) {
  IntroModel& m = ctx.Model;
  if (m.Music.Player == 0) return;
  ctx.Music.Out.Mix().Stop();
  ctx.Music.SidData.clear();
  ctx.Music.SidData.shrink_to_fit();
  m.Music.Player = 0;
}

void LoadMusic(AppContext& ctx, const std::string& path) {
  IntroModel& m = ctx.Model;
  int64_t size = TuneFileSize(path);
  bool tooBig = size > static_cast<int64_t>(kMusicSizeLimit);
  if (tooBig) Line(m, "Sorry, Music filesize is to big.", kColorTooBig);
  if (path.empty()) return;
  m.Music.File = path;
  StopMusic(ctx);
  if (tooBig) return;

  std::optional<MusicType> type = music::TypeForExtension(music::LowerExtension(path));
  music::Mixer& mix = ctx.Music.Out.Mix();
  bool play = m.PlayAfterLoad == 1;
  if (type == MusicType::Tracker) {
    m.Music.Type = 0;
    std::unique_ptr<music::Tune> tune = ReadForPlay(ctx, path) ? OpenRead(ctx, *type) : nullptr;
    if (tune) {
      mix.Play(std::move(tune), !play);
      m.Music.Player = ctx.Music.NextModuleHandle++;
      if (ctx.Music.NextModuleHandle <= 0) ctx.Music.NextModuleHandle = 1;
      Line(m, music::LoadedLine(*type), kColorSuccess);
    }
  } else if (type == MusicType::FutureComposer) {
    m.Music.Type = 2;
    // Without playback the file is only read once playback is switched on.
    if (play) {
      std::unique_ptr<music::Tune> tune = ReadForPlay(ctx, path) ? OpenRead(ctx, *type) : nullptr;
      if (!tune) return;
      mix.Play(std::move(tune));
    }
    m.Music.Player = kLoadedPlayer;
    Line(m, music::LoadedLine(*type), kColorSuccess);
  } else if (type == MusicType::V2m) {
    // A V2M song always plays from its start, whatever "Play Music after loading" says.
    m.Music.Type = 3;
    std::unique_ptr<music::Tune> tune = ReadForPlay(ctx, path) ? OpenRead(ctx, *type) : nullptr;
    if (tune) {
      mix.Play(std::move(tune));
      m.Music.Player = kLoadedPlayer;
      Line(m, music::LoadedLine(*type), kColorSuccess);
    }
  }
}

void LoadSid(AppContext& ctx, const std::string& path, SidCaller caller) {
  IntroModel& m = ctx.Model;
  if (FilePart(path).empty()) return;
  StopMusic(ctx);
  int64_t size = TuneFileSize(path);
  if (caller == SidCaller::ProjectLoad && size < 0)
    Line(m, "Loading Error: Music file Not found.", kColorError);
  MusicSession& s = ctx.Music;
  if (size <= 0) return;
  std::string why = "SID data runs past the end of C64 memory";
  if (size <= static_cast<int64_t>(kSidReadLimit) && !ReadTuneFile(path, kSidReadLimit, s.SidData)) {
    Line(m, "Loading Error: Music file Not found.", kColorError);
    return;
  }
  if (size > static_cast<int64_t>(kSidReadLimit) || !music::ReadSidHeader(s.SidData, s.SidInfo, &why)) {
    Line(m, "Loading Error: Sid file can't be played (" + why + ").", kColorError);
    s.SidData.clear();
    return;
  }
  if (!StartSid(ctx, m.PlayAfterLoad == 1)) {
    s.SidData.clear();
    return;
  }
  Line(m, music::LoadedLine(MusicType::Sid), kColorSuccess);
  m.Music.Type = 1;
  m.Music.Player = kLoadedPlayer;
}

void RemoveMusic(AppContext& ctx) {
  ctx.Model.Music.File.clear();
  StopMusic(ctx);
  ctx.Model.Music.File.clear();
}

void SetPlayAfterLoad(AppContext& ctx, bool on) {
  IntroModel& m = ctx.Model;
  m.PlayAfterLoad = on ? 1 : 0;
  if (m.Music.Player == 0) return;
  music::Mixer& mix = ctx.Music.Out.Mix();
  switch (m.Music.Type) {
    case 0:
      on ? mix.Resume() : mix.Pause();
      break;
    case 1:
      if (on) StartSid(ctx, true);  // from the start song again
      else mix.Pause();
      break;
    case 2:
      if (on) LoadMusic(ctx, m.Music.File);  // now reads and plays the file
      else mix.Stop();
      break;
    case 3:
      if (on) {
        mix.SetPosition(0);
        mix.Resume();
      } else {
        mix.FadeOut(100);
      }
      break;
  }
}

void UpdateMusic(AppContext& ctx) {
  const IntroModel& m = ctx.Model;
  music::Mixer& mix = ctx.Music.Out.Mix();
  if (m.Music.Player == 0) return mix.Reclaim();
  music::KeepTunePlaying(mix, static_cast<MusicType>(m.Music.Type));
}

void LoadProjectMusic(AppContext& ctx) {
  const IntroModel& m = ctx.Model;
  int32_t type = m.Music.Type;
  if ((type == 0 || type == 2 || type == 3) && TuneFileSize(m.Music.File) >= 0) LoadMusic(ctx, m.Music.File);
}

void ReloadSidTune(AppContext& ctx, bool reportMissing) {
  IntroModel& m = ctx.Model;
  if (m.Music.File.empty() || m.Music.Type != 1) return;
  if (!reportMissing && TuneFileSize(m.Music.File) < 0) {
    StopMusic(ctx);
    return;
  }
  LoadSid(ctx, m.Music.File, SidCaller::ProjectLoad);
}

void SyncMusicOutput(AppContext& ctx) {
  if (ctx.Model.Music.Player != 0) return;
  music::Mixer& mix = ctx.Music.Out.Mix();
  if (mix.HasTune()) mix.Stop();
  ctx.Music.SidData.clear();
  mix.Reclaim();
}

std::string MusicPanelName(const IntroModel& m) { return music::PanelName(m.Music.Player, m.Music.Type); }

void CommandLoadMusic(AppContext& ctx) {
  IntroModel& m = ctx.Model;
  const MusicFields before = m.Music;
  std::string path = OpenMusicDialog(ctx);
  m.Music.File = path;
  std::string ext = music::LowerExtension(path);
  // The menu's own list: fc3 and fc13 are read from projects only.
  static const char* const kToLoader[] = {"xm", "it", "mod", "s3m", "ams", "amf", "mdl", "fc", "fc4", "fc14", "v2m"};
  if (std::find(std::begin(kToLoader), std::end(kToLoader), ext) != std::end(kToLoader)) LoadMusic(ctx, path);
  else if (ext == "sid") LoadSid(ctx, path, SidCaller::MusicCommand);
  // The tune's file and kind are part of the intro; what plays is not.
  if (m.Music.File != before.File || m.Music.Type != before.Type) MarkChanged(m);
}

void CommandRemoveMusic(AppContext& ctx) { RemoveMusic(ctx); }

void AddMusicCommands(CommandTable& t) {
  t[menu::kMusicLoad] = CommandLoadMusic;
  t[menu::kMusicRemove] = CommandRemoveMusic;
}

}  // namespace quellor
