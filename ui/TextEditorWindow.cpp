#include "ui/TextEditorWindow.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/stc/stc.h>
#include <wx/textctrl.h>

#include "app/dialogs/TextEditor.h"

namespace quellor {

namespace {
constexpr int kClientW = 852, kClientH = 696;
constexpr int kTextW = 840, kTextH = 635;
constexpr int kGutterW = 33;

// Styles of the code view: text, parameter names, gutter numbers, the marked number.
constexpr int kStyleText = 0, kStyleName = 1, kStyleNumber = 2, kStyleMarked = 3;
enum MenuId { kUndo = 1, kCut, kCopy, kPaste, kMarkAll };

wxFont CodeFont(int pixelHeight) {
  return wxFont(wxFontInfo(wxSize(0, pixelHeight)).Family(wxFONTFAMILY_TELETYPE).FaceName("Courier"));
}
}  // namespace

TextEditorFrame::TextEditorFrame(wxWindow* owner, const EditorSetup& setup, std::function<void(int)> post,
                                 std::function<void()> rightClick)
    : wxFrame(owner, wxID_ANY, wxString::FromUTF8(setup.Title), wxDefaultPosition, wxDefaultSize,
              wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX) {
  wxPanel* panel = new wxPanel(this);
  struct ButtonDef {
    const char* Text;
    int Gadget;
    int X;
  };
  const ButtonDef buttons[] = {{"Okay", editor::kOkay, 6},
                               {"Cancel", editor::kCancel, 92},
                               {"Load", editor::kLoad, kClientW - 172},
                               {"Save", editor::kSave, kClientW - 86}};
  for (const ButtonDef& b : buttons) {
    wxButton* button = new wxButton(panel, wxID_ANY, b.Text, wxPoint(b.X, 5), wxSize(80, 25));
    const int gadget = b.Gadget;
    button->Bind(wxEVT_BUTTON, [post, gadget](wxCommandEvent&) { post(gadget); });
  }
  if (setup.CodeView) {
    code_ = new wxStyledTextCtrl(panel, wxID_ANY, wxPoint(6, 36), wxSize(kTextW, kTextH));
    BuildCodeView(setup.Text);
  } else {
    plain_ = new wxTextCtrl(panel, wxID_ANY, wxString::FromUTF8(setup.Text), wxPoint(6, 36), wxSize(kTextW, kTextH),
                            wxTE_MULTILINE | wxTE_DONTWRAP | wxHSCROLL);
    plain_->SetFont(wxFont(wxFontInfo(10).Family(wxFONTFAMILY_TELETYPE).FaceName("Courier")));
  }
  wxWindow* text = code_ ? static_cast<wxWindow*>(code_) : plain_;
  // Our own context menu replaces the toolkit's.
  text->Bind(wxEVT_RIGHT_DOWN, [rightClick](wxMouseEvent&) { rightClick(); });
  text->Bind(wxEVT_CONTEXT_MENU, [](wxContextMenuEvent&) {});
  SetClientSize(kClientW, kClientH);
  CentreOnScreen();
  text->SetFocus();
}

void TextEditorFrame::BuildCodeView(const std::string& text) {
  wxStyledTextCtrl* c = code_;
  c->UsePopUp(wxSTC_POPUP_NEVER);
  c->SetLexer(wxSTC_LEX_CONTAINER);
  c->SetEOLMode(wxSTC_EOL_CRLF);
  c->SetWrapMode(wxSTC_WRAP_NONE);
  c->StyleSetFont(wxSTC_STYLE_DEFAULT, CodeFont(12));
  c->StyleSetForeground(wxSTC_STYLE_DEFAULT, *wxBLACK);
  c->StyleSetBackground(wxSTC_STYLE_DEFAULT, *wxWHITE);
  c->StyleClearAll();
  c->StyleSetForeground(kStyleName, wxColour(0, 170, 255));
  c->StyleSetForeground(kStyleNumber, wxColour(160, 160, 255));
  c->StyleSetForeground(kStyleMarked, wxColour(255, 0, 0));
  // Gutter: right-aligned numbers 33 pixels wide, 3 pixels of space, a light grey line;
  // the text starts 40 pixels in.
  c->SetMarginCount(3);
  c->SetMarginType(0, wxSTC_MARGIN_RTEXT);
  c->SetMarginWidth(0, kGutterW);
  c->SetMarginType(1, wxSTC_MARGIN_COLOUR);
  c->SetMarginWidth(1, 3);
  c->SetMarginBackground(1, *wxWHITE);
  c->SetMarginType(2, wxSTC_MARGIN_COLOUR);
  c->SetMarginWidth(2, 1);
  c->SetMarginBackground(2, wxColour(208, 208, 208));
  c->SetMarginLeft(3);
  c->SetText(wxString::FromUTF8(text));
  c->EmptyUndoBuffer();
  c->Bind(wxEVT_STC_STYLENEEDED, [this](wxStyledTextEvent& ev) {
    int from = code_->PositionFromLine(code_->LineFromPosition(code_->GetEndStyled()));
    StyleParameterNames(from, ev.GetPosition());
  });
  c->Bind(wxEVT_STC_MODIFIED, [this](wxStyledTextEvent& ev) {
    // Numbers stay with the lines they were written for: after lines came or went they
    // are written again, once the change is through.
    if (ev.GetLinesAdded() != 0) CallAfter([this] { UpdateGutter(); });
    ev.Skip();
  });
  // Scrolling brings other lines into view: their numbers are checked then.
  c->Bind(wxEVT_STC_UPDATEUI, [this](wxStyledTextEvent& ev) {
    UpdateGutter();
    ev.Skip();
  });
  // A changed zoom changes the text's size: the gutter keeps its width.
  c->Bind(wxEVT_STC_ZOOM, [this](wxStyledTextEvent&) {
    code_->SetMarginWidth(0, kGutterW);
    UpdateGutter();
  });
  UpdateGutter();
}

void TextEditorFrame::StyleParameterNames(int from, int to) {
  if (to <= from) return;
  wxCharBuffer raw = code_->GetTextRangeRaw(from, to);
  std::string_view text(raw.data(), raw.length());
  FindParameterNames(text, spans_);
  code_->StartStyling(from);
  code_->SetStyling(to - from, kStyleText);
  for (const TextSpan& s : spans_) {
    code_->StartStyling(from + static_cast<int>(s.Start));
    code_->SetStyling(static_cast<int>(s.Length), kStyleName);
  }
}

void TextEditorFrame::UpdateGutter() {
  if (!code_) return;
  // Only the lines on screen: a long shader costs no more than a short one.
  const int lines = code_->GetLineCount();
  const int first = code_->GetFirstVisibleLine();
  const int last = std::min(lines, first + code_->LinesOnScreen() + 1);
  for (int i = first; i < last; ++i) {
    const wxString number = wxString::Format("%d", i + 1);
    const int style = i + 1 == marked_ ? kStyleMarked : kStyleNumber;
    if (code_->MarginGetText(i) != number) code_->MarginSetText(i, number);
    if (code_->MarginGetStyle(i) != style) code_->MarginSetStyle(i, style);
  }
}

std::string TextEditorFrame::Text() const {
  wxString t = code_ ? code_->GetText() : plain_->GetValue();
  return std::string(t.utf8_str());
}

void TextEditorFrame::SetText(const std::string& text) {
  if (code_) {
    code_->SetText(wxString::FromUTF8(text));
    UpdateGutter();
  } else {
    plain_->ChangeValue(wxString::FromUTF8(text));
  }
}

void TextEditorFrame::Caret(int& line, int& column) const {
  if (code_) {
    int pos = code_->GetCurrentPos();
    line = code_->LineFromPosition(pos) + 1;
    column = code_->GetColumn(pos) + 1;
    return;
  }
  long x = 0, y = 0;
  plain_->PositionToXY(plain_->GetInsertionPoint(), &x, &y);
  line = static_cast<int>(y) + 1;
  column = static_cast<int>(x) + 1;
}

void TextEditorFrame::SetCaret(int line, int column) {
  if (code_) {
    const int lines = code_->GetLineCount();
    const int l = std::clamp(line, 1, std::max(1, lines)) - 1;
    int pos = code_->PositionFromLine(l);
    // The column only where the line is long enough.
    if (column >= 1 && column - 1 <= code_->GetLineEndPosition(l) - pos) pos = code_->FindColumn(l, column - 1);
    code_->GotoPos(pos);
    code_->EnsureCaretVisible();
    code_->SetFocus();
    return;
  }
  const long lines = plain_->GetNumberOfLines();
  const long l = std::clamp<long>(line, 1, std::max(1L, lines)) - 1;
  long pos = plain_->XYToPosition(0, l);
  if (column >= 1 && column - 1 <= plain_->GetLineLength(l)) pos = plain_->XYToPosition(column - 1, l);
  if (pos >= 0) plain_->SetInsertionPoint(pos);
  plain_->ShowPosition(plain_->GetInsertionPoint());
}

void TextEditorFrame::MarkLine(int line) {
  marked_ = line;
  UpdateGutter();
}

void TextEditorFrame::ShowContextMenu() {
  wxMenu menu;
  menu.Append(kUndo, "Undo");
  menu.AppendSeparator();
  menu.Append(kCut, "Cut");
  menu.Append(kCopy, "Copy");
  menu.Append(kPaste, "Paste");
  menu.AppendSeparator();
  menu.Append(kMarkAll, "Mark all");
  wxWindow* text = code_ ? static_cast<wxWindow*>(code_) : plain_;
  int chosen = text->GetPopupMenuSelectionFromUser(menu, text->ScreenToClient(wxGetMousePosition()));
  switch (chosen) {
    case kUndo: code_ ? code_->Undo() : plain_->Undo(); break;
    case kCut: code_ ? code_->Cut() : plain_->Cut(); break;
    case kCopy: code_ ? code_->Copy() : plain_->Copy(); break;
    case kPaste: code_ ? code_->Paste() : plain_->Paste(); break;
    case kMarkAll: code_ ? code_->SelectAll() : plain_->SelectAll(); break;
    default: break;
  }
}

}  // namespace quellor
