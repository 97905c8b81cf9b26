#include "app/dialogs/OptionsState.h"

#include <algorithm>
#include <cmath>

#include "app/dialogs/OptionControls.h"
#include "project/Ini.h"
#include "project/ProjectFields.h"
#include "render/Bobs.h"

namespace quellor {

using namespace options;

const std::vector<std::string> kFontPresetNames = {"No Preset", "64 * 64 pixel", "32 * 32 pixel",
                                                   "16 * 16 pixel", " 8 * 8 pixel"};

std::string LayerName(int32_t layer) {
  switch (layer) {
    case 0: return "2d Layer";
    case 1: return "Both Layer";
    case 2: return "3d Layer";
    default: return "";
  }
}

std::vector<LayerListRow> LayerRowsOf(const IntroModel& m) {
  std::vector<LayerListRow> rows;
  for (const std::string& name : m.DisplayOrder) {
    int32_t layer = -1;
    std::string shown = name;
    if (name == "TrainerBar") layer = m.TrainerBar.TB_Layer;
    else if (name == "Sign") layer = m.Sign.Layer;
    else if (name == "Logo") layer = m.Logo.Layer;
    else if (name == "Font1") shown = "Font 1", layer = m.Fonts.F1Layer;
    else if (name == "Font2") shown = "Font 2", layer = m.Fonts.F2Layer;
    else if (name == "Border") layer = m.Border.Layer;
    else if (name == "Anim") layer = m.Anim_2d.Layer;
    else if (name == "Bob_Anim") layer = m.Anim_BOB.Layer;
    else if (name.size() == 4 && name.compare(0, 3, "GFX") == 0 && name[3] >= '1' && name[3] <= '5')
      layer = m.GFX.Layer[name[3] - '0'];
    else
      continue;  // only the known names are listed
    rows.push_back({shown, LayerName(layer)});
  }
  return rows;
}

std::string AnimationInfoText(const AnimFields& a, int sheetW, int sheetH, int frameW, int frameH) {
  // A frame size of 0 would divide by zero; such a sheet holds no whole frame.
  long long possible = frameW > 0 && frameH > 0 ? static_cast<long long>(sheetW / frameW) * (sheetH / frameH) : 0;
  return "Anim values  hndl:" + std::to_string(a.Sprite) + "\r" + "Anim source Size: " + "\r" + "X: " +
         std::to_string(sheetW) + "    -    Y:" + std::to_string(sheetH) + "\r" + "Frames: " + "\r" +
         "Used:" + std::to_string(a.Frames) + "    -    Possible:" + std::to_string(possible) + "\r";
}

std::string UserGridName(const FontGridRecord& g) {
  return std::to_string(g.X) + " * " + std::to_string(g.Y) + " pixel - User defined";
}

bool IsUserGrid(const FontGridRecord& g) {
  static const char* const kStandard[] = {"0 * 0 pixel - User defined", " 8 * 8 pixel - User defined",
                                          "16 * 16 pixel - User defined", "32 * 32 pixel - User defined",
                                          "64 * 64 pixel - User defined"};
  const std::string name = UserGridName(g);
  return std::none_of(std::begin(kStandard), std::end(kStandard), [&](const char* s) { return name == s; });
}

namespace {

// The control's value from the text of its field.
std::string Shown(const Control& c, const std::string& field) {
  switch (c.How) {
    case Conv::Blend: {
      int32_t v = ParseLong(field) - 1;
      return v >= 0 && v < static_cast<int32_t>(c.Choices.size()) ? std::to_string(v) : "-1";
    }
    case Conv::Radio: return ParseLong(field) == c.Value ? "1" : "0";
    case Conv::Track:
      return std::to_string(std::clamp(static_cast<int>(std::lround(ParseFloat(field) * 100.0f)), 0, 100));
    case Conv::DirCheck: return ParseLong(field) == -1 ? "1" : "0";
    case Conv::LayerCombo: {
      int32_t v = ParseLong(field);
      return v == 0 ? "0" : v == 2 ? "1" : v == 1 ? "2" : "-1";
    }
    case Conv::Plain: break;
  }
  if (c.Type == Kind::Check) return ParseFloat(field) != 0.0f ? "1" : "0";
  if (c.Type == Kind::Combo) {
    int32_t v = ParseLong(field);
    return v >= 0 && v < static_cast<int32_t>(c.Choices.size()) ? std::to_string(v) : "-1";
  }
  return field;
}

}  // namespace

OptionsState ReadOptions(const IntroModel& m, const Engine& e) {
  OptionsState s;

  // Font size presets: the fixed entries, then each font whose grid is its own.
  s.FontPresets = kFontPresetNames;
  s.FontPreset = 2;
  s.PendingGrid = m.PendingGrid;
  for (const FontGridRecord& g : {m.FontGrid[0], m.FontGrid[1]}) {
    if (!IsUserGrid(g)) continue;
    s.FontPresets.push_back(UserGridName(g));
    s.PendingGrid = g;
    s.FontPreset = 5;
  }
  s.Layers = LayerRowsOf(m);

  const BobPreset& preset = kBobPresets[static_cast<size_t>(std::clamp(m.AnimClone.MovPS, 0, 3))];
  for (const Control& c : Controls()) {
    if (c.Name == kPresetCombo) {
      s.Values[c.Id] = std::to_string(s.FontPreset);
      continue;
    }
    if (c.Type == Kind::Radio && c.Slot > 0) s.Enabled[c.Id] = m.PackerFileSize[static_cast<size_t>(c.Slot)] != -1;
    if (c.Name.rfind(kGridFieldPrefix, 0) == 0) {
      // The grid fields show the pending grid as it is after this refresh.
      const int32_t grid[] = {s.PendingGrid.X, s.PendingGrid.Y, s.PendingGrid.CL, s.PendingGrid.L};
      s.Values[c.Id] = std::to_string(grid[std::clamp(c.Slot, 0, 3)]);
      continue;
    }
    if (c.Get) {
      s.Values[c.Id] = c.Get(m, e, c);
      continue;
    }
    std::string field;
    if (!c.Key.empty() && GetFieldByName(m, c.Key, field)) s.Values[c.Id] = Shown(c, field);
  }

  // The movement preset names the clone frame and says which value fields it uses.
  s.Captions[GadgetId(kBobFrame)] = preset.Title;
  for (size_t i = 0; i < kBobValueFields.size(); ++i) {
    int id = GadgetId(kBobValueFields[i]);
    s.Captions[id] = preset.Labels[i];
    s.Enabled[id] = preset.Enabled[i];
  }
  return s;
}

}  // namespace quellor
