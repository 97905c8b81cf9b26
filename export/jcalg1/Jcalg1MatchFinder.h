#pragma once
// Hash-chain match finder for the JCALG1 encoder: for one position it lists the
// nearest match of every new best length (distances ascending, lengths ascending),
// which is what the cost-based parser needs.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quellor::jcalg1 {

struct Match {
  uint32_t Length;
  uint32_t Distance;
};

class MatchFinder {
 public:
  MatchFinder(const uint8_t* data, size_t size, uint32_t window, int maxChain, uint32_t niceLength);

  // Adds position `pos` to the chains; positions must be inserted in order, each once.
  void Insert(size_t pos);
  // Matches for `pos` (already inserted) no longer than maxLength; returns the count.
  size_t Find(size_t pos, uint32_t maxLength, std::vector<Match>& out) const;

  uint32_t MatchLength(size_t pos, size_t from, uint32_t maxLength) const;

 private:
  const uint8_t* data_;
  size_t size_;
  uint32_t window_;
  int maxChain_;
  uint32_t nice_;
  uint32_t mask_;
  int hashBits_;
  std::vector<uint32_t> head3_, prev3_;  // position + 1, 0 = none
  std::vector<uint32_t> head2_, prev2_;
};

}  // namespace quellor::jcalg1
