#include "app/AssetDialog.h"
#include "app/MenuIds.h"
#include "app/commands/CommandTable.h"
#include "project/Loaders.h"
#include "project/loaders/LoaderCommon.h"

namespace quellor {

void AddEffectCommands(CommandTable& t) {
  t[menu::kPostFxLoad] = [](AppContext& ctx) {
    const std::string path = OpenAssetDialog(ctx.Win, "Bitte einen Shader wählen",
                                             AssetFolder(ctx.Model, "Data/Shader/PostFX/"), filters::kShaders);
    LoadPostFxShader(ctx.Model, ctx.Eng, path);
  };
  t[menu::kPostFxRemove] = [](AppContext& ctx) {
    PostFxFields& p = ctx.Model.PostFX;
    loaders::ReleaseEffect(ctx.Eng, p.Effect);
    // The grabbed screen stays: the raster pass draws through it too.
    p.Target = p.Target2 = 0;
  };
}

}  // namespace quellor
