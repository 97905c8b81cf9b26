#include "player/RunPlayer.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "engine/fx/FxBundle.h"
#include "engine/gl/GlEngine.h"
#include "engine/image/ImageCodec.h"
#include "engine/Clock.h"
#include "engine/Input.h"
#include "music/SoundCapture.h"
#include "player/IntroShow.h"
#include "player/PlayerIntro.h"
#include "player/PlayerMusic.h"
#include "player/sdl/SdlWindow.h"
#include "project/PathResolve.h"
#include "project/ProcessStart.h"
#include "render/Frame.h"

namespace quellor {

namespace {

constexpr const char* kName = "quellor player";

int Fail(const std::string& why) {
  std::fprintf(stderr, "%s: %s\n", kName, why.c_str());
  return 1;
}

// The player carries no translator: the editor's translations answer every effect text
// the intro compiles, so they go in before anything is loaded.
void TakeTranslations(EmbeddedIntro& intro, GlEngine& engine) {
  SeedFxTranslator(engine.EffectTranslator(), std::move(intro.Translations));
  intro.Translations.clear();
}

int RunHeadless(const PlayerOptions& o, EmbeddedIntro& intro, const music::Replayer& replayer) {
  std::string error;
  std::unique_ptr<EglContext> egl = EglContext::Create(&error);
  if (!egl) return Fail("no headless OpenGL context: " + error);
  GlEngine engine({}, true);
  TakeTranslations(intro, engine);
  auto play = std::make_unique<IntroModel>();
  // A repeatable render as the editor makes one: the clock starts at one second and
  // moves exactly one frame per pass. Set first: the engine times frames from Open on.
  const int fps = o.Fps > 0 ? o.Fps : 60;
  FrameStepClock clock(fps, 10000000);
  play->Clock.Source = &clock;
  engine.SetClock(clock);
  InitModel(*play);
  if (!engine.Open(intro.Model->ScreenX, intro.Model->ScreenY)) return Fail(engine.ErrorText());
  LoadEmbeddedIntro(intro, engine, *play);
  // The sound is cut by the frame rate as the editor's headless render cuts it: F frames
  // hold exactly F x 1000 / fps ms.
  PlayerMusic music(replayer);
  music.Start(intro.Music, false);
  music::SoundCapture capture(music.Out(), fps);

  IntroShow show;
  show.Begin(*play, engine, clock.NowMs());
  for (int k = 0; k < o.Frames; ++k) {
    music.Upkeep();
    show.Apply(*play, engine, clock.NowMs());
    DrawFrame(*play, engine, nullptr);
    clock.NextFrame();
    if (!o.AudioPath.empty()) capture.AfterFrame();
  }
  if (!o.PngPath.empty()) {
    std::error_code ec;
    std::filesystem::path out(o.PngPath);
    if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path(), ec);
    if (!WritePngFile(o.PngPath, engine.ReadScreen())) return Fail("cannot write " + o.PngPath);
  }
  if (!o.AudioPath.empty() && !capture.Write(o.AudioPath, &error)) return Fail(error);
  return 0;
}

void RunAfterExit(const IntroModel& m) {
  if (m.ExecRun != 1 || m.ExecPRG.empty()) return;
  std::string program = ResolvePath(m.ExecPRG);
  if (!PathExists(program)) program = m.ExecPRG;
  std::string why;
  if (!StartDetached(program, "", "", &why)) std::fprintf(stderr, "%s: %s\n", kName, why.c_str());
}

int RunWindowed(EmbeddedIntro& intro, const music::Replayer& replayer) {
  const IntroModel& s = *intro.Model;
  bool full = s.WinType == 2;
  if (s.WinType == 0) full = SdlWindow::AskFullScreen(s.IntroName);
  SdlWindow window;
  window.SetTitle(s.IntroName);
  window.SetOnTop(s.ONTop != 0);
  window.SetDragByAnyPoint(s.MovWin != 0);
  std::string error;
  if (!window.Open(s.ScreenX, s.ScreenY, full, &error)) return Fail(error);
  GlEngine engine([&window] { window.Present(); });
  TakeTranslations(intro, engine);
  if (!engine.Open(s.ScreenX, s.ScreenY)) return Fail(engine.ErrorText());
  auto play = std::make_unique<IntroModel>();
  InitModel(*play);
  LoadEmbeddedIntro(intro, engine, *play);

  // The music starts with the intro's first frame and fades with its way out.
  PlayerMusic music(replayer);
  music.Start(intro.Music, true);
  IntroShow show;
  show.Begin(*play, engine, play->Clock.NowMs());
  for (;;) {
    const bool open = window.Pump(engine);
    const uint32_t now = play->Clock.NowMs();
    if (!open || engine.KeyDown(dik::kEscape)) {
      show.Leave(now);
      music.Leave(static_cast<int32_t>(kShowFadeMs));
    }
    if (show.Finished(now)) break;
    music.Upkeep();
    window.MousePosition(play->PreviewMouseX, play->PreviewMouseY);
    play->Clock.Focused = window.Focused();
    show.Apply(*play, engine, now);
    DrawFrame(*play, engine, nullptr);
  }
  music.Stop();
  RunAfterExit(*play);
  return 0;
}

}  // namespace

int RunPlayer(const PlayerOptions& options, const SlotBytes& slots, const music::Replayer& replayer) {
  EmbeddedIntro intro;
  std::string error;
  if (!ReadIntroSlots(slots, intro, &error)) return Fail(error);
  return options.Headless ? RunHeadless(options, intro, replayer) : RunWindowed(intro, replayer);
}

}  // namespace quellor
