#include <gtest/gtest.h>

#include "support/SheetProbe.h"
#include "actors/cArrow.h"

namespace {

const int T = TILE_SIZE;
const int kCell = 32;

class cArrowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(TestGL::Ready());
    sheet = SheetProbe::MakeSheet(3, 1, kCell);  // 96 x 32 texels
  }
  SheetProbe::Cell DrawAndRead(cArrow& a, bool animate) {
    SheetProbe::WorldView();
    a.Draw(sheet, 3 * kCell, kCell, animate);
    return SheetProbe::ReadCell(a.GetX() + T / 8, a.GetY() + T / 8, 2 * T);
  }
  GLuint sheet = 0;
};

}  // namespace

TEST_F(cArrowTest, CellPerDirection) {
  struct Case {
    int state, col;
    bool mirrored;
  };
  const Case cases[] = {{PROJ_FLY_UP, 0, false},       {PROJ_FLY_RIGHT, 2, false},
                        {PROJ_FLY_DOWN, 1, false},     {PROJ_FLY_LEFT, 2, true},
                        {PROJ_EXPLODE_UP, 0, false},   {PROJ_EXPLODE_RIGHT, 2, false},
                        {PROJ_EXPLODE_DOWN, 1, false}, {PROJ_EXPLODE_LEFT, 2, true}};
  for (const Case& c : cases) {
    cArrow a;
    a.SetState(c.state);
    a.SetPosition(6 * T, 5 * T);
    SheetProbe::Cell seen = DrawAndRead(a, true);
    ASSERT_TRUE(seen.drawn) << "state " << c.state;
    EXPECT_EQ(seen.col, c.col) << "state " << c.state;
    EXPECT_EQ(seen.row, 0) << "state " << c.state;
    EXPECT_EQ(seen.mirrored, c.mirrored) << "state " << c.state;
    EXPECT_TRUE(seen.upright) << "state " << c.state;
  }
}

TEST_F(cArrowTest, FlyingArrowKeepsItsCountersAtZero) {
  cArrow a;
  a.SetState(PROJ_FLY_LEFT);
  a.SetPosition(6 * T, 5 * T);
  for (int i = 0; i < 7; ++i) DrawAndRead(a, true);
  EXPECT_EQ(a.GetFrame(), 0);
  EXPECT_EQ(a.GetDelay(), 0);
}

TEST_F(cArrowTest, ExplodingArrowAdvancesOnEveryDrawAnimateOrNot) {
  for (bool animate : {false, true}) {
    cArrow a;
    a.SetState(PROJ_EXPLODE_LEFT);
    a.SetPosition(6 * T, 5 * T);
    for (int i = 0; i < 3; ++i) {
      SheetProbe::Cell seen = DrawAndRead(a, animate);
      EXPECT_EQ(seen.col, 2);
      EXPECT_TRUE(seen.mirrored);
      EXPECT_EQ(a.GetFrame(), 0);
      EXPECT_EQ(a.GetDelay(), (i + 1) % 3) << "draw " << i << " animate " << animate;
    }
  }
}
