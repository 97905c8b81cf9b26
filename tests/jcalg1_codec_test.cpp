#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>

#include "engine/image/ImageCodec.h"
#include "export/jcalg1/Jcalg1.h"
#include "export/jcalg1/Jcalg1Bits.h"

using namespace quellor;

namespace {

std::vector<uint8_t> FromHex(const std::string& hex) {
  std::vector<uint8_t> v;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) v.push_back(uint8_t(std::stoul(hex.substr(i, 2), nullptr, 16)));
  return v;
}

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<uint8_t> Decode(const std::vector<uint8_t>& stream) {
  std::vector<uint8_t> out;
  if (!Jcalg1DecompressToVector(stream.data(), stream.size(), out, 1u << 28)) return {0xDE, 0xAD};
  return out;
}

std::vector<uint8_t> Random(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = uint8_t(rng());
  return v;
}

// Streams made by the original compressor, with the data they hold.
struct Vector {
  std::vector<uint8_t> Plain;
  std::string Stream;
};

std::vector<Vector> ReferenceVectors() {
  std::vector<uint8_t> zeros(3000, 0);
  zeros.insert(zeros.end(), {1, 2, 3});
  zeros.insert(zeros.end(), 100, 0);
  std::vector<uint8_t> ab = Bytes("ABABABABABABABABABAB");
  ab.insert(ab.end(), {0, 0, 0, 0xFF, 0xFE, 0xFD, 'A', 'B', 'A', 'B'});
  return {
      {Bytes("hello hello hello world, hello hello hello world!!! abcabcabcabc"),
       "4a43400000001173e8e96264102080cf12e6ca3565608cc41769d02bc330076b0820c2800d0b00000a85"},
      {zeros, "4a431f0c000003060500f7479120100088df5364503000800857"},
      {ab, "4a431e00000007fc48bd4c68d0200410e105a0bfffff00984c4000000000"},
  };
}

// Walks a stream for the rules the original decoders depend on but that a lenient
// decoder would not notice: literal size set by the first code, no match coded with an
// explicit distance equal to the last distance, index base never 0. Returns "" or the
// broken rule.
std::string CheckCompatibility(const std::vector<uint8_t>& s) {
  const size_t bits = (s.size() - kJcalg1HeaderSize) * 8;
  size_t at = 0;
  auto bit = [&]() -> uint32_t {
    if (at >= bits) throw std::out_of_range("past the end");
    size_t word = kJcalg1HeaderSize + at / 32 * 4, k = 31 - at % 32;
    ++at;
    uint32_t w = uint32_t(s[word]) | uint32_t(s[word + 1]) << 8 | uint32_t(s[word + 2]) << 16 |
                 uint32_t(s[word + 3]) << 24;
    return (w >> k) & 1u;
  };
  auto read = [&](int n) {
    uint64_t v = 0;
    while (n-- > 0) v = v << 1 | bit();
    return v;
  };
  auto gamma = [&]() {
    uint64_t v = 1;
    do v = v * 2 + bit();
    while (bit());
    return v;
  };
  try {
    if (read(8) != 0b00100000) return "first code does not set the literal size";
    int literalBits = bit() ? 8 : 7;
    if (literalBits == 7) read(8);
    uint64_t last = 1;
    int base = 8;
    for (;;) {
      if (bit()) {
        read(literalBits);
      } else if (bit()) {
        uint64_t high = gamma();
        if (high != 2) {
          uint64_t d = (high - 3) << base | read(base);
          if (d == last) return "explicit distance equal to the last distance";
          last = d;
        }
        gamma();
      } else if (bit()) {
        if (read(4) != 0) continue;
        if (bit()) {
          do read(2048);
          while (bit());
        } else {
          literalBits = bit() ? 8 : 7;
          if (literalBits == 7) read(8);
        }
      } else {
        uint64_t idx = read(7), len = read(2) + 2;
        if (idx == last) return "short match at the last distance";
        if (idx != 0) {
          last = idx;
        } else if (len == 2) {
          return "";
        } else {
          base = int(read(int(len) + 1));
          if (base == 0) return "index base 0";
        }
      }
    }
  } catch (const std::out_of_range&) {
    return "no end code";
  }
}

}  // namespace

TEST(Jcalg1Decoder, DecodesStreamsOfTheOriginalCompressor) {
  for (const Vector& v : ReferenceVectors()) {
    std::vector<uint8_t> stream = FromHex(v.Stream);
    Jcalg1Header h;
    ASSERT_TRUE(Jcalg1ReadHeader(stream.data(), stream.size(), h));
    EXPECT_EQ(h.UnpackedSize, v.Plain.size());
    EXPECT_EQ(h.Checksum, Jcalg1Checksum(v.Plain.data(), v.Plain.size()));
    EXPECT_EQ(Decode(stream), v.Plain);
    EXPECT_EQ(CheckCompatibility(stream), "");
  }
}

TEST(Jcalg1Checksum, MatchesKnownValuesIncludingTheOverlappingTail) {
  auto vecs = ReferenceVectors();
  EXPECT_EQ(Jcalg1Checksum(vecs[0].Plain.data(), vecs[0].Plain.size()), 0xE9E87311u);
  EXPECT_EQ(Jcalg1Checksum(vecs[1].Plain.data(), vecs[1].Plain.size()), 0x00050603u);  // 3103 bytes
  uint8_t three[3] = {1, 2, 3};
  EXPECT_EQ(Jcalg1Checksum(three, 3), 0u);
  // A changed last byte must change the sum even when it lies in the short tail.
  std::vector<uint8_t> a(13, 7), b = a;
  b[12] = 8;
  EXPECT_NE(Jcalg1Checksum(a.data(), a.size()), Jcalg1Checksum(b.data(), b.size()));
}

TEST(Jcalg1Decoder, RefusesMismatchedSizesAndSignatures) {
  std::vector<uint8_t> stream = FromHex(ReferenceVectors()[0].Stream);
  std::vector<uint8_t> out(64);
  EXPECT_TRUE(Jcalg1Decompress(stream.data(), stream.size(), out.data(), 64));
  EXPECT_FALSE(Jcalg1Decompress(stream.data(), stream.size(), out.data(), 63));
  std::vector<uint8_t> big(65);
  EXPECT_FALSE(Jcalg1Decompress(stream.data(), stream.size(), big.data(), 65));
  std::vector<uint8_t> bad = stream;
  bad[0] = 'X';
  EXPECT_FALSE(Jcalg1Decompress(bad.data(), bad.size(), out.data(), 64));
  EXPECT_FALSE(Jcalg1Decompress(stream.data(), 9, out.data(), 64));
  std::vector<uint8_t> v;
  EXPECT_FALSE(Jcalg1DecompressToVector(stream.data(), stream.size(), v, 63));  // above the cap
  EXPECT_TRUE(v.empty());
}

TEST(Jcalg1Decoder, CorruptStreamsFailWithoutCrashing) {
  std::vector<uint8_t> plain = Bytes(std::string(
      "The quick brown fox jumps over the lazy dog. The quick brown fox jumps again and again."));
  plain.resize(700, 'z');
  std::vector<uint8_t> stream = Jcalg1Compress(plain.data(), plain.size());
  ASSERT_EQ(Decode(stream), plain);
  std::vector<uint8_t> out(plain.size());
  // Every proper prefix lacks the end code or whole words.
  for (size_t n = 0; n < stream.size(); ++n)
    EXPECT_FALSE(Jcalg1Decompress(stream.data(), n, out.data(), out.size())) << "prefix " << n;
  // A flipped bit either fails or (never seen, but allowed) still yields the data.
  int failures = 0;
  for (size_t bit = 0; bit < stream.size() * 8; ++bit) {
    std::vector<uint8_t> s = stream;
    s[bit / 8] ^= uint8_t(1u << (bit % 8));
    std::vector<uint8_t> o(plain.size());
    if (Jcalg1Decompress(s.data(), s.size(), o.data(), o.size()))
      EXPECT_EQ(o, plain) << "bit " << bit;
    else
      ++failures;
  }
  EXPECT_GT(failures, int(stream.size() * 8 * 8 / 10));  // all but padding bits and rare twins
}

TEST(Jcalg1Decoder, HostileCodesAreRefused) {
  using jcalg1::BitWriter;
  auto make = [](uint32_t size, auto&& body) {
    std::vector<uint8_t> s = {'J', 'C', uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16),
                              uint8_t(size >> 24), 0, 0, 0, 0};
    BitWriter w(s);
    w.Bits(0b00100000, 8);
    w.Bit(1);  // 8-bit literals
    body(w);
    w.Finish();
    return s;
  };
  std::vector<uint8_t> out(600);
  auto decodes = [&](const std::vector<uint8_t>& s, size_t n) {
    return Jcalg1Decompress(s.data(), s.size(), out.data(), n);
  };
  auto literal = [](BitWriter& w, uint8_t v) { w.Bit(1); w.Bits(v, 8); };
  auto end = [](BitWriter& w) { w.Bits(0, 12); };

  // Well-formed control case: two literals, a one-byte phrase and a short match.
  auto good = make(5, [&](BitWriter& w) {
    literal(w, 'a'); literal(w, 'b');
    w.Bits(0b001, 3); w.Bits(3, 4);                  // copy from 2 back: 'a'
    w.Bits(0b000, 3); w.Bits(2, 7); w.Bits(0, 2);    // 2 bytes from 2 back: "ba"
    end(w);
  });
  ASSERT_TRUE(decodes(good, 5));
  EXPECT_EQ(std::string(out.begin(), out.begin() + 5), "ababa");
  EXPECT_EQ(CheckCompatibility(good), "");
  // Decodable, but the original decoders expect the last-distance code here.
  auto lastAsShort = make(3, [&](BitWriter& w) {
    literal(w, 'a');
    w.Bits(0b000, 3); w.Bits(1, 7); w.Bits(0, 2);  // distance 1 is the initial last distance
    end(w);
  });
  EXPECT_TRUE(decodes(lastAsShort, 3));
  EXPECT_EQ(CheckCompatibility(lastAsShort), "short match at the last distance");

  // Distance beyond the bytes produced so far.
  EXPECT_FALSE(decodes(make(3, [&](BitWriter& w) {
    literal(w, 'a');
    w.Bits(0b000, 3); w.Bits(5, 7); w.Bits(0, 2);
    end(w);
  }), 3));
  // Match longer than the declared output.
  EXPECT_FALSE(decodes(make(4, [&](BitWriter& w) {
    literal(w, 'a');
    w.Bits(0b01, 2); w.Gamma(2); w.Gamma(40);  // last distance (1), 40 bytes
    end(w);
  }), 4));
  // A raw block needs 256 bytes of room.
  EXPECT_FALSE(decodes(make(100, [&](BitWriter& w) {
    w.Bits(0b0010000, 7); w.Bit(1);
    for (int i = 0; i < 256; ++i) w.Bits(uint32_t(i), 8);
    w.Bit(0);
    end(w);
  }), 100));
  // Index base 0 must neither spin nor read distance bits: distance 0 is refused.
  EXPECT_FALSE(decodes(make(2, [&](BitWriter& w) {
    literal(w, 'a');
    w.Bits(0, 10); w.Bits(0b01, 2); w.Bits(0, 4);
    w.Bits(0b01, 2); w.Gamma(3); w.Gamma(2);
    end(w);
  }), 2));
  // Endless gamma code.
  EXPECT_FALSE(decodes(make(2, [&](BitWriter& w) {
    literal(w, 'a');
    w.Bits(0b01, 2);
    for (int i = 0; i < 40; ++i) w.Bits(0b11, 2);
    end(w);
  }), 2));
  // Missing end code: the codes fill the last word exactly, then the input runs out.
  auto noEnd = make(3, [&](BitWriter& w) {
    w.Bits(0b0010001, 7); w.Bits(0b0010001, 7);  // two zero bytes
    literal(w, 'a');
  });
  ASSERT_EQ(noEnd.size(), kJcalg1HeaderSize + 4);
  EXPECT_FALSE(decodes(noEnd, 3));
  // Stream ends before the declared size is produced.
  EXPECT_FALSE(decodes(make(2, [&](BitWriter& w) { literal(w, 'a'); end(w); }), 2));
}

TEST(Jcalg1Encoder, RoundTripsVariedData) {
  std::vector<std::vector<uint8_t>> inputs;
  inputs.push_back({});
  inputs.push_back({0});
  inputs.push_back({0x9C});
  inputs.push_back(Bytes("ab"));
  std::string text;
  for (int i = 0; i < 400; ++i) text += "Scroller " + std::to_string(i * 7 % 13) + " says hello to the pager. ";
  inputs.push_back(Bytes(text));
  inputs.push_back(std::vector<uint8_t>(200000, 0x55));  // one long run
  inputs.push_back(Random(70000, 1));
  // Image-like: RGBA gradient with noise.
  std::vector<uint8_t> img;
  std::mt19937 rng(5);
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 300; ++x) img.insert(img.end(), {uint8_t(x), uint8_t(y * 2), uint8_t((x ^ y) + rng() % 4), 255});
  inputs.push_back(img);
  // Narrow byte ranges alternating with wide ones: literal-size switches.
  std::vector<uint8_t> modes;
  for (int seg = 0; seg < 12; ++seg) {
    std::vector<uint8_t> part = Random(1500, 100 + seg);
    if (seg % 3 != 2)
      for (auto& b : part) b = uint8_t(0xF0 + (b & 0x3F));  // wraps around 0xFF
    modes.insert(modes.end(), part.begin(), part.end());
  }
  inputs.push_back(modes);
  // Repeats at the distances where the length bias changes, with short and long lengths.
  for (uint32_t d : {127u, 128u, 0x27Eu, 0x27Fu, 0x37FEu, 0x37FFu, 0xFFFFu, 0x10000u, 0x20001u}) {
    std::vector<uint8_t> v = Random(d, d);
    for (uint32_t len : {2u, 3u, 4u, 5u, 6u, 7u, 300u}) {
      size_t at = v.size() - d;
      for (uint32_t k = 0; k < len; ++k) v.push_back(v[at + k]);
      std::vector<uint8_t> gap = Random(40, d + len);
      v.insert(v.end(), gap.begin(), gap.end());
    }
    inputs.push_back(v);
  }
  // Sizes around raw-block, segment, block and window boundaries.
  for (size_t n : {255u, 256u, 257u, 511u, 1023u, 1024u, 1025u, 65535u, 65536u, 65537u, 131071u, 131072u, 131073u}) {
    std::vector<uint8_t> v = Random(n, uint32_t(n));
    for (size_t i = n / 2; i < n; ++i) v[i] = v[i - n / 3];
    inputs.push_back(v);
  }

  for (size_t k = 0; k < inputs.size(); ++k) {
    const auto& in = inputs[k];
    for (uint32_t window : {1024u, 128u * 1024u, 1u << 20}) {
      Jcalg1Options opt;
      opt.WindowSize = window;
      std::vector<uint8_t> s = Jcalg1Compress(in.data(), in.size(), opt);
      ASSERT_GE(s.size(), kJcalg1HeaderSize + 4) << "input " << k;
      EXPECT_EQ((s.size() - kJcalg1HeaderSize) % 4, 0u);
      EXPECT_EQ(CheckCompatibility(s), "") << "input " << k << " window " << window;
      EXPECT_EQ(Decode(s), in) << "input " << k << " window " << window;
    }
  }
}

TEST(Jcalg1Encoder, CompressesWellAndKeepsIncompressibleDataNearItsSize) {
  std::vector<uint8_t> runs(100000, 0);
  EXPECT_LT(Jcalg1Compress(runs.data(), runs.size()).size(), 64u);
  // Random data goes into raw blocks: about one byte per byte, not nine bits.
  std::vector<uint8_t> rnd = Random(8192, 42);
  std::vector<uint8_t> s = Jcalg1Compress(rnd.data(), rnd.size());
  EXPECT_EQ(Decode(s), rnd);
  EXPECT_LT(s.size(), rnd.size() + 64);
  // Checksum off: the header carries 0 and the stream still decodes.
  Jcalg1Options noSum;
  noSum.WithChecksum = false;
  std::vector<uint8_t> t = Bytes("abcabcabcabcabc and some more abcabc");
  std::vector<uint8_t> u = Jcalg1Compress(t.data(), t.size(), noSum);
  Jcalg1Header h;
  ASSERT_TRUE(Jcalg1ReadHeader(u.data(), u.size(), h));
  EXPECT_EQ(h.Checksum, 0u);
  EXPECT_EQ(Decode(u), t);
}

TEST(Jcalg1Encoder, CompressesAnExecutable) {
  std::vector<uint8_t> exe;
  if (!ReadWholeFile("/usr/bin/gzip", exe) || exe.empty()) GTEST_SKIP() << "/usr/bin/gzip not readable";
  std::vector<uint8_t> s = Jcalg1Compress(exe.data(), exe.size());
  std::printf("/usr/bin/gzip: %zu -> %zu bytes (%.1f %%)\n", exe.size(), s.size(), 100.0 * s.size() / exe.size());
  EXPECT_EQ(Decode(s), exe);
  EXPECT_LT(s.size(), exe.size() / 2 + exe.size() / 20);
}
