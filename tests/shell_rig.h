#pragma once
// A shell started on the recording engine and the fake host, with a hand-driven clock.
#include <cstdint>

#include "app/Shell.h"
#include "engine/recording/RecordingEngine.h"
#include "tests/FakeHost.h"

namespace quellor::testing {

struct ManualClock {
  static inline uint32_t Ms = 1000;
  static uint32_t Now() { return Ms; }
};

struct ShellRig {
  IntroModel m;
  RecordingEngine e;
  FakeHost host;
  Shell shell{m};

  explicit ShellRig(uint32_t startMs = 1000) { ManualClock::Ms = startMs; }
  void Start(const CommandLine& cl = {}) {
    shell.StartBeforeWindow(cl);
    m.Clock.Now = &ManualClock::Now;  // the model's defaults bring the system clock back
    shell.StartWithWindow(host, e);
  }
};

}  // namespace quellor::testing
