// The project reader on arbitrary bytes, with the recording engine: it must never crash
// or grow without bound, and what it writes must read back to the same file once the
// first round has normalised the input (cut texts, clamped values, known names only).
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/recording/RecordingEngine.h"
#include "project/IntroModel.h"
#include "project/ProjectFile.h"

using namespace quellor;

namespace {
std::string Round(RecordingEngine& e, const std::string& text) {
  IntroModel m;
  m.BaseDir = "/nonexistent-quellor-fuzz/";
  InitModel(m);
  LoadProjectText(m, e, text, "fuzz.ini");
  return ProjectText(m, e);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RecordingEngine e;
  e.Open(800, 600);
  std::string input(reinterpret_cast<const char*>(data), size);
  std::string first = Round(e, input);
  std::string second = Round(e, first);
  std::string third = Round(e, second);
  if (third != second) __builtin_trap();
  return 0;
}
