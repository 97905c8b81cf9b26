#pragma once
// Writing a whole file so that it is replaced in one step: the bytes go to the temporary
// file path + ".tmp" beside the target, which then takes the target's name. A failed or interrupted
// write leaves the previous file (or no file) as it was, never half a file.
#include <cstddef>
#include <string>

namespace quellor {

// `mode` is the new file's permission bits (the process umask applies as for any new
// file). False when any step fails; the temporary file is removed then.
bool ReplaceFileContents(const std::string& path, const void* data, size_t size,
                         unsigned mode = 0644);

}  // namespace quellor
