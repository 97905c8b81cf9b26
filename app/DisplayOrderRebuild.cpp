#include "app/DisplayOrderRebuild.h"

#include <algorithm>

namespace quellor {
namespace {

// The element behind a list name: its display-order name, layer field and whether it is loaded.
struct Element {
  std::string OrderName;
  int32_t* Layer = nullptr;
  bool Loaded = false;
};

bool FindElement(IntroModel& m, const std::string& row, Element& out) {
  if (row == "TrainerBar") out = {"TrainerBar", &m.TrainerBar.TB_Layer, m.TrainerBar.Sprite != 0};
  else if (row == "Sign") out = {"Sign", &m.Sign.Layer, m.Sign.Sprite != 0};
  else if (row == "Bob_Anim") out = {"Bob_Anim", &m.Anim_BOB.Layer, m.Anim_BOB.Sprite != 0};
  else if (row == "Anim") out = {"Anim", &m.Anim_2d.Layer, m.Anim_2d.Sprite != 0};
  else if (row == "Logo") out = {"Logo", &m.Logo.Layer, m.Logo.Sprite != 0};
  else if (row == "Font 1") out = {"Font1", &m.Fonts.F1Layer, m.Font1.Image != 0 || m.Font1.Chars[0].Sprite != 0};
  else if (row == "Font 2") out = {"Font2", &m.Fonts.F2Layer, m.Font2.Image != 0 || m.Font2.Chars[0].Sprite != 0};
  else if (row == "Border") out = {"Border", &m.Border.Layer, m.Border.Texture != 0 || m.Border.Sprite[0] != 0};
  else if (row.size() == 4 && row.compare(0, 3, "GFX") == 0 && row[3] >= '1' && row[3] <= '5') {
    int i = row[3] - '0';
    out = {row, &m.GFX.Layer[i], m.GFX.Sprite[i] != 0};
  } else {
    return false;
  }
  return true;
}

}  // namespace

int LayerFromText(const std::string& text) {
  if (text == "2d Layer") return 0;
  if (text == "Both Layer") return 1;
  if (text == "3d Layer") return 2;
  return -1;
}

void RebuildDisplayOrder(IntroModel& m, const std::vector<LayerListRow>& rows) {
  m.DisplayOrder.clear();
  std::vector<std::string> unused;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    Element el;
    if (!FindElement(m, it->Name, el)) continue;
    if (std::find(m.DisplayOrder.begin(), m.DisplayOrder.end(), el.OrderName) == m.DisplayOrder.end())
      m.DisplayOrder.push_back(el.OrderName);
    int layer = LayerFromText(it->Layer);
    if (layer >= 0) *el.Layer = layer;  // an unknown text leaves the layer as it was
    if (!el.Loaded) unused.push_back(el.OrderName);
  }
  for (const std::string& name : unused) {
    auto pos = std::find(m.DisplayOrder.begin(), m.DisplayOrder.end(), name);
    if (pos != m.DisplayOrder.end()) m.DisplayOrder.erase(pos);
  }
}

}  // namespace quellor
