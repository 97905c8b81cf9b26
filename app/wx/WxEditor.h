#pragma once
#include "app/CommandLine.h"

namespace quellor {
// Runs the editor in its main window until it quits; returns the exit code.
int RunEditorWindow(const CommandLine& cl, int argc, char** argv);
}
