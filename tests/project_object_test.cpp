// The 3D object groups of a project file, read through the real loaders.
#include <gtest/gtest.h>

#include <algorithm>

#include "mesh_samples.h"
#include "project/ProjectFile.h"
#include "project_test_support.h"

using namespace quellor;
using namespace quellor::testsupport;

namespace {
bool HasLine(const IntroModel& m, const std::string& text) {
  return std::any_of(m.Log.Lines.begin(), m.Log.Lines.end(), [&](const StatusLine& l) { return l.Text == text; });
}
}  // namespace

TEST(ProjectObject, GeneratedObjectTakesItsStoredSizeTextureShadowAndPlace) {
  ScratchDir dir;
  WritePng(dir.Path / "Data/Textures/skin.png", 8, 8);
  RecordingEngine e;
  ASSERT_TRUE(e.Open(800, 600));
  IntroModel m = FreshModel(dir.Base());
  m.Obj3d.Type = 4;  // torus
  m.Obj3d.SizX = 3, m.Obj3d.SizY = 2, m.Obj3d.SizZ = 1;
  m.Obj3d.PosX = 1, m.Obj3d.PosY = 2, m.Obj3d.PosZ = 15;
  m.Obj3d.Shadow = 1;
  m.Tex3d.Type = 1;
  m.Tex3d.File = dir.Base() + "Data/Textures/skin.png";
  const std::string file = (dir.Path / "torus.ini").string();
  ASSERT_TRUE(SaveProject(m, e, file));

  IntroModel back = FreshModel(dir.Base());
  ASSERT_TRUE(LoadProject(back, e, file).Read);
  ASSERT_NE(back.Obj3d.Entity, 0u);
  EXPECT_TRUE(HasLine(back, "3d Object succesfully generated."));
  float w, h, d;
  e.EntitySize(back.Obj3d.Entity, &w, &h, &d);
  EXPECT_NEAR(w, 3, 1e-4);
  EXPECT_NEAR(h, 2, 1e-4);
  EXPECT_NEAR(d, 1, 1e-4);
  const EntityData* ent = e.Entity(back.Obj3d.Entity);
  ASSERT_NE(back.Tex3d.Texture, 0u);
  EXPECT_EQ(ent->Texture, back.Tex3d.Texture);
  EXPECT_TRUE(ent->Shadow);
  EXPECT_FLOAT_EQ(ent->Position[2], 15);
  // Written again from the live object, the file is the same.
  const std::string again = (dir.Path / "again.ini").string();
  ASSERT_TRUE(SaveProject(back, e, again));
  EXPECT_EQ(ReadText(again), ReadText(file));
}

TEST(ProjectObject, AnimatedObjectIsFoundInTheObjectsFolder) {
  ScratchDir dir;
  WriteText(dir.Path / "Data/Objects/arm.x", meshsamples::AnimatedX());
  RecordingEngine e;
  ASSERT_TRUE(e.Open(800, 600));
  IntroModel m = FreshModel(dir.Base());
  m.Obj3d.Type = 10;
  m.Obj3d.File = "C:\\elsewhere\\arm.x";  // only the file part counts when the folder has it
  const std::string file = (dir.Path / "anim.ini").string();
  ASSERT_TRUE(SaveProject(m, e, file));

  IntroModel back = FreshModel(dir.Base());
  ASSERT_TRUE(LoadProject(back, e, file).Read);
  ASSERT_NE(back.Obj3d.Entity, 0u);
  EXPECT_EQ(back.Obj3d.Type, 10);
  EXPECT_EQ(back.Obj3d.AnimSets, e.EntityAnimationSets(back.Obj3d.Entity));
  EXPECT_EQ(back.Obj3d.AnimSets, 2);
  EXPECT_TRUE(HasLine(back, "2 Animation sets detected"));
  EXPECT_FALSE(HasLine(back, "Loading Error: 3d Object file Not found."));
}
