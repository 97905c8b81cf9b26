// Icon replacement in PE executables the test writes itself: the resource tree that
// comes out, the section and header fields, the checksum, and damaged input.
#include <gtest/gtest.h>

#include <cstring>

#include "export/PeIcon.h"

namespace quellor {
namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = uint8_t(v), b[at + 1] = uint8_t(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}
uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
  uint32_t v;
  std::memcpy(&v, &b[at], 4);
  return v;
}
uint16_t Get16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

constexpr size_t kPe = 0x40, kOpt = kPe + 24;

// A one-section executable (.text at RVA 0x1000, file offset 0x200) without resources.
std::vector<uint8_t> MakePe(bool plus) {
  std::vector<uint8_t> f(0x400, 0);
  f[0] = 'M', f[1] = 'Z';
  Put32(f, 0x3C, kPe);
  f[kPe] = 'P', f[kPe + 1] = 'E';
  Put16(f, kPe + 4, plus ? 0x8664 : 0x14C);
  Put16(f, kPe + 6, 1);
  const uint32_t optBytes = plus ? 240 : 224;
  Put16(f, kPe + 20, optBytes);
  Put16(f, kOpt, plus ? 0x20B : 0x10B);
  Put32(f, kOpt + 32, 0x1000);
  Put32(f, kOpt + 36, 0x200);
  Put32(f, kOpt + 56, 0x2000);
  Put32(f, kOpt + 60, 0x200);
  Put32(f, kOpt + (plus ? 108 : 92), 16);
  const size_t sec = kOpt + optBytes;
  std::memcpy(&f[sec], ".text", 5);
  Put32(f, sec + 8, 0x10);
  Put32(f, sec + 12, 0x1000);
  Put32(f, sec + 16, 0x200);
  Put32(f, sec + 20, 0x200);
  for (int i = 0; i < 16; ++i) f[0x200 + i] = uint8_t(0xC3 - i);
  return f;
}

size_t DirectoryAt(bool plus, int i) { return kOpt + (plus ? 112 : 96) + 8 * i; }

struct Icon {
  std::vector<uint8_t> File;
  std::vector<std::vector<uint8_t>> Images;
  std::vector<uint8_t> Group;  // the group resource it must become
};

Icon MakeIcon(std::vector<size_t> sizes) {
  Icon ico;
  const size_t n = sizes.size();
  ico.File.assign(6 + 16 * n, 0);
  Put16(ico.File, 2, 1);
  Put16(ico.File, 4, uint32_t(n));
  ico.Group = {0, 0, 1, 0, uint8_t(n), 0};
  for (size_t i = 0; i < n; ++i) {
    std::vector<uint8_t> img(sizes[i]);
    for (size_t k = 0; k < img.size(); ++k) img[k] = uint8_t(i * 31 + k);
    const size_t e = 6 + 16 * i;
    ico.File[e] = uint8_t(16 << i), ico.File[e + 1] = uint8_t(16 << i), ico.File[e + 2] = 0;
    Put16(ico.File, e + 4, 1);
    Put16(ico.File, e + 6, 32);
    Put32(ico.File, e + 8, uint32_t(img.size()));
    Put32(ico.File, e + 12, uint32_t(ico.File.size()));
    ico.Group.insert(ico.Group.end(), ico.File.begin() + e, ico.File.begin() + e + 12);
    ico.Group.push_back(uint8_t(i + 1));
    ico.Group.push_back(0);
    ico.File.insert(ico.File.end(), img.begin(), img.end());
    ico.Images.push_back(img);
  }
  return ico;
}

// The PE checksum as the format defines it: 16-bit words with end-around carry, the
// checksum field counted as zero, plus the file length.
uint32_t Checksum(std::vector<uint8_t> f, size_t field) {
  const uint32_t length = uint32_t(f.size());
  Put32(f, field, 0);
  if (f.size() % 2) f.push_back(0);
  uint32_t sum = 0;
  for (size_t i = 0; i < f.size(); i += 2) {
    sum += Get16(f, i);
    sum = (sum & 0xFFFF) + (sum >> 16);
  }
  return ((sum & 0xFFFF) + (sum >> 16)) + length;
}

const std::vector<uint8_t>& Resource(const ResourceTree& t, uint32_t type, uint32_t id) {
  static const std::vector<uint8_t> none;
  auto a = t.find(ResourceKey::Of(type));
  if (a == t.end()) return none;
  auto b = a->second.find(ResourceKey::Of(id));
  if (b == a->second.end()) return none;
  auto c = b->second.find(ResourceKey::Of(0));
  return c == b->second.end() ? none : c->second.Bytes;
}

TEST(PeIcon, ANewResourceSectionHoldsTheGroupAndEveryImage) {
  for (bool plus : {false, true}) {
    std::vector<uint8_t> exe = MakePe(plus);
    const std::vector<uint8_t> text(exe.begin() + 0x200, exe.begin() + 0x210);
    Icon ico = MakeIcon({40, 300});
    ASSERT_EQ(ReplaceIconInImage(ico.File, exe), IconResult::Replaced) << plus;

    ResourceTree tree;
    ASSERT_TRUE(ReadResources(exe, tree));
    EXPECT_EQ(Resource(tree, 14, 1), ico.Group);
    EXPECT_EQ(Resource(tree, 3, 1), ico.Images[0]);
    EXPECT_EQ(Resource(tree, 3, 2), ico.Images[1]);
    // A second section after .text, in memory and in the file, aligned.
    const size_t sec2 = kOpt + (plus ? 240 : 224) + 40;
    EXPECT_EQ(Get16(exe, kPe + 6), 2);
    EXPECT_EQ(Get32(exe, sec2 + 12), 0x2000u);  // VirtualAddress
    EXPECT_EQ(Get32(exe, sec2 + 20), 0x400u);   // PointerToRawData
    EXPECT_EQ(Get32(exe, sec2 + 16) % 0x200, 0u);
    EXPECT_EQ(Get32(exe, DirectoryAt(plus, 2)), 0x2000u);
    EXPECT_EQ(Get32(exe, DirectoryAt(plus, 2) + 4), Get32(exe, sec2 + 8));
    EXPECT_EQ(Get32(exe, kOpt + 56), 0x2000u + ((Get32(exe, sec2 + 8) + 0xFFF) & ~0xFFFu));
    EXPECT_EQ(std::vector<uint8_t>(exe.begin() + 0x200, exe.begin() + 0x210), text);
    EXPECT_EQ(Get32(exe, kOpt + 64), Checksum(exe, kOpt + 64));
  }
}

TEST(PeIcon, ASecondIconRebuildsTheLastSectionAndKeepsOtherResources) {
  std::vector<uint8_t> exe = MakePe(false);
  ASSERT_EQ(ReplaceIconInImage(MakeIcon({40, 300}).File, exe), IconResult::Replaced);
  Icon second = MakeIcon({64});
  ASSERT_EQ(ReplaceIconInImage(second.File, exe), IconResult::Replaced);
  EXPECT_EQ(Get16(exe, kPe + 6), 2);  // rebuilt in place, no third section
  ResourceTree tree;
  ASSERT_TRUE(ReadResources(exe, tree));
  EXPECT_EQ(Resource(tree, 14, 1), second.Group);
  EXPECT_EQ(Resource(tree, 3, 1), second.Images[0]);
  EXPECT_EQ(Resource(tree, 3, 2).size(), 300u);  // the earlier image 2 stays, as resource updates keep it
  EXPECT_EQ(Get32(exe, kOpt + 64), Checksum(exe, kOpt + 64));
}

TEST(PeIcon, DamagedFilesAreRefusedWithoutReadingOutside) {
  Icon ico = MakeIcon({40});
  std::vector<uint8_t> notPe(300, 'x');
  EXPECT_EQ(ReplaceIconInImage(ico.File, notPe), IconResult::NotPe);
  std::vector<uint8_t> cut = MakePe(false);
  cut.resize(0x100);  // the section table is cut off
  EXPECT_EQ(ReplaceIconInImage(ico.File, cut), IconResult::NotPe);

  std::vector<uint8_t> exe = MakePe(false);
  std::vector<uint8_t> badIco = ico.File;
  Put32(badIco, 6 + 12, 100000);  // image offset past the file's end
  EXPECT_EQ(ReplaceIconInImage(badIco, exe), IconResult::BadIcon);
  EXPECT_EQ(ReplaceIconInImage({0, 0, 2, 0, 1, 0}, exe), IconResult::BadIcon);  // a cursor
  EXPECT_EQ(exe, MakePe(false));

  // A resource directory pointing anywhere: refused, never read outside the file.
  Put32(exe, DirectoryAt(false, 2), 0x1004);
  Put32(exe, DirectoryAt(false, 2) + 4, 64);
  for (int v = 0; v < 256; v += 17) {
    std::vector<uint8_t> probe = exe;
    for (int i = 0; i < 16; ++i) probe[0x204 + i] = uint8_t(v + i * 0x91);
    IconResult r = ReplaceIconInImage(ico.File, probe);
    EXPECT_TRUE(r == IconResult::NoRoom || r == IconResult::Replaced);
  }
  // No room for another section header before the first section's data.
  std::vector<uint8_t> tight = MakePe(false);
  Put32(tight, kOpt + 60, 0x160);
  Put32(tight, kOpt + 224 + 20, 0x160);
  EXPECT_EQ(ReplaceIconInImage(ico.File, tight), IconResult::NoRoom);
}

}  // namespace
}  // namespace quellor
