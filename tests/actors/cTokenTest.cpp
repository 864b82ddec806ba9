#include <gtest/gtest.h>

#include "support/SheetProbe.h"
#include "actors/cBicho.h"
#include "actors/cHeart.h"
#include "actors/cToken.h"

namespace {

const int T = TILE_SIZE;

class cTokenTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(TestGL::Ready());
    sheet = SheetProbe::MakeSheet(4, 1, SHEET_TILE_SIZE);  // 64 x 16 texels
  }
  SheetProbe::Cell DrawAndRead(cToken& t, bool animate) {
    SheetProbe::WorldView();
    t.Draw(sheet, 4 * SHEET_TILE_SIZE, SHEET_TILE_SIZE, animate);
    return SheetProbe::ReadCell(t.GetX() + T / 2, t.GetY() + T / 2, T);
  }
  GLuint sheet = 0;
};

struct Someone : public cBicho {
  Someone(int life_points, int max_points) {
    SetMaxLife(max_points);
    SetLife(life_points);
  }
};

}  // namespace

TEST_F(cTokenTest, SetTileHitboxAndQuad) {
  cHeart heart;
  heart.SetTile(5, 12);
  EXPECT_EQ(heart.GetX(), 5 * T);
  EXPECT_EQ(heart.GetY(), 12 * T);
  cRect hb = heart.GetHitbox();
  EXPECT_EQ(hb.left, 5 * T);
  EXPECT_EQ(hb.top, 13 * T);
  EXPECT_EQ(hb.right, 6 * T);
  EXPECT_EQ(hb.bottom, 12 * T);

  SheetProbe::WorldView();
  auto v = SheetProbe::Capture([&] { heart.Draw(sheet, 64, 16, false); });
  ASSERT_GE(v.size(), 3u);
  SheetProbe::Bounds b = SheetProbe::BoundsOf(v);
  EXPECT_NEAR(b.left, 5 * T, 0.01);
  EXPECT_NEAR(b.right, 6 * T, 0.01);
  EXPECT_NEAR(b.bottom, 12 * T, 0.01);
  EXPECT_NEAR(b.top, 13 * T, 0.01);
  for (const auto& p : v) EXPECT_NEAR(p.z, SheetProbe::DepthOf(12 * T - T / 4), 1e-5);

  // A player box that only touches the heart's bottom edge does not reach it.
  cBicho probe;
  cRect below{5 * T, 12 * T, 6 * T, 11 * T};
  EXPECT_FALSE(probe.Collides(below, hb));
  below.top += 1;
  EXPECT_TRUE(probe.Collides(below, hb));
}

TEST_F(cTokenTest, HeartBeatsThroughFourCellsOfThreeDraws) {
  cHeart heart;
  heart.SetTile(4, 7);
  for (int i = 0; i < 24; ++i) {
    SheetProbe::Cell seen = DrawAndRead(heart, true);
    ASSERT_TRUE(seen.drawn);
    EXPECT_EQ(seen.col, (i / 3) % 4) << "draw " << i;
    EXPECT_EQ(seen.row, 0);
    EXPECT_FALSE(seen.mirrored);
    EXPECT_TRUE(seen.upright);
  }
  EXPECT_EQ(heart.GetFrame(), 0);
}

TEST_F(cTokenTest, HeartStandsStillWithoutAnimate) {
  cHeart heart;
  heart.SetTile(4, 7);
  for (int i = 0; i < 10; ++i) heart.NextFrame(4);  // frame 3, delay 1
  ASSERT_EQ(heart.GetFrame(), 3);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(DrawAndRead(heart, false).col, 3);
  EXPECT_EQ(heart.GetFrame(), 3);
  // Two more animated draws finish frame 3 and wrap to 0.
  DrawAndRead(heart, true);
  EXPECT_EQ(heart.GetFrame(), 3);
  DrawAndRead(heart, true);
  EXPECT_EQ(heart.GetFrame(), 0);
}

TEST(cHeartTest, HealAddsFortyUpToTheMaximum) {
  cHeart heart;
  Someone full(150, 150);
  EXPECT_FALSE(heart.Heal(&full));
  EXPECT_EQ(full.GetLife(), 150);
  Someone near_full(130, 150);
  EXPECT_TRUE(heart.Heal(&near_full));
  EXPECT_EQ(near_full.GetLife(), 150);
  Someone sixty(60, 100);
  EXPECT_TRUE(heart.Heal(&sixty));
  EXPECT_EQ(sixty.GetLife(), 100);
  Someone twenty(20, 100);
  EXPECT_TRUE(heart.Heal(&twenty));
  EXPECT_EQ(twenty.GetLife(), 60);
}
