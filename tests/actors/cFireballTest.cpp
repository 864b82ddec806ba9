#include <gtest/gtest.h>

#include "support/SheetProbe.h"
#include "actors/cFireball.h"

namespace {

const int T = TILE_SIZE;
const int kCell = 32;  // texels per fireball cell

class cFireballTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(TestGL::Ready());
    sheet = SheetProbe::MakeSheet(6, 5, kCell);
  }
  // Draws the fireball on a cleared view and reads the cell that landed.
  SheetProbe::Cell DrawAndRead(cFireball& f, bool animate) {
    SheetProbe::WorldView();
    f.Draw(sheet, 6 * kCell, 5 * kCell, animate);
    return SheetProbe::ReadCell(f.GetX() + T / 2, f.GetY() + T / 2, 2 * T);
  }
  GLuint sheet = 0;
};

}  // namespace

TEST_F(cFireballTest, FlightRowsAndMirroring) {
  struct Case {
    int state, row;
    bool mirrored;
  };
  const Case cases[] = {{PROJ_FLY_UP, 1, false},
                        {PROJ_FLY_RIGHT, 2, false},
                        {PROJ_FLY_DOWN, 0, false},
                        {PROJ_FLY_LEFT, 2, true}};
  for (const Case& c : cases) {
    cFireball f;
    f.SetState(c.state);
    f.SetPosition(5 * T, 5 * T);
    SheetProbe::Cell seen = DrawAndRead(f, true);
    ASSERT_TRUE(seen.drawn) << "state " << c.state;
    EXPECT_EQ(seen.col, 0) << "state " << c.state;
    EXPECT_EQ(seen.row, c.row) << "state " << c.state;
    EXPECT_EQ(seen.mirrored, c.mirrored) << "state " << c.state;
    EXPECT_TRUE(seen.upright) << "state " << c.state;
  }
}

TEST_F(cFireballTest, FlameCyclesThreeFramesOfThreeDraws) {
  cFireball f;
  f.SetState(PROJ_FLY_RIGHT);
  f.SetPosition(4 * T, 6 * T);
  for (int i = 0; i < 12; ++i) {
    SheetProbe::Cell seen = DrawAndRead(f, true);
    EXPECT_EQ(seen.col, (i / 3) % 3) << "draw " << i;
    EXPECT_EQ(seen.row, 2) << "draw " << i;
  }
  EXPECT_EQ(f.GetFrame(), 1);
  EXPECT_EQ(f.GetDelay(), 0);
}

TEST_F(cFireballTest, ExplosionLastsEighteenAnimatedDraws) {
  cFireball f;
  f.SetState(PROJ_EXPLODE_LEFT);  // fresh from a wall: frame 0, delay 0
  f.SetPosition(5 * T, 5 * T);
  for (int i = 0; i < 18; ++i) {
    SheetProbe::Cell seen = DrawAndRead(f, true);
    int frame = i / 3;
    EXPECT_EQ(seen.col, frame) << "draw " << i;
    EXPECT_EQ(seen.row, frame <= 3 ? 3 : 4) << "draw " << i;
    EXPECT_FALSE(seen.mirrored) << "draw " << i;
    if (i < 17) {
      EXPECT_FALSE(f.GetFrame() == 0 && f.GetDelay() == 0) << "ended early at draw " << i;
    }
  }
  EXPECT_EQ(f.GetFrame(), 0);
  EXPECT_EQ(f.GetDelay(), 0);
}

TEST_F(cFireballTest, StandsStillWithoutAnimate) {
  cFireball f;
  f.SetState(PROJ_EXPLODE_UP);
  f.SetPosition(5 * T, 5 * T);
  for (int i = 0; i < 4; ++i) f.NextFrame(6);  // frame 1, delay 1
  for (int i = 0; i < 10; ++i) {
    SheetProbe::Cell seen = DrawAndRead(f, false);
    EXPECT_EQ(seen.col, 1);
    EXPECT_EQ(seen.row, 3);
  }
  EXPECT_EQ(f.GetFrame(), 1);
  EXPECT_EQ(f.GetDelay(), 1);

  cFireball g;
  g.SetState(PROJ_FLY_DOWN);
  g.SetPosition(5 * T, 5 * T);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(DrawAndRead(g, false).col, 0);
  EXPECT_EQ(g.GetDelay(), 0);
}

TEST_F(cFireballTest, SheetSmallerThanACellDrawsNothingButStillAnimates) {
  cFireball f;
  f.SetState(PROJ_EXPLODE_RIGHT);
  f.SetPosition(5 * T, 5 * T);
  SheetProbe::WorldView();
  f.Draw(sheet, 16, 16, true);
  EXPECT_EQ(TestGL::ReadPixel(5 * T + T / 2, 5 * T + T / 2).r, 0);
  EXPECT_EQ(f.GetDelay(), 1);
}
