#pragma once
// The options window's layer list turned back into the display order and layer fields.
#include <vector>

#include "app/Host.h"
#include "project/IntroModel.h"

namespace quellor {

// Layer field value of a layer text: "2d Layer" 0, "Both Layer" 1, "3d Layer" 2; -1 otherwise.
int LayerFromText(const std::string& text);

// Empties DisplayOrder and refills it from the rows, last row first, so the top row ends up
// last (in front). Each known element also takes its layer from the row. Names of elements
// that are not loaded are dropped afterwards.
void RebuildDisplayOrder(IntroModel& m, const std::vector<LayerListRow>& rows);

}  // namespace quellor
