#include "app/dialogs/ResolutionChoice.h"

#include <algorithm>

namespace quellor {

std::vector<Resolution> ResolutionChoices(std::span<const Resolution> modes) {
  std::vector<Resolution> out;
  for (const Resolution& r : modes) {
    if (r.Bits <= 16 || r.Hz != 60 || r.Width <= 0 || r.Height <= 0) continue;
    bool known = std::any_of(out.begin(), out.end(),
                             [&](const Resolution& o) { return o.Width == r.Width && o.Height == r.Height; });
    if (!known) out.push_back(r);
  }
  return out;
}

std::vector<Resolution> FallbackResolutions() { return {{640, 480, 32, 60}, {800, 600, 32, 60}, {1024, 768, 32, 60}}; }

std::string ResolutionItem(const Resolution& r) {
  return "Resolution ( " + std::to_string(r.Width) + " * " + std::to_string(r.Height) + " )";
}

int DefaultChoice(const std::vector<Resolution>& choices, int32_t lastSelect) {
  if (lastSelect >= 0 && lastSelect < static_cast<int32_t>(choices.size())) return lastSelect;
  for (size_t i = 0; i < choices.size(); ++i)
    if (choices[i].Width == 800 && choices[i].Height == 600) return static_cast<int>(i);
  return 0;
}

ChooserSetup MakeChooserSetup(const IntroModel& m, const std::vector<Resolution>& choices, int selected,
                              const StartupPack& images) {
  ChooserSetup s;
  s.Title = "Quellor v" + m.ProgramVersion;
  for (const Resolution& r : choices) s.Items.push_back(ResolutionItem(r));
  s.Selected = selected;
  s.Text = "Choose your Destiny or at least a valid Screen Resolution for your Intro.\n"
           "Once chosen, there is no turning back until the next start.";
  s.RedTip = "Take the red pill: you stay, and go on with this resolution.";
  s.BlueTip = "Take the blue pill: the story ends here.";
  s.Images = &images;
  return s;
}

bool ChooseResolution(ResolutionChooser& chooser, const StartupPack& images, IntroModel& m,
                      ProgramSettings& settings, const std::string& path) {
  std::vector<Resolution> modes = chooser.DisplayModes();
  std::vector<Resolution> choices = ResolutionChoices(modes);
  if (choices.empty()) choices = FallbackResolutions();
  ChooserResult r = chooser.Run(MakeChooserSetup(m, choices, DefaultChoice(choices, settings.LastSelect), images));
  if (r.Chosen == ChooserResult::Action::Quit) return false;
  const int index = std::clamp(r.Selected, 0, static_cast<int>(choices.size()) - 1);
  if (r.Chosen == ChooserResult::Action::Take) {
    m.ScreenX = choices[static_cast<size_t>(index)].Width;
    m.ScreenY = choices[static_cast<size_t>(index)].Height;
  }
  settings.LastSelect = index;
  ++settings.StartS;
  WriteSettings(path, settings);
  return true;
}

}  // namespace quellor
