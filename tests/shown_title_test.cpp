// The window title reaches the window system only when it changes.
#include <gtest/gtest.h>

#include "app/ShownTitle.h"

using namespace quellor;

TEST(ShownTitle, PassesOnOnlyChangedTitles) {
  ShownTitle shown;
  EXPECT_TRUE(shown.Set(""));  // the first title always goes out, even an empty one
  EXPECT_FALSE(shown.Set(""));
  char buf[] = "Quellor - Logo Move Mode";
  EXPECT_TRUE(shown.Set(buf));
  EXPECT_FALSE(shown.Set(buf));
  buf[10] = 'X';  // same length, other text
  EXPECT_TRUE(shown.Set(buf));
  EXPECT_EQ(shown.Text(), "Quellor - Xogo Move Mode");
  EXPECT_TRUE(shown.Set("Quellor - Xogo"));  // a prefix is another title
  EXPECT_EQ(shown.Text(), "Quellor - Xogo");
}
