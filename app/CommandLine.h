#pragma once
// Command line of the editor: the restart form `/sr width height "project"` and the
// options of the headless renderer. Parsing only; the shell acts on the result.
#include <string>
#include <utility>
#include <vector>

#include "project/IntroModel.h"
#include "project/ProcessStart.h"  // SplitParameterText

namespace quellor {

struct AssetLoad {
  std::string Kind;  // as LoadAssetByKind takes it
  std::string Path;
};

struct CommandLine {
  // `/sr` form: the screen size is given and the resolution chooser is skipped.
  bool SizeGiven = false;
  int Width = 800, Height = 600;
  std::string Autoload;  // project to load at start; empty for none

  bool Headless = false;
  int Frames = 120;
  // Frames per second of a repeatable render: the clock advances exactly 1000 / Fps ms
  // per frame instead of following the real time. 0 = real time.
  int Fps = 0;
  std::string PngPath = "out/quellor.png";
  bool PngGiven = false;
  std::string AudioOutPath;  // the sound of the rendered frames as a WAV file; "" for none
  std::vector<AssetLoad> Loads;
  // Applied after the assets, in order: field settings ("Group.Key", value) and texts
  // ("scroller1" / "scroller2" / "pager-file" / "trainer-file", value).
  std::vector<std::pair<std::string, std::string>> Sets;
  std::vector<std::pair<std::string, std::string>> Texts;

  // --export PROJECT OUT: write the final executable without a window.
  std::string ExportProject, ExportTarget;

  bool Help = false;
  std::string Error;  // non-empty: the line could not be understood
};

// Reads the restart form from the parameters (program name excluded). Returns whether
// the first parameter is "/SR" in any case; then width, height and the autoload path
// are taken from it. A size that is negative, zero, not a number or beyond what a
// window can have becomes 640 x 480, checked width first, then height.
bool ReadStartupCommandLine(const std::vector<std::string>& params, CommandLine& out);

// Parses the whole command line (program name excluded).
CommandLine ParseCommandLine(const std::vector<std::string>& params);

// The size fields of the model follow the command line when it gave one.
void ApplyCommandLineSize(const CommandLine& cl, IntroModel& m);

std::string CommandLineUsage();

}  // namespace quellor
