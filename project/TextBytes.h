#pragma once
// Texts of an intro are kept as the bytes they were read as: projects written on Windows
// hold Windows-1252 text, newer ones UTF-8. Only where a text is shown by the window
// toolkit or handed to the file system is it converted, with these helpers.
#include <string>
#include <string_view>

namespace quellor {

// Length of the UTF-8 sequence starting at s[i], or 0 when none is well formed there.
size_t Utf8SequenceLength(std::string_view s, size_t i);
bool IsValidUtf8(std::string_view s);

// Windows-1252 bytes as UTF-8 (the five bytes the code page leaves empty become U+FFFD).
std::string Cp1252ToUtf8(std::string_view s);

// The text as UTF-8 for showing: UTF-8 stays as it is, anything else is read as
// Windows-1252.
std::string DisplayText(std::string_view s);

}  // namespace quellor
