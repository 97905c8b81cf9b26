// The 3D object from a file, static or with its animation sets.
#include <algorithm>

#include "engine/EngineErrors.h"
#include "project/Colors.h"
#include "project/Loaders.h"
#include "project/Object3d.h"
#include "project/PathResolve.h"
#include "project/StatusLog.h"
#include "project/loaders/LoaderCommon.h"

namespace quellor {

namespace {

constexpr uint64_t kObjectLimit = 524288;
// Material given with a texture on loading: diffuse, ambient, specular (a, r, g, b).
constexpr float kLoadDiffuse[4] = {255, 225, 225, 225};
constexpr float kLoadShine[4] = {255, 128, 255, 128};
constexpr float kLoadPower = 40.0f;

// Models are shrunk by a divisor chosen from their largest dimension, so files made at
// any scale end up a few units across in front of the camera.
float SizeDivisor(float largest) {
  if (largest > 1000) return 200;
  if (largest > 100) return 50;
  return 10;
}

// As every loader reports a file the engine cannot read (the error text and the file
// part), with the model reader's reason after it.
void LogRefusal(IntroModel& m, Engine& e, const std::string& path) {
  const std::string prefix = EngineErrorMessage(EngineError::ObjectLoad);
  std::string reason = e.ErrorText();
  reason = reason.rfind(prefix, 0) == 0 ? reason.substr(prefix.size()) : std::string();
  if (reason.rfind(": ", 0) == 0) reason = reason.substr(2);
  std::string line = prefix + ": " + FilePart(path);
  if (!reason.empty()) line += " (" + reason + ")";
  AddStatusLine(m, line, kMessageMs, kColorError);
}

bool LoadObjectFile(IntroModel& m, Engine& e, const std::string& path, bool animated) {
  if (path.empty()) return false;
  if (!loaders::FitsLimit(m, path, kObjectLimit, "Sorry, 3d Object filesize is to big.")) return false;
  // A missing file fails silently (the project reader reports it); anything else that
  // cannot be decoded is refused aloud. Either way the old object stays. A file the
  // engine holds in memory (an exported intro's own object) is present too.
  if (!e.IsMounted(path) && (!PathExists(path) || !PathIsSafeToRead(path))) return false;
  const Handle fresh = e.LoadEntity(path, animated);
  if (fresh == 0) {
    LogRefusal(m, e, path);
    return false;
  }
  ReleaseObject(m, e);
  Obj3dFields& o = m.Obj3d;
  o.Entity = fresh;
  float w = 0, h = 0, d = 0;
  e.EntitySize(fresh, &w, &h, &d);
  const float div = SizeDivisor(std::max({w, h, d}));
  e.ScaleEntity(fresh, w / div, h / div, d / div);
  const Handle tex = ObjectTexture(m);
  if (tex != 0) {
    e.EntityTexture(fresh, tex);
    e.EntityMaterial(fresh, kLoadDiffuse, kLoadShine, kLoadShine, kLoadPower);
  }
  if (o.Shadow != 0) e.EntityShadow(fresh, true);
  e.PositionEntity(fresh, o.PosX, o.PosY, o.PosZ);
  o.WorkPos = {o.PosX, o.PosY, o.PosZ};
  o.File = path;
  o.Type = animated ? 10 : 0;
  MarkChanged(m);
  return true;
}

}  // namespace

void LoadObject3d(IntroModel& m, Engine& e, const std::string& path) {
  if (LoadObjectFile(m, e, path, false)) loaders::LogLoaded(m, "3d Object succesfully loaded.");
}

void LoadAnimObject3d(IntroModel& m, Engine& e, const std::string& path) {
  if (!LoadObjectFile(m, e, path, true)) return;
  m.Obj3d.AnimSets = e.EntityAnimationSets(m.Obj3d.Entity);
  loaders::LogLoaded(m, "3d Anim Object succesfully loaded.");
  loaders::LogLoaded(m, std::to_string(m.Obj3d.AnimSets) + " Animation sets detected");
}

}  // namespace quellor
