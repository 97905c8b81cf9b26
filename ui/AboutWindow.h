#pragma once
// The About window: version and credits, "Website" and "Okay".
#include <functional>

#include <wx/frame.h>

#include "app/dialogs/DialogViews.h"

namespace quellor {

class AboutFrame : public wxFrame {
 public:
  AboutFrame(wxWindow* owner, const AboutContent& content, std::function<void(int)> post);
};

}  // namespace quellor
