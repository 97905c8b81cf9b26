#pragma once
// The start-up resolution chooser on wxWidgets: banner, red and blue pill, the list of
// display modes. Modal; runs before the main window exists.
#include "app/dialogs/ResolutionChoice.h"

namespace quellor {

class WxResolutionChooser : public ResolutionChooser {
 public:
  std::vector<Resolution> DisplayModes() override;
  ChooserResult Run(const ChooserSetup& setup) override;
};

}  // namespace quellor
