#include <gtest/gtest.h>

#include <cmath>

#include "project/IntroModel.h"

using namespace quellor;

TEST(IntroModel, StartValuesFollowTheModelTables) {
  IntroModel m;
  InitModel(m);
  EXPECT_EQ(m.ProgramVersion, "0.67");
  EXPECT_EQ(m.ScreenX, 800);
  EXPECT_EQ(m.GFX.Trans[1], 0);   // GFX opacity starts at 0, unlike after New Intro
  EXPECT_EQ(m.GFX.SRC[3], 5);
  EXPECT_EQ(m.AnimClone.Clones.size(), 11u);
  EXPECT_EQ(m.Scroller[0].PosY, 400);
  EXPECT_EQ(m.Scroller[1].PosY, 200);
  EXPECT_FLOAT_EQ(m.Scroller[1].SSinAdd, 2.0f);
  EXPECT_EQ(m.Pager.Spn_Ro, -1);
  EXPECT_EQ(m.ExportName, m.IntroName);
}

TEST(IntroModel, SineTablesCarryTheirPhaseBetweenBuilds) {
  ScrollerFields s;
  s.SinSiz = 100;
  s.SinADD = 4.0f;
  BuildSineTables(s);
  EXPECT_FLOAT_EQ(s.SineTable[0], 0.0f);
  EXPECT_NEAR(s.SineTable[1], std::sin(4.0f * 0.0174533f) * 100.0f, 1e-3);
  // 721 steps of 4 degrees, wrapped past 360 each time
  float phase = 0;
  for (int j = 0; j <= 720; ++j) { phase += 4.0f; if (phase > 360.0f) phase -= 360.0f; }
  EXPECT_FLOAT_EQ(s.TablePhase, phase);
  float first = s.SineTable[0];
  BuildSineTables(s);  // continues from the carried phase
  EXPECT_NE(s.SineTable[0], first);
  EXPECT_NEAR(s.SineTable[0], std::sin(phase * 0.0174533f) * 100.0f, 1e-3);
}
