#include "project/Loaders.h"

namespace quellor {

bool LoadAssetByKind(IntroModel& m, Engine& e, const std::string& kind, const std::string& path) {
  auto numbered = [&](const char* prefix, int lo, int hi, int* n) {
    const std::string p(prefix);
    if (kind.size() != p.size() + 1 || kind.compare(0, p.size(), p) != 0) return false;
    int d = kind.back() - '0';
    if (d < lo || d > hi) return false;
    *n = d;
    return true;
  };
  int n = 0;
  if (kind == "logo") LoadLogo(m, e, path);
  else if (kind == "sign") LoadSign(m, e, path);
  else if (numbered("gfx", 1, 5, &n)) LoadGfx(m, e, path, n);
  else if (kind == "overlay") LoadOverlay(m, e, path);
  else if (kind == "background") LoadBackground(m, e, path);
  else if (kind == "border") LoadBorder(m, e, path);
  else if (kind == "trainerbar") LoadTrainerBar(m, e, path);
  else if (kind == "anim") LoadAnimation(m, e, path, 0);
  else if (kind == "bobanim") LoadAnimation(m, e, path, 1);
  else if (numbered("font", 1, 2, &n)) LoadFont(m, e, path, n);
  else if (numbered("tex", 0, 3, &n)) LoadTexture(m, e, path, n);
  else if (numbered("raster", 1, 3, &n)) LoadRasterTexture(m, e, path, n, m.Raster.txt[n]);
  else if (kind == "object") LoadObject3d(m, e, path);
  else if (kind == "animobject") LoadAnimObject3d(m, e, path);
  else return false;
  return true;
}

}  // namespace quellor
