// One frame's effect update (both scrollers on "Block Sinus - Char Rotation", a 5 x 20
// pager in flight, a 6-line trainer and 2 000 bob clones), without drawing. Reports
// CPU time per frame and the heap allocations the per-frame path makes (should be 0).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "engine/recording/RecordingEngine.h"
#include "project/IntroModel.h"
#include "render/Bobs.h"
#include "render/PagerTrainer.h"
#include "render/Scrollers.h"
#include "tests/AllocationCounter.h"


namespace {

using namespace quellor;

ManualClock g_clock(uint64_t{1000000} * 10000);

void MakeFont(Engine& e, FontFields& f) {
  Image img;
  img.Width = img.Height = 32;
  img.Rgba.assign(32 * 32 * 4, 255);
  for (auto& g : f.Chars) {
    g.Image = e.TextureFromImage(img);
    g.Sprite = e.CreateSprite(g.Image);
  }
}

void SetUpScene(IntroModel& m, RecordingEngine& e) {
  e.Open(800, 600);
  InitModel(m);
  m.Clock.Source = &g_clock;
  m.Clock.FrameNow = g_clock.NowMs();
  MakeFont(e, m.Font1);
  MakeFont(e, m.Font2);
  for (int s = 0; s < 2; ++s) {
    m.Scroller[s].Active = 1;
    m.Scroller[s].Font = s;
    SetScrollerEffect(m, s, 4);
  }
  ResetScrollers(m);

  PagerFields& p = m.Pager;
  p.Active = 1;
  p.YLins = 5;
  for (int l = 0; l < 5; ++l) p.Lines.push_back("ABCDEFGHIJKLMNOPQRST");
  p.PG_del = 0;
  // Zero speeds keep every letter between spawn point and target: always in flight.
  p.Po_spd = p.Sc_spd = p.Tr_spd = p.Ro_spd = 0;
  RestartPager(m, e);

  TrainerFields& t = m.Trainer;
  t.Active = 1;
  t.YLins = 6;
  for (int i = 0; i < 12; ++i) t.Lines.push_back(i < 6 ? "INFINITE LIVES    OFF" : "INFINITE LIVES    ON");
  RestartTrainer(m, e);

  Image bob;
  bob.Width = bob.Height = 16;
  bob.Rgba.assign(16 * 16 * 4, 255);
  m.Anim_BOB.Sprite = e.CreateSprite(e.TextureFromImage(bob));
  ApplyBobPreset(m, e, 2);
  m.AnimClone.Active = 1;
  m.AnimClone.Count = 2000;
  GenerateClones(m);
  m.Draws.reserve(4096);
}

void EffectsFrame(IntroModel& m, Engine& e) {
  m.Draws.clear();
  ScrollerSwing(m, 0);
  ScrollerSwing(m, 1);
  AddScrollerRecords(m, e, 0);
  AddScrollerRecords(m, e, 1);
  AddPagerRecords(m, e);
  AddBobRecords(m, e);
  AddTrainerRecords(m, e);
}

void BM_EffectsFrame(benchmark::State& state) {
  auto m = std::make_unique<IntroModel>();
  RecordingEngine e;
  SetUpScene(*m, e);
  for (int i = 0; i < 100; ++i) EffectsFrame(*m, e);  // reach steady capacities
  const long before = quellor::testing::HeapAllocations();
  long frames = 0;
  for (auto _ : state) {
    g_clock.AdvanceMs(16);
    m->Clock.FrameNow = g_clock.NowMs();
    EffectsFrame(*m, e);
    benchmark::DoNotOptimize(m->Draws.data());
    ++frames;
  }
  const long allocs = quellor::testing::HeapAllocations() - before;  // before the counters map allocates
  state.counters["records"] = static_cast<double>(m->Draws.size());
  state.counters["allocs_per_frame"] =
      frames ? static_cast<double>(allocs) / static_cast<double>(frames) : 0.0;
}
BENCHMARK(BM_EffectsFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
