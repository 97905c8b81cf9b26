// Tab "Bob Anim": the bob animation and its clones.
#include "app/dialogs/OptionActions.h"
#include "app/dialogs/OptionTable.h"

namespace quellor::options {

void AddBobTab(TableBuilder& b) {
  b.Frame("bob.anim", "Bob Animation", 5, 5, 385, 250, {190, 185}, 95);
  Control& info = AddAnimationControls(b, 1);
  info.X = 10, info.Y = 158, info.W = 365, info.H = 86;

  b.Frame(kBobFrame, "Bob Modifications", 395, 5, 385, 316, {190, 185}, 95);
  b.Combo("AnimClone.Face", "Bla Bla Blubb", kBobFaces).Span = 2;
  b.Combo("AnimClone.PosPS", "preset BOB position", kBobPositions).Span = 2;
  Control& movement = b.Combo("AnimClone.MovPS", "preset BOB movement", kBobMovements);
  movement.Span = 2;
  movement.Set = SetMovementPreset;
  movement.RefreshAfter = true;
  b.Combo("AnimClone.AnmPS", "Animation rulez", kBobAnimations).Span = 2;
  b.Edit("AnimClone.Count", "count", Input::Digits, "0");
  b.Check("AnimClone.Active", "Active").After = RebuildClones;
  b.Edit("AnimClone.XCent", "X Center", Input::Digits, "0");
  b.Edit("AnimClone.YCent", "Y Center", Input::Digits, "0");
  b.Edit("AnimClone.XAdd", "X Add", Input::Decimal, "0.0");
  b.Edit("AnimClone.YAdd", "Y Add", Input::Decimal, "0.0");
  b.Edit("AnimClone.width", "witdh", Input::Digits, "800");
  b.Edit("AnimClone.height", "height", Input::Digits, "600");
  b.Edit("AnimClone.Int1", "i value #1", Input::Digits, "0");
  b.Edit("AnimClone.Int2", "i value #2", Input::Digits, "0");
  b.Edit("AnimClone.Flt1", "f value #1", Input::Decimal, "0");
  b.Edit("AnimClone.Flt2", "f value #2", Input::Decimal, "0");
  b.Button("bob.clones", "Set Values", PressCloneValues);
}

}  // namespace quellor::options
