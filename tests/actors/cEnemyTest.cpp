#include <gtest/gtest.h>

#include "actors/cEnemy.h"
#include "actors/cMonster1.h"
#include "actors/cMonster2.h"
#include "common/Globals.h"
#include "support/SheetProbe.h"
#include "support/TestGL.h"

namespace {

const int T = TILE_SIZE;

// Counts ticks until frame and delay are both back at 0.
int TicksToWrap(cEnemy& m, int frame_count) {
  int ticks = 0;
  do {
    m.NextFrame(frame_count);
    ticks++;
  } while ((m.GetFrame() != 0 || m.GetDelay() != 0) && ticks < 1000);
  return ticks;
}

}  // namespace

TEST(cEnemyTest, NextFrameTiming) {
  cMonster1 m;
  // Walking and hurt: 3 ticks a frame.
  m.SetState(STATE_WALK_RIGHT);
  m.NextFrame(6);
  m.NextFrame(6);
  EXPECT_EQ(m.GetFrame(), 0);
  EXPECT_EQ(m.GetDelay(), 2);
  m.NextFrame(6);
  EXPECT_EQ(m.GetFrame(), 1);
  EXPECT_EQ(m.GetDelay(), 0);
  m.SetFrame(0);
  m.SetDelay(0);
  EXPECT_EQ(TicksToWrap(m, 6), 18);
  m.SetState(STATE_HURT_UP);
  EXPECT_EQ(TicksToWrap(m, 6), 18);

  // Attacking: 3 ticks a frame through the attack test alone, 30 in all.
  m.SetState(STATE_ATTACK_DOWN);
  EXPECT_EQ(TicksToWrap(m, 10), 30);
  m.SetFrame(9);
  m.SetDelay(2);
  m.NextFrame(10);
  EXPECT_EQ(m.GetFrame(), 0);
  EXPECT_EQ(m.GetDelay(), 0);

  // Dying: 2 ticks a frame, 20 in all.
  m.SetState(STATE_DEAD);
  EXPECT_EQ(TicksToWrap(m, 10), 20);
}

TEST(cEnemyTest, DyingWithDelayTwoAdvancesOnTheGeneralTest) {
  cMonster1 m;
  m.SetState(STATE_DEAD);
  m.SetFrame(4);
  m.SetDelay(2);
  m.NextFrame(10);  // delay 3: the dying test fails, the general one fires
  EXPECT_EQ(m.GetFrame(), 5);
  EXPECT_EQ(m.GetDelay(), 0);
  m.NextFrame(10);
  EXPECT_EQ(m.GetFrame(), 5);
  EXPECT_EQ(m.GetDelay(), 1);
  m.NextFrame(10);
  EXPECT_EQ(m.GetFrame(), 6);
  EXPECT_EQ(m.GetDelay(), 0);
  // The rest of the dying animation runs at 2 ticks a frame.
  EXPECT_EQ(TicksToWrap(m, 10), 8);
}

TEST(cEnemyTest, WalkMovesOneStepOnlyWhileWalking) {
  cMonster2 m;
  m.SetTile(5, 5);
  const int x0 = 5 * T, y0 = 5 * T;
  const int s = T / 8;
  struct Case {
    int state, dx, dy;
  } cases[] = {{STATE_WALK_UP, 0, s},      {STATE_WALK_DOWN, 0, -s}, {STATE_WALK_RIGHT, s, 0},
               {STATE_WALK_LEFT, -s, 0},   {STATE_LOOK_UP, 0, 0},    {STATE_HURT_LEFT, 0, 0},
               {STATE_ATTACK_RIGHT, 0, 0}, {STATE_DEAD, 0, 0}};
  for (const Case& c : cases) {
    m.SetPosition(x0, y0);
    m.SetState(c.state);
    m.Walk();
    EXPECT_EQ(m.GetX(), x0 + c.dx) << "state " << c.state;
    EXPECT_EQ(m.GetY(), y0 + c.dy) << "state " << c.state;
  }
  // Eight steps cover one tile.
  m.SetPosition(x0, y0);
  m.SetState(STATE_WALK_LEFT);
  for (int i = 0; i < 8; i++) m.Walk();
  EXPECT_EQ(m.GetX(), x0 - T);
}

// ---- drawing, checked by rendering a sheet of distinct cells ----

namespace {

const int CELL = 4 * SHEET_TILE_SIZE;  // texels per cell with frame size 4
const int SHEET_COLS = 10, SHEET_ROWS = 10;

GLuint MakeSheet() { return SheetProbe::MakeSheet(SHEET_COLS, SHEET_ROWS, CELL); }

// Reads the cell shown in the monster's 4 T square quad.
SheetProbe::Cell ReadCell(const cEnemy& m) {
  const int s = 4 * T;
  const int left = m.GetX() - (s - T) / 2;
  const int bottom = m.GetFrameBottom();
  return SheetProbe::ReadCell(left + s / 2, bottom + s / 2, s);
}

}  // namespace

TEST(cEnemyTest, DrawShowsTheCellOfEachState) {
  ASSERT_TRUE(TestGL::Ready());
  const GLuint tex = MakeSheet();
  struct Case {
    int state, frame, col, row;
    bool mirrored;
  } cases[] = {{STATE_LOOK_UP, 2, 5, 1, false},     {STATE_LOOK_RIGHT, 2, 5, 2, false},
               {STATE_LOOK_DOWN, 2, 5, 0, false},   {STATE_LOOK_LEFT, 2, 5, 2, true},
               {STATE_WALK_UP, 3, 3, 1, false},     {STATE_WALK_RIGHT, 4, 4, 2, false},
               {STATE_WALK_DOWN, 1, 1, 0, false},   {STATE_WALK_LEFT, 2, 2, 2, true},
               {STATE_HURT_UP, 0, 0, 4, false},     {STATE_HURT_RIGHT, 5, 5, 5, false},
               {STATE_HURT_DOWN, 2, 2, 3, false},   {STATE_HURT_LEFT, 1, 1, 5, true},
               {STATE_ATTACK_UP, 9, 9, 7, false},   {STATE_ATTACK_RIGHT, 6, 6, 8, false},
               {STATE_ATTACK_DOWN, 3, 3, 6, false}, {STATE_ATTACK_LEFT, 7, 7, 8, true},
               {STATE_DEAD, 8, 8, 9, false}};
  cMonster1 m;
  m.SetTile(4, 4);
  for (const Case& c : cases) {
    SheetProbe::WorldView();
    m.SetState(c.state);
    m.SetFrame(c.frame);
    m.SetDelay(0);
    m.Draw(tex, SHEET_COLS * CELL, SHEET_ROWS * CELL, false);
    const SheetProbe::Cell seen = ReadCell(m);
    EXPECT_TRUE(seen.drawn) << "state " << c.state;
    EXPECT_EQ(seen.col, c.col) << "state " << c.state;
    EXPECT_EQ(seen.row, c.row) << "state " << c.state;
    EXPECT_EQ(seen.mirrored, c.mirrored) << "state " << c.state;
    EXPECT_TRUE(seen.upright) << "state " << c.state;
    // Not animating leaves the counters alone.
    EXPECT_EQ(m.GetFrame(), c.frame);
    EXPECT_EQ(m.GetDelay(), 0);
  }
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST(cEnemyTest, DrawUsesTheFrameBeforeItsAdvance) {
  ASSERT_TRUE(TestGL::Ready());
  const GLuint tex = MakeSheet();
  cMonster2 m;
  m.SetTile(5, 6);
  m.SetState(STATE_WALK_DOWN);
  m.SetFrame(5);
  m.SetDelay(2);
  SheetProbe::WorldView();
  m.Draw(tex, SHEET_COLS * CELL, SHEET_ROWS * CELL, true);
  EXPECT_EQ(ReadCell(m).col, 5);
  EXPECT_EQ(m.GetFrame(), 0);
  EXPECT_EQ(m.GetDelay(), 0);

  // Standing never advances: a walk stopped at frame 4 resumes from column 4.
  m.SetFrame(4);
  m.SetDelay(1);
  m.SetState(STATE_LOOK_DOWN);
  for (int i = 0; i < 5; i++) m.Draw(tex, SHEET_COLS * CELL, SHEET_ROWS * CELL, true);
  EXPECT_EQ(m.GetFrame(), 4);
  EXPECT_EQ(m.GetDelay(), 1);
  m.SetState(STATE_WALK_DOWN);
  SheetProbe::WorldView();
  m.Draw(tex, SHEET_COLS * CELL, SHEET_ROWS * CELL, true);
  EXPECT_EQ(ReadCell(m).col, 4);
}

TEST(cEnemyTest, DrawRectCoversTheSquareCentredOnTheHitbox) {
  ASSERT_TRUE(TestGL::Ready());
  const GLuint tex = MakeSheet();
  cMonster1 m;
  m.SetTile(6, 8);
  const int x = 6 * T, y = 8 * T;
  SheetProbe::WorldView();
  m.Draw(tex, SHEET_COLS * CELL, SHEET_ROWS * CELL, false);
  // x - 48 .. x + 80 and y - 40 .. y + 88 with 32-pixel tiles.
  const int left = x - 3 * T / 2, right = x + 5 * T / 2;
  const int bottom = y - 5 * T / 4, top = y + 11 * T / 4;
  const int mx = (left + right) / 2, my = (bottom + top) / 2;
  EXPECT_EQ(m.GetFrameBottom(), bottom);
  EXPECT_EQ(m.GetFrameTop(), top);
  EXPECT_NE(TestGL::ReadPixel(left, my).r, 0);
  EXPECT_EQ(TestGL::ReadPixel(left - 1, my).r, 0);
  EXPECT_NE(TestGL::ReadPixel(right - 1, my).r, 0);
  EXPECT_EQ(TestGL::ReadPixel(right, my).r, 0);
  EXPECT_NE(TestGL::ReadPixel(mx, bottom).r, 0);
  EXPECT_EQ(TestGL::ReadPixel(mx, bottom - 1).r, 0);
  EXPECT_NE(TestGL::ReadPixel(mx, top - 1).r, 0);
  EXPECT_EQ(TestGL::ReadPixel(mx, top).r, 0);
}

TEST(cEnemyTest, DrawShowsNothingWithoutACell) {
  ASSERT_TRUE(TestGL::Ready());
  const GLuint tex = MakeSheet();
  cMonster1 m;
  m.SetTile(4, 4);
  const int mx = 4 * T + T / 2, my = 4 * T + T / 2;
  // A state with no cell.
  SheetProbe::WorldView();
  m.SetState(5);
  m.Draw(tex, SHEET_COLS * CELL, SHEET_ROWS * CELL, true);
  EXPECT_EQ(TestGL::ReadPixel(mx, my).r, 0);
  EXPECT_EQ(m.GetDelay(), 0);
  // A sheet smaller than one cell, or one that never loaded: nothing shows, but the animation
  // runs, so the game still sees an attack end (frame and delay back at 0) after its 30 ticks.
  SheetProbe::WorldView();
  m.SetState(STATE_WALK_UP);
  m.Draw(tex, CELL - 1, SHEET_ROWS * CELL, true);
  EXPECT_EQ(TestGL::ReadPixel(mx, my).r, 0);
  EXPECT_EQ(m.GetDelay(), 1);
  m.SetState(STATE_ATTACK_UP);
  m.SetFrame(0);
  m.SetDelay(0);
  int ticks = 0;
  do {
    m.Draw(0, 0, 0, true);
    ++ticks;
  } while ((m.GetFrame() != 0 || m.GetDelay() != 0) && ticks < 100);
  EXPECT_EQ(ticks, 30);
}
