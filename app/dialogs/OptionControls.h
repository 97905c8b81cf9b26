#pragma once
// The intro options window as data: every control of its nine tabs with its caption,
// kind, choices, initial text, the model field it edits and what else a change does.
// The wx window builds itself from this table; reading the model into the window and
// applying a changed control walk the same table, so the three cannot drift apart.
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quellor {
struct AppContext;
struct IntroModel;
class Engine;
}

namespace quellor::options {

constexpr int kFirstGadget = 1000;
constexpr int kTabCount = 9;
extern const std::array<const char*, kTabCount> kTabNames;

// Client area of the window and the tab panel filling it.
constexpr int kWindowW = 800, kWindowH = 475;
constexpr int kPanelW = 790, kPanelH = 465;

enum class Kind {
  Frame,      // captioned group box holding the controls that follow it
  Label,      // caption plus a text that may follow the model
  Check,      // 0 / 1
  Radio,      // one of a group of option buttons; stores its Value
  Combo,      // drop-down list; state is the 0-based index
  Track,      // vertical track bar 0..100
  Button,
  Swatch,     // colour image; a click opens the colour chooser
  LayerList,  // the display manager's two-column list
  Edit,
  ReadOnly,   // a field the user cannot type into
  Info,       // multi-line information text
};

// What an edit field lets the user type.
enum class Input { Text, Digits, Signed, Decimal };

// How a control's value maps onto the text of its project key.
enum class Conv {
  Plain,       // the same text (edits, checks, combos whose index is the value)
  Blend,       // combo index + 1
  Radio,       // "1" when the field holds this button's Value
  Track,       // position / 100
  DirCheck,    // checked = -1, unchecked = 1 (animation direction)
  LayerCombo,  // items "2d Layer", "3d Layer", "Both Layer" = 0, 2, 1
};

struct Control;
using GetFn = std::string (*)(const IntroModel&, const Engine&, const Control&);
using SetFn = void (*)(AppContext&, const Control&, std::string_view);
using ActFn = void (*)(AppContext&, const Control&);

struct Control {
  int Id = 0;
  std::string Name;  // unique; the project key where the control edits one
  int Tab = 0;
  int Frame = 0;     // id of the frame it sits in (0: the tab page itself)
  Kind Type = Kind::Label;
  Input Filter = Input::Text;
  std::string Caption;
  std::string Unit;  // small text after the control ("mms", "%")
  std::vector<std::string> Choices;
  std::string Initial;  // text, combo index or track position as the window opens
  std::string Key;      // "Group.Key" of the field; empty when Get/Set do the work
  Conv How = Conv::Plain;
  int Value = 0;        // option button: the value it stores
  int Slot = 0;         // which asset, bar, scroller or layer the control belongs to
  GetFn Get = nullptr;  // value shown, for controls without a key
  SetFn Set = nullptr;  // writer, for controls without a key
  ActFn After = nullptr;  // what else a change does (the "also" of the window), or a button's action
  bool Enabled = true;
  // A change shows in other controls too (labels, presets): the window is refreshed then,
  // all but this control, which keeps what the user is typing.
  bool RefreshAfter = false;
  // Layout. Frames: their rectangle in the tab page, the widths of their cell columns and
  // the caption width within a cell. Other controls: Span cells, or a rectangle of their
  // own (W > 0) relative to the frame.
  int X = 0, Y = 0, W = 0, H = 0;
  std::vector<int> Columns;
  int CaptionW = 0;
  int Span = 1;
};

// The whole window, tab by tab, frames before the controls they hold. Ids run from
// kFirstGadget without gaps, so a control's id is kFirstGadget + its index.
const std::vector<Control>& Controls();
int LastGadget();
const Control* FindControl(int id);
// Id of the control named `name`; 0 when there is none.
int GadgetId(std::string_view name);

// Controls whose value the window keeps and the model receives.
bool HoldsValue(Kind k);

// Names of controls that the refresh fills from generated lists.
constexpr const char* kPresetCombo = "fonts.presets";
constexpr const char* kGridFieldPrefix = "fonts.grid";  // + 0..3: X, Y, per line, lines
constexpr const char* kLayerList = "display.list";
constexpr const char* kLayerEdit = "display.layer";
constexpr const char* kBobFrame = "bob.frame";
constexpr std::array<const char*, 4> kBobValueFields = {"AnimClone.Int1", "AnimClone.Int2",
                                                       "AnimClone.Flt1", "AnimClone.Flt2"};

}  // namespace quellor::options
