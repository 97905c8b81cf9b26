#pragma once
// Host for command and placement-mode tests: dialogs answer from a script and every
// title, dialog, check mark and closed window is recorded.
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "app/Host.h"
#include "app/Menu.h"
#include "tests/FakeViews.h"

namespace quellor::test {

struct DialogCall {
  std::string Title, Folder, Filter;
  int FilterIndexIn = 0;
};

class CommandsFakeHost : public Host {
 public:
  std::deque<std::string> Paths;    // answers of the open and save dialogs, "" when empty
  std::deque<int> PickedFilters;    // filter positions "chosen" by the user, if any
  std::vector<DialogCall> Dialogs;
  std::vector<std::string> Titles;  // every title set, in order
  std::map<int, bool> Checks;
  std::vector<WindowId> Closed;
  std::map<WindowId, bool> Open;
  FakeOptionsView OptionsWin;
  std::vector<std::string> WebAddresses;
  int EditorsOpened = 0, AboutsOpened = 0;
  int ContextMenus = 0;

  bool NextEvent(HostEvent&) override { return false; }
  void Pump() override {}
  void SetTitle(const std::string& t) override { Titles.push_back(t); }
  std::string Title() const override { return Titles.empty() ? std::string() : Titles.back(); }
  void PreviewMouse(int& x, int& y) const override { x = y = 0; }
  bool MainWindowFocused() const override { return true; }
  bool WindowOpen(WindowId w) const override {
    auto it = Open.find(w);
    return it != Open.end() && it->second;
  }
  void CloseWindow(WindowId w) override {
    Closed.push_back(w);
    Open[w] = false;
  }
  std::string OpenFileDialog(const std::string& title, const std::string& folder,
                             const std::string& filter, int* filterIndex) override {
    Dialogs.push_back({title, folder, filter, filterIndex ? *filterIndex : -1});
    if (filterIndex && !PickedFilters.empty()) {
      *filterIndex = PickedFilters.front();
      PickedFilters.pop_front();
    }
    return Next();
  }
  std::string SaveFileDialog(const std::string& title, const std::string& folder,
                             const std::string& filter) override {
    Dialogs.push_back({title, folder, filter, -1});
    return Next();
  }
  bool AskYesNo(const std::string&, const std::string&) override { return false; }
  void MessageBox(const std::string&, const std::string&) override {}
  void SetMenuCheck(int item, bool on) override { Checks[item] = on; }
  void EnableMenu(int, bool) override {}
  void ShowTextEditorContextMenu() override { ++ContextMenus; }
  OptionsView* OpenOptionsWindow() override {
    Open[WindowId::Options] = true;
    return &OptionsWin;
  }
  OptionsView* OptionsWindow() override { return WindowOpen(WindowId::Options) ? &OptionsWin : nullptr; }
  EditorView* OpenTextEditor(const EditorSetup&) override {
    ++EditorsOpened;
    return nullptr;  // these tests do not type; the editor's own tests do
  }
  void OpenAbout(const AboutContent&) override { ++AboutsOpened; }
  void OpenWebAddress(const std::string& address) override { WebAddresses.push_back(address); }
  void RestartProgram(const std::vector<std::string>&) override {}
  void SetMenuBar(const MenuBarData&) override {}

 private:
  std::string Next() {
    if (Paths.empty()) return {};
    std::string p = Paths.front();
    Paths.pop_front();
    return p;
  }
};

}  // namespace quellor::test
