#pragma once
// The shared text and shader editor window: "Okay", "Cancel", "Load", "Save" above a text
// area. Shader kinds get a code view (fixed pitch, line numbers in a gutter, the faulty
// line's number in red, the effect parameter names highlighted).
#include <functional>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "app/dialogs/CodeView.h"
#include "app/dialogs/DialogViews.h"

class wxStyledTextCtrl;
class wxTextCtrl;
class wxStyledTextEvent;

namespace quellor {

class TextEditorFrame : public wxFrame, public EditorView {
 public:
  // `post` queues the gadget event of a button; `rightClick` the context-menu request.
  TextEditorFrame(wxWindow* owner, const EditorSetup& setup, std::function<void(int)> post,
                  std::function<void()> rightClick);

  std::string Text() const override;
  void SetText(const std::string& text) override;
  void Caret(int& line, int& column) const override;
  void SetCaret(int line, int column) override;
  void MarkLine(int line) override;
  // "Undo", "Cut", "Copy", "Paste", "Mark all" at the mouse.
  void ShowContextMenu();

 private:
  void BuildCodeView(const std::string& text);
  void StyleParameterNames(int from, int to);
  // Writes the numbers of the lines on screen (the marked one in red) where they are stale.
  void UpdateGutter();

  wxStyledTextCtrl* code_ = nullptr;
  wxTextCtrl* plain_ = nullptr;
  int marked_ = 0;
  std::vector<TextSpan> spans_;
};

}  // namespace quellor
