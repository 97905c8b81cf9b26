#pragma once
// Unsaved work is never lost: before the intro is replaced (New, Load) or the program
// ends, an intro changed since it was last loaded or saved is written to
// Data/Prefs/Recovered.ini, the previous one kept as Recovered.1.ini.
#include "app/AppContext.h"

namespace quellor {

constexpr const char* kRecoveryFile = "Data/Prefs/Recovered.ini";
constexpr const char* kOlderRecoveryFile = "Data/Prefs/Recovered.1.ini";

// Writes the recovery file when the model changed since the last load or save; says so
// in a white status line, or in red when it cannot be written. Never stops anything.
// Returns whether a file was written.
bool WriteRecoveryIfChanged(AppContext& ctx);

// The intro as it is now counts as kept (after a load, a save or New).
inline void MarkKept(AppContext& ctx) { ctx.KeptRevision = ctx.Model.Revision; }
inline bool HasUnkeptChanges(const AppContext& ctx) { return ctx.Model.Revision != ctx.KeptRevision; }

}  // namespace quellor
