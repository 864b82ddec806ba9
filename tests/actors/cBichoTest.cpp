#include <gtest/gtest.h>

#include <vector>

#include "actors/cBicho.h"

namespace {

const int T = TILE_SIZE;

cRect Box(int left, int top, int right, int bottom) {
  cRect r;
  r.left = left;
  r.top = top;
  r.right = right;
  r.bottom = bottom;
  return r;
}

// A plain creature with a one-tile footprint.
class Creature : public cBicho {
public:
  Creature() {
    SetWidth(T);
    SetHeight(T * 3 / 2);
    SetFootprintW(1);
    SetFootprintH(1);
  }
};

}  // namespace

TEST(cBichoTest, CollidesIsStrictOnEveryEdge) {
  Creature c;
  cRect a = Box(10, 20, 20, 10);
  // Touching along each edge: no collision.
  EXPECT_FALSE(c.Collides(a, Box(20, 20, 30, 10)));  // a.right == b.left
  EXPECT_FALSE(c.Collides(a, Box(0, 20, 10, 10)));   // b.right == a.left
  EXPECT_FALSE(c.Collides(a, Box(10, 30, 20, 20)));  // a.top == b.bottom
  EXPECT_FALSE(c.Collides(a, Box(10, 10, 20, 0)));   // b.top == a.bottom
  // One pixel of overlap on each side collides.
  EXPECT_TRUE(c.Collides(a, Box(19, 20, 30, 10)));
  EXPECT_TRUE(c.Collides(a, Box(0, 20, 11, 10)));
  EXPECT_TRUE(c.Collides(a, Box(10, 30, 20, 19)));
  EXPECT_TRUE(c.Collides(a, Box(10, 11, 20, 0)));
  // Containment either way.
  EXPECT_TRUE(c.Collides(a, Box(12, 18, 18, 12)));
  EXPECT_TRUE(c.Collides(Box(12, 18, 18, 12), a));
}

TEST(cBichoTest, ContainsPointIncludesLeftBottomExcludesRightTop) {
  Creature c;
  cRect r = Box(10, 20, 20, 10);
  EXPECT_TRUE(c.ContainsPoint(r, 10, 10));
  EXPECT_TRUE(c.ContainsPoint(r, 19, 19));
  EXPECT_FALSE(c.ContainsPoint(r, 20, 15));
  EXPECT_FALSE(c.ContainsPoint(r, 15, 20));
  EXPECT_FALSE(c.ContainsPoint(r, 9, 15));
  EXPECT_FALSE(c.ContainsPoint(r, 15, 9));
}

TEST(cBichoTest, TilesOffTheGridAreListedColumnMajor) {
  Creature c;
  c.SetTile(2, 3);
  EXPECT_EQ(c.GetX(), 2 * T);
  EXPECT_EQ(c.GetY(), 3 * T);
  EXPECT_EQ(c.GetTiles(), std::vector<int>({62}));

  c.SetX(2 * T + T / 8);
  EXPECT_EQ(c.GetTiles(), std::vector<int>({62, 63}));

  c.SetY(3 * T + T / 8);
  EXPECT_EQ(c.GetTiles(), std::vector<int>({62, 82, 63, 83}));

  c.SetX(2 * T);
  EXPECT_EQ(c.GetTiles(), std::vector<int>({62, 82}));

  // A 2 x 1 footprint on the grid covers two columns.
  c.SetY(3 * T);
  c.SetFootprintW(2);
  EXPECT_EQ(c.GetTiles(), std::vector<int>({62, 63}));
}

TEST(cBichoTest, HitboxAndFootprintInPixels) {
  Creature c;
  c.SetPosition(5 * T, 7 * T + 3);
  cRect hb = c.GetHitbox();
  EXPECT_EQ(hb.left, 5 * T);
  EXPECT_EQ(hb.right, 6 * T);
  EXPECT_EQ(hb.bottom, 7 * T + 3);
  EXPECT_EQ(hb.top, 7 * T + 3 + T * 3 / 2);
  EXPECT_EQ(c.GetFootprintW(), T);
  EXPECT_EQ(c.GetFootprintH(), T);
}

TEST(cBichoTest, NewCreatureFacesDown) {
  Creature c;
  EXPECT_EQ(c.GetState(), STATE_LOOK_DOWN);
  EXPECT_EQ(c.GetFrame(), 0);
  EXPECT_EQ(c.GetDelay(), 0);
}

TEST(cBichoTest, StopReturnsToStandingAndKeepsCounters) {
  Creature c;
  const int from[] = {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
  const int to[] = {1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 3, 4};
  for (int i = 0; i < 12; i++) {
    c.SetState(from[i]);
    c.SetFrame(2);
    c.SetDelay(1);
    c.Stop();
    EXPECT_EQ(c.GetState(), to[i]) << "from " << from[i];
    EXPECT_EQ(c.GetFrame(), 2);
    EXPECT_EQ(c.GetDelay(), 1);
  }
  for (int s : {0, 1, 4, 5, 18, 19, 22, 23, 26}) {
    c.SetState(s);
    c.Stop();
    EXPECT_EQ(c.GetState(), s);
  }
}

TEST(cBichoTest, StartAttackFromStandingOrWalkingOnly) {
  Creature c;
  const int from[] = {1, 2, 3, 4, 6, 7, 8, 9};
  const int to[] = {14, 15, 16, 17, 14, 15, 16, 17};
  for (int i = 0; i < 8; i++) {
    c.SetState(from[i]);
    c.SetFrame(3);
    c.SetDelay(1);
    c.StartAttack();
    EXPECT_EQ(c.GetState(), to[i]);
    EXPECT_EQ(c.GetFrame(), 0);
    EXPECT_EQ(c.GetDelay(), 0);
  }
  for (int s : {STATE_HURT_LEFT, STATE_GUARD_UP, STATE_GUARD_WALK_DOWN, STATE_CHARGED_ATTACK}) {
    c.SetState(s);
    c.SetFrame(1);
    c.SetDelay(1);
    c.StartAttack();
    EXPECT_EQ(c.GetState(), s);
    EXPECT_EQ(c.GetFrame(), 0);
    EXPECT_EQ(c.GetDelay(), 0);
  }
}
