// Effects > 3d Layer: the object, its texture, its vertex/pixel shader and the shader's
// textures, placing and removing.
#include "app/AssetDialog.h"
#include "app/MenuIds.h"
#include "app/PlacementModes.h"
#include "app/commands/CommandTable.h"
#include "project/Loaders.h"
#include "project/Object3d.h"

namespace quellor {
namespace {

std::string Pick(AppContext& ctx, const std::string& title, const char* folder, const char* filter) {
  return OpenAssetDialog(ctx.Win, title, AssetFolder(ctx.Model, folder), filter);
}

void Free(Engine& e, Handle& tex) {
  if (tex != 0) e.FreeTexture(tex);
  tex = 0;
}

// The object texture's slot, shared by Object Texture > Load Texture and Load Texture #1.
// The loader lets the old texture go only once the new one has been read.
void LoadObjectTexture(AppContext& ctx, const std::string& title) {
  const std::string path = Pick(ctx, title, "Data/Textures/", filters::kTextures);
  if (!path.empty()) LoadTexture(ctx.Model, ctx.Eng, path, 0);
}

void AddObjectLoads(CommandTable& t) {
  t[menu::kObjLoad] = [](AppContext& ctx) {
    LoadObject3d(ctx.Model, ctx.Eng, Pick(ctx, "Choose a 3d Object", "Data/Objects/", filters::kObjects));
    ApplyObjectSetup(ctx.Model, ctx.Eng);
  };
  t[menu::kObjLoadAnim] = [](AppContext& ctx) {
    LoadAnimObject3d(ctx.Model, ctx.Eng,
                     Pick(ctx, "Choose a 3d Anim Object", "Data/Objects/", filters::kAnimObjects));
    ApplyObjectSetup(ctx.Model, ctx.Eng);
  };
  for (int type = 1; type <= 6; ++type)
    t[menu::kObjCreateCube + type - 1] = [type](AppContext& ctx) {
      CreateObjectPrimitive(ctx.Model, ctx.Eng, type);
      ApplyObjectSetup(ctx.Model, ctx.Eng);
    };
}

void AddObjectTexture(CommandTable& t) {
  t[menu::kObjTexLoad] = [](AppContext& ctx) { LoadObjectTexture(ctx, "Choose a texture"); };
  t[menu::kObjTexShader] = [](AppContext& ctx) {
    LoadTextureShader(ctx.Model, ctx.Eng,
                      Pick(ctx, "Choose a texture shader", "Data/Shader/Texture/", filters::kShaders));
  };
  t[menu::kObjTexRemove] = [](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    Free(ctx.Eng, m.Tex3d.Texture);
    if (m.TexShader.Effect != 0) ctx.Eng.FreeEffect(m.TexShader.Effect);
    m.TexShader.Effect = 0;
    Free(ctx.Eng, m.TexShader.Texture);
    m.TexShader.State = -1;
    ApplyObjectSetup(m, ctx.Eng);
  };
}

void AddShader(CommandTable& t) {
  t[menu::kObjShaderLoad] = [](AppContext& ctx) {
    LoadVertexShader(ctx.Model, ctx.Eng, Pick(ctx, "Choose a Shader", "Data/Shader/Vertex/", filters::kShaders));
  };
  t[menu::kObjShaderRemove] = [](AppContext& ctx) {
    VertexShaderFields& s = ctx.Model.VertexShader;
    if (ctx.Model.Obj3d.Entity != 0) ctx.Eng.EntityEffect(ctx.Model.Obj3d.Entity, 0);
    if (s.Effect != 0) ctx.Eng.FreeEffect(s.Effect);
    s.Effect = 0;
  };
  // Texture #1 is the object texture itself; #2 to #4 are the shader's textures 1 to 3.
  t[menu::kObjShaderTexLoad1] = [](AppContext& ctx) { LoadObjectTexture(ctx, "Choose a Shader texture"); };
  t[menu::kObjShaderTexRemove1] = [](AppContext& ctx) {
    IntroModel& m = ctx.Model;
    if (m.Tex3d.Texture == 0) return;
    Free(ctx.Eng, m.Tex3d.Texture);
    m.Tex3d.File.clear();
    m.TexShader.State = -1;
  };
  for (int n = 2; n <= 4; ++n) {
    const int slot = n - 1;  // vertex-shader texture 1..3
    t[menu::kObjShaderTexLoad1 + 2 * (n - 1)] = [n, slot](AppContext& ctx) {
      VertexShaderFields& s = ctx.Model.VertexShader;
      const std::string path =
          Pick(ctx, "Choose a Shader texture " + std::to_string(n), "Data/Textures/", filters::kTextures);
      s.TexFile[slot - 1] = path;
      if (!path.empty()) LoadTexture(ctx.Model, ctx.Eng, path, slot);
    };
    t[menu::kObjShaderTexRemove1 + 2 * (n - 1)] = [slot](AppContext& ctx) {
      VertexShaderFields& s = ctx.Model.VertexShader;
      if (s.Texture[slot - 1] == 0) return;
      Free(ctx.Eng, s.Texture[slot - 1]);
      s.TexFile[slot - 1].clear();
    };
  }
}

void AddPlacing(CommandTable& t) {
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
    ReleaseObject(ctx.Model, ctx.Eng);
    ctx.Model.Obj3d.Type = 0;
  };
}

}  // namespace

void AddObjectCommands(CommandTable& t) {
  AddObjectLoads(t);
  AddObjectTexture(t);
  AddShader(t);
  AddPlacing(t);
}

}  // namespace quellor
