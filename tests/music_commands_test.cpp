// The editor's music rules: the music menu, the replayer by extension, the size limit,
// "Play Music after loading", looping, removal, New Intro and project loads. The sound
// is pulled from the output without a device, as the headless renderer does.
#include <gtest/gtest.h>

#include "app/Dispatch.h"
#include "app/MenuIds.h"
#include "app/MusicCommands.h"
#include "app/ProjectCommands.h"
#include "music/SoundCapture.h"
#include "music/TuneFactory.h"
#include "music/sid/SidPlayTune.h"
#include "project/Colors.h"
#include "project/ProjectFile.h"
#include "project_test_support.h"
#include "tests/FakeHost.h"
#include "tests/tune_samples.h"
#include "tests/v2m_test_support.h"

using namespace quellor;
using namespace quellor::testsupport;
namespace samples = quellor::testing;
using samples::Bytes;

namespace {

struct MusicFixture {
  ScratchDir Dir;
  RecordingEngine Eng;
  FakeHost Win;
  IntroModel Model;
  AppContext Ctx{Model, Eng, Win};
  MusicFixture() {
    Eng.Open(800, 600);
    Model = FreshModel(Dir.Base());
    StartSound(Ctx, false);
  }
  std::string Put(const std::string& name, const Bytes& bytes) {
    fs::path p = Dir.Path / "Data" / "Music" / name;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<std::streamsize>(bytes.size()));
    return p.string();
  }
  void Menu(int item, const std::string& answer = "") {
    Win.OpenAnswers = {answer};
    DispatchMenu(Ctx, item);
  }
  // Loudness of the next stretch of sound, with the per-frame upkeep between frames.
  double Listen(double seconds) {
    std::vector<float> pcm;
    long frames = std::lround(seconds * 60);
    for (long i = 0; i < frames; ++i) {
      UpdateMusic(Ctx);
      std::vector<float> chunk(735 * 2);
      Ctx.Music.Out.Pull(chunk.data(), 735);
      pcm.insert(pcm.end(), chunk.begin(), chunk.end());
    }
    return samples::Rms(pcm);
  }
  std::vector<std::string> LinesIn(uint32_t colour) const {
    std::vector<std::string> out;
    for (const StatusLine& l : Model.Log.Lines)
      if (l.Colour == colour) out.push_back(l.Text);
    return out;
  }
  bool Logged(const std::string& text) const {
    for (const StatusLine& l : Model.Log.Lines)
      if (l.Text == text) return true;
    return false;
  }
};

Bytes ModOfSize(size_t size) {
  Bytes b = samples::MakeMod();
  b.resize(size, 0);
  return b;
}

}  // namespace

TEST(MusicCommands, MenuRoutesByLowerCasedExtensionThroughItsRequester) {
  MusicFixture f;
  std::string mod = f.Put("SONG.MOD", samples::MakeMod());
  f.Win.PickedFilters = {3};
  f.Menu(menu::kMusicLoad, mod);
  ASSERT_EQ(f.Win.Dialogs.size(), 1u);
  EXPECT_EQ(f.Win.Dialogs[0].Title, "Bitte ein Musikstück wählen");
  EXPECT_EQ(f.Win.Dialogs[0].Folder, f.Dir.Base() + "Data/Music/");
  EXPECT_EQ(f.Model.Music.File, mod);
  EXPECT_EQ(f.Model.Music.Type, 0);
  EXPECT_NE(f.Model.Music.Player, 0);
  EXPECT_TRUE(f.Logged("Tracker Module succesfully loaded."));
  EXPECT_EQ(MusicPanelName(f.Model), "ModPlug");
  EXPECT_GT(f.Listen(0.5), 0.01);

  std::string fc = f.Put("Tune.FC14", samples::FcBuilder::Song().Build());
  f.Menu(menu::kMusicLoad, fc);
  EXPECT_EQ(f.Win.Dialogs[1].FilterIndexIn, 3) << "opens on the pattern picked last time";
  EXPECT_EQ(f.Model.Music.Type, 2);
  EXPECT_EQ(f.Model.Music.Player, kLoadedPlayer);
  EXPECT_EQ(MusicPanelName(f.Model), "TinyFC4 Replayer");
  EXPECT_GT(f.Listen(0.5), 0.01);

  // fc3 is read from projects only; the menu loads nothing and leaves the tune playing.
  std::string fc3 = f.Put("old.fc3", samples::FcBuilder::Song().Build());
  f.Menu(menu::kMusicLoad, fc3);
  EXPECT_EQ(f.Model.Music.File, fc3);
  EXPECT_EQ(f.Model.Music.Player, kLoadedPlayer);

  // A V2M file its replayer cannot read: refused in red, nothing plays.
  std::string v2m = f.Put("song.v2m", Bytes(100, 1));
  f.Menu(menu::kMusicLoad, v2m);
  EXPECT_EQ(f.Model.Music.Type, 3);
  EXPECT_EQ(f.Model.Music.Player, 0);
  EXPECT_EQ(f.Listen(0.1), 0.0);
  EXPECT_EQ(MusicPanelName(f.Model), "No music loaded");

  // A file the replayer cannot read: red, no player, the new path kept.
  std::string junk = f.Put("junk.fc", Bytes(300, 7));
  f.Menu(menu::kMusicLoad, junk);
  EXPECT_EQ(f.Model.Music.Player, 0);
  EXPECT_EQ(f.Model.Music.File, junk);
  EXPECT_EQ(f.LinesIn(kColorError).size(), 2u);
}

TEST(MusicCommands, FilesAboveTheLimitAreRefusedAfterTheOldTuneStopped) {
  MusicFixture f;
  std::string exact = f.Put("exact.mod", ModOfSize(kMusicSizeLimit));
  LoadMusic(f.Ctx, exact);
  EXPECT_NE(f.Model.Music.Player, 0);
  EXPECT_TRUE(f.LinesIn(kColorTooBig).empty());
  EXPECT_GT(f.Listen(0.2), 0.01);

  std::string over = f.Put("over.mod", ModOfSize(kMusicSizeLimit + 1));
  LoadMusic(f.Ctx, over);
  EXPECT_EQ(f.LinesIn(kColorTooBig), std::vector<std::string>{"Sorry, Music filesize is to big."});
  EXPECT_EQ(f.Model.Music.Player, 0);
  EXPECT_EQ(f.Model.Music.File, over);
  EXPECT_EQ(f.Listen(0.1), 0.0);
}

TEST(MusicCommands, PlayAfterLoadDecidesWhetherATuneSoundsAndTheCheckBoxFollowsEachKind) {
  MusicFixture f;
  f.Model.PlayAfterLoad = 0;
  // Future Composer: reported loaded and shown, but silent until switched on.
  LoadMusic(f.Ctx, f.Put("a.fc", samples::FcBuilder::Song().Build()));
  EXPECT_TRUE(f.Logged("Future Composer Module succesfully loaded."));
  EXPECT_EQ(f.Model.Music.Player, kLoadedPlayer);
  EXPECT_EQ(MusicPanelName(f.Model), "TinyFC4 Replayer");
  EXPECT_EQ(f.Listen(0.3), 0.0);
  SetPlayAfterLoad(f.Ctx, true);
  EXPECT_EQ(f.Model.PlayAfterLoad, 1);
  EXPECT_GT(f.Listen(0.3), 0.01);
  SetPlayAfterLoad(f.Ctx, false);
  EXPECT_EQ(f.Listen(0.1), 0.0);
  EXPECT_EQ(f.Model.Music.Player, kLoadedPlayer);

  // Tracker module: loaded paused, then played on.
  LoadMusic(f.Ctx, f.Put("b.mod", samples::MakeMod()));
  EXPECT_EQ(f.Listen(0.2), 0.0);
  SetPlayAfterLoad(f.Ctx, true);
  EXPECT_GT(f.Listen(0.2), 0.01);

  // SID: paused output, resumed from the start song.
  SetPlayAfterLoad(f.Ctx, false);
  std::string sid = f.Put("c.sid", samples::MakePsid(4, 3));
  LoadSid(f.Ctx, sid, SidCaller::MusicCommand);
  EXPECT_TRUE(f.Logged("Sid Module succesfully loaded."));
  EXPECT_EQ(f.Model.Music.Type, 1);
  EXPECT_EQ(f.Ctx.Music.SidInfo.StartSong, 3);
  EXPECT_EQ(f.Listen(0.2), 0.0);
  SetPlayAfterLoad(f.Ctx, true);
  EXPECT_GT(f.Listen(0.3), 0.005);
}

TEST(MusicCommands, SidStartSongThreePlaysIndexTwoAndRsidWithoutRomsIsRefused) {
  MusicFixture f;
  f.Menu(menu::kMusicLoad, f.Put("tune.SID", samples::MakePsid(4, 3)));
  EXPECT_EQ(f.Model.Music.Player, kLoadedPlayer);
  EXPECT_EQ(MusicPanelName(f.Model), "Tiny Sid");
  EXPECT_EQ(f.Ctx.Music.SidData.size(), samples::MakePsid(4, 3).size());
  EXPECT_GT(f.Listen(0.2), 0.005);
  // The output owns the tune; its registers show the song the init routine was given.
  // A tune opened the same way from the kept data starts the same song.
  music::TuneOptions o;
  o.SidSong = f.Ctx.Music.SidInfo.StartIndex();
  auto probe = music::OpenTune(f.Ctx.Music.SidData, music::MusicType::Sid, o, nullptr);
  ASSERT_TRUE(probe);
  samples::RenderSeconds(*probe, 0.05);
  uint8_t regs[32];
  ASSERT_TRUE(music::ReadSidRegisters(*probe, regs));
  EXPECT_EQ(regs[1], 0x12);

  f.Menu(menu::kMusicLoad, f.Put("real.sid", samples::MakeRsid()));
  EXPECT_TRUE(f.Logged(music::kSidRomsMissing));
  EXPECT_EQ(f.Model.Music.Player, 0);
  EXPECT_TRUE(f.Ctx.Music.SidData.empty());
  EXPECT_EQ(f.Listen(0.1), 0.0);
}

TEST(MusicCommands, AnEndedTrackerModuleStartsAgainFromPositionZero) {
  MusicFixture f;
  LoadMusic(f.Ctx, f.Put("loop.mod", samples::MakeMod()));
  // The song lasts 1.92 s; with the upkeep every frame it never falls silent for long.
  int silentFrames = 0, longestSilence = 0;
  for (int i = 0; i < 60 * 5; ++i) {
    double level = f.Listen(1.0 / 60);
    silentFrames = level == 0.0 ? silentFrames + 1 : 0;
    longestSilence = std::max(longestSilence, silentFrames);
  }
  EXPECT_LE(longestSilence, 2);
  EXPECT_LT(f.Ctx.Music.Out.Mix().Position(), 255);
}

TEST(MusicCommands, V2mAlwaysPlaysFadesOnTheCheckBoxAndRestartsHalfASecondAfterItsEnd) {
  MusicFixture f;
  f.Model.PlayAfterLoad = 0;
  // 1500 ms long (see ThreeNoteSong).
  LoadMusic(f.Ctx, f.Put("three.V2M", music::v2m::WriteV2m(music::v2m::test::ThreeNoteSong())));
  EXPECT_TRUE(f.Logged("V2m Module succesfully loaded."));
  EXPECT_EQ(MusicPanelName(f.Model), "Farbrausch v2m");
  EXPECT_GT(f.Listen(0.5), 0.001);
  music::Mixer& mix = f.Ctx.Music.Out.Mix();
  EXPECT_EQ(mix.LengthMs(), 1500);
  f.Listen(1.4);  // 1900 ms: past the end, not yet 500 ms past
  EXPECT_GT(mix.Position(), 1800);
  f.Listen(0.2);  // past 2000 ms the upkeep starts it again
  EXPECT_LT(mix.Position(), 300);

  SetPlayAfterLoad(f.Ctx, true);
  SetPlayAfterLoad(f.Ctx, false);  // a 100 ms fade, then silence
  f.Listen(0.2);
  EXPECT_EQ(f.Listen(0.2), 0.0);
  SetPlayAfterLoad(f.Ctx, true);  // from the start again
  EXPECT_GT(f.Listen(0.5), 0.001);
  EXPECT_LT(mix.Position(), 700);
}

TEST(MusicCommands, RemoveAndNewIntroSilenceTheTune) {
  MusicFixture f;
  std::string mod = f.Put("song.mod", samples::MakeMod());
  LoadMusic(f.Ctx, mod);
  f.Menu(menu::kMusicRemove);
  EXPECT_EQ(f.Model.Music.File, "");
  EXPECT_EQ(f.Model.Music.Player, 0);
  EXPECT_EQ(f.Model.Music.Type, 0);
  EXPECT_EQ(f.Listen(0.1), 0.0);

  LoadSid(f.Ctx, f.Put("s.sid", samples::MakePsid(1, 1)), SidCaller::MusicCommand);
  EXPECT_GT(f.Listen(0.2), 0.001);
  f.Menu(menu::kFileNew);
  EXPECT_EQ(f.Model.Music.Player, 0);
  EXPECT_EQ(f.Model.Music.Type, 0);
  EXPECT_TRUE(f.Ctx.Music.SidData.empty());
  EXPECT_EQ(f.Listen(0.1), 0.0);
}

TEST(MusicCommands, ProjectLoadsPlayTheirTuneAndReportAMissingOneOnce) {
  MusicFixture f;
  std::string prefs = f.Dir.Base() + "Data/Prefs/";
  fs::create_directories(prefs);
  IntroModel saved = FreshModel(f.Dir.Base());
  saved.Music.File = f.Put("tune.fc14", samples::FcBuilder::Song().Build());
  saved.Music.Type = 2;
  ASSERT_TRUE(SaveProject(saved, f.Eng, prefs + "withfc.ini"));
  saved.Music.File = f.Put("chip.sid", samples::MakePsid(2, 2));
  saved.Music.Type = 1;
  ASSERT_TRUE(SaveProject(saved, f.Eng, prefs + "withsid.ini"));
  saved.Music.File = f.Dir.Base() + "Data/Music/gone.sid";
  ASSERT_TRUE(SaveProject(saved, f.Eng, prefs + "gone.ini"));

  f.Menu(menu::kFileLoad, prefs + "withfc.ini");
  EXPECT_EQ(f.Model.Music.Player, kLoadedPlayer);
  EXPECT_GT(f.Listen(0.3), 0.01);

  f.Menu(menu::kFileLoad, prefs + "withsid.ini");
  EXPECT_EQ(f.Model.Music.Type, 1);
  EXPECT_EQ(f.Model.Music.Player, kLoadedPlayer);
  EXPECT_EQ(f.Ctx.Music.SidInfo.StartSong, 2);
  EXPECT_GT(f.Listen(0.3), 0.001);

  // A cancelled File > Load reloads the SID tune the intro already has.
  f.Menu(menu::kFileLoad, "");
  EXPECT_EQ(f.Model.Music.Player, kLoadedPlayer);
  EXPECT_GT(f.Listen(0.2), 0.001);

  f.Model.Log.Lines.clear();
  f.Menu(menu::kFileLoad, prefs + "gone.ini");
  EXPECT_EQ(f.Model.Music.Player, 0);
  EXPECT_EQ(f.Listen(0.1), 0.0);
  int notFound = 0;
  for (const StatusLine& l : f.Model.Log.Lines) {
    if (l.Text != "Loading Error: Music file Not found.") continue;
    ++notFound;
    EXPECT_EQ(l.Colour, kColorError);
  }
  EXPECT_EQ(notFound, 1);
}

TEST(MusicCommands, CapturedSoundHoldsExactlyTheRenderedFramesAndRepeats) {
  auto capture = [](int frames, int fps) {
    MusicFixture f;
    LoadMusic(f.Ctx, f.Put("c.fc", samples::FcBuilder::Song().Build()));
    music::SoundCapture cap(f.Ctx.Music.Out, fps);
    for (long i = 0; i < frames; ++i) {
      UpdateMusic(f.Ctx);
      cap.AfterFrame();
    }
    std::string wav = (f.Dir.Path / "out.wav").string();
    EXPECT_TRUE(cap.Write(wav, nullptr));
    return ReadText(wav);
  };
  std::string a = capture(90, 60), b = capture(90, 60), c = capture(77, 30);
  EXPECT_EQ(a.size(), 44u + 90 * 735 * 4);  // 1500 ms of 16-bit stereo
  EXPECT_EQ(a, b);
  EXPECT_EQ(c.size(), 44u + 77 * 1470 * 4);
  EXPECT_EQ(a.substr(0, 4), "RIFF");
  EXPECT_EQ(a.substr(8, 8), "WAVEfmt ");
}
