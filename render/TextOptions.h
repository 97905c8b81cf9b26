#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "project/IntroModel.h"

namespace quellor {
// Largest text files read for the pager and the trainer (the editors' load limits).
constexpr size_t kPagerFileLimit = 10240;
constexpr size_t kTrainerFileLimit = 1024;
// Longest scroll text taken from the command line.
constexpr size_t kScrollTextLimit = 1024;

// Command-line text settings: key "scroller1" / "scroller2" (value = the text),
// "pager-file" / "trainer-file" (value = a path). The forms "text" with value
// "scroller1=..." and keys with leading dashes are accepted too. Sets the text and
// restarts what shows it. Returns false (with a reason in *error when given) for an
// unknown key, a file that cannot be read or one over its limit; the model is then
// unchanged.
bool ApplyTextOption(IntroModel& m, Engine& e, const std::string& key, const std::string& value,
                     std::string* error);
bool ApplyTextOption(IntroModel& m, Engine& e, const std::string& key, const std::string& value);

// Starts the running texts again, as after a project load or a pager/trainer placement
// mode: each active scroller from its first character, an active pager from its first
// page with its state reset, an active trainer laid out anew.
void RestartTextEffects(IntroModel& m, Engine& e);

// What a project read leaves to the renderer: the trainer laid out around a loaded bar,
// then the running texts restarted.
void RestartAfterProjectLoad(IntroModel& m, Engine& e);

// Reads a whole file of at most `limit` bytes; false when missing, unreadable or larger.
bool ReadTextFile(const std::string& path, size_t limit, std::string& out, std::string* error);
}
