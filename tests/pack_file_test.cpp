#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/ResourcePacks.h"
#include "project/PathResolve.h"
#include "engine/image/ImageCodec.h"
#include "export/PackFile.h"

using namespace quellor;
namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

uint32_t Le32(const std::vector<uint8_t>& v, size_t at) {
  return uint32_t(v[at]) | uint32_t(v[at + 1]) << 8 | uint32_t(v[at + 2]) << 16 | uint32_t(v[at + 3]) << 24;
}
void PutLe32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = uint8_t(x >> (8 * i));
}

std::vector<uint8_t> Compressible() {
  std::string s;
  for (int i = 0; i < 200; ++i) s += "red pill, blue pill. ";
  return Bytes(s);
}

bool Read(const std::vector<uint8_t>& pack, std::vector<std::vector<uint8_t>>& e, size_t max = 16) {
  return ReadPack(pack.data(), pack.size(), max, e);
}

fs::path Scratch(const std::string& name) {
  fs::path p = fs::path(QUELLOR_BINARY_DIR) / "test_scratch" / name;
  fs::remove_all(p);
  fs::create_directories(p);
  return p;
}

void Save(const fs::path& p, const std::vector<uint8_t>& bytes) {
  fs::create_directories(p.parent_path());
  FILE* f = std::fopen(p.string().c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

}  // namespace

TEST(PackFile, StoresSmallDataAsIsAndCompressesTheRest) {
  std::vector<uint8_t> big = Compressible();
  std::vector<uint8_t> tiny = Bytes("ok");
  std::vector<uint8_t> pack = BuildPack({big, tiny, {}});
  // Entry 1 compressed ("JC" stream shorter than the data), entry 2 stored, entry 3 empty.
  ASSERT_GE(pack.size(), 8u);
  EXPECT_EQ(Le32(pack, 0), big.size());
  uint32_t stored = Le32(pack, 4);
  EXPECT_LT(stored, big.size());
  EXPECT_EQ(pack[8], 'J');
  size_t second = 8 + stored;
  EXPECT_EQ(Le32(pack, second), 2u);
  EXPECT_EQ(Le32(pack, second + 4), 2u);

  std::vector<std::vector<uint8_t>> e;
  ASSERT_TRUE(Read(pack, e));
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[0], big);
  EXPECT_EQ(e[1], tiny);
  EXPECT_TRUE(e[2].empty());

  // Only the requested number of entries is read; what follows is not looked at.
  pack.insert(pack.end(), {1, 2, 3});
  ASSERT_TRUE(Read(pack, e, 2));
  EXPECT_EQ(e.size(), 2u);
}

TEST(PackFile, AnyBrokenEntryMakesThePackUnreadable) {
  std::vector<uint8_t> good = BuildPack({Bytes("stored entry"), Compressible()});
  std::vector<std::vector<uint8_t>> e;
  ASSERT_TRUE(Read(good, e));
  size_t second = 8 + Le32(good, 4);

  auto expectUnreadable = [&](const std::vector<uint8_t>& pack, const char* what) {
    std::vector<std::vector<uint8_t>> out = {{1}};
    EXPECT_FALSE(Read(pack, out)) << what;
    EXPECT_TRUE(out.empty()) << what;
  };
  std::vector<uint8_t> p = good;
  p.insert(p.end(), {5, 0, 0});
  expectUnreadable(p, "truncated entry header");
  p = good;
  p.pop_back();
  expectUnreadable(p, "compressed data cut short");
  p = good;
  PutLe32(p, 4, 13);  // lengths now differ, so the plain text would have to be a stream
  expectUnreadable(p, "plain data read as a stream");
  p = good;
  PutLe32(p, second + 4, 0xFFFFFFF0u);
  expectUnreadable(p, "stored length past the end");
  p = good;
  PutLe32(p, second, kMaxPackEntryBytes + 1);
  expectUnreadable(p, "absurd unpacked length");
  p = good;
  p[second + 8 + 20] ^= 0x10;
  expectUnreadable(p, "corrupt compressed data");
  p = good;
  PutLe32(p, second, Le32(p, second) - 1);  // disagrees with the stream's own size
  expectUnreadable(p, "unpacked length vs stream header");
  p = good;
  p[second + 8] = 'X';
  expectUnreadable(p, "not a JCALG1 stream");
}

TEST(ResourcePacks, LoadsBothPacksCaseInsensitivelyAndRefusesIncompleteOnes) {
  fs::path dir = Scratch("resource_packs");
  std::vector<uint8_t> about = Bytes("Made by us.");
  about.push_back(0);
  about.push_back('x');  // after the terminator: not part of the text
  fs::create_directories(dir / "Data" / "BIN");
  ASSERT_TRUE(WritePackFile((dir / "Data" / "BIN" / "quellor0.BIN").string(),
                            {Bytes("banner"), Compressible(), Bytes("blue"), about}));
  ASSERT_TRUE(WritePackFile((dir / "Data" / "BIN" / "Quellor4.bin").string(),
                            {Bytes("h1"), Bytes("h2"), Bytes("h3")}));  // one entry short

  StartupPack s;
  ASSERT_TRUE(LoadStartupPack(dir.string(), s));
  EXPECT_EQ(s.Banner, Bytes("banner"));
  EXPECT_EQ(s.RedPill, Compressible());
  EXPECT_EQ(s.BluePill, Bytes("blue"));
  EXPECT_EQ(s.AboutText, "Made by us.");

  HelpPack h;
  h.WelcomeLogo = {1};
  EXPECT_FALSE(LoadHelpPack(dir.string(), h));
  EXPECT_TRUE(h.WelcomeLogo.empty());
  EXPECT_TRUE(h.HelpImages[0].empty());

  fs::path none = Scratch("resource_packs_missing");
  EXPECT_FALSE(LoadStartupPack(none.string(), s));
  EXPECT_TRUE(s.AboutText.empty());
  EXPECT_TRUE(s.Banner.empty());

  // A damaged file on disk counts as unreadable too.
  Save(none / "data" / "bin" / "Quellor0.bin", {8, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c'});
  EXPECT_FALSE(LoadStartupPack(none.string(), s));
}

TEST(ResourcePacks, GeneratedPacksHoldTheEditorImages) {
  const char* src = std::getenv("QUELLOR_SOURCE_DIR");
  std::string base = src ? src : QUELLOR_SOURCE_DIR;
  if (!fs::exists(ResolvePath(JoinPath(base, kStartupPackPath))) || !fs::exists(ResolvePath(JoinPath(base, kHelpPackPath))))
    GTEST_SKIP() << "resource packs not built";
  StartupPack s;
  HelpPack h;
  ASSERT_TRUE(LoadStartupPack(base, s));
  ASSERT_TRUE(LoadHelpPack(base, h));
  Image img;
  ASSERT_TRUE(DecodeImage(s.Banner.data(), s.Banner.size(), img));
  EXPECT_EQ(img.Width, 393);
  for (const auto* pill : {&s.RedPill, &s.BluePill}) {
    ASSERT_TRUE(DecodeImage(pill->data(), pill->size(), img));
    EXPECT_EQ(img.Width, 100);
    EXPECT_EQ(img.Height, 100);
  }
  for (const auto& help : h.HelpImages) {
    ASSERT_TRUE(DecodeImage(help.data(), help.size(), img));
    EXPECT_EQ(img.Width, 256);
    EXPECT_EQ(img.Height, 256);
  }
  ASSERT_TRUE(DecodeImage(h.WelcomeLogo.data(), h.WelcomeLogo.size(), img));
  EXPECT_GT(img.Width, 0);
  for (const char* lib : {"wxWidgets", "libepoxy", "Mesa", "FreeType", "libpng", "libjpeg", "SDL2",
                          "libmodplug", "libsidplayfp", "Assimp", "glslang", "SPIRV-Cross", "GLM"})
    EXPECT_NE(s.AboutText.find(lib), std::string::npos) << lib;
}
