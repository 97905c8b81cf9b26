#include "music/MusicFormats.h"

#include <cctype>

namespace quellor::music {

namespace {
struct ExtensionRow {
  const char* Ext;
  MusicType Type;
};

constexpr ExtensionRow kExtensions[] = {
    {"xm", MusicType::Tracker},         {"it", MusicType::Tracker},
    {"mod", MusicType::Tracker},        {"s3m", MusicType::Tracker},
    {"ams", MusicType::Tracker},        {"amf", MusicType::Tracker},
    {"mdl", MusicType::Tracker},        {"sid", MusicType::Sid},
    {"fc", MusicType::FutureComposer},  {"fc3", MusicType::FutureComposer},
    {"fc4", MusicType::FutureComposer}, {"fc13", MusicType::FutureComposer},
    {"fc14", MusicType::FutureComposer}, {"v2m", MusicType::V2m},
};

struct ReplayerRow {
  const char* Name;
  const char* Loaded;
};

// Indexed by MusicType.
constexpr ReplayerRow kReplayers[] = {
    {"ModPlug", "Tracker Module succesfully loaded."},
    {"Tiny Sid", "Sid Module succesfully loaded."},
    {"TinyFC4 Replayer", "Future Composer Module succesfully loaded."},
    {"Farbrausch v2m", "V2m Module succesfully loaded."},
};
constexpr int kReplayerCount = sizeof(kReplayers) / sizeof(kReplayers[0]);
}  // namespace

std::string LowerExtension(std::string_view path) {
  size_t slash = path.find_last_of("/\\");
  std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
  size_t dot = file.rfind('.');
  if (dot == std::string_view::npos) return {};
  std::string ext(file.substr(dot + 1));
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

std::optional<MusicType> TypeForExtension(std::string_view lowerExt) {
  for (const ExtensionRow& r : kExtensions)
    if (lowerExt == r.Ext) return r.Type;
  return std::nullopt;
}

const char* ReplayerName(int32_t type) {
  return type >= 0 && type < kReplayerCount ? kReplayers[type].Name : "";
}

const char* LoadedLine(MusicType type) {
  int t = static_cast<int>(type);
  return t >= 0 && t < kReplayerCount ? kReplayers[t].Loaded : "";
}

std::string PanelName(int32_t player, int32_t type) {
  if (player == 0) return "No music loaded";
  return ReplayerName(type);
}

}  // namespace quellor::music
