#include "app/dialogs/OptionTable.h"

#include <unordered_map>

namespace quellor::options {

const std::array<const char*, kTabCount> kTabNames = {
    "Intro",  "Logo + 2d Anim",       "Fonts",           "3d Layer", "2d Layer",
    "Scroller", "Border + Background", "Pager + Trainer", "Bob Anim"};

const std::vector<std::string> kBlendList = {
    "Zero",          "One",           "SRC Color",   "InvSRC Color",     "SRC Alpha",
    "InvSRC Alpha",  "Dest Alpha",    "InvDest Alpha", "Dest Color",     "InvDest Color",
    "SRC Alphasat",  "BothSRC Alpha", "BothInv SRC Alpha", "BlendFactor", "InvBlendFactor"};
const std::vector<std::string> kTextureModes = {"Stretch", "Among"};
const std::vector<std::string> kColourEffects = {"No FX", "Sinus", "UP", "Down"};
const std::vector<std::string> kDelayModes = {"Char Linear Mode", "Char Random Mode",
                                              "Reverse Char Linear Mode", "Line Linear Mode",
                                              "Reverse Line Linear Mode"};
const std::vector<std::string> kSpawnModes = {"Coordinate Point", "Target Coordinates",
                                              "Random Screen Outside", "Target-Coords to Coord Point"};
const std::vector<std::string> kShaderMouseModes = {"Refresh Mouse Pos", "Lock Mouse Position",
                                                    "Sinus Position"};
const std::vector<std::string> kSignAppear = {"Plopp and here",  "Fade in",          "Move from Top",
                                              "Move from left",  "Move from bottom", "Move from right"};
const std::vector<std::string> kSignDisappear = {"nothing happens", "Fade out",       "Move to Top",
                                                 "Move to left",    "Move to bottom", "Move to right"};
const std::vector<std::string> kBobPositions = {"Random Screen"};
const std::vector<std::string> kBobMovements = {"2d Starfield", "2d Bubbles", "2d Snowflakes", "No Movement"};
const std::vector<std::string> kBobAnimations = {"syncron", "asyncron"};
// Face 0 draws the bob animation; any other face draws nothing.
const std::vector<std::string> kBobFaces = {"Bob Animation", "No Face"};
const std::vector<std::string> kPageSwitch = {"Nothing", "Left Mouse", "Right Mouse", "Space"};
const std::vector<std::string> kStartupEffects = {"Fading the Scene", "Plopp and here"};
const std::vector<std::string> kLayerChoices = {"2d Layer", "3d Layer", "Both Layer"};
const std::vector<std::string> kTrainerControls = {"Control with Cursor Keys", "Control with Mouse",
                                                   "Function Keys F1 - F12"};
const std::vector<std::string> kFontChoices = {"Font 1", "Font 2"};

Control& TableBuilder::Frame(const std::string& name, const std::string& caption, int x, int y, int w,
                             int h, std::vector<int> columns, int captionW) {
  frame_ = 0;
  Control& c = Add(Kind::Frame, name, caption);
  c.X = x, c.Y = y, c.W = w, c.H = h;
  c.Columns = std::move(columns);
  c.CaptionW = captionW;
  frame_ = c.Id;
  return c;
}

Control& TableBuilder::Add(Kind k, const std::string& name, const std::string& caption) {
  Control c;
  c.Id = kFirstGadget + static_cast<int>(out_.size());
  c.Name = name;
  c.Tab = tab_;
  c.Frame = frame_;
  c.Type = k;
  c.Caption = caption;
  out_.push_back(std::move(c));
  return out_.back();
}

Control& TableBuilder::Edit(const std::string& key, const std::string& caption, Input in,
                            const std::string& initial) {
  Control& c = Add(Kind::Edit, key, caption);
  c.Key = key;
  c.Filter = in;
  c.Initial = initial;
  return c;
}

Control& TableBuilder::Check(const std::string& key, const std::string& caption) {
  Control& c = Add(Kind::Check, key, caption);
  c.Key = key;
  c.Initial = "0";
  return c;
}

Control& TableBuilder::Combo(const std::string& key, const std::string& caption,
                             const std::vector<std::string>& choices, Conv how) {
  Control& c = Add(Kind::Combo, key, caption);
  c.Key = key;
  c.Choices = choices;
  c.How = how;
  c.Initial = "0";
  return c;
}

Control& TableBuilder::Blend(const std::string& key, const std::string& caption, ActFn reapply, int slot) {
  Control& c = Combo(key, caption, kBlendList, Conv::Blend);
  c.After = reapply;
  c.Slot = slot;
  c.Initial = "";  // the refresh selects the stored pair
  return c;
}

Control& TableBuilder::Radio(const std::string& key, const std::string& caption, int value) {
  Control& c = Add(Kind::Radio, key + "=" + std::to_string(value), caption);
  c.Key = key;
  c.How = Conv::Radio;
  c.Value = value;
  return c;
}

Control& TableBuilder::Button(const std::string& name, const std::string& caption, ActFn press) {
  Control& c = Add(Kind::Button, name, caption);
  c.After = press;
  return c;
}

Control& TableBuilder::Label(const std::string& name, const std::string& caption, GetFn get) {
  Control& c = Add(Kind::Label, name, caption);
  c.Get = get;
  return c;
}

Control& TableBuilder::Track(const std::string& key) {
  Control& c = Add(Kind::Track, key, "");
  c.Key = key;
  c.How = Conv::Track;
  c.Initial = "50";
  return c;
}

void TableBuilder::Skip(int cells) {
  Control& c = Add(Kind::Label, "gap." + std::to_string(++skips_), "");
  c.Span = cells;
}

const std::vector<Control>& Controls() {
  static const std::vector<Control> kControls = [] {
    std::vector<Control> all;
    TableBuilder b(all);
    void (*const tabs[kTabCount])(TableBuilder&) = {AddIntroTab,    AddLogoTab,   AddFontsTab,
                                                     Add3dTab,       Add2dTab,     AddScrollerTab,
                                                     AddBorderTab,   AddPagerTab,  AddBobTab};
    for (int t = 0; t < kTabCount; ++t) {
      b.Tab(t);
      tabs[t](b);
    }
    return all;
  }();
  return kControls;
}

int LastGadget() { return kFirstGadget + static_cast<int>(Controls().size()) - 1; }

const Control* FindControl(int id) {
  const std::vector<Control>& all = Controls();
  if (id < kFirstGadget || id > LastGadget()) return nullptr;
  return &all[static_cast<size_t>(id - kFirstGadget)];
}

int GadgetId(std::string_view name) {
  static const std::unordered_map<std::string, int> kByName = [] {
    std::unordered_map<std::string, int> byName;
    for (const Control& c : Controls()) byName.emplace(c.Name, c.Id);
    return byName;
  }();
  auto it = kByName.find(std::string(name));
  return it == kByName.end() ? 0 : it->second;
}

bool HoldsValue(Kind k) {
  switch (k) {
    case Kind::Check:
    case Kind::Radio:
    case Kind::Combo:
    case Kind::Track:
    case Kind::Swatch:
    case Kind::Edit:
    case Kind::ReadOnly:
      return true;
    default:
      return false;
  }
}

}  // namespace quellor::options
