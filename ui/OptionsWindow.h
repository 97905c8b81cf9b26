#pragma once
// The "Intro Options" tool window: nine tabs built from the options control table. It
// shows values and posts a gadget event for every change; what a change means is decided
// in app/dialogs.
#include <functional>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "app/dialogs/DialogViews.h"
#include "app/dialogs/OptionControls.h"

class wxListCtrl;
class wxStaticText;

namespace quellor {

class OptionsFrame : public wxFrame, public OptionsView {
 public:
  // `post` queues the gadget event of a control that the user changed.
  OptionsFrame(wxWindow* owner, std::function<void(int)> post);

  std::string Value(int gadget) const override;
  void ShowState(const OptionsState& s) override;
  std::vector<LayerListRow> LayerRows() const override;
  int SelectedLayerRow() const override;
  void SetLayerRows(const std::vector<LayerListRow>& rows, int selected) override;

 private:
  struct Widget {
    const options::Control* Def = nullptr;
    wxWindow* Main = nullptr;          // the control itself
    wxStaticText* Caption = nullptr;   // its caption, where it has one apart
    std::string Shown;                 // the value the control holds now (kept while unbuilt)
    std::vector<std::string> Items;    // a combo's items
    std::string Label;                 // a caption that follows the model; empty: as built
    bool Enabled = true;
  };

  // Tabs are built when first shown; until then their values wait in the widgets.
  void Build();
  void BuildTab(int tab);
  void BuildControl(wxWindow* page, const options::Control& c, const options::Control* frame, int& cell,
                    int& row);
  void BindEvents(Widget& w);
  void SetShown(Widget& w, const std::string& value);
  void ApplyLabel(Widget& w);
  void OnEditText(Widget& w);
  Widget* Find(int gadget);
  const Widget* Find(int gadget) const;

  std::function<void(int)> post_;
  std::vector<Widget> widgets_;  // by gadget - kFirstGadget
  std::vector<wxWindow*> pages_;
  std::vector<bool> built_;
  wxListCtrl* layers_ = nullptr;
  std::vector<LayerListRow> rows_;
};

}  // namespace quellor
