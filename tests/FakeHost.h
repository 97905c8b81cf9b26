#pragma once
// A Host for tests: a scripted event queue, settable mouse and focus, scripted dialog
// answers, and a record of every call that changes the window system.
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/Host.h"
#include "app/Menu.h"
#include "tests/FakeViews.h"

namespace quellor {

class FakeHost : public Host {
 public:
  // --- script ---
  std::deque<HostEvent> Events;
  void QueueMenu(int item) { Events.push_back({HostEvent::Kind::Menu, WindowId::Main, item}); }
  void QueueGadget(int gadget, WindowId w = WindowId::Options) {
    Events.push_back({HostEvent::Kind::Gadget, w, gadget});
  }
  void QueueClose(WindowId w) { Events.push_back({HostEvent::Kind::Close, w, 0}); }
  void QueueRightClick(WindowId w = WindowId::Main) {
    Events.push_back({HostEvent::Kind::RightClick, w, 0});
  }
  int MouseX = 0, MouseY = 0;
  bool Focused = true;
  std::set<WindowId> Open{WindowId::Main};
  std::deque<std::string> OpenAnswers;  // paths the open dialog returns, "" = cancel
  std::deque<std::string> SaveAnswers;
  std::deque<std::string> Paths;        // answers of either dialog once its own queue is empty
  std::deque<int> PickedFilters;        // filter positions the user picks, in order
  std::deque<bool> YesNoAnswers;        // default answer when empty: no
  int NextFilterIndex = -1;             // >= 0: the filter the user picks
  std::deque<uint32_t> Colours;         // answers of the colour chooser; empty = cancel
  FakeOptionsView OptionsWin;
  FakeEditorView EditorWin;

  // --- record ---
  struct DialogCall {
    std::string Title, Folder, Filter;
    int FilterIndexIn = -1;  // the filter position the dialog opened on
  };
  std::vector<DialogCall> OpenCalls, SaveCalls;
  std::vector<DialogCall> Dialogs;  // both kinds, in order
  std::vector<std::pair<std::string, std::string>> Questions, Messages;
  std::vector<std::string> Titles;  // every title set, in order
  std::vector<WindowId> Closed;
  std::map<int, bool> Checks, Enabled;
  std::vector<std::vector<std::string>> Restarts;
  MenuBarData MenuBar;
  std::vector<EditorSetup> EditorsOpened;
  std::vector<AboutContent> Abouts;
  std::vector<std::string> WebAddresses;
  std::map<WindowId, bool> WindowEnabled;  // last EnableWindow per window
  int OptionsOpened = 0;
  int MenuBarsSet = 0, Pumps = 0, ContextMenus = 0, EventsTaken = 0;
  // Names of the calls that change something, in order ("Pump", "SetTitle", ...).
  std::vector<std::string> Calls;

  bool NextEvent(HostEvent& ev) override {
    if (Events.empty()) return false;
    ev = Events.front();
    Events.pop_front();
    ++EventsTaken;
    Calls.push_back("NextEvent");
    return true;
  }
  void Pump() override {
    ++Pumps;
    Calls.push_back("Pump");
  }
  void SetTitle(std::string_view t) override {
    Titles.emplace_back(t);
    Calls.push_back("SetTitle");
  }
  std::string Title() const override { return Titles.empty() ? std::string() : Titles.back(); }
  void PreviewMouse(int& x, int& y) const override { x = MouseX, y = MouseY; }
  bool MainWindowFocused() const override { return Focused; }
  bool WindowOpen(WindowId w) const override { return Open.count(w) != 0; }
  void CloseWindow(WindowId w) override {
    Open.erase(w);
    Closed.push_back(w);
    Calls.push_back("CloseWindow");
  }
  std::string OpenFileDialog(const std::string& title, const std::string& folder,
                             const std::string& filter, int* filterIndex) override {
    DialogCall call{title, folder, filter, filterIndex ? *filterIndex : -1};
    OpenCalls.push_back(call);
    Dialogs.push_back(call);
    if (filterIndex && NextFilterIndex >= 0) *filterIndex = NextFilterIndex;
    if (filterIndex && !PickedFilters.empty()) {
      *filterIndex = PickedFilters.front();
      PickedFilters.pop_front();
    }
    return OpenAnswers.empty() ? Take(Paths) : Take(OpenAnswers);
  }
  std::string SaveFileDialog(const std::string& title, const std::string& folder,
                             const std::string& filter) override {
    SaveCalls.push_back({title, folder, filter});
    Dialogs.push_back({title, folder, filter});
    return SaveAnswers.empty() ? Take(Paths) : Take(SaveAnswers);
  }
  bool AskYesNo(const std::string& title, const std::string& text) override {
    Questions.push_back({title, text});
    if (YesNoAnswers.empty()) return false;
    bool a = YesNoAnswers.front();
    YesNoAnswers.pop_front();
    return a;
  }
  void MessageBox(const std::string& title, const std::string& text) override {
    Messages.push_back({title, text});
  }
  void SetMenuCheck(int item, bool on) override { Checks[item] = on; }
  void EnableMenu(int item, bool on) override { Enabled[item] = on; }
  void ShowTextEditorContextMenu() override { ++ContextMenus; }
  void RestartProgram(const std::vector<std::string>& args) override { Restarts.push_back(args); }
  OptionsView* OpenOptionsWindow() override {
    Open.insert(WindowId::Options);
    ++OptionsOpened;
    return &OptionsWin;
  }
  OptionsView* OptionsWindow() override { return Open.count(WindowId::Options) ? &OptionsWin : nullptr; }
  EditorView* OpenTextEditor(const EditorSetup& s) override {
    Open.insert(WindowId::TextEditor);
    EditorsOpened.push_back(s);
    EditorWin = FakeEditorView{};
    EditorWin.Content = s.Text;
    return &EditorWin;
  }
  EditorView* TextEditor() override { return Open.count(WindowId::TextEditor) ? &EditorWin : nullptr; }
  void OpenAbout(const AboutContent& c) override {
    Open.insert(WindowId::About);
    Abouts.push_back(c);
  }
  void EnableWindow(WindowId w, bool on) override { WindowEnabled[w] = on; }
  bool ChooseColour(uint32_t& rgb) override {
    if (Colours.empty()) return false;
    rgb = Colours.front();
    Colours.pop_front();
    return true;
  }
  void OpenWebAddress(const std::string& address) override { WebAddresses.push_back(address); }
  void SetMenuBar(const MenuBarData& bar) override {
    MenuBar = bar;
    ++MenuBarsSet;
    Calls.push_back("SetMenuBar");
  }

 private:
  static std::string Take(std::deque<std::string>& q) {
    if (q.empty()) return {};
    std::string s = q.front();
    q.pop_front();
    return s;
  }
};

}  // namespace quellor
