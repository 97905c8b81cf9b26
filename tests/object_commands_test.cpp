// Effects > 3d Layer commands: their dialogs, the generated objects with the object
// settings re-applied, and the removals.
#include <gtest/gtest.h>

#include "app/AssetDialog.h"
#include "app/Dispatch.h"
#include "app/MenuIds.h"
#include "tests/CommandsTestSupport.h"

using namespace quellor;
using namespace quellor::test;

namespace {

class ObjectCommands : public CommandsTest {
 protected:
  Handle Texture() { return e.TextureFromImage(Image{2, 2, std::vector<uint8_t>(16, 255)}); }
};

}  // namespace

TEST_F(ObjectCommands, LoadItemsOpenTheirDialogs) {
  struct Case {
    int Item;
    const char* Title;
    const char* Folder;
    const char* Filter;
  } cases[] = {
      {menu::kObjLoad, "Choose a 3d Object", "/base/Data/Objects/", filters::kObjects},
      {menu::kObjLoadAnim, "Choose a 3d Anim Object", "/base/Data/Objects/", filters::kAnimObjects},
      {menu::kObjTexLoad, "Choose a texture", "/base/Data/Textures/", filters::kTextures},
      {menu::kObjTexShader, "Choose a texture shader", "/base/Data/Shader/Texture/", filters::kShaders},
      {menu::kObjShaderLoad, "Choose a Shader", "/base/Data/Shader/Vertex/", filters::kShaders},
      {menu::kObjShaderTexLoad1, "Choose a Shader texture", "/base/Data/Textures/", filters::kTextures},
      {menu::kObjShaderTexLoad1 + 2, "Choose a Shader texture 2", "/base/Data/Textures/", filters::kTextures},
      {menu::kObjShaderTexLoad1 + 6, "Choose a Shader texture 4", "/base/Data/Textures/", filters::kTextures},
  };
  EXPECT_STREQ(filters::kAnimObjects, "All possible |*.x|DirectX (*.x)|*.x");
  m.Tex3d.Texture = Texture();
  m.VertexShader.TexFile[2] = "/old.png";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Title);
    DispatchMenu(ctx, c.Item);
    ASSERT_FALSE(host.Dialogs.empty());
    EXPECT_EQ(host.Dialogs.back().Title, c.Title);
    EXPECT_EQ(host.Dialogs.back().Folder, c.Folder);
    EXPECT_EQ(host.Dialogs.back().Filter, std::string(c.Filter) + kAllFilesFilter);
  }
  // Cancelled: the object texture stays; shader texture 3 takes the empty path.
  EXPECT_NE(m.Tex3d.Texture, 0u);
  EXPECT_EQ(m.VertexShader.TexFile[2], "");
  EXPECT_EQ(m.Obj3d.Entity, 0u);
}

TEST_F(ObjectCommands, CreateObjectMakesThePrimitiveAndReappliesTheSettings) {
  m.Tex3d.Texture = Texture();
  m.VertexShader.Effect = 4242;
  m.Obj3d.PosX = 2, m.Obj3d.PosY = -1, m.Obj3d.PosZ = 12;
  m.Obj3d.Shadow = 1;
  m.Obj3d.File = "/old.x";
  for (int type = 1; type <= 6; ++type) {
    SCOPED_TRACE(type);
    const Handle before = m.Obj3d.Entity;
    e.Clear();
    DispatchMenu(ctx, menu::kObjCreateCube + type - 1);
    ASSERT_NE(m.Obj3d.Entity, 0u);
    EXPECT_NE(m.Obj3d.Entity, before);
    if (before) {
      EXPECT_EQ(e.FreedEntities.back(), before);
    }
    EXPECT_EQ(m.Obj3d.Type, type);
    EXPECT_EQ(m.Obj3d.File, "");
    const EntityData* ent = e.Entity(m.Obj3d.Entity);
    ASSERT_NE(ent, nullptr);
    EXPECT_EQ(ent->Texture, m.Tex3d.Texture);
    EXPECT_EQ(ent->Effect, m.VertexShader.Effect);
    EXPECT_TRUE(ent->Shadow);
    EXPECT_FLOAT_EQ(ent->Material.Diffuse[0], 1.0f);  // white: the texture in its own colours
    EXPECT_FLOAT_EQ(e.Pos[2], 12.0f);
    ASSERT_FALSE(e.Params.empty());
    EXPECT_EQ(e.Params.back().Technique, "Technique0");
  }
}

TEST_F(ObjectCommands, RemovalsClearTheirSlots) {
  DispatchMenu(ctx, menu::kObjCreateCube + 4);
  const Handle pot = m.Obj3d.Entity;
  m.Tex3d.Texture = Texture();
  m.Tex3d.File = "/t.png";
  m.TexShader.Texture = Texture();
  m.TexShader.State = 1;
  m.VertexShader.Effect = 4242;
  for (Handle& t : m.VertexShader.Texture) t = Texture();
  m.VertexShader.TexFile = {"/a.png", "/b.png", "/c.png"};
  e.EntityTexture(pot, m.TexShader.Texture);
  e.EntityEffect(pot, m.VertexShader.Effect);

  DispatchMenu(ctx, menu::kObjShaderRemove);
  EXPECT_EQ(m.VertexShader.Effect, 0u);
  EXPECT_EQ(e.Entity(pot)->Effect, 0u);

  DispatchMenu(ctx, menu::kObjShaderTexRemove1 + 2);  // Remove Texture #2: shader texture 1
  EXPECT_EQ(m.VertexShader.Texture[0], 0u);
  EXPECT_EQ(m.VertexShader.TexFile[0], "");
  EXPECT_NE(m.VertexShader.Texture[1], 0u);

  DispatchMenu(ctx, menu::kObjShaderTexRemove1);  // Remove Texture #1: the object texture
  EXPECT_EQ(m.Tex3d.Texture, 0u);
  EXPECT_EQ(m.Tex3d.File, "");
  EXPECT_EQ(m.TexShader.State, -1);

  DispatchMenu(ctx, menu::kObjTexRemove);
  EXPECT_EQ(m.TexShader.Texture, 0u);
  EXPECT_EQ(e.Entity(pot)->Texture, 0u);

  DispatchMenu(ctx, menu::kObjRemove);
  EXPECT_EQ(m.Obj3d.Entity, 0u);
  EXPECT_EQ(m.Obj3d.Type, 0);
  EXPECT_EQ(e.FreedEntities.back(), pot);
}
