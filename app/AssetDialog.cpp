#include "app/AssetDialog.h"

#include "project/PathResolve.h"

namespace quellor {

namespace filters {
const char* const kImages =
    "All possible |*.png;*.bmp;*.jpg|"
    "Portable Network Graphics (*.png)|*.png|Bitmap (*.bmp)|*.bmp|"
    "Joint Photographic Experts Group (*.jpg)|*.jpg";
const char* const kTextures =
    "All possible |*.png;*.bmp;*.jpg;*.dds|"
    "Portable Network Graphics (*.png)|*.png|Bitmap (*.bmp)|*.bmp|"
    "Joint Photographic Experts Group (*.jpg)|*.jpg|Direct Draw Surface (*.dds)|*.dds";
const char* const kObjects =
    "All possible |*.3ds;*.x;*.b3d|"
    "3d Studio (*.3ds)|*.3ds|DirectX (*.x)|*.x|Blender 3d (*.b3d)|*.b3d";
const char* const kAnimObjects = "All possible |*.x|DirectX (*.x)|*.x";
const char* const kShaders = "Shader (*.fx)|*.fx;";
const char* const kMusic =
    "All possible |*.mod;*.xm;*.it;*.sid;*.fc;*.fc4;*.fc14;*.v2m;*.amf;*.s3m;*.mdl;*.ams|"
    "FastTracker (*.xm)|*.xm|Impulse Tracker (*.it)|*.it|Protracker (*.mod)|*.mod|"
    "Scream Tracker (*.s3m)|*.s3m|Digitrakker (*.mdl)|*.mdl|Extreme Tracker (*.ams)|*.ams|"
    "Asylum (*.amf)|*.amf|C64 Sid Sound (*.sid)|*.sid|Future Composer (*.fc)|*.fc;*.fc4;*.fc14|"
    "Farbrausch v2m (*.v2m)|*.v2m";
const char* const kProjects = "Quellor Data (*.ini)|*.ini";
const char* const kExecutables = "Executables (*.exe)|*.exe";
}  // namespace filters

const char* const kAllFilesFilter = "|all Files (*.*)|*.*";

std::string AssetFolder(const IntroModel& m, const std::string& relative) {
  return ResolvePath(JoinPath(m.BaseDir, relative));
}

std::string OpenAssetDialog(Host& host, const std::string& title, const std::string& folder,
                            const std::string& filter, int& filterIndex) {
  return host.OpenFileDialog(title, folder, filter + kAllFilesFilter, &filterIndex);
}

std::string OpenAssetDialog(Host& host, const std::string& title, const std::string& folder,
                            const std::string& filter) {
  int index = 0;
  return OpenAssetDialog(host, title, folder, filter, index);
}

std::string OpenMusicDialog(AppContext& ctx) {
  return OpenAssetDialog(ctx.Win, "Bitte ein Musikstück wählen", AssetFolder(ctx.Model, "Data/Music/"),
                         filters::kMusic, ctx.MusicFilterIndex);
}

}  // namespace quellor

namespace quellor {

namespace {
std::string WithoutTrailingSeparator(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
  return folder;
}
}  // namespace

DialogStart SplitDialogStart(const std::string& start) {
  if (start.empty()) return {};
  const char last = start.back();
  std::string resolved = ResolvePath(start);
  if (last == '/' || last == '\\' || PathIsDirectory(resolved))
    return {WithoutTrailingSeparator(resolved), {}};
  size_t cut = start.find_last_of("/\\");
  if (cut == std::string::npos) return {{}, start};
  return {WithoutTrailingSeparator(ResolvePath(start.substr(0, cut + 1))), start.substr(cut + 1)};
}

}  // namespace quellor
