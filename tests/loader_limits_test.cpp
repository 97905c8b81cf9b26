#include <fstream>
#include <functional>

#include "frame_fixtures.h"
#include "project/Loaders.h"

using namespace quellor;
using namespace quellor::testing;

namespace {

struct LimitCase {
  const char* kind;
  uintmax_t limit;
  const char* refusal;
  const char* success;
  // What identifies the loaded asset: its handle and path.
  std::function<std::string(const IntroModel&)> state;
};

std::string Tag(Handle h, const std::string& path) { return std::to_string(h) + "|" + path; }

const LimitCase kCases[] = {
    {"logo", 262144, "Sorry, Logo filesize is to big.", "Logo succesfully loaded.",
     [](const IntroModel& m) { return Tag(m.Logo.Sprite, m.Logo.File); }},
    {"sign", 10240, "Sorry, Sign filesize to big.", "Sign succesfully loaded.",
     [](const IntroModel& m) { return Tag(m.Sign.Sprite, m.Sign.File); }},
    {"gfx4", 262144, "Sorry, GFX#4 filesize is To big.", "GFX#4 succesfully loaded.",
     [](const IntroModel& m) { return Tag(m.GFX.Sprite[4], ""); }},
    {"overlay", 262144, "Sorry, Overlay filesize is to big.", "Overlay succesfully loaded.",
     [](const IntroModel& m) { return Tag(0, m.Over); }},
    {"background", 262144, "Sorry, Background filesize is to big.",
     "Background succesfully loaded.",
     [](const IntroModel& m) { return Tag(m.Background.Sprite, m.Background.File); }},
    {"border", 262144, "Sorry, Border filesize is to big.", "Border succesfully loaded.",
     [](const IntroModel& m) { return Tag(m.Border.Sprite[2], m.Border.File); }},
    {"trainerbar", 102400, "Sorry, TrainerBar filesize is to big.",
     "TrainerBar succesfully loaded.",
     [](const IntroModel& m) { return Tag(m.TrainerBar.Sprite, m.TrainerBar.File); }},
    {"anim", 524288, "Sorry, Animation filesize is to big.",
     "StartUp Animation succesfully loaded.",
     [](const IntroModel& m) { return Tag(m.Anim_2d.Sprite, m.Anim_2d.File); }},
    {"bobanim", 524288, "Sorry, Animation filesize is to big.", "Bob Animation succesfully loaded.",
     [](const IntroModel& m) { return Tag(m.Anim_BOB.Sprite, m.Anim_BOB.File); }},
    {"font2", 262144, "Sorry, Font filesize is to big.", "Font 2 succesfully loaded.",
     [](const IntroModel& m) { return Tag(m.Font2.Chars[0].Sprite, m.Font2.File); }},
    {"tex0", 262144, "Sorry, Texture filesize is to big.", "3d Texture succesfully loaded.",
     [](const IntroModel& m) { return Tag(m.Tex3d.Texture, m.Tex3d.File); }},
    {"tex3", 262144, "Sorry, Texture filesize is to big.", "Texture #3 succesfully loaded.",
     [](const IntroModel& m) {
       return Tag(m.VertexShader.Texture[2], m.VertexShader.TexFile[2]);
     }},
    {"raster2", 1024, "Sorry, Raster Texture filesize is to big.",
     "Raster Texture #2 succesfully loaded.",
     [](const IntroModel& m) { return Tag(m.Raster.Texture[2], m.Raster.Path[2]); }},
};

class LoaderLimit : public ModelFixture, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(LoaderLimit, ExactLimitLoadsOneByteMoreIsRefusedAndKeepsThePreviousAsset) {
  const LimitCase& c = GetParam();
  const std::string first = Png("first.png", 12, 10);
  ASSERT_TRUE(LoadAssetByKind(m, e, c.kind, first));
  // The loader's own line comes first; follow-up work (the trainer text) may add more.
  ASSERT_FALSE(m.Log.Lines.empty());
  EXPECT_EQ(m.Log.Lines[0].Text, c.success);
  EXPECT_EQ(m.Log.Lines[0].Colour, 0xC800FF00u);
  const std::string loaded = c.state(m);

  const std::string exact = Png("exact.png", 14, 10, c.limit);
  ASSERT_EQ(std::filesystem::file_size(exact), c.limit);
  m.Log.Lines.clear();
  LoadAssetByKind(m, e, c.kind, exact);
  ASSERT_FALSE(m.Log.Lines.empty());
  EXPECT_EQ(m.Log.Lines[0].Text, c.success);
  const std::string atLimit = c.state(m);
  EXPECT_NE(atLimit, loaded);

  const std::string over = Png("over.png", 16, 10, c.limit + 1);
  m.Log.Lines.clear();
  TestClock().SetMs(70000);
  LoadAssetByKind(m, e, c.kind, over);
  ASSERT_EQ(m.Log.Lines.size(), 1u);
  EXPECT_EQ(m.Log.Lines[0].Text, c.refusal);
  EXPECT_EQ(m.Log.Lines[0].Colour, 0xC8FFC800u);
  EXPECT_EQ(m.Log.Lines[0].Expiry, 80000u);
  EXPECT_EQ(c.state(m), atLimit);  // nothing was freed or replaced
}

TEST_P(LoaderLimit, AFileTheEngineCannotReadKeepsThePreviousAssetAndSaysWhy) {
  const LimitCase& c = GetParam();
  ASSERT_TRUE(LoadAssetByKind(m, e, c.kind, Png("first.png", 12, 10)));
  const std::string loaded = c.state(m);
  // A PNG signature followed by junk: small enough for every limit, undecodable.
  const std::filesystem::path bad = dir_ / "damaged.png";
  std::ofstream(bad, std::ios::binary) << "\x89PNG\r\n\x1a\n-this-is-not-an-image-";
  m.Log.Lines.clear();
  LoadAssetByKind(m, e, c.kind, bad.string());
  EXPECT_EQ(c.state(m), loaded);
  ASSERT_EQ(m.Log.Lines.size(), 1u);
  EXPECT_EQ(m.Log.Lines[0].Text.rfind("#18 Grafik konnte nicht geladen werden", 0), 0u)
      << m.Log.Lines[0].Text;
  EXPECT_NE(m.Log.Lines[0].Text.find("damaged.png"), std::string::npos);
  EXPECT_EQ(m.Log.Lines[0].Colour, 0xC8FF0000u);
}

INSTANTIATE_TEST_SUITE_P(AllKinds, LoaderLimit, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LimitCase>& info) {
                           return std::string(info.param.kind);
                         });

}  // namespace
