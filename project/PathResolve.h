#pragma once
// Paths as projects and users write them: Windows separators, drive letters, and file or
// folder names whose case differs from the disk ("data\bin" for "Data/bin").
#include <string>

namespace quellor {

// Text after the last "\" or "/".
std::string FilePart(const std::string& path);
// File part without its last extension.
std::string FileStem(const std::string& path);
// True when the file part has an extension (a "." after its first character).
bool HasExtension(const std::string& path);

// Backslashes become "/", a leading drive letter ("C:") is dropped, and every component
// that does not exist with its exact name is matched without case against the entries of
// its folder. Components from the first one that matches nothing on are kept unchanged,
// so the result names the path as far as the disk knows it.
std::string ResolvePath(const std::string& path);

// `base` + `relative`, with one "/" between them (an empty base means the current folder).
std::string JoinPath(const std::string& base, const std::string& relative);

// After resolving: a file or folder exists there.
bool PathExists(const std::string& path);
// After resolving: a folder exists there.
bool PathIsDirectory(const std::string& path);
// After resolving: absent, or a regular file or folder. Devices, pipes and sockets are
// not assets and would block or never end when read.
bool PathIsSafeToRead(const std::string& path);

}  // namespace quellor
