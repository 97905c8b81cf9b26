#pragma once
#include "app/CommandLine.h"

namespace quellor {
// Returned when the window system cannot be reached at all (a stale DISPLAY, say).
constexpr int kNoWindowSystem = -1;
// Runs the editor in its main window until it quits; returns the exit code.
int RunEditorWindow(const CommandLine& cl, int argc, char** argv);
}
