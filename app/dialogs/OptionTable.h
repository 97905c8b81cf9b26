#pragma once
// Building the options window's control table: the shared choice lists, a builder that
// numbers controls and tracks the current tab and frame, and one function per tab.
#include <string>
#include <vector>

#include "app/dialogs/OptionControls.h"

namespace quellor::options {

extern const std::vector<std::string> kBlendList;
extern const std::vector<std::string> kTextureModes, kColourEffects;
extern const std::vector<std::string> kDelayModes, kSpawnModes;
extern const std::vector<std::string> kShaderMouseModes;
extern const std::vector<std::string> kSignAppear, kSignDisappear;
extern const std::vector<std::string> kBobPositions, kBobMovements, kBobAnimations, kBobFaces;
extern const std::vector<std::string> kPageSwitch, kStartupEffects, kLayerChoices, kTrainerControls;
extern const std::vector<std::string> kFontChoices;

class TableBuilder {
 public:
  explicit TableBuilder(std::vector<Control>& out) : out_(out) {}
  void Tab(int t) {
    tab_ = t;
    frame_ = 0;
  }
  // A frame at (x, y) of w x h in the tab page; its cells are `columns` wide.
  Control& Frame(const std::string& name, const std::string& caption, int x, int y, int w, int h,
                 std::vector<int> columns, int captionW);
  Control& Add(Kind k, const std::string& name, const std::string& caption);
  Control& Edit(const std::string& key, const std::string& caption, Input in, const std::string& initial);
  Control& Check(const std::string& key, const std::string& caption);
  Control& Combo(const std::string& key, const std::string& caption, const std::vector<std::string>& choices,
                 Conv how = Conv::Plain);
  // A blend combo; `reapply` gives the pair to the asset's sprites at once.
  Control& Blend(const std::string& key, const std::string& caption, ActFn reapply, int slot);
  Control& Radio(const std::string& key, const std::string& caption, int value);
  Control& Button(const std::string& name, const std::string& caption, ActFn press);
  Control& Label(const std::string& name, const std::string& caption, GetFn get);
  Control& Track(const std::string& key);
  // An empty cell, to keep the grid of a frame aligned.
  void Skip(int cells = 1);

 private:
  std::vector<Control>& out_;
  int tab_ = 0, frame_ = 0, skips_ = 0;
};

// The controls both animations share (load, frames, speed, blend, direction) and their
// information text, which the caller places; `slot` 0 is the start-up animation, 1 the bobs.
Control& AddAnimationControls(TableBuilder& b, int slot);

void AddIntroTab(TableBuilder& b);
void AddLogoTab(TableBuilder& b);
void AddFontsTab(TableBuilder& b);
void Add3dTab(TableBuilder& b);
void Add2dTab(TableBuilder& b);
void AddScrollerTab(TableBuilder& b);
void AddBorderTab(TableBuilder& b);
void AddPagerTab(TableBuilder& b);
void AddBobTab(TableBuilder& b);

}  // namespace quellor::options
