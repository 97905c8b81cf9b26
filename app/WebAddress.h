#pragma once
// The website and forum addresses are kept scrambled in the program and unscrambled at
// start: stored character i (counted from 1) has the code of the real character + 35 - k,
// with k running 1, 2, 3, 4, 5 and starting again at 1.
#include <array>
#include <cstddef>
#include <string>
#include <span>
#include <string_view>

#include "project/IntroModel.h"

namespace quellor {

constexpr int ScrambleStep(size_t index0) { return static_cast<int>(index0 % 5) + 1; }

constexpr unsigned char ScrambleChar(char c, size_t index0) {
  return static_cast<unsigned char>(static_cast<unsigned char>(c) + 35 - ScrambleStep(index0));
}

constexpr char UnscrambleChar(unsigned char stored, size_t index0) {
  return static_cast<char>(stored - 35 + ScrambleStep(index0));
}

// Scrambles a literal at compile time (the terminating NUL is not stored).
template <size_t N>
constexpr std::array<unsigned char, N - 1> ScrambleLiteral(const char (&plain)[N]) {
  std::array<unsigned char, N - 1> out{};
  for (size_t i = 0; i + 1 < N; ++i) out[i] = ScrambleChar(plain[i], i);
  return out;
}

std::string UnscrambleAddress(const unsigned char* stored, size_t n);
std::string ScrambleAddress(std::string_view plain);  // as bytes in a std::string

// The two addresses as the program stores them.
std::span<const unsigned char> StoredWebsiteAddress();
std::span<const unsigned char> StoredForumAddress();

// Fills WebsiteAddress and ForumAddress of the model.
void UnscrambleWebAddresses(IntroModel& m);

}  // namespace quellor
