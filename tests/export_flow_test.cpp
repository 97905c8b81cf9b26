// Create Final around the slots: the stub choice and its error box, the target's name,
// refusals, the log, the written file, the icon and the packer.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "engine/Clock.h"
#include "engine/fx/FxBundle.h"
#include "export/CreateFinal.h"
#include "export/Packers.h"
#include "export/slots/SlotIo.h"
#include "project/Colors.h"
#include "project/ProcessStart.h"
#include "render/RasterBars.h"
#include "app/Dispatch.h"
#include "app/MenuIds.h"
#include "tests/CommandsTestSupport.h"
#include "tests/export_test_support.h"

namespace quellor {
namespace {

using namespace testsupport;
using test::CommandsTest;

constexpr uint32_t kNowMs = 5000;

struct FlowRig {
  ScratchDir Dir;
  IntroModel M = FreshModel(Dir.Base());
  RecordingEngine E;
  ManualClock Clock{uint64_t{kNowMs} * 10000};
  std::vector<std::pair<std::string, std::string>> Boxes;
  std::vector<PackerRun> Packers;
  FlowRig() {
    E.Open(800, 600);
    M.Clock.Source = &Clock;
    M.Packer = 0;
  }
  void Stub(int32_t type, const std::vector<uint8_t>& file) { WriteBytes(Dir.Path / "bin" / StubFileName(type), file); }
  ExportResult Run(const std::string& target) {
    ExportEnv env;
    env.StubFolder = (Dir.Path / "bin").string();
    env.PackerBase = Dir.Base();
    env.Translator.CacheDir = (Dir.Path / "fxcache").string();
    env.ErrorBox = [this](const std::string& t, const std::string& x) { Boxes.emplace_back(t, x); };
    env.StartPacker = [this](const PackerRun& r) {
      Packers.push_back(r);
      return true;
    };
    return CreateFinal(M, E, (Dir.Path / target).string(), env);
  }
  bool HasLine(const std::string& text, uint32_t colour, uint32_t ms) const {
    for (const StatusLine& l : M.Log.Lines)
      if (l.Text == text && l.Colour == colour && l.Expiry == kNowMs + ms) return true;
    return false;
  }
};

TEST(ExportFlow, TargetNameGetsExeOnlyWithoutAnyExtension) {
  EXPECT_EQ(FinalTargetName("/x/demo"), "/x/demo.exe");
  EXPECT_EQ(FinalTargetName("/x/demo.bin"), "/x/demo.bin");
  EXPECT_EQ(FinalTargetName("/x.y/demo"), "/x.y/demo.exe");  // a dot in a folder is no extension
  FlowRig r;
  r.Stub(0, PackStub(MakeStub().Image));
  ASSERT_TRUE(r.Run("demo").Written);
  EXPECT_TRUE(fs::exists(r.Dir.Path / "demo.exe"));
  ASSERT_TRUE(r.Run("demo.bin").Written);
  EXPECT_TRUE(fs::exists(r.Dir.Path / "demo.bin"));
  // The written file can be run.
  struct stat st;
  ASSERT_EQ(::stat((r.Dir.Path / "demo.exe").c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IXUSR);
}

TEST(ExportFlow, StubFollowsTheMusicTypeAndABadStubShowsTheErrorBox) {
  FlowRig r;
  r.Stub(3, PackStub(MakeStub().Image));  // only the V2M variant exists, as Quellor5.bin
  r.M.Music.Type = 3;
  EXPECT_TRUE(r.Run("v2m").Written);
  EXPECT_TRUE(r.Boxes.empty());

  r.M.Music.Type = 2;  // Quellor3.bin is missing
  ExportResult missing = r.Run("fc");
  EXPECT_FALSE(missing.Written);
  ASSERT_EQ(r.Boxes.size(), 1u);
  EXPECT_EQ(r.Boxes[0].first, "Quellor - Error");
  EXPECT_EQ(r.Boxes[0].second,
            "I cant create a final execution file\rbecause the resource file is corrupted\r"
            "Error code (v67) - t:2 , TL:0 , FL:0");

  // A stream that does not decode: TL and FL are those of the file; nothing is written.
  std::vector<uint8_t> bad = PackStub(MakeStub().Image);
  bad[bad.size() / 2] ^= 0x5A;
  r.Stub(0, bad);
  r.M.Music.Type = 0;
  EXPECT_FALSE(r.Run("corrupt").Written);
  ASSERT_EQ(r.Boxes.size(), 2u);
  const std::string tl = std::to_string(MakeStub().Image.size());
  EXPECT_NE(r.Boxes[1].second.find("t:0 , TL:" + tl + " , FL:" + std::to_string(bad.size())), std::string::npos);
  EXPECT_FALSE(fs::exists(r.Dir.Path / "corrupt.exe"));

  // An announced length below the stream's own is refused before decoding.
  std::vector<uint8_t> shortTl = PackStub(MakeStub().Image);
  shortTl[0] = 10, shortTl[1] = shortTl[2] = shortTl[3] = 0;
  r.Stub(0, shortTl);
  EXPECT_FALSE(r.Run("short").Written);
  EXPECT_EQ(r.Boxes.size(), 3u);
}

TEST(ExportFlow, APayloadLargerThanItsSlotStopsBeforeAnythingIsWritten) {
  FlowRig r;
  StubShape shape;
  shape.SmallSlot = static_cast<int>(slots::SlotId::Logo);
  shape.SmallRoom = 100;
  r.Stub(0, PackStub(MakeStub(shape).Image));
  WriteBytes(r.Dir.Path / "keep.exe", {'o', 'l', 'd'});
  r.M.Logo.File = r.Dir.Base() + "logo.png";
  WriteBytes(r.M.Logo.File, AssetBytes(200, 1));
  ExportResult res = r.Run("keep.exe");
  EXPECT_FALSE(res.Written);
  EXPECT_TRUE(r.HasLine("Create Final stopped: QLRX_L0 does not fit its slot (200 bytes, room for 100).",
                        kColorError, 10000));
  EXPECT_EQ(ReadText(r.Dir.Path / "keep.exe"), "old");
  // Fields and payload together count: 61 bytes of file + 40 of fields do not fit 100.
  WriteBytes(r.M.Logo.File, AssetBytes(61, 1));
  EXPECT_FALSE(r.Run("keep.exe").Written);
  WriteBytes(r.M.Logo.File, AssetBytes(60, 1));
  EXPECT_TRUE(r.Run("keep.exe").Written);
  EXPECT_TRUE(r.Packers.empty());  // Packer 0: uncompressed
}

TEST(ExportFlow, EffectsGoAlongTranslatedUnlessTheyFailAndMustFitTheirSlot) {
  const std::string good =
      "float4 PS(float2 uv : TEXCOORD0) : COLOR { return float4(uv, 0, 1); }\n"
      "technique T { pass P { PixelShader = compile ps_2_0 PS(); } }\n";
  FlowRig r;
  StubShape shape;
  shape.PayloadRoom = 65536;
  const TestStub stub = MakeStub(shape);
  r.Stub(0, PackStub(stub.Image));
  r.M.PostFX.Code = good;
  r.M.VertexShader.Code = "technique T { pass P { VertexShader = compile vs_2_0 Missing(); } }";
  SetRasterEffectSource(r.M);
  const ExportResult written = r.Run("fx.exe");
  ASSERT_TRUE(written.Written) << written.Error;
  const std::vector<uint8_t> image = ReadBytes(r.Dir.Path / "fx.exe");
  const size_t at = stub.SlotAt[static_cast<int>(slots::SlotId::FxTranslations)];
  const uint32_t length = static_cast<uint32_t>(slots::GetLong(image.data() + at));
  ASSERT_LE(at + 4 + length, image.size());
  std::vector<FxBundleEntry> entries;
  ASSERT_TRUE(DecodeFxBundle({image.data() + at + 4, length}, entries));
  // The vertex shader does not translate: the intro goes without it, as in the editor.
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Source, good);
  EXPECT_EQ(entries[1].Source, kRasterEffectSource);

  shape.SmallSlot = static_cast<int>(slots::SlotId::FxTranslations);
  shape.SmallRoom = 100;
  r.Stub(0, PackStub(MakeStub(shape).Image));
  EXPECT_FALSE(r.Run("small.exe").Written);
  const std::string line = r.M.Log.Lines.empty() ? "" : r.M.Log.Lines.back().Text;
  EXPECT_EQ(line.rfind("Create Final stopped: the effect translations do not fit their slot (", 0), 0u) << line;
  EXPECT_NE(line.find("room for 100)."), std::string::npos) << line;
  EXPECT_FALSE(fs::exists(r.Dir.Path / "small.exe"));
}

TEST(ExportFlow, LogLinesLiveLongerForEveryLineBeforeThem) {
  FlowRig r;
  r.Stub(0, PackStub(MakeStub().Image));
  r.M.Logo.File = r.Dir.Base() + "logo.png";
  r.M.Background.File = r.Dir.Base() + "back.png";
  WriteBytes(r.M.Logo.File, AssetBytes(123, 1));
  WriteBytes(r.M.Background.File, AssetBytes(45, 2));
  r.M.ExecRun = 1;
  r.M.ExecPRG = "after.sh";
  ASSERT_TRUE(r.Run("logged").Written);
  EXPECT_TRUE(r.HasLine("Logo included - length: 123", kColorInfo, 10000));
  EXPECT_TRUE(r.HasLine("Background included - length: 45", kColorInfo, 10200));
  EXPECT_TRUE(r.HasLine("Execution after exit enabled  > \"after.sh\"", kColorInfo, 10400));
}

TEST(ExportFlow, IconOfANonPeFileIsLeftAndSaidSo) {
  FlowRig r;
  r.Stub(0, PackStub(MakeStub().Image));
  r.M.IconC = r.Dir.Base() + "q.ico";
  WriteBytes(r.M.IconC, {0, 0, 1, 0, 0, 0});
  ASSERT_TRUE(r.Run("plain").Written);
  EXPECT_TRUE(r.HasLine("Icon not replaced: plain.exe is no Windows executable.", kColorInfo, 10000));
  EXPECT_EQ(ReadBytes(r.Dir.Path / "plain.exe").size(), MakeStub().Image.size());
}

TEST(ExportFlow, PackersRunOnlyWhenFoundWithTheirParameters) {
  ScratchDir d;
  const std::string base = d.Base();
  WriteBytes(d.Path / "DATA" / "Bin" / "KKrunchy.EXE", AssetBytes(33, 1));
  std::array<int64_t, kPackerCount> found = ProbePackers(base);
  EXPECT_EQ(found[2], 33);  // found whatever the case of its name
  EXPECT_EQ(found[3], -1);

  PackerRun run;
  EXPECT_TRUE(PackerCommand(2, found, base, "/out/dir/my intro.exe", run));
  EXPECT_EQ(run.Parameters, "--best \"my intro.exe\"");
  EXPECT_EQ(run.WorkDir, "/out/dir");
  EXPECT_EQ(fs::path(run.Program).filename(), "KKrunchy.EXE");
  EXPECT_FALSE(PackerCommand(3, found, base, "/out/x.exe", run));  // mpress missing
  found[3] = 10;
  ASSERT_TRUE(PackerCommand(3, found, base, "/out/x.exe", run));
  EXPECT_EQ(run.Parameters, "\"x.exe\"");
  EXPECT_FALSE(PackerCommand(0, found, base, "/out/x.exe", run));
  EXPECT_FALSE(PackerCommand(7, found, base, "/out/x.exe", run));

  FlowRig r;
  r.Stub(0, PackStub(MakeStub().Image));
  r.M.Packer = 2;
  r.M.PackerFileSize = {-1, -1, -1, -1};  // kkrunchy missing at start: no packer
  r.Run("nopack");
  EXPECT_TRUE(r.Packers.empty());
  r.M.PackerFileSize[2] = 33;
  r.Run("pack");
  ASSERT_EQ(r.Packers.size(), 1u);
  EXPECT_EQ(r.Packers[0].Parameters, "--best \"pack.exe\"");
}

TEST(ExportFlow, DetachedStartRunsInTheGivenFolderWithoutWaiting) {
  ScratchDir d;
  const fs::path script = d.Path / "tool.sh";
  WriteText(script, "#!/bin/sh\nsleep 2\npwd > started.txt\necho \"$1|$2\" >> started.txt\n");
  fs::permissions(script, fs::perms::owner_all);
  fs::create_directories(d.Path / "work");
  const auto t0 = std::chrono::steady_clock::now();
  ASSERT_TRUE(StartDetached(script.string(), "--best \"a b.exe\"", (d.Path / "work").string()));
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(1500));  // did not wait
  EXPECT_FALSE(fs::exists(d.Path / "work" / "started.txt"));
  const fs::path out = d.Path / "work" / "started.txt";
  for (int i = 0; i < 400 && ReadText(out).find('|') == std::string::npos; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(ReadText(out), fs::canonical(d.Path / "work").string() + "\n--best|a b.exe\n");
  std::string why;
  EXPECT_FALSE(StartDetached((d.Path / "missing").string(), "", "", &why));
  EXPECT_FALSE(why.empty());
}

// File > Create Final: the save requester, and the export only when it names a file.
TEST_F(CommandsTest, CreateFinalAsksForTheTargetAndExportsOnlyWithOne) {
  ScratchDir d;  // a folder without stubs: an export that runs shows the error box
  const fs::path before = fs::current_path();
  fs::current_path(d.Path);
  m.ExportName = "Demo Intro";
  DispatchMenu(ctx, menu::kFileCreateFinal);
  ASSERT_EQ(host.Dialogs.size(), 1u);
  EXPECT_EQ(host.Dialogs[0].Title, "Quellor - save final");
  EXPECT_EQ(host.Dialogs[0].Folder, "/base/Demo Intro");
  EXPECT_EQ(host.Dialogs[0].Filter, "Executables (*.exe)|*.exe");
  EXPECT_TRUE(host.Messages.empty());  // cancelled: no export
  host.Paths.push_back((d.Path / "x").string());
  DispatchMenu(ctx, menu::kFileCreateFinal);
  fs::current_path(before);
  ASSERT_EQ(host.Messages.size(), 1u);
  EXPECT_EQ(host.Messages[0].first, "Quellor - Error");
  EXPECT_FALSE(fs::exists(d.Path / "x.exe"));
}

}  // namespace
}  // namespace quellor
