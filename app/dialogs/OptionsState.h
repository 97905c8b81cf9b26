#pragma once
// What the intro options window shows for a given model: every control's value, the three
// generated lists (display order with layers, font size presets, music replayer name) and
// the animation information texts.
#include <map>
#include <string>
#include <vector>

#include "app/Host.h"
#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {

struct OptionsState {
  // By gadget: an edit's text, "0"/"1" for check and option boxes, a combo's index ("-1":
  // nothing chosen), a track bar's position, a swatch's "r,g,b", a label's text.
  std::map<int, std::string> Values;
  // Captions and enabled states that follow the model (movement preset, packers found).
  std::map<int, std::string> Captions;
  std::map<int, bool> Enabled;
  std::vector<LayerListRow> Layers;
  std::vector<std::string> FontPresets;
  int FontPreset = 2;
  // The grid the next font load uses; a font with a user-defined grid hands it over.
  FontGridRecord PendingGrid;
};

// Layer name of a Layer field value: 0 "2d Layer", 1 "Both Layer", 2 "3d Layer".
std::string LayerName(int32_t layer);

// The display manager's rows: one per known DisplayOrder entry, in order.
std::vector<LayerListRow> LayerRowsOf(const IntroModel& m);


// "Anim values  hndl:..." for animation `a` whose sheet is sheetW x sheetH, with the frame
// size entered in the window (frameW x frameH).
std::string AnimationInfoText(const AnimFields& a, int sheetW, int sheetH, int frameW, int frameH);

// The preset list's fixed entries, and whether a font's grid adds a "User defined" entry.
extern const std::vector<std::string> kFontPresetNames;
std::string UserGridName(const FontGridRecord& g);  // X + " * " + Y + " pixel - User defined"
bool IsUserGrid(const FontGridRecord& g);

// Everything the window shows; pure apart from reading sheet sizes from the engine.
OptionsState ReadOptions(const IntroModel& m, const Engine& e);

}  // namespace quellor
