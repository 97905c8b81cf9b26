#include "app/wx/WxHost.h"

#include <wx/display.h>
#include <wx/colordlg.h>
#include <wx/log.h>
#include <wx/filedlg.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include "app/AssetDialog.h"
#include "app/Menu.h"
#include "app/wx/DikKeys.h"
#include "engine/Input.h"
#include "app/wx/GlxSwap.h"
#include "app/wx/MenuBuilder.h"
#include "ui/AboutWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/TextEditorWindow.h"
#include "project/TextBytes.h"

namespace quellor {

namespace {
// A flood of toolkit events must not starve the preview forever.
constexpr int kMaxDispatchPerPass = 2000;
// How long the window manager gets to map the new window.
constexpr int kRealiseWaitMs = 5000;

// Refresh rate of the display showing `w` (the toolkit's, else GLX's); 0 when unknown.
double DisplayRefreshHz(const wxWindow* w) {
  const int index = wxDisplay::GetFromWindow(w);
  const wxDisplay display(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index));
  const int hz = display.GetCurrentMode().GetRefresh();
  return hz > 0 ? hz : GlxRefreshHz();
}


// Keys by toolkit key code, for events that carry no hardware code.
int DikFromWxKey(int key) {
  static const char kLetters[] = "QWERTYUIOPASDFGHJKLZXCVBNM";
  static const int kLetterDik[] = {0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18,
                                   0x19, 0x1E, 0x1F, 0x20, 0x21, 0x22, 0x23, 0x24, 0x25,
                                   0x26, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x31, 0x32};
  if (key >= 'a' && key <= 'z') key -= 'a' - 'A';
  for (int i = 0; kLetters[i]; ++i)
    if (key == kLetters[i]) return kLetterDik[i];
  if (key >= '1' && key <= '9') return 0x02 + (key - '1');
  if (key >= WXK_F1 && key <= WXK_F10) return 0x3B + (key - WXK_F1);
  switch (key) {
    case '0': return 0x0B;
    case WXK_ESCAPE: return 0x01;
    case WXK_BACK: return 0x0E;
    case WXK_TAB: return 0x0F;
    case WXK_RETURN: return 0x1C;
    case WXK_SPACE: return 0x39;
    case WXK_F11: return 0x57;
    case WXK_F12: return 0x58;
    case WXK_UP: return 0xC8;
    case WXK_DOWN: return 0xD0;
    case WXK_LEFT: return 0xCB;
    case WXK_RIGHT: return 0xCD;
    case WXK_HOME: return 0xC7;
    case WXK_END: return 0xCF;
    case WXK_PAGEUP: return 0xC9;
    case WXK_PAGEDOWN: return 0xD1;
    case WXK_INSERT: return 0xD2;
    case WXK_DELETE: return 0xD3;
    case WXK_SHIFT: return 0x2A;
    case WXK_CONTROL: return 0x1D;
    case WXK_ALT: return 0x38;
    default: return 0;
  }
}

int DikOf(const wxKeyEvent& ev) {
  int dik = DikFromX11Keycode(static_cast<int>(ev.GetRawKeyFlags()));
  return dik ? dik : DikFromWxKey(ev.GetKeyCode());
}
}  // namespace

WxHost::WxHost(wxEventLoopBase& loop) : loop_(loop) {}

WxHost::~WxHost() {
  engine_ = nullptr;
  for (auto& [id, w] : tools_) w->Destroy();
  tools_.clear();
  delete context_;
  context_ = nullptr;
  if (frame_) frame_->Destroy();
  frame_ = nullptr;
  // Let the toolkit carry out the deferred deletions.
  if (wxTheApp) wxTheApp->ProcessIdle();
}

bool WxHost::OpenMainWindow(int w, int h, const std::string& title, std::string* error) {
  width_ = w;
  height_ = h;
  // Caption with system menu and minimise box; no resize border, no maximise box.
  title_.Set(title);
  frame_ = new wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(title), wxDefaultPosition,
                       wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX);
  frame_->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
    // Never destroyed here: the shell decides, and quits in its next pass.
    events_.push_back({HostEvent::Kind::Close, WindowId::Main, 0});
  });
  frame_->Bind(wxEVT_MENU, [this](wxCommandEvent& ev) {
    events_.push_back({HostEvent::Kind::Menu, WindowId::Main, ev.GetId()});
  });

  wxGLAttributes disp;
  disp.PlatformDefaults().RGBA().DoubleBuffer().Depth(24).Stencil(8).EndList();
  if (!wxGLCanvas::IsDisplaySupported(disp)) {
    disp.Reset();
    disp.PlatformDefaults().RGBA().DoubleBuffer().Depth(16).EndList();
  }
  canvas_ = new wxGLCanvas(frame_, disp, wxID_ANY, wxPoint(0, 0), wxSize(w, h), wxWANTS_CHARS);
  canvas_->SetMinSize(wxSize(w, h));
  canvas_->Bind(wxEVT_PAINT, [this](wxPaintEvent&) { wxPaintDC dc(canvas_); });
  canvas_->Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
  BindInput();

  FixClientSize();
  frame_->Centre(wxBOTH);
  frame_->Show();
  mainOpen_ = true;

  if (!WaitUntilRealised()) {
    if (error) *error = "the main window did not appear on the display";
    return false;
  }
  wxGLContextAttrs attrs;
  attrs.PlatformDefaults().CoreProfile().OGLVersion(3, 3).ForwardCompatible().EndList();
  context_ = new wxGLContext(canvas_, nullptr, &attrs);
  if (!context_->IsOK() || !context_->SetCurrent(*canvas_)) {
    if (error) *error = "no OpenGL 3.3 core context on this display";
    return false;
  }
  SetGlxSwapIntervalOne();  // without it the loop simply runs faster
  pacer_.SetRefreshHz(DisplayRefreshHz(frame_));
  canvas_->SetFocus();
  return true;
}

bool WxHost::WaitUntilRealised() {
  wxStopWatch sw;
  while (sw.Time() < kRealiseWaitMs) {
    Pump();
    if (frame_->IsShownOnScreen() && canvas_->GetXWindow() != 0) return true;
    wxMilliSleep(5);  // start-up only; the loop itself waits only to pace presents
  }
  return false;
}

void WxHost::FixClientSize() {
  // The area below the menu bar must be exactly the intro's screen.
  frame_->SetClientSize(width_, height_);
  wxSize outer = frame_->GetSize();
  frame_->SetSizeHints(outer, outer);
  canvas_->SetSize(0, 0, width_, height_);
}

void WxHost::BindInput() {
  canvas_->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& ev) {
    SetKey(DikOf(ev), true);
    ev.Skip();
  });
  canvas_->Bind(wxEVT_KEY_UP, [this](wxKeyEvent& ev) {
    SetKey(DikOf(ev), false);
    ev.Skip();
  });
  canvas_->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& ev) {
    ReleaseAllKeys();  // a key released elsewhere would otherwise stay held
    ev.Skip();
  });
  canvas_->Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent& ev) {
    events_.push_back({HostEvent::Kind::RightClick, WindowId::Main, 0});
    pressedSincePoll_[kMouseRight] = true;
    canvas_->SetFocus();
    ev.Skip();
  });
  canvas_->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& ev) {
    pressedSincePoll_[kMouseLeft] = true;
    canvas_->SetFocus();
    ev.Skip();
  });
}

void WxHost::SetKey(int dik, bool down) {
  if (dik <= 0 || dik > 255) return;
  if (down)
    keysDown_.insert(dik);
  else
    keysDown_.erase(dik);
  if (engine_) engine_->SetKeyState(dik, down);
}

void WxHost::ReleaseAllKeys() {
  std::set<int> held;
  held.swap(keysDown_);
  if (engine_)
    for (int dik : held) engine_->SetKeyState(dik, false);
}

void WxHost::PollMouseButtons() {
  if (!engine_ || !frame_) return;
  // Like the intro's mouse polling: the buttons count while the editor is in front.
  bool active = mainOpen_ && frame_->IsActive();
  wxMouseState ms = wxGetMouseState();
  // A click shorter than one pass still counts as held for this pass.
  engine_->SetMouseButton(kMouseLeft, active && (ms.LeftIsDown() || pressedSincePoll_[kMouseLeft]));
  engine_->SetMouseButton(kMouseRight, active && (ms.RightIsDown() || pressedSincePoll_[kMouseRight]));
  pressedSincePoll_ = {};
}

void WxHost::Present() {
  if (!mainOpen_ || !canvas_) return;
  canvas_->SwapBuffers();
  // Where the swap did not wait for the display, the rest of the refresh period is waited
  // out here, so the loop does not spin a core on virtual and remote displays.
  pacer_.FramePresented();
}

void WxHost::TrackWindow(WindowId id, wxTopLevelWindow* window) {
  tools_[id] = window;
  window->Bind(wxEVT_CLOSE_WINDOW, [this, id](wxCloseEvent&) {
    events_.push_back({HostEvent::Kind::Close, id, 0});
  });
  window->Bind(wxEVT_DESTROY, [this, id, window](wxWindowDestroyEvent& ev) {
    auto it = tools_.find(id);
    if (it != tools_.end() && it->second == window) tools_.erase(it);
    ev.Skip();
  });
}

bool WxHost::NextEvent(HostEvent& ev) {
  if (events_.empty()) return false;
  ev = events_.front();
  events_.pop_front();
  return true;
}

void WxHost::Pump() {
  // One Dispatch() is one GLib iteration, not one user event: drain them all.
  for (int i = 0; i < kMaxDispatchPerPass && loop_.Pending(); ++i) loop_.Dispatch();
  if (wxTheApp) wxTheApp->ProcessPendingEvents();
  loop_.ProcessIdle();  // deferred deletions and UI updates happen in idle time
  PollMouseButtons();
}

void WxHost::SetTitle(std::string_view title) {
  if (frame_ && title_.Set(title)) frame_->SetTitle(wxString::FromUTF8(DisplayText(title)));
}

std::string WxHost::Title() const {
  return frame_ ? std::string(frame_->GetTitle().utf8_str()) : std::string();
}

void WxHost::PreviewMouse(int& x, int& y) const {
  if (!canvas_) {
    x = y = 0;
    return;
  }
  wxPoint p = canvas_->ScreenToClient(wxGetMousePosition());
  x = p.x;
  y = p.y;
}

bool WxHost::MainWindowFocused() const {
  if (!mainOpen_ || !frame_ || !frame_->IsActive()) return false;
  wxWindow* f = wxWindow::FindFocus();
  return f == frame_ || f == canvas_;
}

bool WxHost::WindowOpen(WindowId w) const {
  if (w == WindowId::Main) return mainOpen_;
  return tools_.count(w) != 0;
}

void WxHost::CloseWindow(WindowId w) {
  if (w == WindowId::Main) {
    // Hidden now, destroyed with the host once the engine has released its GL objects.
    if (frame_) frame_->Hide();
    mainOpen_ = false;
    return;
  }
  auto it = tools_.find(w);
  if (it == tools_.end()) return;
  wxTopLevelWindow* win = it->second;
  tools_.erase(it);
  win->Destroy();
}

std::string WxHost::OpenFileDialog(const std::string& title, const std::string& folder,
                                   const std::string& filter, int* filterIndex) {
  wxFileDialog dlg(frame_, wxString::FromUTF8(title), wxString::FromUTF8(folder), wxEmptyString,
                   wxString::FromUTF8(filter), wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (filterIndex && *filterIndex >= 0) dlg.SetFilterIndex(*filterIndex);
  if (dlg.ShowModal() != wxID_OK) return {};
  if (filterIndex) *filterIndex = dlg.GetFilterIndex();
  return std::string(dlg.GetPath().utf8_str());
}

std::string WxHost::SaveFileDialog(const std::string& title, const std::string& start,
                                   const std::string& filter) {
  // The toolkit takes the folder and the offered name apart.
  const DialogStart where = SplitDialogStart(start);
  wxFileDialog dlg(frame_, wxString::FromUTF8(title), wxString::FromUTF8(where.Folder),
                   wxString::FromUTF8(where.File), wxString::FromUTF8(filter),
                   wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (dlg.ShowModal() != wxID_OK) return {};
  return std::string(dlg.GetPath().utf8_str());
}

bool WxHost::AskYesNo(const std::string& title, const std::string& text) {
  return wxMessageBox(wxString::FromUTF8(DisplayText(text)), wxString::FromUTF8(title),
                      wxYES_NO | wxICON_QUESTION | wxCENTRE, frame_) == wxYES;
}

void WxHost::MessageBox(const std::string& title, const std::string& text) {
  wxMessageBox(wxString::FromUTF8(DisplayText(text)), wxString::FromUTF8(title), wxOK | wxCENTRE, frame_);
}

void WxHost::ErrorBox(const std::string& title, const std::string& text) {
  // The program's texts break lines with a lone carriage return.
  std::string shown = text;
  for (char& c : shown)
    if (c == '\r') c = '\n';
  wxMessageBox(wxString::FromUTF8(shown), wxString::FromUTF8(title), wxOK | wxICON_ERROR | wxCENTRE,
               frame_);
}

void WxHost::SetMenuCheck(int item, bool on) {
  wxMenuBar* mb = frame_ ? frame_->GetMenuBar() : nullptr;
  wxMenuItem* mi = mb ? mb->FindItem(item) : nullptr;
  if (mi && mi->IsCheckable()) mi->Check(on);
}

void WxHost::EnableMenu(int item, bool on) {
  wxMenuBar* mb = frame_ ? frame_->GetMenuBar() : nullptr;
  if (mb && mb->FindItem(item)) mb->Enable(item, on);
}

void WxHost::ShowTextEditorContextMenu() {
  if (auto* editor = dynamic_cast<TextEditorFrame*>(Tool(WindowId::TextEditor))) editor->ShowContextMenu();
}

wxTopLevelWindow* WxHost::Tool(WindowId id) const {
  auto it = tools_.find(id);
  return it == tools_.end() ? nullptr : it->second;
}

OptionsView* WxHost::OpenOptionsWindow() {
  if (auto* open = dynamic_cast<OptionsFrame*>(Tool(WindowId::Options))) {
    open->Raise();
    return open;
  }
  auto* window = new OptionsFrame(frame_, [this](int gadget) { PostGadget(WindowId::Options, gadget); });
  TrackWindow(WindowId::Options, window);
  window->Show();
  return window;
}

OptionsView* WxHost::OptionsWindow() { return dynamic_cast<OptionsFrame*>(Tool(WindowId::Options)); }

EditorView* WxHost::OpenTextEditor(const EditorSetup& setup) {
  CloseWindow(WindowId::TextEditor);  // one editor at a time
  auto* window = new TextEditorFrame(
      frame_, setup, [this](int gadget) { PostGadget(WindowId::TextEditor, gadget); },
      [this] { events_.push_back({HostEvent::Kind::RightClick, WindowId::TextEditor, 0}); });
  TrackWindow(WindowId::TextEditor, window);
  window->Show();
  return window;
}

EditorView* WxHost::TextEditor() { return dynamic_cast<TextEditorFrame*>(Tool(WindowId::TextEditor)); }

void WxHost::OpenAbout(const AboutContent& content) {
  CloseWindow(WindowId::About);
  auto* window = new AboutFrame(frame_, content, [this](int gadget) { PostGadget(WindowId::About, gadget); });
  TrackWindow(WindowId::About, window);
  window->Show();
  window->Raise();
}

void WxHost::EnableWindow(WindowId w, bool on) {
  wxWindow* window = w == WindowId::Main ? static_cast<wxWindow*>(frame_) : Tool(w);
  if (window) window->Enable(on);
}

bool WxHost::ChooseColour(uint32_t& rgb) {
  wxColourData data;
  data.SetColour(wxColour(static_cast<unsigned char>(rgb >> 16), static_cast<unsigned char>(rgb >> 8),
                          static_cast<unsigned char>(rgb)));
  wxWindow* parent = Tool(WindowId::Options) ? static_cast<wxWindow*>(Tool(WindowId::Options)) : frame_;
  wxColourDialog dlg(parent, &data);
  if (dlg.ShowModal() != wxID_OK) return false;
  wxColour c = dlg.GetColourData().GetColour();
  rgb = static_cast<uint32_t>(c.Red()) << 16 | static_cast<uint32_t>(c.Green()) << 8 | c.Blue();
  return true;
}

void WxHost::OpenWebAddress(const std::string& address) {
  wxLogNull quiet;  // no browser is no reason for a message box
  wxLaunchDefaultBrowser(wxString::FromUTF8(address));
}

void WxHost::RestartProgram(const std::vector<std::string>& args) {
  std::vector<wxString> parts;
  parts.push_back(wxStandardPaths::Get().GetExecutablePath());
  for (const std::string& a : args) parts.push_back(wxString::FromUTF8(a));
  std::vector<const wxChar*> argv;
  for (const wxString& p : parts) argv.push_back(p.wc_str());
  argv.push_back(nullptr);
  wxExecute(argv.data(), wxEXEC_ASYNC);
}

void WxHost::SetMenuBar(const MenuBarData& bar) {
  if (!frame_) return;
  wxMenuBar* old = frame_->GetMenuBar();
  frame_->SetMenuBar(BuildWxMenuBar(bar));
  delete old;
  // The menu bar takes its height from the frame; give the canvas its full size back.
  frame_->SetSizeHints(wxDefaultSize, wxDefaultSize);
  FixClientSize();
  frame_->Centre(wxBOTH);
}

}  // namespace quellor
