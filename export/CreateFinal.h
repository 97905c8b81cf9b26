#pragma once
// "Create Final": the intro being edited becomes a standalone executable. The player
// stub for the tune's replayer is unpacked, every setting and asset file goes into the
// stub's data slots, the image is written to the target (through a temporary file), the
// icon is replaced when one is chosen and the chosen packer is started on the result.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/Engine.h"
#include "engine/fx/FxTranslator.h"
#include "export/Packers.h"
#include "project/IntroModel.h"

namespace quellor {

constexpr const char* kExportDialogTitle = "Quellor - save final";
constexpr const char* kExportDialogFilter = "Executables (*.exe)|*.exe";
constexpr const char* kExportErrorTitle = "Quellor - Error";
constexpr int32_t kExportFormatVersion = 67;

// A target without any extension gets ".exe"; any other extension stays.
std::string FinalTargetName(const std::string& target);

// The error box text for a stub that cannot be unpacked.
std::string StubErrorText(int32_t musicType, uint32_t tl, int64_t fl);

struct ExportEnv {
  // Folder of the stubs, relative to the current folder.
  std::string StubFolder = "data/bin";
  // Base folder of the packers (the model's BaseDir when empty).
  std::string PackerBase;
  // The error box (title, text) with the error icon; unset: no box.
  std::function<void(const std::string&, const std::string&)> ErrorBox;
  // Starts a packer without waiting; unset: the platform's detached process start.
  std::function<bool(const PackerRun&)> StartPacker;
  // The translator the intro's effects are translated with for the player, which
  // carries none: the editor's disk cache, then its worker.
  FxTranslatorOptions Translator{{}, DefaultFxCacheDir(), 5000};
};

struct ExportResult {
  bool Written = false;
  std::string Target;  // the path written, with the name rule applied
  std::string Error;   // why nothing was written
  size_t ImageBytes = 0;
  bool PackerStarted = false;
};

// The whole export. Reports through the status log and the error box; the result
// says the same for callers without a window (the command line).
ExportResult CreateFinal(IntroModel& m, Engine& e, const std::string& target,
                         const ExportEnv& env = {});

}  // namespace quellor
