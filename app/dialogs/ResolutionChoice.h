#pragma once
// The start-up resolution chooser: which display modes it lists, what it preselects, and
// the whole start-up step around the window (settings read, choice taken, settings written).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/ResourcePacks.h"
#include "app/dialogs/Settings.h"
#include "project/IntroModel.h"

namespace quellor {

struct Resolution {
  int Width = 0, Height = 0;
  int Bits = 32, Hz = 60;
};

// Modes with more than 16-bit colour at exactly 60 Hz, each width x height once, in the
// order the display lists them.
std::vector<Resolution> ResolutionChoices(std::span<const Resolution> modes);
// Offered when no mode qualifies (a virtual display reports none at 60 Hz).
std::vector<Resolution> FallbackResolutions();
// "Resolution ( W * H )".
std::string ResolutionItem(const Resolution& r);
// The entry preselected: the last pick when it names an entry, else 800 x 600, else 0.
int DefaultChoice(const std::vector<Resolution>& choices, int32_t lastSelect);

struct ChooserSetup {
  std::string Title;
  std::vector<std::string> Items;
  int Selected = 0;
  std::string Text;             // the label beside the list
  std::string RedTip, BlueTip;  // tooltips of the two pills
  const StartupPack* Images = nullptr;  // banner and pills, encoded; may be empty
};

struct ChooserResult {
  enum class Action { Take, Quit, Closed } Chosen = Action::Closed;
  int Selected = 0;  // the list's index when the window went away
};

// The window, shown by the host before the main window exists.
class ResolutionChooser {
 public:
  virtual ~ResolutionChooser() = default;
  virtual std::vector<Resolution> DisplayModes() = 0;
  // Shows the window and waits until a pill is pressed or the window is closed.
  virtual ChooserResult Run(const ChooserSetup& setup) = 0;
};

ChooserSetup MakeChooserSetup(const IntroModel& m, const std::vector<Resolution>& choices, int selected,
                              const StartupPack& images);

// Start-up without a size on the command line: runs the chooser and sets ScreenX/ScreenY.
// Returns false when the user chose to end the program (nothing is written then);
// otherwise `settings` hold the pick and one more start-up, and are written to `path`.
bool ChooseResolution(ResolutionChooser& chooser, const StartupPack& images, IntroModel& m,
                      ProgramSettings& settings, const std::string& path);

}  // namespace quellor
