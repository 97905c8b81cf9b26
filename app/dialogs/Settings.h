#pragma once
// The program's own settings file "Quellor.ini": group "Startup" with the chooser entry
// picked last and the number of completed start-ups. Written whole, through a temporary
// file that replaces the old one in one step.
#include <cstdint>
#include <string>

namespace quellor {

constexpr const char* kSettingsFile = "Quellor.ini";

struct ProgramSettings {
  int32_t LastSelect = -1;  // -1: nothing picked yet
  int32_t StartS = 0;
};

// A missing or unreadable file, or a missing key, gives the defaults; a value that is not
// a number reads as 0, as the C conversion gives it.
ProgramSettings ReadSettings(const std::string& path);
std::string SettingsText(const ProgramSettings& s);
// False when the file cannot be written; the previous file then stays as it was.
bool WriteSettings(const std::string& path, const ProgramSettings& s);

}  // namespace quellor
