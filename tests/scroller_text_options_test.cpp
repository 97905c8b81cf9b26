#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "render/TextOptions.h"
#include "tests/scroller_font_fixture.h"

using namespace quellor;

namespace {

class TextOptionsTest : public effecttest::EffectTest {
 protected:
  void SetUp() override {
    EffectTest::SetUp();
    dir = std::filesystem::temp_directory_path() /
          ("quellor_textopt_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string Write(const std::string& name, const std::string& data) {
    auto p = dir / name;
    std::ofstream(p, std::ios::binary) << data;
    return p.string();
  }
  std::filesystem::path dir;
};

TEST_F(TextOptionsTest, ScrollTextsAreFilteredAndRestart) {
  m.ScrollRun[0].TextPos = 7;
  m.ScrollRun[0].Offset = -12.0f;
  EXPECT_TRUE(ApplyTextOption(m, e, "text", "scroller1=Hi {there}"));
  EXPECT_EQ(m.Scroller[0].Text, "HI THERE");
  EXPECT_EQ(m.ScrollRun[0].TextPos, 1);
  EXPECT_FLOAT_EQ(m.ScrollRun[0].Offset, 0.0f);
  EXPECT_EQ(m.ScrollRun[0].TextLength, 8);

  EXPECT_TRUE(ApplyTextOption(m, e, "--scroller2", std::string(5000, 'x')));
  EXPECT_EQ(m.Scroller[1].Text, std::string(kScrollTextLimit, 'X'));

  std::string error;
  EXPECT_FALSE(ApplyTextOption(m, e, "text", "no equals sign", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(ApplyTextOption(m, e, "scroller3", "x"));
  EXPECT_EQ(m.Scroller[0].Text, "HI THERE");
}

TEST_F(TextOptionsTest, PagerFileLinesReplaceThePageTextAndRestartIt) {
  MakeFont(0);
  m.Pager.Active = 1;
  m.Pager.Page = 3;
  const std::string path = Write("page.txt", "ONE\r\nTWO\nTHREE\r\n\r\nFIVE\rSIX");
  EXPECT_TRUE(ApplyTextOption(m, e, "pager-file", path));
  EXPECT_EQ(m.Pager.Lines, (std::vector<std::string>{"ONE", "TWO", "THREE", "", "FIVE", "SIX"}));
  EXPECT_EQ(m.Pager.Page, 0);
  EXPECT_EQ(m.PagerState.PageCount, 1);
  EXPECT_EQ(m.Pager.LetterCount, 3 + 3 + 5 + 4);
}

TEST_F(TextOptionsTest, BadPagerAndTrainerFilesLeaveTheModelAlone) {
  m.Pager.Lines = {"KEEP"};
  m.Trainer.Lines = {"KEEP"};
  std::string error;
  EXPECT_FALSE(ApplyTextOption(m, e, "pager-file", (dir / "missing.txt").string(), &error));
  EXPECT_NE(error.find("missing.txt"), std::string::npos);
  const std::string big = Write("big.txt", std::string(kPagerFileLimit + 1, 'A'));
  EXPECT_FALSE(ApplyTextOption(m, e, "pager-file", big, &error));
  EXPECT_NE(error.find("10240"), std::string::npos);
  EXPECT_FALSE(ApplyTextOption(m, e, "pager-file", dir.string()));  // a folder
  const std::string trainerBig = Write("t.txt", std::string(kTrainerFileLimit + 1, 'A'));
  EXPECT_FALSE(ApplyTextOption(m, e, "trainer-file", trainerBig));
  EXPECT_EQ(m.Pager.Lines, std::vector<std::string>{"KEEP"});
  EXPECT_EQ(m.Trainer.Lines, std::vector<std::string>{"KEEP"});
  const std::string exact = Write("ok.txt", std::string(kTrainerFileLimit, 'A'));
  EXPECT_TRUE(ApplyTextOption(m, e, "trainer-file", exact));
}

TEST_F(TextOptionsTest, TrainerFileSetsUpAnActiveTrainer) {
  MakeFont(0);
  m.Trainer.Active = 1;
  m.Trainer.YLins = 2;
  m.Trainer.Switch[1] = 1;
  const std::string path = Write("trainer.txt", "AA\nBB\nCC\nDD\n");
  EXPECT_TRUE(ApplyTextOption(m, e, "trainer-file", path));
  EXPECT_EQ(m.Trainer.Lines.size(), 4u);
  EXPECT_EQ(m.Trainer.Switch[1], 0);  // options start off again
  EXPECT_EQ(m.TrainerState.Letters.size(), 4u);
  EXPECT_EQ(m.Trainer.Active, 1);

  const std::string shortText = Write("short.txt", "AA\nBB\n");
  EXPECT_TRUE(ApplyTextOption(m, e, "trainer-file", shortText));
  EXPECT_EQ(m.Trainer.Active, 0);  // too few lines for two options
}

TEST_F(TextOptionsTest, RestartTouchesOnlyActiveTexts) {
  MakeFont(0);
  m.Scroller[0].Active = 1;
  m.ScrollRun[0].TextPos = 5;
  m.ScrollRun[1].TextPos = 5;
  m.Pager.Lines = {"AB"};
  m.Pager.Active = 1;
  m.Pager.State = 3;
  m.Trainer.Lines = {"A", "B"};
  m.Trainer.YLins = 1;
  m.Trainer.Active = 0;
  RestartTextEffects(m, e);
  EXPECT_EQ(m.ScrollRun[0].TextPos, 1);
  EXPECT_EQ(m.ScrollRun[1].TextPos, 5);
  EXPECT_EQ(m.Pager.State, 0);
  EXPECT_EQ(m.Pager.LetterCount, 2);
  EXPECT_TRUE(m.TrainerState.Letters.empty());
}

}  // namespace
