#include "project/IntroModel.h"

#include <cmath>
#include <cstdio>

namespace quellor {

void BuildSineTables(ScrollerFields& s) {
  for (int j = 0; j <= 720; ++j) {
    s.SineTable[j] = std::sin(s.TablePhase * 0.0174533f) * static_cast<float>(s.SinSiz);
    s.CosineTable[j] = std::cos(s.TablePhase * 0.0174533f) * static_cast<float>(s.SinSiz);
    s.TablePhase += s.SinADD;
    if (s.TablePhase > 360.0f) s.TablePhase -= 360.0f;
  }
}

void InitModel(IntroModel& m) {
  std::string base = m.BaseDir;
  const Clock* clock = m.Clock.Source;
  m = IntroModel{};
  m.BaseDir = base;
  m.Clock.Source = clock;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%.2f", 0.67);
  m.ProgramVersion = buf;
  m.Scroller[0].Text = "Scroller 1  abcdefghijklmnopqrstuvwxyz 0123456789";
  m.Scroller[1].Text = "Scroller 2 abcdefghijklmnopqrstuvwxyz 0123456789";
  m.Scroller[0].PosY = 400;
  m.Scroller[1].PosY = 200;
  m.Scroller[0].SSinAdd = 5.0f;
  m.Scroller[1].SSinAdd = 2.0f;
  for (auto& s : m.Scroller) BuildSineTables(s);
  m.ExportName = m.IntroName;
}

FontFields& FontOf(IntroModel& m, int fontIndex) { return fontIndex == 1 ? m.Font2 : m.Font1; }

}  // namespace quellor
