#include "app/AssetDialog.h"
#include "app/MenuIds.h"
#include "app/PlacementModes.h"
#include "app/commands/CommandTable.h"
#include "project/Loaders.h"

namespace quellor {
namespace {

AnimFields& AnimOf(IntroModel& m, int n) { return n == 1 ? m.Anim_2d : m.Anim_BOB; }

void ResetAnim(AnimFields& a) {
  a.Sprite = 0;
  a.Trans = 255;
  a.Layer = 0;
  a.SRC = 5;
  a.Dest = 6;
  a.SizeX = 100;
  a.SizeY = 100;
}

}  // namespace

void AddAnimCommands(CommandTable& t) {
  for (int n = 1; n <= 2; ++n) {
    // Anim 1 is the start-up animation (modes 14..16), Anim 2 the bob animation (17..19).
    const int firstMode = n == 1 ? mode::kAnimMove : mode::kBobMove;
    t[menu::AnimItem(n, menu::kAnimLoad)] = [n](AppContext& ctx) {
      std::string path = OpenAssetDialog(ctx.Win, "Choose a Anim", AssetFolder(ctx.Model, "Data/Anim/"),
                                         filters::kImages);
      LoadAnimation(ctx.Model, ctx.Eng, path, n - 1);
    };
    const int actions[] = {menu::kAnimPosition, menu::kAnimSize, menu::kAnimRotate};
    for (int k = 0; k < 3; ++k) {
      t[menu::AnimItem(n, actions[k])] = [n, modeNumber = firstMode + k](AppContext& ctx) {
        AnimFields& a = AnimOf(ctx.Model, n);
        if (!a.Sprite) return;
        SetAnimAnchor(ctx.Model, a);
        ctx.Model.EditMode = modeNumber;
      };
    }
    t[menu::AnimItem(n, menu::kAnimRemove)] = [n](AppContext& ctx) {
      AnimFields& a = AnimOf(ctx.Model, n);
      ctx.Eng.FreeSprite(a.Sprite);
      ResetAnim(a);
    };
  }
}

}  // namespace quellor
