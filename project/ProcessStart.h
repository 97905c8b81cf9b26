#pragma once
// Starting other programs: the packer after an export, the program an intro runs after
// it ends, the editor's own restart. Windows-style parameter texts are split here.
#include <string>
#include <vector>

namespace quellor {

// Splits a Windows-style parameter text at blanks; a part in double quotes may hold
// blanks and loses its quotes.
std::vector<std::string> SplitParameterText(const std::string& text);

// Full path of an executable file of that name in one of the PATH folders; "" if none.
std::string FindOnPath(const std::string& name);

// Starts `program` with the parameters of `parameters` (a Windows-style text) in
// `workDir` (empty: the current folder), detached: its own session, no terminal, its
// output discarded, and nobody waits for it to end. A relative program path is relative
// to the current folder, not to workDir. False (with the reason in `error`) when it
// could not be started at all.
bool StartDetached(const std::string& program, const std::string& parameters,
                   const std::string& workDir, std::string* error = nullptr);

}  // namespace quellor
