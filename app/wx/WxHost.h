#pragma once
// The editor's window system on wxWidgets: the main window with its menu bar and the
// OpenGL canvas the engine draws on, the queue of the program's own events, the file
// dialogs and message boxes. The loop is ours: Pump() drains the toolkit without
// blocking and the shell takes one program event per pass.
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <set>

#include <wx/evtloop.h>
#include <wx/glcanvas.h>
#include <wx/wx.h>

#include "app/FramePacer.h"
#include "app/Host.h"
#include "app/ShownTitle.h"
#include "engine/Engine.h"

namespace quellor {

class WxHost : public Host {
 public:
  explicit WxHost(wxEventLoopBase& loop);
  ~WxHost() override;

  // Creates the main window titled `title` whose area below the menu bar is w x h,
  // filled by a GL canvas, and makes an OpenGL 3.3 core context current on it with
  // swap interval 1. False with a reason when the window or the context cannot be made.
  bool OpenMainWindow(int w, int h, const std::string& title, std::string* error);
  // The engine that receives keyboard and mouse state; null detaches it.
  void AttachEngine(Engine* engine) { engine_ = engine; }
  // Shows the back buffer of the canvas, at most once per refresh period of the display.
  void Present();
  // Queues one of the program's own events (used by the editor's other windows).
  void Post(const HostEvent& ev) { events_.push_back(ev); }
  // Makes a tool window known: its close box becomes a close request in our queue.
  void TrackWindow(WindowId id, wxTopLevelWindow* window);
  wxFrame* MainFrame() const { return frame_; }

  bool NextEvent(HostEvent& ev) override;
  void Pump() override;
  void SetTitle(std::string_view title) override;
  std::string Title() const override;
  void PreviewMouse(int& x, int& y) const override;
  bool MainWindowFocused() const override;
  bool WindowOpen(WindowId w) const override;
  void CloseWindow(WindowId w) override;
  std::string OpenFileDialog(const std::string& title, const std::string& folder,
                             const std::string& filter, int* filterIndex) override;
  std::string SaveFileDialog(const std::string& title, const std::string& start,
                             const std::string& filter) override;
  bool AskYesNo(const std::string& title, const std::string& text) override;
  void MessageBox(const std::string& title, const std::string& text) override;
  void ErrorBox(const std::string& title, const std::string& text) override;
  void SetMenuCheck(int item, bool on) override;
  void EnableMenu(int item, bool on) override;
  void ShowTextEditorContextMenu() override;
  void RestartProgram(const std::vector<std::string>& args) override;
  OptionsView* OpenOptionsWindow() override;
  OptionsView* OptionsWindow() override;
  EditorView* OpenTextEditor(const EditorSetup& setup) override;
  EditorView* TextEditor() override;
  void OpenAbout(const AboutContent& content) override;
  void EnableWindow(WindowId w, bool on) override;
  bool ChooseColour(uint32_t& rgb) override;
  void OpenWebAddress(const std::string& address) override;
  void SetMenuBar(const MenuBarData& bar) override;

 private:
  void BindInput();
  void SetKey(int dik, bool down);
  void ReleaseAllKeys();
  void PollMouseButtons();
  void FixClientSize();
  bool WaitUntilRealised();
  void PostGadget(WindowId w, int gadget) { events_.push_back({HostEvent::Kind::Gadget, w, gadget}); }

  wxEventLoopBase& loop_;
  wxFrame* frame_ = nullptr;
  wxGLCanvas* canvas_ = nullptr;
  wxGLContext* context_ = nullptr;
  Engine* engine_ = nullptr;
  bool mainOpen_ = false;
  int width_ = 0, height_ = 0;
  std::deque<HostEvent> events_;
  std::map<WindowId, wxTopLevelWindow*> tools_;
  std::set<int> keysDown_;
  std::array<bool, 2> pressedSincePoll_{};
  ShownTitle title_;
  FramePacer pacer_{SystemClock(), SleepFor100ns};
  wxTopLevelWindow* Tool(WindowId id) const;
};

}  // namespace quellor
