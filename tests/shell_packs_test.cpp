#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "engine/image/ImageCodec.h"
#include "export/PackFile.h"
#include "tests/shell_rig.h"

using namespace quellor;
using quellor::testing::ShellRig;
namespace fs = std::filesystem;

namespace {
// Start-up reads its packs below the current directory; each test gets its own.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name) {
    old_ = fs::current_path();
    dir_ = fs::temp_directory_path() / ("quellor_shell_" + name + "_" + std::to_string(getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "data" / "bin");
    fs::current_path(dir_);
  }
  ~ScratchDir() {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  fs::path Bin() const { return dir_ / "data" / "bin"; }
  fs::path Root() const { return dir_; }

 private:
  fs::path old_, dir_;
};

std::vector<uint8_t> Png(int w, int h) {
  Image img;
  img.Width = w;
  img.Height = h;
  img.Rgba.assign(static_cast<size_t>(w) * h * 4, 200);
  return EncodePng(img);
}

std::vector<uint8_t> Text(const std::string& s) {
  std::vector<uint8_t> v(s.begin(), s.end());
  v.push_back(0);
  return v;
}
}  // namespace

TEST(ShellPacks, MissingPacksLeaveAboutTextAndImagesEmptyAndStartUpGoesOn) {
  ScratchDir dir("missing");
  ShellRig r;
  r.Start();
  EXPECT_TRUE(r.m.AboutText.empty());
  EXPECT_EQ(r.m.Idle.LogoSprite, 0u);
  EXPECT_EQ(r.m.HelpImages[0], 0u);
  EXPECT_EQ(r.m.Log.Lines.size(), 8u);  // the welcome lines came after the packs
  EXPECT_EQ(r.m.Idle.LogoX, 400);
  EXPECT_TRUE(r.shell.RunPass());
}

TEST(ShellPacks, PacksGiveAboutTextHelpSpritesAndACentredWelcomeLogo) {
  ScratchDir dir("present");
  ASSERT_TRUE(WritePackFile((dir.Bin() / "Quellor0.bin").string(),
                            {Png(393, 90), Png(100, 100), Png(100, 100), Text("Credits here")}));
  ASSERT_TRUE(WritePackFile((dir.Bin() / "Quellor4.bin").string(),
                            {Png(16, 8), Png(16, 8), Png(16, 8), Png(301, 121)}));
  ShellRig r;
  r.Start();
  EXPECT_EQ(r.m.AboutText, "Credits here");
  EXPECT_FALSE(r.shell.EditorPack().Banner.empty());
  for (Handle h : r.m.HelpImages) EXPECT_NE(h, 0u);
  ASSERT_NE(r.m.Idle.LogoSprite, 0u);
  EXPECT_EQ(r.e.SpriteTexture(r.m.Idle.LogoSprite), r.m.Idle.LogoTexture);
  EXPECT_EQ(r.m.Idle.LogoX, 400 - 301 / 2);
  EXPECT_EQ(r.m.Idle.LogoY, 300 - 121 / 2 - 50);
}

TEST(ShellPacks, BrokenImageInAPackLeavesOnlyThatHandleEmpty) {
  ScratchDir dir("broken");
  ASSERT_TRUE(WritePackFile((dir.Bin() / "Quellor4.bin").string(),
                            {Png(16, 8), {1, 2, 3}, Png(16, 8), {9, 9, 9, 9}}));
  ShellRig r;
  r.Start();
  EXPECT_NE(r.m.HelpImages[0], 0u);
  EXPECT_EQ(r.m.HelpImages[1], 0u);
  EXPECT_NE(r.m.HelpImages[2], 0u);
  EXPECT_EQ(r.m.Idle.LogoSprite, 0u);
  EXPECT_EQ(r.m.Log.Lines.size(), 8u);
}

TEST(ShellPacks, PackThatIsAPipeIsUnreadableAndDoesNotHoldUpStartUp) {
  ScratchDir dir("fifo");
  std::string fifo = (dir.Bin() / "Quellor0.bin").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  auto read = std::async(std::launch::async, [&] {
    StartupPack pack;
    return LoadStartupPack(".", pack);
  });
  bool finished = read.wait_for(std::chrono::seconds(3)) == std::future_status::ready;
  if (!finished) {
    // Give the blocked reader a writer that closes at once, so the test can end.
    int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) close(fd);
  }
  EXPECT_TRUE(finished) << "reading the pack waited for a writer";
  EXPECT_FALSE(read.get());
}

TEST(ShellPacks, StarfieldTextureIsFoundWhateverTheCaseOfItsFolders) {
  ScratchDir dir("bluecase");
  fs::create_directories(dir.Root() / "data" / "bobs");
  ASSERT_TRUE(WritePngFile((dir.Root() / "data" / "bobs" / "blue.png").string(), [] {
    Image img;
    img.Width = img.Height = 4;
    img.Rgba.assign(64, 255);
    return img;
  }()));
  ShellRig r;
  r.Start();
  ASSERT_NE(r.m.Idle.PointTexture, 0u);
  EXPECT_EQ(r.e.TextureWidth(r.m.Idle.PointTexture), 4);
}

TEST(ShellPacks, StarfieldTextureThatIsAPipeIsSkipped) {
  ScratchDir dir("bluefifo");
  fs::create_directories(dir.Root() / "Data" / "Bobs");
  std::string fifo = (dir.Root() / "Data" / "Bobs" / "Blue.png").string();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  auto start = std::async(std::launch::async, [] {
    ShellRig r;
    r.Start();
    return r.m.Idle.PointTexture;
  });
  bool finished = start.wait_for(std::chrono::seconds(3)) == std::future_status::ready;
  if (!finished) {
    int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd >= 0) close(fd);
  }
  EXPECT_TRUE(finished) << "start-up waited for a writer";
  EXPECT_EQ(start.get(), 0u);
}
