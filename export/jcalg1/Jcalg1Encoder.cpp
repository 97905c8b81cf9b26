// Cost-based JCALG1 encoder: each block of input is parsed with a shortest-path search
// over bit costs (literal, one-byte phrase, short match, last-distance match and
// explicit match), then written out with literal-size and index-base codes placed
// where they pay off.
#include <algorithm>
#include <bit>
#include <limits>

#include "export/jcalg1/Jcalg1.h"
#include "export/jcalg1/Jcalg1Bits.h"
#include "export/jcalg1/Jcalg1MatchFinder.h"

namespace quellor {

namespace {

using jcalg1::BitWriter;
using jcalg1::GammaCost;
using jcalg1::LengthBias;
using jcalg1::Match;
using jcalg1::MatchFinder;

enum class OpKind : uint8_t { Literal, Zero, Phrase, Short, Rep, Normal, Raw };

struct Op {
  OpKind Kind;
  uint32_t Length;
  uint32_t Distance;
};

constexpr size_t kBlockSize = 1 << 16;
constexpr size_t kSegmentSize = 1024;  // literal-size decisions are made per segment
constexpr uint32_t kNiceLength = 160;
constexpr uint32_t kMaxLength = 1u << 24;
constexpr int kMinIndexBase = 5;
constexpr int kMaxIndexBase = 15;  // the base code carries four bits
constexpr uint32_t kBaseChangeCost = 16;
// A raw block: its code, 256 plain bytes and the "another block follows" bit.
constexpr uint32_t kRawBlockBytes = 256;
constexpr uint32_t kRawBlockCost = 8 + 8 * kRawBlockBytes + 1;
constexpr uint32_t kInfinity = std::numeric_limits<uint32_t>::max();

// Literal coding of one segment: 8 bits, or 7 bits above Min when the segment's byte
// range fits.
struct LiteralMode {
  bool Seven = false;
  uint8_t Min = 0;
  bool Fits(uint8_t v) const { return !Seven || uint8_t(v - Min) <= 127; }
  bool operator==(const LiteralMode&) const = default;
};

uint32_t NormalCost(uint32_t distance, uint32_t length, int base) {
  uint32_t high = distance >> base;
  return 2 + GammaCost(high + 3) + uint32_t(base) + GammaCost(length - LengthBias(distance));
}

uint32_t MinNormalLength(uint32_t distance) { return std::max<uint32_t>(2, LengthBias(distance) + 2); }

struct Node {
  uint32_t Cost;
  uint32_t Rep;       // last distance on the best path to here
  uint32_t Distance;  // of the step that arrives here
  uint32_t Length;
  OpKind Kind;
  uint8_t PrevSlot;  // arrival slot at the step's start
};

constexpr size_t kSlots = 3;

class Encoder {
 public:
  Encoder(const uint8_t* data, size_t size, const Jcalg1Options& opt)
      : data_(data),
        size_(size),
        finder_(data, size, std::max<uint32_t>(opt.WindowSize, 1), std::max(opt.MaxChain, 1),
                kNiceLength) {}

  std::vector<Op> Parse(std::vector<uint8_t>& blockBases) {
    ComputeSegmentModes();
    std::vector<Op> ops;
    ops.reserve(size_ / 2 + 16);
    uint32_t rep = 1;
    int base = 8;
    for (size_t start = 0; start < size_; start += kBlockSize) {
      size_t end = std::min(size_, start + kBlockSize);
      CollectMatches(start, end);
      // Try the current index base and its neighbours; a change must pay for its code.
      int bestBase = base;
      uint64_t bestCost = std::numeric_limits<uint64_t>::max();
      for (int b : {base, base - 1, base + 1}) {
        if (b < kMinIndexBase || b > kMaxIndexBase) continue;
        uint64_t cost = uint64_t(RunDp(start, end, rep, b)) + (b != base ? kBaseChangeCost : 0);
        if (cost < bestCost) {
          bestCost = cost;
          bestBase = b;
          best_.swap(nodes_);
        }
      }
      base = bestBase;
      rep = Backtrack(end - start, ops);
      blockBases.push_back(uint8_t(base));
    }
    return ops;
  }

  const std::vector<LiteralMode>& SegmentModes() const { return segModes_; }

 private:
  void ComputeSegmentModes() {
    for (size_t s = 0; s < size_; s += kSegmentSize) {
      size_t e = std::min(size_, s + kSegmentSize);
      uint8_t lo = 255, hi = 0;
      for (size_t i = s; i < e; ++i) {
        lo = std::min(lo, data_[i]);
        hi = std::max(hi, data_[i]);
      }
      LiteralMode m;
      if (hi - lo <= 127) m = {true, lo};
      segModes_.push_back(m);
    }
  }

  uint32_t LiteralCost(size_t pos) const {
    const LiteralMode& m = segModes_[pos / kSegmentSize];
    return m.Seven ? 8 : 9;
  }

  // Adds an arrival at `to`; a position keeps its kSlots cheapest arrivals with distinct
  // last distances, since a dearer arrival may still win through a later cheap
  // last-distance match.
  void Relax(size_t to, const Node& cand) {
    Node* t = &nodes_[to * kSlots];
    size_t at = kSlots;
    for (size_t s = 0; s < kSlots; ++s)
      if (t[s].Cost != kInfinity && t[s].Rep == cand.Rep) {
        if (cand.Cost >= t[s].Cost) return;
        at = s;
        break;
      }
    if (at == kSlots) {
      if (cand.Cost >= t[kSlots - 1].Cost) return;
      at = kSlots - 1;
    }
    t[at] = cand;
    for (; at > 0 && t[at].Cost < t[at - 1].Cost; --at) std::swap(t[at], t[at - 1]);
  }

  // Match lists of every position of the block, found once and shared by the parses
  // with different index bases. Positions inside a very long match are passed over.
  void CollectMatches(size_t start, size_t end) {
    size_t n = end - start;
    firstMatch_.assign(n + 1, 0);
    allMatches_.clear();
    size_t skipUntil = 0;
    for (size_t i = 0; i < n; ++i) {
      size_t pos = start + i;
      finder_.Insert(pos);
      firstMatch_[i] = uint32_t(allMatches_.size());
      if (i < skipUntil) continue;
      uint32_t maxLen = uint32_t(std::min<size_t>(n - i, kMaxLength));
      if (maxLen < 2) continue;
      finder_.Find(pos, maxLen, matches_);
      allMatches_.insert(allMatches_.end(), matches_.begin(), matches_.end());
      if (!matches_.empty() && matches_.back().Length > kNiceLength) skipUntil = i + matches_.back().Length;
    }
    firstMatch_[n] = uint32_t(allMatches_.size());
  }

  // Cheapest-path search over the block with the given index base; returns the cost.
  uint32_t RunDp(size_t start, size_t end, uint32_t rep, int base) {
    size_t n = end - start;
    const Node none{kInfinity, 0, 0, 0, OpKind::Literal, 0};
    nodes_.assign((n + 1) * kSlots, none);
    nodes_[0] = Node{0, rep, 0, 0, OpKind::Literal, 0};

    for (size_t i = 0; i < n; ++i) {
      size_t pos = start + i;
      if (nodes_[i * kSlots].Cost == kInfinity) continue;
      uint32_t maxLen = uint32_t(std::min<size_t>(n - i, kMaxLength));
      uint8_t byte = data_[pos];

      // Single bytes: literal, zero byte or a copy from 1..14 bytes back.
      uint32_t single = LiteralCost(pos);
      OpKind singleKind = OpKind::Literal;
      uint32_t singleDist = 0;
      if (byte == 0) {
        single = 7;
        singleKind = OpKind::Zero;
      } else {
        for (uint32_t d = 1; d <= 14 && d <= pos; ++d)
          if (data_[pos - d] == byte) {
            single = 7;
            singleKind = OpKind::Phrase;
            singleDist = d;
            break;
          }
      }

      size_t skip = 0;  // a very long match is taken without looking inside it
      for (uint8_t slot = 0; slot < kSlots; ++slot) {
        const Node cur = nodes_[i * kSlots + slot];
        if (cur.Cost == kInfinity) break;
        Relax(i + 1, Node{cur.Cost + single, cur.Rep, singleDist, 1, singleKind, slot});
        if (maxLen < 2) continue;
        // Incompressible stretches go out as raw blocks at eight bits a byte.
        if (maxLen >= kRawBlockBytes)
          Relax(i + kRawBlockBytes,
                Node{cur.Cost + kRawBlockCost, cur.Rep, 0, kRawBlockBytes, OpKind::Raw, slot});
        // Match at the last distance: no distance bits, no length bias.
        if (cur.Rep <= pos) {
          uint32_t repLen = finder_.MatchLength(pos, pos - cur.Rep, maxLen);
          for (uint32_t len = 2; len <= repLen && len <= kNiceLength; ++len)
            Relax(i + len, Node{cur.Cost + 4 + GammaCost(len), cur.Rep, cur.Rep, len, OpKind::Rep, slot});
          if (repLen > kNiceLength) {
            Relax(i + repLen,
                  Node{cur.Cost + 4 + GammaCost(repLen), cur.Rep, cur.Rep, repLen, OpKind::Rep, slot});
            skip = std::max<size_t>(skip, repLen);
          }
        }
      }
      if (maxLen < 2) continue;

      // Explicit distances set a new last distance, so only the cheapest arrival matters;
      // a distance equal to its last distance was covered above, more cheaply.
      const Node cur = nodes_[i * kSlots];
      uint32_t covered = 1;
      for (uint32_t k = firstMatch_[i]; k < firstMatch_[i + 1]; ++k) {
        const Match& m = allMatches_[k];
        uint32_t d = m.Distance;
        if (d != cur.Rep) {
          uint32_t top = std::min(m.Length, kNiceLength);
          for (uint32_t len = covered + 1; len <= top; ++len) {
            if (d <= 127 && len <= 5)
              Relax(i + len, Node{cur.Cost + 12, d, d, len, OpKind::Short, 0});
            else if (len >= MinNormalLength(d))
              Relax(i + len, Node{cur.Cost + NormalCost(d, len, base), d, d, len, OpKind::Normal, 0});
          }
          if (m.Length > kNiceLength) {
            Relax(i + m.Length,
                  Node{cur.Cost + NormalCost(d, m.Length, base), d, d, m.Length, OpKind::Normal, 0});
            skip = std::max<size_t>(skip, m.Length);
          }
        }
        covered = std::max(covered, m.Length);
      }
      if (skip > 0) i += skip - 1;
    }
    return nodes_[n * kSlots].Cost;
  }

  // Appends the cheapest path of the best parse; returns the last distance at its end.
  uint32_t Backtrack(size_t n, std::vector<Op>& ops) {
    size_t first = ops.size();
    uint8_t slot = 0;
    uint32_t endRep = best_[n * kSlots].Rep;
    for (size_t i = n; i > 0;) {
      const Node& t = best_[i * kSlots + slot];
      ops.push_back(Op{t.Kind, t.Length, t.Distance});
      slot = t.PrevSlot;
      i -= t.Length;
    }
    std::reverse(ops.begin() + first, ops.end());
    return endRep;
  }

  const uint8_t* data_;
  size_t size_;
  MatchFinder finder_;
  std::vector<LiteralMode> segModes_;
  std::vector<Node> nodes_, best_;
  std::vector<uint32_t> firstMatch_;
  std::vector<Match> allMatches_;
  std::vector<Match> matches_;
};

class Writer {
 public:
  Writer(const uint8_t* data, std::vector<uint8_t>& out) : data_(data), bw_(out) {}

  void SetLiteralMode(const LiteralMode& m) {
    bw_.Bits(0b0010000, 7);
    bw_.Bit(0);
    bw_.Bit(m.Seven ? 0 : 1);
    if (m.Seven) bw_.Bits(m.Min, 8);
    mode_ = m;
  }

  void SetIndexBase(int base) {
    bw_.Bits(0, 10);
    bw_.Bits(0b01, 2);
    bw_.Bits(uint32_t(base), 4);
    base_ = base;
  }

  void Literal(uint8_t v) {
    bw_.Bit(1);
    bw_.Bits(uint8_t(v - mode_.Min), mode_.Seven ? 7 : 8);
  }

  void RawBlocks(size_t pos, size_t count) {
    bw_.Bits(0b0010000, 7);
    bw_.Bit(1);
    for (size_t b = 0; b < count; ++b) {
      for (size_t k = 0; k < kRawBlockBytes; ++k) bw_.Bits(data_[pos + b * kRawBlockBytes + k], 8);
      bw_.Bit(b + 1 < count ? 1 : 0);
    }
  }

  void Match(const Op& op) {
    switch (op.Kind) {
      case OpKind::Zero:
        bw_.Bits(0b0010001, 7);
        break;
      case OpKind::Phrase:
        bw_.Bits(0b001, 3);
        bw_.Bits(op.Distance + 1, 4);
        break;
      case OpKind::Short:
        if (op.Distance == last_) return Rep(op.Length);
        bw_.Bits(0b000, 3);
        bw_.Bits(op.Distance, 7);
        bw_.Bits(op.Length - 2, 2);
        last_ = op.Distance;
        break;
      case OpKind::Rep:
        return Rep(op.Length);
      case OpKind::Normal:
        if (op.Distance == last_) return Rep(op.Length);
        bw_.Bits(0b01, 2);
        bw_.Gamma((op.Distance >> base_) + 3);
        bw_.Bits(op.Distance & ((1u << base_) - 1), base_);
        bw_.Gamma(op.Length - LengthBias(op.Distance));
        last_ = op.Distance;
        break;
      case OpKind::Literal:
      case OpKind::Raw:
        break;
    }
  }

  void End() {
    bw_.Bits(0, 12);
    bw_.Finish();
  }

  const LiteralMode& Mode() const { return mode_; }
  int Base() const { return base_; }

 private:
  void Rep(uint32_t length) {
    bw_.Bits(0b01, 2);
    bw_.Gamma(2);
    bw_.Gamma(length);
  }

  const uint8_t* data_;
  BitWriter bw_;
  LiteralMode mode_;
  int base_ = 8;
  uint32_t last_ = 1;
};

// Segments that prefer 7-bit literals but hold too few literals to pay for the switch
// fall back to "no preference".
constexpr size_t kSevenBitMinLiterals = 32;

}  // namespace

std::vector<uint8_t> Jcalg1Compress(const uint8_t* data, size_t size, const Jcalg1Options& options) {
  std::vector<uint8_t> out;
  if (size > std::numeric_limits<uint32_t>::max() || (size > 0 && !data)) return out;
  uint32_t checksum = options.WithChecksum ? Jcalg1Checksum(data, size) : 0;
  out = {'J', 'C', uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), uint8_t(size >> 24),
         uint8_t(checksum), uint8_t(checksum >> 8), uint8_t(checksum >> 16), uint8_t(checksum >> 24)};

  Encoder enc(data, size, options);
  std::vector<uint8_t> blockBases;
  std::vector<Op> ops = enc.Parse(blockBases);
  std::vector<LiteralMode> modes = enc.SegmentModes();

  // Literal counts per segment decide which 7-bit preferences are worth a switch.
  std::vector<size_t> literals(modes.size(), 0);
  for (size_t pos = 0, k = 0; k < ops.size(); pos += ops[k].Length, ++k)
    if (ops[k].Kind == OpKind::Literal) ++literals[pos / kSegmentSize];
  for (size_t s = 0; s < modes.size(); ++s)
    if (literals[s] < kSevenBitMinLiterals) modes[s] = LiteralMode{};

  Writer w(data, out);
  w.SetLiteralMode(modes.empty() ? LiteralMode{} : modes[0]);
  size_t pos = 0;
  for (size_t k = 0; k < ops.size(); ++k) {
    const Op& op = ops[k];
    // Ops never cross a block boundary, so an explicit distance is coded with its block's
    // base; only those need the base, so the change waits for the first of them.
    int base = blockBases[pos / kBlockSize];
    if (op.Kind == OpKind::Normal && base != w.Base()) w.SetIndexBase(base);
    if (op.Kind == OpKind::Literal) {
      const LiteralMode& want = modes[pos / kSegmentSize];
      uint8_t v = data[pos];
      bool keep = w.Mode().Fits(v) && (w.Mode().Seven || !want.Seven);
      if (!keep) w.SetLiteralMode(want.Fits(v) ? want : LiteralMode{});
      w.Literal(v);
    } else if (op.Kind == OpKind::Raw) {
      size_t run = 1;  // consecutive blocks share one code
      while (k + run < ops.size() && ops[k + run].Kind == OpKind::Raw) ++run;
      w.RawBlocks(pos, run);
      k += run - 1;
      pos += run * kRawBlockBytes;
      continue;
    } else {
      w.Match(op);
    }
    pos += op.Length;
  }
  w.End();
  return out;
}

}  // namespace quellor
