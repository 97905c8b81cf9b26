#include "app/Shell.h"

#include <filesystem>
#include <system_error>

#include "app/Dispatch.h"
#include "app/Menu.h"
#include "app/MusicCommands.h"
#include "app/ProjectCommands.h"
#include "app/Recovery.h"
#include "app/ResourcePacks.h"
#include "app/WebAddress.h"
#include "app/dialogs/About.h"
#include "app/dialogs/OptionsWindow.h"
#include "app/dialogs/Settings.h"
#include "export/Packers.h"
#include "project/Loaders.h"
#include "project/PathResolve.h"
#include "project/ProjectFields.h"
#include "project/StatusLog.h"
#include "render/Frame.h"
#include "render/PagerTrainer.h"
#include "render/RasterBars.h"
#include "render/Scrollers.h"
#include "render/TextOptions.h"

namespace quellor {

namespace {
std::string CurrentDirectory() {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::current_path(ec);
  return ec ? std::string(".") : p.string();
}
}  // namespace

std::vector<WelcomeLine> WelcomeLines(const IntroModel& m) {
  return {
      {"welcome to Quellor v" + m.ProgramVersion, 7000, kColorInfo},
      {"Official Website: " + m.WebsiteAddress, 7200, kColorInfo},
      {"", 7300, kColorInfo},
      {"Help and support Forum", 7400, kColorInfo},
      {m.ForumAddress, 7500, kColorInfo},
      {"", 7600, kColorInfo},
      {"and Remember..", 7700, kColorInfo},
      {"Please never upload your exported intros to a demo-portal website.", 10800, kColorError},
  };
}

void MenuPrelude(AppContext& ctx) {
  IntroModel& m = ctx.Model;
  m.Clock.PreviewStart = m.Clock.NowMs();
  m.Clock.SpeedFactor = 0.0f;
  m.EditMode = 0;
  ctx.Win.SetTitle(NormalTitle(m));
}

Shell::Shell(IntroModel& m) : m_(m) {}
Shell::~Shell() = default;

void Shell::StartBeforeWindow(const CommandLine& cl) {
  cl_ = cl;
  // 1. Defaults of the whole model (sine tables included) and the program-wide fields.
  m_.BaseDir = CurrentDirectory();
  m_.Clock.Source = clock_;
  InitModel(m_);

  // 2. The music file buffer is reserved with the sound, once the context exists.
  UnscrambleWebAddresses(m_);
  SetRasterEffectSource(m_);

  // 3. Which external packers lie beside the program.
  m_.PackerFileSize = ProbePackers(m_.BaseDir);
  // 4. The options window paints its colour swatches itself when it opens.

  // 5. Chooser images and About text. An unreadable pack leaves them empty.
  LoadStartupPack(m_.BaseDir, startupPack_);
  m_.AboutText = startupPack_.AboutText;

  // 6. Command line. A restart with its size counts as a start-up in the settings file.
  ApplyCommandLineSize(cl_, m_);
  ProgramSettings settings;
  if (!settingsPath_.empty()) {
    settings = ReadSettings(settingsPath_);
    firstStart_ = settings.StartS == 0;
    if (cl_.SizeGiven) {
      ++settings.StartS;
      WriteSettings(settingsPath_, settings);
    }
  }

  // 7. The editor's fixed-pitch font is made by the text editor window; the GL engine
  //    needs no set-up before its surface exists.

  // 8. Without a size on the command line the resolution chooser runs; its blue pill ends
  //    the program here.
  if (!cl_.SizeGiven && chooser_ && !settingsPath_.empty() &&
      !ChooseResolution(*chooser_, startupPack_, m_, settings, settingsPath_)) {
    ended_ = true;
    return;
  }
  m_.AnimClone.width = m_.ScreenX;
  m_.AnimClone.height = m_.ScreenY;
}

std::string Shell::InitialTitle() const { return "Quellor v" + m_.ProgramVersion; }

void Shell::StartWithWindow(Host& host, Engine& engine) {
  // Built in place: the context holds references and need not be movable.
  ctx_.reset(new AppContext{m_, engine, host});
  engine.SetClock(*clock_);
  StartSound(*ctx_, soundDevice_);

  // 9. The host has created the window and its render surface; the engine opens on it,
  //    then the menu bar and the normal title. Start-up goes on if any of them fails.
  engine.Open(m_.ScreenX, m_.ScreenY);
  host.SetMenuBar(BuildMenuBar());
  host.SetTitle(NormalTitle(m_));

  // 10. Preview scene.
  SetUpPreviewScene();

  // 11. On the very first start the About window opens, the other windows disabled.
  if (firstStart_) ShowAbout(*ctx_);

  // 12. Idle scene start values and its points.
  SetupIdleScene(m_);
  FillIdleScene(m_);

  // 13. Editor images: help images and the welcome logo.
  ReadEditorImages();

  // 14. Welcome lines.
  AddWelcomeLines();

  // 15. Scrollers start from their first character.
  ResetScrollers(m_);

  // 16. Centred positions of the welcome logo and the placement marker.
  PlaceCentredItems();

  // 17. Preview clock. The engine measures the frame rate on every flip.
  m_.Clock.PreviewStart = m_.Clock.NowMs();
  m_.Clock.FramesPerSecond = 60.0f;

  // 18. Project named on the command line, then single assets asked for by --load.
  Autoload();
  LoadCommandLineAssets();
  // What start-up and the command line made is the starting point, not unsaved work.
  MarkKept(*ctx_);
}

void Shell::SetUpPreviewScene() {
  Engine& e = ctx_->Eng;
  // The camera at the origin looking into the screen, the light at the object's light
  // position, and the 3D layer's fog; then the built-in raster effect.
  e.PositionCamera(0, 0, 0);
  e.PositionLight(m_.Obj3d.LightX, m_.Obj3d.LightY, m_.Obj3d.LightZ);
  e.SetFog(m_.Obj3d.FogStart, m_.Obj3d.FogEnd);
  CompileRasterEffect(m_, e);
  m_.ScreenTexture = e.CreateRenderTarget(m_.ScreenX, m_.ScreenY);
  // Folder names may differ in case from the disk; a pipe there would hold start-up.
  std::string blue = ResolvePath(JoinPath(m_.BaseDir, "Data/Bobs/Blue.png"));
  if (PathExists(blue) && PathIsSafeToRead(blue)) m_.Idle.PointTexture = e.LoadTexture(blue);
  // The starfield's points are streamed to the engine on every draw, so no vertex
  // buffer is created up front.
}

void Shell::ReadEditorImages() {
  // Help images of the placement modes and the welcome logo; an unreadable pack or an
  // image the engine cannot decode leaves the handle 0 and start-up goes on.
  HelpPack pack;
  if (!LoadHelpPack(m_.BaseDir, pack)) return;
  Engine& e = ctx_->Eng;
  for (size_t i = 0; i < pack.HelpImages.size(); ++i) {
    const std::vector<uint8_t>& img = pack.HelpImages[i];
    Handle tex = img.empty() ? 0 : e.TextureFromMemory(img.data(), img.size());
    m_.HelpImages[i] = tex ? e.CreateSprite(tex) : 0;
  }
  const std::vector<uint8_t>& logo = pack.WelcomeLogo;
  m_.Idle.LogoTexture = logo.empty() ? 0 : e.TextureFromMemory(logo.data(), logo.size());
  m_.Idle.LogoSprite = m_.Idle.LogoTexture ? e.CreateSprite(m_.Idle.LogoTexture) : 0;
}

void Shell::AddWelcomeLines() {
  for (const WelcomeLine& l : WelcomeLines(m_)) AddStatusLine(m_, l.Text, l.DurationMs, l.Colour);
}

void Shell::PlaceCentredItems() {
  Engine& e = ctx_->Eng;
  int w = m_.Idle.LogoSprite ? e.SpriteWidth(m_.Idle.LogoSprite) : 0;
  int h = m_.Idle.LogoSprite ? e.SpriteHeight(m_.Idle.LogoSprite) : 0;
  m_.Idle.LogoX = m_.ScreenX / 2 - w / 2;
  m_.Idle.LogoY = m_.ScreenY / 2 - h / 2 - 50;
  m_.ModeMarkerX = m_.ScreenX / 2 - 128;
  m_.ModeMarkerY = m_.ScreenY / 2 - 128;
}

void Shell::Autoload() {
  if (cl_.Autoload.empty()) return;
  AddStatusLine(m_, "Autoload: \"" + cl_.Autoload + "\"", kMessageMs, kColorInfo);
  LoadProjectFile(*ctx_, cl_.Autoload);
  SyncActiveChecks(*ctx_);  // the menu's Active marks follow the loaded intro
  // A SID tune is reloaded as the menu's "Load" does; the reader has reported a missing one.
  ReloadSidTune(*ctx_, false);
  ResetScrollers(m_);
}

void Shell::LoadCommandLineAssets() {
  for (const AssetLoad& l : cl_.Loads) {
    if (!LoadAssetByKind(m_, ctx_->Eng, l.Kind, l.Path)) rejectedLoads_.push_back(l.Kind);
    else if (l.Kind == "trainerbar") RestartTrainer(m_, ctx_->Eng);
  }
  for (const auto& [key, value] : cl_.Sets)
    if (!SetFieldByName(m_, key, value)) rejectedLoads_.push_back("--set " + key);
  for (const auto& [key, value] : cl_.Texts) {
    std::string why;
    if (!ApplyTextOption(m_, ctx_->Eng, key, value, &why)) rejectedLoads_.push_back(key + ": " + why);
  }
}

void Shell::TakeOneEvent() {
  Host& host = ctx_->Win;
  HostEvent ev;
  if (!host.NextEvent(ev)) return;
  switch (ev.Type) {
    case HostEvent::Kind::RightClick:
      if (host.WindowOpen(WindowId::TextEditor)) host.ShowTextEditorContextMenu();
      break;
    case HostEvent::Kind::Gadget:
      DispatchGadget(*ctx_, ev.Window, ev.Id);
      break;
    case HostEvent::Kind::Menu:
      MenuPrelude(*ctx_);
      DispatchMenu(*ctx_, ev.Id);
      break;
    case HostEvent::Kind::Close:
      HandleCloseRequest(*ctx_, ev.Window);
      break;
    case HostEvent::Kind::None:
      break;
  }
}

void Shell::KeepMusicGoing() {
  // A V2M song past its end restarts, an ended tracker module loops.
  UpdateMusic(*ctx_);
}

bool Shell::RunPass() {
  if (ended_ || !ctx_) return false;
  Host& host = ctx_->Win;
  host.Pump();
  TakeOneEvent();
  // Whatever the event changed shows in the options window before the frame.
  SyncOptionsWindow(*ctx_);
  if (ctx_->QuitRequested) {
    Quit();
    return false;
  }
  host.PreviewMouse(m_.PreviewMouseX, m_.PreviewMouseY);
  m_.Clock.Focused = host.MainWindowFocused();
  KeepMusicGoing();
  DrawFrame(m_, ctx_->Eng, ActivePlacement(*ctx_));
  return true;
}

void Shell::Quit() {
  WriteRecoveryIfChanged(*ctx_);
  Host& host = ctx_->Win;
  if (host.WindowOpen(WindowId::Main)) host.CloseWindow(WindowId::Main);
  ended_ = true;
}

int Shell::Run() {
  while (RunPass()) {
  }
  return 0;
}

}  // namespace quellor
