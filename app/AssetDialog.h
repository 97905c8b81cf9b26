#pragma once
// The open-file dialog of the asset Load commands: its filter sets and asset folders.
#include <string>

#include "app/AppContext.h"

namespace quellor {

namespace filters {
extern const char* const kImages;
extern const char* const kTextures;
extern const char* const kObjects;
extern const char* const kAnimObjects;
extern const char* const kShaders;
extern const char* const kMusic;
extern const char* const kProjects;
extern const char* const kExecutables;
}  // namespace filters

// Appended to every asset dialog's filter.
extern const char* const kAllFilesFilter;

// BaseDir + a relative asset folder such as "Data/Logo/", matched against the disk's case.
std::string AssetFolder(const IntroModel& m, const std::string& relative);

// Opens the asset file dialog on filter position `filterIndex` and leaves the position the
// user picked there. Returns the chosen path, or "" when cancelled.
std::string OpenAssetDialog(Host& host, const std::string& title, const std::string& folder,
                            const std::string& filter, int& filterIndex);
// The same, opened on the first filter.
std::string OpenAssetDialog(Host& host, const std::string& title, const std::string& folder,
                            const std::string& filter);

// Where a file dialog opens: the folder, and the file name it offers (empty for none).
// `start` names a folder when it ends in a separator or is an existing folder; otherwise
// its last part is the file name. The folder is matched against the disk's case.
struct DialogStart {
  std::string Folder;
  std::string File;
};
DialogStart SplitDialogStart(const std::string& start);

// The music requester: opens on the filter picked last time and remembers the new pick.
std::string OpenMusicDialog(AppContext& ctx);

}  // namespace quellor
