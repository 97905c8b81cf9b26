#pragma once
// Host without a window system: the shell runs its real start-up and loop, the engine
// draws offscreen. Nobody is there to answer, so dialogs are cancelled, questions are
// answered "no" and message boxes go to the error stream.
#include <deque>
#include <set>

#include "app/Host.h"
#include "app/Menu.h"
#include "app/ShownTitle.h"

namespace quellor {

class HeadlessHost : public Host {
 public:
  // Queues one of the program's own events (for scripted runs).
  void Post(const HostEvent& ev) { events_.push_back(ev); }
  void SetMouse(int x, int y) { mouseX_ = x, mouseY_ = y; }
  const MenuBarData& MenuBar() const { return menuBar_; }

  bool NextEvent(HostEvent& ev) override;
  void Pump() override {}
  void SetTitle(std::string_view title) override { title_.Set(title); }
  std::string Title() const override { return title_.Text(); }
  void PreviewMouse(int& x, int& y) const override { x = mouseX_, y = mouseY_; }
  bool MainWindowFocused() const override { return true; }
  bool WindowOpen(WindowId w) const override { return open_.count(w) != 0; }
  void CloseWindow(WindowId w) override { open_.erase(w); }
  std::string OpenFileDialog(const std::string&, const std::string&, const std::string&, int*) override {
    return {};
  }
  std::string SaveFileDialog(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
  bool AskYesNo(const std::string& title, const std::string& text) override;
  void MessageBox(const std::string& title, const std::string& text) override;
  void SetMenuCheck(int, bool) override {}
  void EnableMenu(int, bool) override {}
  void RestartProgram(const std::vector<std::string>& args) override;
  void SetMenuBar(const MenuBarData& bar) override { menuBar_ = bar; }

 private:
  std::deque<HostEvent> events_;
  std::set<WindowId> open_{WindowId::Main};
  ShownTitle title_;
  int mouseX_ = -1, mouseY_ = -1;  // no mouse: outside the preview
  MenuBarData menuBar_;
};

}  // namespace quellor
