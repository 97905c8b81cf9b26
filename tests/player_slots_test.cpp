// The player's side of the slots: an exported intro read back into a model and loaded
// from memory, and slot bytes that lie.
#include <gtest/gtest.h>

#include "export/CreateFinal.h"
#include "export/slots/SlotIo.h"
#include "player/IntroSlots.h"
#include "player/PlayerIntro.h"
#include "tests/export_test_support.h"

namespace quellor {
namespace {

using namespace testsupport;
using slots::SlotId;

// The slot spans of an exported test stub, as the running player sees its own.
SlotBytes Spans(const std::vector<uint8_t>& image, const TestStub& stub) {
  SlotBytes out;
  for (int i = 0; i < slots::kSlotCount; ++i) {
    const size_t at = stub.SlotAt[i];
    if (at == 0) continue;
    out[i] = std::span<const uint8_t>(image.data() + at, slots::GetLong(&image[at - 12]));
  }
  return out;
}

struct RoundTrip {
  ScratchDir Dir;
  IntroModel M = FreshModel(Dir.Base());
  RecordingEngine E;
  TestStub Stub = MakeStub(ZeroFilled());  // as in a real stub: unwritten slots read as zeros
  std::vector<uint8_t> Image;

  static StubShape ZeroFilled() {
    StubShape s;
    s.Fill = 0;
    return s;
  }

  RoundTrip() {
    E.Open(800, 600);
    FillEveryField(M, Dir.Base());
    M.Trainer.Active = 1;
    M.AnimClone.Active = 1;
    for (const std::string* f : {&M.Logo.File, &M.Sign.File, &M.Over, &M.Background.File, &M.Border.File,
                                 &M.Anim_2d.File, &M.Anim_BOB.File, &M.Font1.File, &M.Font2.File,
                                 &M.TrainerBar.File, &M.Raster.Path[1]})
      WritePng(*f, 8, 8);
    for (int i = 1; i <= 5; ++i) {
      WritePng(M.GFX.File[i], 4 + i, 4);
      M.GFX.Sprite[i] = 50 + i;
    }
    WriteText(M.Music.File, "tracker module bytes");
    WriteBytes(Dir.Path / "bin" / StubFileName(0), PackStub(Stub.Image));
    ExportEnv env;
    env.StubFolder = (Dir.Path / "bin").string();
    EXPECT_TRUE(CreateFinal(M, E, (Dir.Path / "intro").string(), env).Written);
    Image = ReadBytes(Dir.Path / "intro.exe");
  }
  const EmbeddedFile* File(const EmbeddedIntro& in, const std::string& name) const {
    for (const EmbeddedFile& f : in.Files)
      if (f.Name == name) return &f;
    return nullptr;
  }
};

TEST(PlayerSlots, AnExportedIntroReadsBackFieldForField) {
  RoundTrip t;
  EmbeddedIntro in;
  std::string error;
  ASSERT_TRUE(ReadIntroSlots(Spans(t.Image, t.Stub), in, &error)) << error;
  EXPECT_TRUE(in.Damaged.empty());
  const IntroModel& m = *in.Model;
  const IntroModel& w = t.M;
  EXPECT_EQ(m.IntroName, "Round Trip Intro");
  EXPECT_EQ(m.WinType, w.WinType);
  EXPECT_EQ(m.ONTop, 1);
  EXPECT_EQ(m.StartTimer[3], w.StartTimer[3]);
  EXPECT_EQ(m.StartTimer[9], 0);
  EXPECT_EQ(m.GFX.StartFlag[4], 4);
  EXPECT_EQ(m.Logo.Trans, 200);
  EXPECT_EQ(m.GFX.Rota[3], 45.0f);
  EXPECT_EQ(m.Anim_2d.Spec, 3);
  EXPECT_EQ(m.Anim_BOB.CspY, 9);
  EXPECT_EQ(m.AnimClone.Flt2, 0.125f);
  EXPECT_EQ(m.FontGrid[1].Y, 24);
  EXPECT_EQ(m.Fonts.F2Dest, 5);
  EXPECT_EQ(m.Pager.Van_SM, 14);
  EXPECT_EQ(m.Pager.Lines, w.Pager.Lines);  // the empty middle line too
  EXPECT_EQ(m.Trainer.Lines, w.Trainer.Lines);
  EXPECT_EQ(m.TrainerBar.TB_FSL, 75.0f);
  EXPECT_EQ(m.VertexShader.Code, w.VertexShader.Code);
  EXPECT_EQ(m.PostFX.Code, w.PostFX.Code);
  EXPECT_EQ(m.Raster.val[3], 0.75f);
  EXPECT_EQ(m.Border.Lft, 1);
  EXPECT_EQ(m.Scroller[1].Text, "second text");
  EXPECT_EQ(m.Scroller[0].SinADD, 6.0f);
  EXPECT_EQ(m.ExecPRG, "run me.exe");
  EXPECT_EQ(m.ExecRun, 1);
  EXPECT_EQ(m.DisplayOrder, w.DisplayOrder);

  // Every file under the folder the project reader looks in, with the disk file's bytes.
  const std::string root = kEmbeddedRoot;
  EXPECT_EQ(m.Logo.File, root + "/Data/Logo/logo");
  EXPECT_EQ(m.GFX.File[5], root + "/Data/Bobs/gfx5");
  EXPECT_EQ(m.TrainerBar.File, root + "/Data/TrainerBar/trainerbar");
  const EmbeddedFile* logo = t.File(in, m.Logo.File);
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(logo->Bytes, ReadBytes(t.M.Logo.File));
  EXPECT_EQ(std::string(in.Music.begin(), in.Music.end()), "tracker module bytes");
  EXPECT_EQ(in.Files.size(), 17u);  // 11 images, 5 GFX layers, the tune
}

TEST(PlayerSlots, TheIntroLoadsFromMemoryThroughTheProjectReader) {
  RoundTrip t;
  EmbeddedIntro in;
  ASSERT_TRUE(ReadIntroSlots(Spans(t.Image, t.Stub), in, nullptr));
  fs::remove_all(t.Dir.Path / "Data");  // nothing beside the player is needed
  RecordingEngine e;
  e.Open(in.Model->ScreenX, in.Model->ScreenY);
  auto play = std::make_unique<IntroModel>();
  InitModel(*play);
  LoadEmbeddedIntro(in, e, *play);
  EXPECT_NE(play->Logo.Sprite, 0u);
  EXPECT_NE(play->Sign.Sprite, 0u);
  EXPECT_NE(play->Border.Texture, 0u);
  EXPECT_NE(play->Font1.Image, 0u);
  EXPECT_NE(play->TrainerBar.Sprite, 0u);
  EXPECT_NE(play->Background.Sprite, 0u);
  for (int i = 1; i <= 5; ++i) EXPECT_NE(play->GFX.Sprite[i], 0u) << i;
  EXPECT_EQ(play->OverW, 8);
  EXPECT_EQ(play->Logo.PosX, 11);  // stored placement, not the loader's start values
  EXPECT_EQ(play->Pager.Active, 1);
  EXPECT_TRUE(play->Log.Lines.empty());
  EXPECT_EQ(play->LogEnabled, 0);
}

TEST(PlayerSlots, LyingSlotsGiveASmallerIntroNeverAReadOutside) {
  std::vector<std::vector<uint8_t>> store(slots::kSlotCount);
  auto spans = [&] {
    SlotBytes s;
    for (int i = 0; i < slots::kSlotCount; ++i) s[i] = store[i];
    return s;
  };
  EmbeddedIntro in;
  std::string error;
  EXPECT_FALSE(ReadIntroSlots(spans(), in, &error));  // an empty stub
  EXPECT_EQ(error, "this player holds no intro");

  auto settings = [&](int32_t w, int32_t h) {
    std::vector<uint8_t>& s = store[static_cast<int>(SlotId::Settings)];
    s.clear();
    for (int32_t v : {1, w, h, 67, 0, 0, 0, 0}) slots::PutLong(s, v);
    s.insert(s.end(), 19, 'N');  // a name without its zero byte at the slot's very end
  };
  settings(100000, 600);
  EXPECT_FALSE(ReadIntroSlots(spans(), in, &error));
  settings(320, 200);
  // A logo whose length runs past the slot, one with a negative length, a pager cut short.
  std::vector<uint8_t>& logo = store[static_cast<int>(SlotId::Logo)];
  slots::PutLong(logo, 1 << 30);
  logo.resize(60, 1);
  std::vector<uint8_t>& sign = store[static_cast<int>(SlotId::Sign)];
  slots::PutLong(sign, -5);
  sign.resize(40, 0);
  store[static_cast<int>(SlotId::Pager)].assign(10, 7);
  std::vector<uint8_t>& order = store[static_cast<int>(SlotId::Order)];
  for (int32_t v : {2, 99, 3}) slots::PutLong(order, v);
  ASSERT_TRUE(ReadIntroSlots(spans(), in, &error)) << error;
  const IntroModel& m = *in.Model;
  EXPECT_EQ(m.IntroName, std::string(19, 'N'));
  EXPECT_TRUE(m.Logo.File.empty());
  EXPECT_TRUE(m.Sign.File.empty());
  EXPECT_TRUE(in.Files.empty());
  EXPECT_EQ(m.DisplayOrder, std::vector<std::string>{"Font1"});  // up to the first non-code
  auto damaged = [&](SlotId id) {
    return std::find(in.Damaged.begin(), in.Damaged.end(), id) != in.Damaged.end();
  };
  EXPECT_TRUE(damaged(SlotId::Logo));
  EXPECT_TRUE(damaged(SlotId::Sign));
  EXPECT_TRUE(damaged(SlotId::Pager));
  EXPECT_FALSE(damaged(SlotId::Settings));
}

}  // namespace
}  // namespace quellor
