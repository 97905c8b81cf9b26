#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "project/PathResolve.h"

using namespace quellor;
namespace fs = std::filesystem;

namespace {
struct ScratchDir {
  fs::path Path;
  ScratchDir() {
    Path = fs::temp_directory_path() /
           ("quellor_path_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Path);
    fs::create_directories(Path);
  }
  ~ScratchDir() { fs::remove_all(Path); }
};
void Touch(const fs::path& p) {
  fs::create_directories(p.parent_path());
  std::ofstream(p) << "x";
}
}  // namespace

TEST(PathResolve, FileParts) {
  EXPECT_EQ(FilePart("C:\\Intros\\Data\\Logo\\logo.png"), "logo.png");
  EXPECT_EQ(FilePart("Data/Logo/logo.png"), "logo.png");
  EXPECT_EQ(FilePart("mixed/dir\\file.ini"), "file.ini");
  EXPECT_EQ(FilePart("plain"), "plain");
  EXPECT_EQ(FileStem("Data\\Prefs\\Demo.ini"), "Demo");
  EXPECT_EQ(FileStem("archive.tar.gz"), "archive.tar");
  EXPECT_TRUE(HasExtension("x/Demo.prj"));
  EXPECT_FALSE(HasExtension("my.folder/Demo"));
  EXPECT_FALSE(HasExtension(".hidden"));
  EXPECT_EQ(JoinPath("base", "Data/Logo/"), "base/Data/Logo/");
  EXPECT_EQ(JoinPath("base/", "Data"), "base/Data");
  EXPECT_EQ(JoinPath("", "Data"), "Data");
}

TEST(PathResolve, WindowsSeparatorsAndCaseDifferences) {
  ScratchDir s;
  Touch(s.Path / "Data" / "bin" / "Quellor0.bin");
  Touch(s.Path / "Data" / "Logo" / "Logo.PNG");
  std::string base = s.Path.string();

  EXPECT_EQ(ResolvePath(base + "/data/bin/quellor0.bin"), base + "/Data/bin/Quellor0.bin");
  EXPECT_EQ(ResolvePath(base + "\\DATA\\LOGO\\logo.png"), base + "/Data/Logo/Logo.PNG");
  EXPECT_TRUE(PathExists(base + "\\data\\logo\\LOGO.png"));
  // Exact names are kept as they are.
  EXPECT_EQ(ResolvePath(base + "/Data/bin/Quellor0.bin"), base + "/Data/bin/Quellor0.bin");
  // From the first component that matches nothing, the rest stays as written.
  EXPECT_EQ(ResolvePath(base + "\\data\\Missing\\x.PNG"), base + "/Data/Missing/x.PNG");
  EXPECT_FALSE(PathExists(base + "/data/Missing/x.PNG"));
  // A drive letter of a Windows path is dropped.
  EXPECT_EQ(ResolvePath("C:" + base + "\\data\\BIN"), base + "/Data/bin");
  EXPECT_EQ(ResolvePath(""), "");
  EXPECT_FALSE(PathExists(""));
}

TEST(PathResolve, FolderVariantsSideBySideAreAllSearched) {
  ScratchDir s;
  Touch(s.Path / "Data" / "Bobs" / "star.png");
  Touch(s.Path / "data" / "logo" / "logo.png");
  std::string base = s.Path.string();
  // "Data" exists exactly but holds no Logo folder; the lower-case twin does.
  EXPECT_EQ(ResolvePath(base + "/Data/Logo/LOGO.PNG"), base + "/data/logo/logo.png");
  EXPECT_EQ(ResolvePath(base + "/DATA/bobs/Star.png"), base + "/Data/Bobs/star.png");
}

TEST(PathResolve, RelativePathsResolveFromTheCurrentFolder) {
  ScratchDir s;
  Touch(s.Path / "Data" / "Fonts" / "font32.png");
  fs::path old = fs::current_path();
  fs::current_path(s.Path);
  std::string r = ResolvePath("data\\fonts\\FONT32.png");
  fs::current_path(old);
  EXPECT_EQ(r, "Data/Fonts/font32.png");
}

TEST(PathResolve, OnlyFilesAndFoldersAreSafeToRead) {
  EXPECT_FALSE(PathIsSafeToRead("/dev/zero"));
  EXPECT_TRUE(PathIsSafeToRead("/tmp"));
  EXPECT_TRUE(PathIsSafeToRead("/no/such/file.png"));  // the loader reports it missing
}
