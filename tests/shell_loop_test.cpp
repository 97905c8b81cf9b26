#include <gtest/gtest.h>

#include <algorithm>

#include "app/Dispatch.h"
#include "app/HeadlessHost.h"
#include "tests/shell_rig.h"

using namespace quellor;
using quellor::testing::TestClock;
using quellor::testing::ShellRig;

namespace {
// A menu item no menu uses: the dispatch ignores it, the prelude still runs.
constexpr int kIdleItem = 987654;
}  // namespace

TEST(ShellLoop, TakesOneProgramEventPerPassWithAFrameBetween) {
  ShellRig r;
  r.Start();
  r.host.QueueGadget(11);
  r.host.QueueGadget(12);
  int framesBefore = r.e.Frames;

  ASSERT_TRUE(r.shell.RunPass());
  EXPECT_EQ(r.host.EventsTaken, 1);
  EXPECT_EQ(r.host.Events.size(), 1u);
  EXPECT_EQ(r.e.Frames, framesBefore + 1);

  ASSERT_TRUE(r.shell.RunPass());
  EXPECT_EQ(r.host.EventsTaken, 2);
  EXPECT_TRUE(r.host.Events.empty());
  EXPECT_EQ(r.e.Frames, framesBefore + 2);

  // Nothing queued: the pass still draws.
  ASSERT_TRUE(r.shell.RunPass());
  EXPECT_EQ(r.e.Frames, framesBefore + 3);
}

TEST(ShellLoop, PumpsTheToolkitBeforeTakingTheEventEveryPass) {
  ShellRig r;
  r.Start();
  r.host.Calls.clear();
  r.host.QueueGadget(1);
  r.shell.RunPass();
  r.shell.RunPass();
  EXPECT_EQ(r.host.Pumps, 2);
  ASSERT_GE(r.host.Calls.size(), 2u);
  EXPECT_EQ(r.host.Calls[0], "Pump");
  EXPECT_EQ(r.host.Calls[1], "NextEvent");
}

TEST(ShellLoop, MenuPreludeRestartsClockStopsModeAndRestoresTitle) {
  ShellRig r;
  r.Start();
  r.m.ProjectName = "Demo";
  r.m.EditMode = 5;
  r.m.Clock.SpeedFactor = 1.5f;
  r.host.SetTitle("Right Mouse Button to change the position");
  TestClock().SetMs(4321);
  MenuPrelude(r.shell.Context());
  EXPECT_EQ(r.m.Clock.PreviewStart, 4321u);
  EXPECT_EQ(r.m.Clock.SpeedFactor, 0.0f);
  EXPECT_EQ(r.m.EditMode, 0);
  EXPECT_EQ(r.host.Title(), "Quellor v0.67 - Demo.ini");
}

TEST(ShellLoop, MenuEventsRunThePreludeAndGadgetEventsDoNot) {
  ShellRig r;
  r.Start();
  r.m.EditMode = 3;
  uint32_t start = r.m.Clock.PreviewStart;
  TestClock().SetMs(9000);
  r.host.QueueGadget(42);
  r.shell.RunPass();
  EXPECT_EQ(r.m.EditMode, 3);
  EXPECT_EQ(r.m.Clock.PreviewStart, start);

  size_t titles = r.host.Titles.size();
  TestClock().SetMs(9500);
  r.host.QueueMenu(kIdleItem);
  r.shell.RunPass();
  EXPECT_EQ(r.m.EditMode, 0);
  EXPECT_EQ(r.m.Clock.PreviewStart, 9500u);
  ASSERT_EQ(r.host.Titles.size(), titles + 1);
  EXPECT_EQ(r.host.Titles.back(), "Quellor v0.67 - New Intro.ini");
}

TEST(ShellLoop, MouseAndFocusReachTheModelEveryPass) {
  ShellRig r;
  r.Start();
  r.host.MouseX = 123;
  r.host.MouseY = -7;
  r.host.Focused = false;
  r.shell.RunPass();
  EXPECT_EQ(r.m.PreviewMouseX, 123);
  EXPECT_EQ(r.m.PreviewMouseY, -7);
  EXPECT_FALSE(r.m.Clock.Focused);
  r.host.Focused = true;
  r.host.MouseX = 5;
  r.shell.RunPass();
  EXPECT_EQ(r.m.PreviewMouseX, 5);
  EXPECT_TRUE(r.m.Clock.Focused);
}

TEST(ShellLoop, ClosingTheMainWindowQuitsOtherWindowsDoNot) {
  for (WindowId w : {WindowId::TextEditor, WindowId::Options, WindowId::About}) {
    ShellRig r;
    r.Start();
    r.host.Open.insert(w);
    r.host.QueueClose(w);
    EXPECT_TRUE(r.shell.RunPass());
    EXPECT_FALSE(r.shell.Ended());
    EXPECT_TRUE(r.host.WindowOpen(WindowId::Main));
    EXPECT_FALSE(r.host.WindowOpen(w));
  }

  ShellRig r;
  r.Start();
  r.host.QueueClose(WindowId::Main);
  r.host.QueueGadget(1);
  int frames = r.e.Frames;
  EXPECT_FALSE(r.shell.RunPass());
  EXPECT_TRUE(r.shell.Ended());
  EXPECT_FALSE(r.host.WindowOpen(WindowId::Main));
  EXPECT_EQ(r.e.Frames, frames);  // the loop is left before drawing
  EXPECT_FALSE(r.shell.RunPass());
  EXPECT_EQ(r.host.Events.size(), 1u);  // nothing is taken after the end
}

TEST(ShellLoop, RunEndsWithExitCodeZeroOnQuit) {
  ShellRig r;
  r.Start();
  r.host.QueueGadget(1);
  r.host.QueueGadget(2);
  r.host.QueueClose(WindowId::Main);
  int frames = r.e.Frames;
  EXPECT_EQ(r.shell.Run(), 0);
  EXPECT_EQ(r.e.Frames, frames + 2);
  EXPECT_EQ(std::count(r.host.Closed.begin(), r.host.Closed.end(), WindowId::Main), 1);
}

TEST(ShellLoop, QuitFromACommandEndsTheLoopToo) {
  ShellRig r;
  r.Start();
  r.shell.Context().QuitRequested = true;  // what the Quit command leaves behind
  EXPECT_FALSE(r.shell.RunPass());
  EXPECT_TRUE(r.shell.Ended());
  EXPECT_FALSE(r.host.WindowOpen(WindowId::Main));
}

TEST(ShellLoop, RightClickShowsTheContextMenuOnlyWithTheTextEditorOpen) {
  ShellRig r;
  r.Start();
  r.host.QueueRightClick();
  r.shell.RunPass();
  EXPECT_EQ(r.host.ContextMenus, 0);
  r.host.Open.insert(WindowId::TextEditor);
  r.host.QueueRightClick(WindowId::TextEditor);
  r.shell.RunPass();
  EXPECT_EQ(r.host.ContextMenus, 1);
}

TEST(HeadlessHost, RunsTheShellWithNobodyToAnswer) {
  IntroModel m;
  RecordingEngine e;
  HeadlessHost host;
  Shell shell(m);
  shell.StartBeforeWindow(ParseCommandLine({"--headless", "--size", "320x200"}));
  shell.StartWithWindow(host, e);
  EXPECT_EQ(host.Title(), "Quellor v0.67 - New Intro.ini");
  EXPECT_FALSE(host.MenuBar().Menus.empty());
  EXPECT_EQ(e.ScreenWidth(), 320);
  EXPECT_EQ(host.OpenFileDialog("t", "Data", "PNG|*.png", nullptr), "");
  EXPECT_FALSE(host.AskYesNo("Question", "Restart?"));

  host.Post({HostEvent::Kind::Gadget, WindowId::Options, 3});
  host.Post({HostEvent::Kind::Close, WindowId::Main, 0});
  EXPECT_TRUE(shell.RunPass());
  EXPECT_EQ(m.PreviewMouseX, -1);  // no mouse is outside the preview
  EXPECT_FALSE(shell.RunPass());
  EXPECT_FALSE(host.WindowOpen(WindowId::Main));
}
