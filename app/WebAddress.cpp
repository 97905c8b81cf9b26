#include "app/WebAddress.h"

namespace quellor {

namespace {
// "https://quellor.example.org"
constexpr unsigned char kWebsite[] = {
    0x8A, 0x95, 0x94, 0x8F, 0x91, 0x5C, 0x50, 0x4F, 0x90, 0x93, 0x87, 0x8D, 0x8C, 0x8E,
    0x90, 0x50, 0x86, 0x98, 0x80, 0x8B, 0x92, 0x8D, 0x85, 0x4D, 0x8D, 0x94, 0x88};
// "https://forum.quellor.example.org"
constexpr unsigned char kForum[] = {
    0x8A, 0x95, 0x94, 0x8F, 0x91, 0x5C, 0x50, 0x4F, 0x85, 0x8D, 0x94, 0x96, 0x8D, 0x4D, 0x8F,
    0x97, 0x86, 0x8C, 0x8B, 0x8D, 0x94, 0x4F, 0x85, 0x97, 0x7F, 0x8F, 0x91, 0x8C, 0x84, 0x4C,
    0x91, 0x93, 0x87};

template <size_t N, size_t M>
constexpr bool SameBytes(const unsigned char (&a)[N], const std::array<unsigned char, M>& b) {
  if (N != M) return false;
  for (size_t i = 0; i < N; ++i)
    if (a[i] != b[i]) return false;
  return true;
}
// The stored bytes are checked against the scrambler at compile time; the plain texts
// below never reach the binary.
static_assert(SameBytes(kWebsite, ScrambleLiteral("https://quellor.example.org")));
static_assert(SameBytes(kForum, ScrambleLiteral("https://forum.quellor.example.org")));
}  // namespace

std::string UnscrambleAddress(const unsigned char* stored, size_t n) {
  std::string out(n, '\0');
  for (size_t i = 0; i < n; ++i) out[i] = UnscrambleChar(stored[i], i);
  return out;
}

std::string ScrambleAddress(std::string_view plain) {
  std::string out(plain.size(), '\0');
  for (size_t i = 0; i < plain.size(); ++i) out[i] = static_cast<char>(ScrambleChar(plain[i], i));
  return out;
}

std::span<const unsigned char> StoredWebsiteAddress() { return kWebsite; }
std::span<const unsigned char> StoredForumAddress() { return kForum; }

void UnscrambleWebAddresses(IntroModel& m) {
  m.WebsiteAddress = UnscrambleAddress(kWebsite, sizeof kWebsite);
  m.ForumAddress = UnscrambleAddress(kForum, sizeof kForum);
}

}  // namespace quellor
