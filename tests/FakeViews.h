#pragma once
// Dialog windows for tests: what the shell wrote into them is kept, and a test sets what
// the user "typed" or "selected" directly.
#include <map>
#include <string>
#include <vector>

#include "app/dialogs/DialogViews.h"
#include "app/dialogs/OptionsState.h"

namespace quellor {

class FakeOptionsView : public OptionsView {
 public:
  std::map<int, std::string> Values;
  std::map<int, std::string> Captions;
  std::map<int, bool> Enabled;
  std::vector<LayerListRow> Rows;
  int Selected = -1;
  std::vector<std::string> Presets;
  OptionsState Last;  // the state of the last refresh
  int Shows = 0;

  std::string Value(int gadget) const override {
    auto it = Values.find(gadget);
    return it == Values.end() ? std::string() : it->second;
  }
  void ShowState(const OptionsState& s) override {
    ++Shows;
    Last = s;
    for (const auto& [id, v] : s.Values) Values[id] = v;
    for (const auto& [id, v] : s.Captions) Captions[id] = v;
    for (const auto& [id, v] : s.Enabled) Enabled[id] = v;
    Rows = s.Layers;
    Presets = s.FontPresets;
  }
  std::vector<LayerListRow> LayerRows() const override { return Rows; }
  int SelectedLayerRow() const override { return Selected; }
  void SetLayerRows(const std::vector<LayerListRow>& rows, int selected) override {
    Rows = rows;
    Selected = selected;
  }
};

class FakeEditorView : public EditorView {
 public:
  std::string Content;
  int Line = 1, Column = 1;
  int Marked = 0;
  std::string Text() const override { return Content; }
  void SetText(const std::string& text) override { Content = text; }
  void Caret(int& line, int& column) const override {
    line = Line;
    column = Column;
  }
  void SetCaret(int line, int column) override {
    Line = line;
    Column = column;
  }
  void MarkLine(int line) override { Marked = line; }
};

}  // namespace quellor
