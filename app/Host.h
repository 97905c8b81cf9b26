#pragma once
// What the shell needs from the window system. The wxWidgets host (app/wx) implements
// it for the editor; the headless host runs the same shell without a display; tests
// use a fake that queues events and returns chosen paths.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quellor {

enum class WindowId { Main = 1, TextEditor, Options, About, Resolution };

class OptionsView;
class EditorView;
struct EditorSetup;
struct AboutContent;

// One row of the options window's layer list: element name and its layer text
// ("2d Layer", "3d Layer" or "Both Layer").
struct LayerListRow {
  std::string Name;
  std::string Layer;
  bool operator==(const LayerListRow&) const = default;
};

struct HostEvent {
  enum class Kind { None, Menu, Gadget, Close, RightClick } Type = Kind::None;
  WindowId Window = WindowId::Main;
  int Id = 0;  // menu item or gadget number
};

class Host {
 public:
  virtual ~Host() = default;
  // Takes one of the program's own events without waiting; false when there is none.
  virtual bool NextEvent(HostEvent& ev) = 0;
  // Drains the toolkit's own plumbing (paint, motion, key state) without taking a program event.
  virtual void Pump() = 0;
  // Placement modes set their title on every pass: hosts pass on only a changed one.
  virtual void SetTitle(std::string_view title) = 0;
  virtual std::string Title() const = 0;
  // Mouse position in preview pixels.
  virtual void PreviewMouse(int& x, int& y) const = 0;
  virtual bool MainWindowFocused() const = 0;
  virtual bool WindowOpen(WindowId w) const = 0;
  virtual void CloseWindow(WindowId w) = 0;
  // File dialogs: return "" when cancelled. `filter` uses "text|pattern|text|pattern".
  // The save dialog starts at `start`: a folder, or a folder and the file name offered.
  virtual std::string OpenFileDialog(const std::string& title, const std::string& folder,
                                     const std::string& filter, int* filterIndex) = 0;
  virtual std::string SaveFileDialog(const std::string& title, const std::string& start,
                                     const std::string& filter) = 0;
  // Yes/no question; true for yes.
  virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
  virtual void MessageBox(const std::string& title, const std::string& text) = 0;
  // A message box with the error icon; hosts without icons show a plain one.
  virtual void ErrorBox(const std::string& title, const std::string& text) { MessageBox(title, text); }
  virtual void SetMenuCheck(int item, bool on) = 0;
  virtual void EnableMenu(int item, bool on) = 0;
  virtual void ShowTextEditorContextMenu() {}
  // The editor's dialogs (app/dialogs/DialogViews.h). Open* builds and shows the window
  // (with the initial texts of its controls) and returns its view; the plain calls return
  // the view while the window is open. Hosts without windows return null throughout.
  virtual OptionsView* OpenOptionsWindow() { return nullptr; }
  virtual OptionsView* OptionsWindow() { return nullptr; }
  virtual EditorView* OpenTextEditor(const EditorSetup&) { return nullptr; }
  virtual EditorView* TextEditor() { return nullptr; }
  virtual void OpenAbout(const AboutContent&) {}
  // A disabled window takes no input until enabled again.
  virtual void EnableWindow(WindowId, bool) {}
  // The system colour chooser, starting at `rgb` (0xRRGGBB); false when cancelled.
  virtual bool ChooseColour(uint32_t& rgb) { return false; }
  // Hands a web address to the default browser without waiting.
  virtual void OpenWebAddress(const std::string&) {}
  // Starts the program again with these arguments (the resolution restart); the caller
  // then ends the running one.
  virtual void RestartProgram(const std::vector<std::string>& args) = 0;
  // Installs the menu bar (the wx host turns the data into real menus).
  virtual void SetMenuBar(const struct MenuBarData& bar) = 0;
};

}  // namespace quellor
