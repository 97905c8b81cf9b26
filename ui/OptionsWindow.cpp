#include "ui/OptionsWindow.h"

#include <algorithm>
#include <cstdio>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/dialogs/OptionsState.h"
#include "app/dialogs/OptionsWindow.h"

namespace quellor {

using namespace options;

namespace {
constexpr int kRowPitch = 26;
constexpr int kFrameTop = 20;
constexpr int kControlH = 24;

wxString Wx(const std::string& s) { return wxString::FromUTF8(s); }
std::string Std(const wxString& s) { return std::string(s.utf8_str()); }

// Line ends of the model's texts are CR; the toolkit breaks lines at LF.
wxString Lines(const std::string& s) {
  std::string out = s;
  std::replace(out.begin(), out.end(), '\r', '\n');
  return Wx(out);
}

wxColour SwatchColour(const std::string& rgb) {
  int r = 0, g = 0, b = 0;
  std::sscanf(rgb.c_str(), "%d,%d,%d", &r, &g, &b);
  return wxColour(static_cast<unsigned char>(r), static_cast<unsigned char>(g), static_cast<unsigned char>(b));
}
}  // namespace

OptionsFrame::OptionsFrame(wxWindow* owner, std::function<void(int)> post)
    : wxFrame(owner, wxID_ANY, "Intro Options", wxDefaultPosition, wxDefaultSize,
              wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX | wxFRAME_FLOAT_ON_PARENT),
      post_(std::move(post)) {
  SetFont(wxFont(wxFontInfo(8)));
  Build();
  SetClientSize(kWindowW, kWindowH);
  // Beside the preview, where it does not cover it.
  if (owner) {
    wxRect r = owner->GetScreenRect();
    SetPosition(wxPoint(r.GetRight() + 8, r.GetTop()));
  }
}

void OptionsFrame::Build() {
  const std::vector<Control>& all = Controls();
  widgets_.resize(all.size());
  for (size_t i = 0; i < all.size(); ++i) {
    Widget& w = widgets_[i];
    const Control& c = all[i];
    w.Def = &c;
    w.Enabled = c.Enabled;
    w.Items = c.Choices;
    w.Shown = c.Initial;
    if (c.Type == Kind::Combo && c.Initial.empty()) w.Shown = "-1";
    if ((c.Type == Kind::Check || c.Type == Kind::Radio) && c.Initial.empty()) w.Shown = "0";
  }
  wxPanel* root = new wxPanel(this);
  wxNotebook* book = new wxNotebook(root, wxID_ANY, wxPoint(5, 5), wxSize(kPanelW, kPanelH));
  for (const char* name : kTabNames) {
    pages_.push_back(new wxPanel(book));
    book->AddPage(pages_.back(), name);
  }
  built_.assign(pages_.size(), false);
  book->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& ev) {
    if (ev.GetSelection() >= 0) BuildTab(ev.GetSelection());
    ev.Skip();
  });
  BuildTab(0);
}

void OptionsFrame::BuildTab(int tab) {
  if (tab < 0 || tab >= static_cast<int>(built_.size()) || built_[static_cast<size_t>(tab)]) return;
  built_[static_cast<size_t>(tab)] = true;
  const Control* frame = nullptr;
  int cell = 0, row = 0;
  for (const Control& c : Controls()) {
    if (c.Tab != tab) continue;
    if (c.Type == Kind::Frame) {
      frame = &c;
      cell = row = 0;
    } else if (c.Frame == 0) {
      frame = nullptr;
    }
    BuildControl(pages_[static_cast<size_t>(tab)], c, frame, cell, row);
  }
}

void OptionsFrame::BuildControl(wxWindow* page, const Control& c, const Control* frame, int& cell, int& row) {
  Widget& w = widgets_[static_cast<size_t>(c.Id - kFirstGadget)];
  if (c.Type == Kind::Frame) {
    w.Main = new wxStaticBox(page, wxID_ANY, Wx(c.Caption), wxPoint(c.X, c.Y), wxSize(c.W, c.H));
    ApplyLabel(w);
    return;
  }
  // Where the control goes: a rectangle of its own, or the next cells of its frame.
  int x = 0, y = 0, width = 0, height = kControlH;
  if (c.W > 0) {
    x = (frame ? frame->X : 0) + c.X;
    y = (frame ? frame->Y : 0) + c.Y;
    width = c.W;
    height = c.H;
  } else if (frame && !frame->Columns.empty()) {
    const int cols = static_cast<int>(frame->Columns.size());
    if (cell + c.Span > cols) {
      cell = 0;
      ++row;
    }
    x = frame->X + 8;
    for (int i = 0; i < cell; ++i) x += frame->Columns[static_cast<size_t>(i)];
    for (int i = cell; i < cell + c.Span && i < cols; ++i) width += frame->Columns[static_cast<size_t>(i)];
    width -= 6;
    y = frame->Y + kFrameTop + row * kRowPitch;
    cell += c.Span;
  }

  // The caption sits left of edits, combos and value labels.
  const bool captioned = !c.Caption.empty() &&
                         (c.Type == Kind::Edit || c.Type == Kind::ReadOnly || c.Type == Kind::Combo ||
                          c.Type == Kind::Label || c.Type == Kind::Swatch);
  if (captioned) {
    int cw = frame && frame->CaptionW > 0 ? frame->CaptionW : width * 2 / 5;
    if (c.Type == Kind::Label && !c.Get && c.Initial.empty()) cw = width;
    w.Caption = new wxStaticText(page, wxID_ANY, Wx(c.Caption), wxPoint(x, y + 5), wxSize(cw - 4, -1),
                                 wxST_NO_AUTORESIZE);
    x += cw;
    width -= cw;
  }
  int unitW = c.Unit.empty() ? 0 : 28;
  if (unitW) new wxStaticText(page, wxID_ANY, Wx(c.Unit), wxPoint(x + width - unitW + 4, y + 5));
  width -= unitW;

  const wxPoint at(x, y);
  const wxSize size(std::max(width, 20), height);
  switch (c.Type) {
    case Kind::Label:
      if (c.Get || !c.Initial.empty())
        w.Main = new wxStaticText(page, wxID_ANY, Wx(c.Initial), wxPoint(x, y + 5), wxSize(size.x, -1),
                                  wxST_NO_AUTORESIZE);
      break;
    case Kind::Info:
      w.Main = new wxStaticText(page, wxID_ANY, "", at, size, wxST_NO_AUTORESIZE);
      break;
    case Kind::Check:
      w.Main = new wxCheckBox(page, wxID_ANY, Wx(c.Caption), at, size);
      break;
    case Kind::Radio: {
      const Widget& before = widgets_[static_cast<size_t>(c.Id - kFirstGadget - 1)];
      bool first = !before.Def || before.Def->Type != Kind::Radio || before.Def->Key != c.Key;
      w.Main = new wxRadioButton(page, wxID_ANY, Wx(c.Caption), at, size, first ? wxRB_GROUP : 0);
      break;
    }
    case Kind::Combo: {
      wxChoice* choice = new wxChoice(page, wxID_ANY, at, size);
      for (const std::string& item : w.Items) choice->Append(Wx(item));
      w.Main = choice;
      break;
    }
    case Kind::Track:
      w.Main = new wxSlider(page, wxID_ANY, 50, 0, 100, at, size, wxSL_VERTICAL);
      break;
    case Kind::Button:
      w.Main = new wxButton(page, wxID_ANY, Wx(c.Caption), at, wxSize(std::min(size.x, 170), kControlH));
      break;
    case Kind::Swatch: {
      wxPanel* swatch = new wxPanel(page, wxID_ANY, at, wxSize(65, 25), wxBORDER_SIMPLE);
      swatch->SetBackgroundColour(*wxBLACK);
      swatch->SetCursor(wxCursor(wxCURSOR_HAND));
      w.Main = swatch;
      break;
    }
    case Kind::LayerList: {
      layers_ = new wxListCtrl(page, wxID_ANY, at, size, wxLC_REPORT | wxLC_SINGLE_SEL);
      layers_->AppendColumn("Effect", wxLIST_FORMAT_LEFT, size.x * 3 / 5);
      layers_->AppendColumn("Layer", wxLIST_FORMAT_LEFT, size.x * 2 / 5 - 4);
      w.Main = layers_;
      SetLayerRows(rows_, -1);
      break;
    }
    case Kind::Edit:
    case Kind::ReadOnly: {
      long style = c.Type == Kind::ReadOnly ? wxTE_READONLY : 0;
      w.Main = new wxTextCtrl(page, wxID_ANY, Wx(c.Initial), at, size, style);
      break;
    }
    case Kind::Frame:
      break;
  }
  if (!w.Main) return;
  if (!w.Enabled) {
    w.Main->Enable(false);
    if (w.Caption) w.Caption->Enable(false);
  }
  ApplyLabel(w);
  SetShown(w, w.Shown);
  BindEvents(w);
}

void OptionsFrame::ApplyLabel(Widget& w) {
  if (w.Label.empty() || !w.Main) return;
  wxWindow* target = w.Caption ? static_cast<wxWindow*>(w.Caption) : w.Main;
  target->SetLabel(Wx(w.Label));
}

void OptionsFrame::BindEvents(Widget& w) {
  const int id = w.Def->Id;
  switch (w.Def->Type) {
    case Kind::Check:
      w.Main->Bind(wxEVT_CHECKBOX, [this, id](wxCommandEvent& ev) {
        Find(id)->Shown = ev.IsChecked() ? "1" : "0";
        post_(id);
      });
      break;
    case Kind::Radio:
      w.Main->Bind(wxEVT_RADIOBUTTON, [this, id](wxCommandEvent&) {
        // The others of the group went off without an event of their own.
        for (Widget& o : widgets_)
          if (o.Def && o.Def->Type == Kind::Radio && o.Def->Key == Find(id)->Def->Key) o.Shown = "0";
        Find(id)->Shown = "1";
        post_(id);
      });
      break;
    case Kind::Combo:
      w.Main->Bind(wxEVT_CHOICE, [this, id](wxCommandEvent& ev) {
        Find(id)->Shown = std::to_string(ev.GetSelection());
        post_(id);
      });
      break;
    case Kind::Track:
      w.Main->Bind(wxEVT_SLIDER, [this, id](wxCommandEvent& ev) {
        Find(id)->Shown = std::to_string(ev.GetInt());
        post_(id);
      });
      break;
    case Kind::Button:
      w.Main->Bind(wxEVT_BUTTON, [this, id](wxCommandEvent&) { post_(id); });
      break;
    case Kind::Swatch:
      w.Main->Bind(wxEVT_LEFT_DOWN, [this, id](wxMouseEvent&) { post_(id); });
      break;
    case Kind::Edit:
      w.Main->Bind(wxEVT_TEXT, [this, id](wxCommandEvent&) { OnEditText(*Find(id)); });
      break;
    case Kind::LayerList:
      // Choosing a row shows its layer in the "Edit Entry" combo.
      layers_->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& ev) {
        long i = ev.GetIndex();
        if (i < 0 || i >= static_cast<long>(rows_.size())) return;
        Widget* edit = Find(GadgetId(kLayerEdit));
        if (!edit) return;
        auto it = std::find(edit->Def->Choices.begin(), edit->Def->Choices.end(), rows_[static_cast<size_t>(i)].Layer);
        if (it != edit->Def->Choices.end()) SetShown(*edit, std::to_string(it - edit->Def->Choices.begin()));
      });
      break;
    default:
      break;
  }
}

void OptionsFrame::OnEditText(Widget& w) {
  wxTextCtrl* t = static_cast<wxTextCtrl*>(w.Main);
  if (w.Def->Filter != Input::Text) {
    // One byte per character, so the caret counts the same on both sides; characters
    // outside ASCII are never kept by a number field.
    wxString value = t->GetValue();
    std::string ascii;
    for (wxUniChar ch : value) ascii += ch.IsAscii() ? static_cast<char>(ch.GetValue()) : '\x01';
    int caret = static_cast<int>(t->GetInsertionPoint());
    std::string kept = FilterFieldText(w.Def->Filter, ascii, caret);
    if (kept != ascii) {
      t->ChangeValue(kept);
      t->SetInsertionPoint(caret);
    }
  }
  w.Shown = Std(t->GetValue());
  post_(w.Def->Id);
}

void OptionsFrame::SetShown(Widget& w, const std::string& value) {
  w.Shown = value;
  if (!w.Main) return;  // its tab is not built yet
  const long n = std::strtol(value.c_str(), nullptr, 10);
  switch (w.Def->Type) {
    case Kind::Label:
      static_cast<wxStaticText*>(w.Main)->SetLabel(Wx(value));
      break;
    case Kind::Info:
      static_cast<wxStaticText*>(w.Main)->SetLabel(Lines(value));
      break;
    case Kind::Check:
      static_cast<wxCheckBox*>(w.Main)->SetValue(value == "1");
      break;
    case Kind::Radio:
      if (value == "1") static_cast<wxRadioButton*>(w.Main)->SetValue(true);
      break;
    case Kind::Combo: {
      wxChoice* choice = static_cast<wxChoice*>(w.Main);
      choice->SetSelection(n >= 0 && n < static_cast<long>(choice->GetCount()) ? static_cast<int>(n) : wxNOT_FOUND);
      break;
    }
    case Kind::Track:
      static_cast<wxSlider*>(w.Main)->SetValue(static_cast<int>(std::clamp(n, 0L, 100L)));
      break;
    case Kind::Swatch:
      w.Main->SetBackgroundColour(SwatchColour(value));
      w.Main->Refresh();
      break;
    case Kind::Edit:
    case Kind::ReadOnly:
      static_cast<wxTextCtrl*>(w.Main)->ChangeValue(Wx(value));  // no change event
      break;
    default:
      break;
  }
}

OptionsFrame::Widget* OptionsFrame::Find(int gadget) {
  if (gadget < kFirstGadget || gadget - kFirstGadget >= static_cast<int>(widgets_.size())) return nullptr;
  return &widgets_[static_cast<size_t>(gadget - kFirstGadget)];
}

const OptionsFrame::Widget* OptionsFrame::Find(int gadget) const {
  return const_cast<OptionsFrame*>(this)->Find(gadget);
}

std::string OptionsFrame::Value(int gadget) const {
  const Widget* w = Find(gadget);
  return w ? w->Shown : std::string();
}

void OptionsFrame::ShowState(const OptionsState& s) {
  for (const auto& [id, value] : s.Values) {
    Widget* w = Find(id);
    if (!w) continue;
    if (w->Def->Name == kPresetCombo && w->Items != s.FontPresets) {
      w->Items = s.FontPresets;
      if (w->Main) {
        wxChoice* choice = static_cast<wxChoice*>(w->Main);
        choice->Clear();
        for (const std::string& item : s.FontPresets) choice->Append(Wx(item));
      }
      w->Shown.clear();  // set again below
    }
    if (w->Shown != value) SetShown(*w, value);
  }
  for (const auto& [id, caption] : s.Captions) {
    Widget* w = Find(id);
    if (!w || w->Label == caption) continue;
    w->Label = caption;
    ApplyLabel(*w);
  }
  for (const auto& [id, on] : s.Enabled) {
    Widget* w = Find(id);
    if (!w || w->Enabled == on) continue;
    w->Enabled = on;
    if (!w->Main) continue;
    w->Main->Enable(on);
    if (w->Caption) w->Caption->Enable(on);
  }
  if (rows_ != s.Layers) SetLayerRows(s.Layers, SelectedLayerRow());
}

std::vector<LayerListRow> OptionsFrame::LayerRows() const { return rows_; }

int OptionsFrame::SelectedLayerRow() const {
  return layers_ ? static_cast<int>(layers_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) : -1;
}

void OptionsFrame::SetLayerRows(const std::vector<LayerListRow>& rows, int selected) {
  rows_ = rows;
  if (!layers_) return;
  layers_->DeleteAllItems();
  for (size_t i = 0; i < rows.size(); ++i) {
    long item = layers_->InsertItem(static_cast<long>(i), Wx(rows[i].Name));
    layers_->SetItem(item, 1, Wx(rows[i].Layer));
  }
  if (selected >= 0 && selected < static_cast<int>(rows.size()))
    layers_->SetItemState(selected, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                          wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
}

}  // namespace quellor
