#include "ui/AboutWindow.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include "app/dialogs/About.h"

namespace quellor {

AboutFrame::AboutFrame(wxWindow* owner, const AboutContent& content, std::function<void(int)> post)
    : wxFrame(owner, wxID_ANY, wxString::FromUTF8(content.Title), wxDefaultPosition, wxDefaultSize,
              wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxFRAME_FLOAT_ON_PARENT) {
  wxPanel* panel = new wxPanel(this);
  std::string text = content.Text;
  std::replace(text.begin(), text.end(), '\r', '\n');
  wxTextCtrl* credits = new wxTextCtrl(panel, wxID_ANY, wxString::FromUTF8(text), wxPoint(5, 5), wxSize(310, 305),
                                       wxTE_MULTILINE | wxTE_READONLY);
  credits->SetBackgroundColour(wxColour(204, 221, 255));
  wxButton* website = new wxButton(panel, wxID_ANY, "Website", wxPoint(5, 315), wxSize(120, 25));
  wxButton* okay = new wxButton(panel, wxID_ANY, "Okay", wxPoint(195, 315), wxSize(120, 25));
  website->Bind(wxEVT_BUTTON, [post](wxCommandEvent&) { post(about::kWebsite); });
  okay->Bind(wxEVT_BUTTON, [post](wxCommandEvent&) { post(about::kOkay); });
  SetClientSize(320, 343);
  CentreOnParent();
  okay->SetFocus();
}

}  // namespace quellor
