#include <gtest/gtest.h>

#include "app/WindowPlacement.h"
#include "common/Globals.h"

TEST(WindowPlacement, CentresAPortraitWindowOfEighteenByTwentySevenTiles) {
  WindowPlacement p = CenteredWindow(1920, 1080);
  EXPECT_EQ(p.w, 18 * TILE_SIZE);
  EXPECT_EQ(p.h, 27 * TILE_SIZE);
  EXPECT_EQ(p.x, 960 - 9 * TILE_SIZE);
  EXPECT_EQ(p.y, 540 - 27 * TILE_SIZE / 2);
  if (TILE_SIZE == 32) {
    EXPECT_EQ(p.x, 672);
    EXPECT_EQ(p.y, 108);
    EXPECT_EQ(p.w, 576);
    EXPECT_EQ(p.h, 864);
  } else {
    EXPECT_EQ(p.x, 816);
    EXPECT_EQ(p.y, 324);
    EXPECT_EQ(p.w, 288);
    EXPECT_EQ(p.h, 432);
  }
}

TEST(WindowPlacement, HalvingDropsTheRemainder) {
  EXPECT_EQ(CenteredWindow(1921, 1081).x, CenteredWindow(1920, 1080).x);
  EXPECT_EQ(CenteredWindow(1921, 1081).y, CenteredWindow(1920, 1080).y);
  // A screen smaller than the window places it partly off screen, as the arithmetic says.
  EXPECT_EQ(CenteredWindow(0, 0).x, -9 * TILE_SIZE);
  EXPECT_EQ(CenteredWindow(0, 0).y, -27 * TILE_SIZE / 2);
}
