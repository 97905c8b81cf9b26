#pragma once
// The project file: saving the whole intro model and loading it back with its assets.
#include <cstddef>
#include <string>

#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {

// Project files are small (texts and shader sources of a few KB); anything far larger is
// not a project and is refused before it is read.
constexpr size_t kMaxProjectFileBytes = 8u << 20;

// A name without extension gets ".ini"; any other extension stays.
std::string ProjectFileName(const std::string& name);

// The file text for the model: banner, then the 28 groups in order.
std::string ProjectText(IntroModel& m, Engine& e);

// Writes the project. An empty name does nothing and returns true. The text goes to a
// temporary file beside the target, which then replaces the target in one step, so a
// failed or interrupted save leaves the previous file as it was; a failure is logged in
// red and returns false.
bool SaveProject(IntroModel& m, Engine& e, const std::string& name);

struct LoadOutcome {
  bool Attempted = false;           // a name was given
  bool Read = false;                // the file was opened and read
  std::string FileName;             // the name with ".ini" added where needed
  bool ResolutionMismatch = false;  // the file wants another screen width
  int FileWidth = 0, FileHeight = 0;
};

// Replaces the model by the file's content and loads its assets. The caller then
// restarts the running texts (each active scroller from its first character, an active
// pager from its first page, an active trainer laid out anew), and asks the resolution
// question when the outcome says so (see ResolutionWarningText).
LoadOutcome LoadProject(IntroModel& m, Engine& e, const std::string& name);

// The loading steps on text already in memory (LoadProject after reading the file).
LoadOutcome LoadProjectText(IntroModel& m, Engine& e, const std::string& bytes,
                            const std::string& fileName);

// The warning shown when a project wants another resolution: w, h the project's,
// curW, curH the running ones.
std::string ResolutionWarningText(int w, int h, int curW, int curH);
constexpr const char* kResolutionWarningTitle = "Quellor - Warning";

}  // namespace quellor
