#pragma once
#include "tests/TestClock.h"
// A shell started on the recording engine and the fake host, with a hand-driven clock.
#include <cstdint>

#include "app/Shell.h"
#include "engine/recording/RecordingEngine.h"
#include "tests/FakeHost.h"

namespace quellor::testing {


struct ShellRig {
  IntroModel m;
  RecordingEngine e;
  FakeHost host;
  Shell shell{m};

  explicit ShellRig(uint32_t startMs = 1000) { TestClock().SetMs(startMs); }
  void Start(const CommandLine& cl = {}) {
    shell.StartBeforeWindow(cl);
    m.Clock.Source = &TestClock();  // the model's defaults bring the system clock back
    shell.StartWithWindow(host, e);
  }
};

}  // namespace quellor::testing
