#pragma once
// What the shell needs from the editor's dialog windows. The wx windows (ui/) implement
// these; tests use fakes. Values travel as text so that no toolkit type crosses over.
#include <string>
#include <vector>

#include "app/Host.h"

namespace quellor {

struct OptionsState;

// The intro options window.
class OptionsView {
 public:
  virtual ~OptionsView() = default;
  // The control's current value, in the form OptionsState::Values uses.
  virtual std::string Value(int gadget) const = 0;
  // Writes every control and generated list (the refresh). Controls whose value did not
  // change are left alone.
  virtual void ShowState(const OptionsState& s) = 0;
  // The display manager's rows, top first, and the selected row (-1: none).
  virtual std::vector<LayerListRow> LayerRows() const = 0;
  virtual int SelectedLayerRow() const = 0;
  virtual void SetLayerRows(const std::vector<LayerListRow>& rows, int selected) = 0;
};

// The shared text and shader editor.
class EditorView {
 public:
  virtual ~EditorView() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  // Caret line and column, both counted from 1.
  virtual void Caret(int& line, int& column) const = 0;
  virtual void SetCaret(int line, int column) = 0;
  // The line drawn as faulty in the gutter (from 1); 0 clears the mark.
  virtual void MarkLine(int line) = 0;
};

// How the editor window opens.
struct EditorSetup {
  std::string Title;   // "Quellor - " + the kind's title
  std::string Text;
  bool CodeView = false;  // shader kinds: fixed pitch, line numbers, parameter names
};

struct AboutContent {
  std::string Title;  // "Quellor v0.67 - About"
  std::string Text;   // version line, CR, credits
};

}  // namespace quellor
