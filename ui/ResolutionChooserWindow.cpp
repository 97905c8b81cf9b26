#include "ui/ResolutionChooserWindow.h"

#include <wx/bmpbuttn.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace quellor {

namespace {
constexpr int kWidth = 393, kHeight = 205;
enum { kRedPill = wxID_HIGHEST + 1, kBluePill };

// An image from the resource pack, scaled to w x h; an empty one where it cannot be read.
wxBitmap PackImage(const std::vector<uint8_t>& bytes, int w, int h) {
  wxImage img;
  if (!bytes.empty()) {
    wxMemoryInputStream in(bytes.data(), bytes.size());
    wxLogNull quiet;  // a broken image is simply left out
    img.LoadFile(in, wxBITMAP_TYPE_ANY);
  }
  if (!img.IsOk()) {
    img.Create(w, h);
    img.SetRGB(wxRect(0, 0, w, h), 40, 40, 40);
  }
  if (img.GetWidth() != w || img.GetHeight() != h) img.Rescale(w, h, wxIMAGE_QUALITY_HIGH);
  return wxBitmap(img);
}
}  // namespace

std::vector<Resolution> WxResolutionChooser::DisplayModes() {
  std::vector<Resolution> out;
  if (wxDisplay::GetCount() == 0) return out;
  wxDisplay display(0u);
  wxArrayVideoModes modes = display.GetModes();
  for (size_t i = 0; i < modes.GetCount(); ++i) {
    const wxVideoMode& mode = modes[i];
    out.push_back({mode.GetWidth(), mode.GetHeight(), mode.GetDepth(), mode.GetRefresh()});
  }
  return out;
}

ChooserResult WxResolutionChooser::Run(const ChooserSetup& setup) {
  if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxInitAllImageHandlers();
  wxDialog dlg(nullptr, wxID_ANY, wxString::FromUTF8(setup.Title), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX);
  dlg.SetClientSize(kWidth, kHeight);
  const StartupPack empty;
  const StartupPack& pack = setup.Images ? *setup.Images : empty;
  new wxStaticBitmap(&dlg, wxID_ANY, PackImage(pack.Banner, kWidth, 95), wxPoint(0, 0), wxSize(kWidth, 95));
  wxBitmapButton* red = new wxBitmapButton(&dlg, kRedPill, PackImage(pack.RedPill, 92, 92), wxPoint(6, 100),
                                           wxSize(100, 100));
  wxBitmapButton* blue = new wxBitmapButton(&dlg, kBluePill, PackImage(pack.BluePill, 92, 92), wxPoint(285, 100),
                                            wxSize(100, 100));
  red->SetToolTip(wxString::FromUTF8(setup.RedTip));
  blue->SetToolTip(wxString::FromUTF8(setup.BlueTip));
  wxChoice* list = new wxChoice(&dlg, wxID_ANY, wxPoint(123, 100), wxSize(150, -1));
  list->SetFont(wxFont(wxFontInfo(7)));  // "Resolution ( 1024 * 768 )" fits the list
  for (const std::string& item : setup.Items) list->Append(wxString::FromUTF8(item));
  if (setup.Selected >= 0 && setup.Selected < static_cast<int>(setup.Items.size())) list->SetSelection(setup.Selected);
  wxStaticText* text = new wxStaticText(&dlg, wxID_ANY, wxString::FromUTF8(setup.Text), wxPoint(118, 130),
                                        wxSize(160, 70), wxST_NO_AUTORESIZE);
  text->SetFont(wxFont(wxFontInfo(7)));
  text->Wrap(158);

  ChooserResult result;
  red->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) {
    result.Chosen = ChooserResult::Action::Take;
    dlg.EndModal(kRedPill);
  });
  blue->Bind(wxEVT_BUTTON, [&](wxCommandEvent&) {
    result.Chosen = ChooserResult::Action::Quit;
    dlg.EndModal(kBluePill);
  });
  dlg.CentreOnScreen();
  red->SetFocus();
  dlg.ShowModal();  // the close box ends it with the default action "Closed"
  result.Selected = list->GetSelection() == wxNOT_FOUND ? setup.Selected : list->GetSelection();
  return result;
}

}  // namespace quellor
