#include <algorithm>

#include "project/NewIntro.h"

namespace quellor {

void AddToDisplayOrder(IntroModel& m, const std::string& name) {
  if (std::find(m.DisplayOrder.begin(), m.DisplayOrder.end(), name) == m.DisplayOrder.end())
    m.DisplayOrder.push_back(name);
}

void RemoveFromDisplayOrder(IntroModel& m, const std::string& name) {
  auto it = std::find(m.DisplayOrder.begin(), m.DisplayOrder.end(), name);
  if (it != m.DisplayOrder.end()) m.DisplayOrder.erase(it);
}

namespace {
void Lift(Engine& e, Handle sprite, int src, int dest) {
  if (sprite == 0) return;
  e.SpriteToFront(sprite, 1);
  e.SpriteBlending(sprite, src, dest);
}

void LiftFont(Engine& e, const FontFields& f, int src, int dest) {
  for (const GlyphRecord& g : f.Chars) Lift(e, g.Sprite, src, dest);
}
}  // namespace

void ApplyDisplayOrder(IntroModel& m, Engine& e) {
  for (const std::string& name : m.DisplayOrder) {
    if (name == "TrainerBar") {
      Lift(e, m.TrainerBar.Sprite, m.TrainerBar.TB_SRC, m.TrainerBar.TB_Dest);
    } else if (name == "Sign") {
      Lift(e, m.Sign.Sprite, m.Sign.SRC, m.Sign.Dest);
    } else if (name == "Bob_Anim") {
      Lift(e, m.Anim_BOB.Sprite, m.Anim_BOB.SRC, m.Anim_BOB.Dest);
    } else if (name == "Anim") {
      Lift(e, m.Anim_2d.Sprite, m.Anim_2d.SRC, m.Anim_2d.Dest);
    } else if (name == "Logo") {
      Lift(e, m.Logo.Sprite, m.Logo.SRC, m.Logo.Dest);
    } else if (name == "Font1") {
      LiftFont(e, m.Font1, m.Fonts.F1SRC, m.Fonts.F1Dest);
    } else if (name == "Font2") {
      LiftFont(e, m.Font2, m.Fonts.F2SRC, m.Fonts.F2Dest);
    } else if (name == "Border") {
      for (Handle s : m.Border.Sprite) Lift(e, s, m.Border.SRC, m.Border.Dest);
    } else if (name.size() == 4 && name.compare(0, 3, "GFX") == 0 && name[3] >= '1' &&
               name[3] <= '5') {
      int i = name[3] - '0';
      Lift(e, m.GFX.Sprite[i], m.GFX.SRC[i], m.GFX.Dest[i]);
    }
  }
}

}  // namespace quellor
