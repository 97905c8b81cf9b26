// Create Final: the bytes of every slot for a model with every field set, at the
// offsets the slot layouts give, and the rules that decide which slots are written.
#include <gtest/gtest.h>

#include "export/CreateFinal.h"
#include "tests/CommandsTestSupport.h"
#include "tests/export_test_support.h"

namespace quellor {
namespace {

using namespace testsupport;
using slots::SlotId;

struct ExportRig {
  ScratchDir Dir;
  IntroModel M = FreshModel(Dir.Base());
  test::EntityEngine E;
  TestStub Stub;
  std::vector<std::pair<std::string, std::string>> Boxes;
  std::vector<PackerRun> Packers;

  explicit ExportRig(const StubShape& shape = {}, int32_t musicType = 0) {
    E.Open(800, 600);
    E.Size[0] = 2.5f, E.Size[1] = 3.5f, E.Size[2] = 4.5f;
    E.Pos[0] = -1, E.Pos[1] = 6, E.Pos[2] = 17;
    FillEveryField(M, Dir.Base());
    Stub = MakeStub(shape);
    WriteBytes(Dir.Path / "bin" / StubFileName(musicType), PackStub(Stub.Image));
  }
  // Writes an asset file of n distinct bytes at the model's path.
  std::vector<uint8_t> Asset(const std::string& path, size_t n, uint8_t seed) {
    std::vector<uint8_t> b = AssetBytes(n, seed);
    WriteBytes(path, b);
    return b;
  }
  ExportResult Run(const std::string& target = "out/intro") {
    ExportEnv env;
    env.StubFolder = (Dir.Path / "bin").string();
    env.ErrorBox = [this](const std::string& t, const std::string& x) { Boxes.emplace_back(t, x); };
    env.StartPacker = [this](const PackerRun& r) {
      Packers.push_back(r);
      return true;
    };
    fs::create_directories(Dir.Path / "out");
    return CreateFinal(M, E, (Dir.Path / target).string(), env);
  }
  std::vector<uint8_t> Output(const std::string& name = "out/intro.exe") { return ReadBytes(Dir.Path / name); }
};

TEST(ExportSlots, SettingsScrollersTimersAndTextsAtTheirOffsets) {
  ExportRig r;
  r.M.IntroName = "Twenty-five characters!!!";  // 25: the slot keeps 19
  r.M.ScreenX = 640;
  r.M.ScreenY = 480;
  r.M.Scroller[0].SinADD = 6.6f;
  r.M.Scroller[0].Text = std::string(1500, 'a');
  r.M.ExecPRG = std::string(300, 'x');
  ASSERT_TRUE(r.Run().Written);
  std::vector<uint8_t> out = r.Output();
  SlotCheck c{out, r.Stub};

  EXPECT_EQ(c.Long(SlotId::Settings, 0), 4);  // WinType
  EXPECT_EQ(c.Long(SlotId::Settings, 4), 640);
  EXPECT_EQ(c.Long(SlotId::Settings, 8), 480);
  EXPECT_EQ(c.Long(SlotId::Settings, 12), 67);
  EXPECT_EQ(c.Long(SlotId::Settings, 16), 2);  // FMode
  EXPECT_EQ(c.Long(SlotId::Settings, 20), 0);
  EXPECT_EQ(c.Long(SlotId::Settings, 24), 1);  // ONTop
  EXPECT_EQ(c.Long(SlotId::Settings, 28), 1);  // MovWin
  EXPECT_EQ(c.Text(SlotId::Settings, 32), "Twenty-five charact");

  const int32_t s1[] = {300, 150, 160, 3, 40, 0, 1};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(c.Long(SlotId::Scroller1, 4 * i), s1[i]) << i;
  EXPECT_EQ(c.Float(SlotId::Scroller1, 28), 3.5f);
  EXPECT_EQ(c.Long(SlotId::Scroller1, 32), 77);
  EXPECT_EQ(c.Long(SlotId::Scroller1, 36), 5);
  EXPECT_EQ(c.Long(SlotId::Scroller1, 40), 3);
  EXPECT_EQ(c.Long(SlotId::Scroller1, 44), 7);  // 6.6 as the nearest long
  EXPECT_EQ(c.Long(SlotId::Scroller1, 48), 90);
  EXPECT_EQ(c.Long(SlotId::Scroller2, 0), 301);
  EXPECT_EQ(c.Long(SlotId::Scroller2, 12), 4);

  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(c.Long(SlotId::StartTimers, 4 * i), i == 9 || i == 15 ? 0 : 100 * i + 1) << i;
  for (int i = 0; i < 8; ++i) EXPECT_EQ(c.Long(SlotId::StartTimers, 64 + 4 * i), i % 2) << i;
  for (int g = 1; g <= 5; ++g) EXPECT_EQ(c.Long(SlotId::StartTimers, 92 + 4 * g), g);

  EXPECT_EQ(c.Text(SlotId::Texts, 0), std::string(1023, 'a'));  // cut so its zero fits
  EXPECT_EQ(c.Text(SlotId::Texts, 1024), "second text");
  EXPECT_EQ(c.Text(SlotId::Texts, 2048), "no");
  EXPECT_EQ(c.Text(SlotId::Texts, 3072), "no");

  // The program after exit: cut to 256 characters, in the slot and in the model.
  EXPECT_EQ(c.Text(SlotId::ExecAfter, 0), std::string(256, 'x'));
  EXPECT_EQ(r.M.ExecPRG, std::string(256, 'x'));
}

TEST(ExportSlots, AssetSlotsHoldLengthFieldsThenTheFileBytes) {
  ExportRig r;
  const std::string base = r.Dir.Base();
  auto logo = r.Asset(r.M.Logo.File, 300, 1);
  auto sign = r.Asset(r.M.Sign.File, 200, 2);
  auto over = r.Asset(r.M.Over, 77, 3);
  auto back = r.Asset(r.M.Background.File, 500, 4);
  auto border = r.Asset(r.M.Border.File, 260, 5);
  auto anim = r.Asset(r.M.Anim_2d.File, 150, 6);
  auto bob = r.Asset(r.M.Anim_BOB.File, 160, 7);
  auto font1 = r.Asset(r.M.Font1.File, 170, 8);
  auto font2 = r.Asset(r.M.Font2.File, 180, 9);
  auto music = r.Asset(r.M.Music.File, 190, 10);
  auto raster2 = r.Asset(r.M.Raster.Path[2], 50, 11);
  auto vtex3 = r.Asset(r.M.VertexShader.TexFile[2], 90, 12);
  std::vector<uint8_t> gfx[6];
  for (int i = 1; i <= 5; ++i) {
    gfx[i] = r.Asset(r.M.GFX.File[i], 100 + i, static_cast<uint8_t>(20 + i));
    r.M.GFX.Sprite[i] = 100 + i;  // the layer counts as loaded
  }
  r.M.Anim_2d.PosX = 30.6f;
  r.M.AnimClone.Active = 1;
  ASSERT_TRUE(r.Run().Written);
  std::vector<uint8_t> out = r.Output();
  SlotCheck c{out, r.Stub};

  auto longs = [&](SlotId id, size_t from, std::vector<int32_t> want) {
    for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(c.Long(id, from + 4 * i), want[i]) << SlotTag(id) << " long " << i;
  };
  auto payload = [&](SlotId id, size_t at, const std::vector<uint8_t>& bytes) {
    EXPECT_EQ(c.Long(id, 0), static_cast<int32_t>(bytes.size())) << SlotTag(id);
    EXPECT_EQ(c.Bytes(id, at, bytes.size()), bytes) << SlotTag(id);
  };
  payload(SlotId::Logo, 40, logo);
  longs(SlotId::Logo, 4, {11, 12, 1, 90, 80, 2, 2, 2, 200});
  payload(SlotId::Sign, 36, sign);
  longs(SlotId::Sign, 4, {13, 14, 1, 2, 3, 4, 1, 99});
  payload(SlotId::Overlay, 16, over);
  longs(SlotId::Overlay, 4, {1, 7, 8});
  payload(SlotId::Background, 12, back);
  longs(SlotId::Background, 4, {2, -3});
  payload(SlotId::Border, 52, border);
  longs(SlotId::Border, 4, {110, 120, 64, 32, 7, 8, 1, 2, 0, 1, 1, 1});
  payload(SlotId::StartAnim, 72, anim);
  longs(SlotId::StartAnim, 4, {31, 40, 120, 130, 16, 16, 4, 9, 45, 2, 3, 1, 222, -1, 1, 2, 3});
  payload(SlotId::BobAnim, 68, bob);
  longs(SlotId::BobAnim, 4, {31, 41, 120, 130, 16, 16, 4, 9, 45, 2, 3, 1, 222, -1, 8, 9});
  payload(SlotId::Font1, 60, font1);
  longs(SlotId::Font1, 4, {2, 3, 1, 4, 5, 2, 32, 32, 10, 6, 16, 24, 8, 8});
  payload(SlotId::Font2, 4, font2);
  EXPECT_EQ(c.Long(SlotId::Music, 0), 0);
  EXPECT_EQ(c.Long(SlotId::Music, 4), 190);
  EXPECT_EQ(c.Bytes(SlotId::Music, 8, 190), music);
  payload(SlotId::Raster2, 4, raster2);
  payload(SlotId::VsTexture3, 4, vtex3);
  for (int i = 1; i <= 5; ++i) {
    payload(slots::GfxSlot(i), 44, gfx[i]);
    longs(slots::GfxSlot(i), 4, {10 * i, 20 * i, 50 + i, 60 + i, i % 3, i, 10 - i, 100 + i});
    EXPECT_EQ(c.Float(slots::GfxSlot(i), 36), 15.0f * i);
    EXPECT_EQ(c.Float(slots::GfxSlot(i), 40), 0.5f * i);
  }
  longs(SlotId::BobClones, 0, {1, 2, 3, 1, 12, 10, 20, 700, 500});
  EXPECT_EQ(c.Float(SlotId::BobClones, 36), 1.5f);
  EXPECT_EQ(c.Float(SlotId::BobClones, 40), -0.25f);
  longs(SlotId::BobClones, 44, {3, 4});
  EXPECT_EQ(c.Float(SlotId::BobClones, 52), 2.5f);
  EXPECT_EQ(c.Float(SlotId::BobClones, 56), 0.125f);
  longs(SlotId::BobClones, 60, {1, 1});
  // Rasters: seven values each, 28 bytes apart.
  for (int n = 1; n <= 3; ++n) {
    const size_t at = 28 * (n - 1);
    EXPECT_EQ(c.Float(SlotId::Rasters, at), 0.5f * n);
    EXPECT_EQ(c.Long(SlotId::Rasters, at + 4), n % 2);
    EXPECT_EQ(c.Float(SlotId::Rasters, at + 8), 1.0f);
    EXPECT_EQ(c.Float(SlotId::Rasters, at + 12), 0.25f * n);
    EXPECT_EQ(c.Float(SlotId::Rasters, at + 24), 0.3f * n);
  }
}

TEST(ExportSlots, TextSlotsAndTheObjectFromTheEngine) {
  ExportRig r;
  auto object = r.Asset(r.M.Obj3d.File, 210, 30);
  r.Asset(r.M.Tex3d.File, 220, 31);
  r.Asset(r.M.TrainerBar.File, 240, 32);
  r.M.Obj3d.Entity = 7;
  r.M.Tex3d.Texture = 8;
  r.M.Trainer.Active = 1;
  ASSERT_TRUE(r.Run().Written);
  std::vector<uint8_t> out = r.Output();
  SlotCheck c{out, r.Stub};

  // Pager: 45 longs, then the text's length and the lines joined by CR LF.
  EXPECT_EQ(c.Long(SlotId::Pager, 0), 4);
  EXPECT_EQ(c.Long(SlotId::Pager, 48), 1);    // Active, the 13th long
  EXPECT_EQ(c.Long(SlotId::Pager, 100), 401);  // Spn_pX, the 26th long
  EXPECT_EQ(c.Long(SlotId::Pager, 132), 402);  // Van_pX, the 34th
  EXPECT_EQ(c.Long(SlotId::Pager, 164), 1);   // Font
  EXPECT_EQ(c.Long(SlotId::Pager, 168), 900);  // Next
  EXPECT_EQ(c.Long(SlotId::Pager, 176), 16);   // InstaC
  const std::string page = "  PAGE ONE  \r\n\r\nline three";
  EXPECT_EQ(c.Long(SlotId::Pager, 180), static_cast<int32_t>(page.size()));
  EXPECT_EQ(c.Text(SlotId::Pager, 184), page);

  const int32_t trainer[] = {2, 20, 60, 110, 90, 95, 28, 29, 1, 1, 1, 1, 1, 2, 3, 0, 75, 1, 300};
  for (int i = 0; i < 19; ++i) EXPECT_EQ(c.Long(SlotId::Trainer, 4 * i), trainer[i]) << i;
  EXPECT_EQ(c.Text(SlotId::Trainer, 84).substr(0, 21), "INFINITE LIVES  OFF\r\n");
  EXPECT_EQ(c.Long(SlotId::TrainerBar, 0), 240);

  EXPECT_EQ(c.Text(SlotId::PostFx, 4), r.M.PostFX.Code);
  EXPECT_EQ(c.Long(SlotId::PostFx, 0), static_cast<int32_t>(r.M.PostFX.Code.size()));
  EXPECT_EQ(c.Float(SlotId::VertexShader, 4), 0.25f);
  EXPECT_EQ(c.Long(SlotId::VertexShader, 20), 321);
  EXPECT_EQ(c.Text(SlotId::VertexShader, 28), r.M.VertexShader.Code);

  // Shader code wins over the image texture.
  EXPECT_EQ(c.Long(SlotId::Texture3d, 4), 1);
  EXPECT_EQ(c.Text(SlotId::Texture3d, 8), r.M.TexShader.Code);

  // The object's extent and position as the engine reports them, the rest from the model.
  EXPECT_EQ(c.Long(SlotId::Object3d, 0), 210);
  EXPECT_EQ(c.Long(SlotId::Object3d, 4), 1);
  EXPECT_EQ(c.Long(SlotId::Object3d, 12), 1);
  const float floats[] = {2.5f, 3.5f, 4.5f, -1, 6, 17, 0.5f, 0.25f, 2, 0.1f, 0.2f, 0.3f, 10, 20, -50, 20, 200};
  for (int i = 0; i < 17; ++i) EXPECT_EQ(c.Float(SlotId::Object3d, 16 + 4 * i), floats[i]) << i;
  EXPECT_EQ(c.Bytes(SlotId::Object3d, 84, 210), object);
}

TEST(ExportSlots, ConditionsDecideWhichSlotsAreWritten) {
  StubShape shape;
  shape.LeaveOut = static_cast<int>(SlotId::Rasters);
  ExportRig r(shape);
  r.M.OverUSE = 0;            // overlay off: not written although the file exists
  r.Asset(r.M.Over, 77, 3);
  r.M.Logo.File = r.Dir.Base() + "missing.png";  // a file that does not open
  r.M.GFX.Sprite[2] = 9;      // only GFX #2 is loaded, its file missing
  r.M.Pager.Active = 0;
  r.M.Obj3d.Entity = 5;
  r.M.Obj3d.Type = 3;         // generated: a slot without object bytes and no log line
  r.Asset(r.M.Raster.Path[1], 40, 1);
  r.M.DisplayOrder = {"GFX3", "Logo", "Nonsense", "Sign"};
  ASSERT_TRUE(r.Run().Written);
  std::vector<uint8_t> out = r.Output();
  SlotCheck c{out, r.Stub};
  auto untouched = [&](SlotId id) {
    std::vector<uint8_t> fill(16, 0xEE);
    EXPECT_EQ(c.Bytes(id, 0, 16), fill) << SlotTag(id);
  };
  untouched(SlotId::Overlay);
  untouched(SlotId::Logo);
  untouched(SlotId::Gfx1);
  untouched(SlotId::Gfx2);
  untouched(SlotId::Pager);
  untouched(SlotId::Trainer);   // the trainer is off in this model
  untouched(SlotId::Raster1);   // no raster slots without the raster tag
  untouched(SlotId::BobClones); // clones off
  EXPECT_EQ(c.Long(SlotId::Object3d, 0), 0);
  EXPECT_EQ(c.Long(SlotId::Object3d, 8), 3);
  EXPECT_EQ(c.Long(SlotId::Object3d, 12), 1);
  for (const StatusLine& l : r.M.Log.Lines) EXPECT_EQ(l.Text.find("3d Object"), std::string::npos);
  // Display order: known names by number, others skipped, nothing after them.
  EXPECT_EQ(c.Long(SlotId::Order, 0), 11);
  EXPECT_EQ(c.Long(SlotId::Order, 4), 1);
  EXPECT_EQ(c.Long(SlotId::Order, 8), 7);
  EXPECT_EQ(c.Bytes(SlotId::Order, 12, 4), std::vector<uint8_t>(4, 0xEE));
  // A bare music name is looked for in the music folder, and the model keeps that name.
  r.M.Music.File = "song.xm";
  r.Run();
  EXPECT_EQ(r.M.Music.File, "Data\\Music\\song.xm");
}

}  // namespace
}  // namespace quellor
