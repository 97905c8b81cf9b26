#include "player/RunPlayer.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "engine/gl/GlEngine.h"
#include "engine/image/ImageCodec.h"
#include "engine/Clock.h"
#include "engine/Input.h"
#include "music/Tune.h"
#include "player/IntroShow.h"
#include "player/PlayerIntro.h"
#include "player/WavFile.h"
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

std::unique_ptr<music::Tune> OpenIntroTune(const std::vector<uint8_t>& bytes, TuneOpener open) {
  if (bytes.empty() || !open) return nullptr;
  std::string why;
  std::unique_ptr<music::Tune> tune = open(bytes, &why);
  if (!tune) std::fprintf(stderr, "%s: the intro plays without its music: %s\n", kName, why.c_str());
  return tune;
}

// The sound until the next frame. A tune with a known length (V2M) starts again once it
// is 500 ms past its end, as the editor keeps it going; the others wrap by themselves.
void RenderAudio(music::Tune* tune, std::vector<float>& out, size_t frames) {
  const size_t at = out.size();
  out.resize(at + 2 * frames, 0.0f);
  if (!tune) return;
  tune->Render(out.data() + at, frames);
  const int32_t length = tune->LengthMs();
  if (length > 0 && tune->Position() > length + 500) tune->SetPosition(0);
}

int RunHeadless(const PlayerOptions& o, EmbeddedIntro& intro, TuneOpener openTune) {
  std::string error;
  std::unique_ptr<EglContext> egl = EglContext::Create(&error);
  if (!egl) return Fail("no headless OpenGL context: " + error);
  GlEngine engine({}, true);
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
  std::unique_ptr<music::Tune> tune = OpenIntroTune(intro.Music, openTune);

  IntroShow show;
  show.Begin(*play, engine, clock.NowMs());
  std::vector<float> audio;
  uint64_t samplesDone = 0;
  for (int k = 0; k < o.Frames; ++k) {
    show.Apply(*play, engine, clock.NowMs());
    DrawFrame(*play, engine, nullptr);
    clock.NextFrame();
    const uint64_t until = static_cast<uint64_t>(k + 1) * music::kOutputRate / static_cast<uint64_t>(fps);
    if (!o.AudioPath.empty()) RenderAudio(tune.get(), audio, static_cast<size_t>(until - samplesDone));
    samplesDone = until;
  }
  if (!o.PngPath.empty()) {
    std::error_code ec;
    std::filesystem::path out(o.PngPath);
    if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path(), ec);
    if (!WritePngFile(o.PngPath, engine.ReadScreen())) return Fail("cannot write " + o.PngPath);
  }
  if (!o.AudioPath.empty() && !WriteWavFile(o.AudioPath, audio, music::kOutputRate))
    return Fail("cannot write " + o.AudioPath);
  return 0;
}

void RunAfterExit(const IntroModel& m) {
  if (m.ExecRun != 1 || m.ExecPRG.empty()) return;
  std::string program = ResolvePath(m.ExecPRG);
  if (!PathExists(program)) program = m.ExecPRG;
  std::string why;
  if (!StartDetached(program, "", "", &why)) std::fprintf(stderr, "%s: %s\n", kName, why.c_str());
}

int RunWindowed(EmbeddedIntro& intro, TuneOpener openTune) {
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
  if (!engine.Open(s.ScreenX, s.ScreenY)) return Fail(engine.ErrorText());
  auto play = std::make_unique<IntroModel>();
  InitModel(*play);
  LoadEmbeddedIntro(intro, engine, *play);
  std::unique_ptr<music::Tune> tune = OpenIntroTune(intro.Music, openTune);

  IntroShow show;
  show.Begin(*play, engine, play->Clock.NowMs());
  for (;;) {
    const bool open = window.Pump(engine);
    const uint32_t now = play->Clock.NowMs();
    if (!open || engine.KeyDown(dik::kEscape)) show.Leave(now);
    if (show.Finished(now)) break;
    window.MousePosition(play->PreviewMouseX, play->PreviewMouseY);
    play->Clock.Focused = window.Focused();
    show.Apply(*play, engine, now);
    DrawFrame(*play, engine, nullptr);
  }
  RunAfterExit(*play);
  return 0;
}

}  // namespace

int RunPlayer(const PlayerOptions& options, const SlotBytes& slots, TuneOpener openTune) {
  EmbeddedIntro intro;
  std::string error;
  if (!ReadIntroSlots(slots, intro, &error)) return Fail(error);
  return options.Headless ? RunHeadless(options, intro, openTune) : RunWindowed(intro, openTune);
}

}  // namespace quellor
