#include "app/MenuIds.h"
#include "app/PlacementModes.h"
#include "app/commands/CommandTable.h"

namespace quellor {

void AddObjectCommands(CommandTable& t) {
  t[menu::kObjPosition] = [](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    if (!m.Obj3d.Entity) return;
    m.ModeAnchorX = m.ScreenX / 2;
    m.ModeAnchorY = m.ScreenY / 2;
    m.EditMode = mode::kObjectMove;
  };
  t[menu::kObjResize] = [](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    if (!m.Obj3d.Entity) return;
    float w = 0, h = 0, d = 0;
    ctx.Eng.EntitySize(m.Obj3d.Entity, &w, &h, &d);
    // A mouse 100 pixels from the anchor gives back the size the object has now.
    m.ModeStartSize = {w / 100.0f, h / 100.0f, d / 100.0f};
    m.ModeAnchorX = m.ScreenX / 2;
    m.EditMode = mode::kObjectSize;
  };
  t[menu::kObjRemove] = [](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    ctx.Eng.FreeEntity(m.Obj3d.Entity);
    m.Obj3d.Type = 0;
    m.Obj3d.Entity = 0;
  };
}

}  // namespace quellor
