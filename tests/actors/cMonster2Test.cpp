#include <gtest/gtest.h>

#include <cstdlib>
#include <list>
#include <vector>

#include "actors/cArrow.h"
#include "actors/cMonster2.h"
#include "actors/cProjectile.h"
#include "actors/ActorTestKit.h"
#include "common/Globals.h"

namespace {

using ActorTest::RandAfter;
using ActorTest::Shape;

const int T = TILE_SIZE;
const int STEP = T / 8;
const int AW = T / 4;  // arrow hitbox side

// Fixture: an archer standing at tile (8, 20), players far off every lane.
class cMonster2Think : public ActorTest::MonsterAmongPlayers<cMonster2> {
protected:
  void SetUp() override { Place(8, 20, 15 * T, 50 * T, 16 * T, 52 * T); }
  bool Think() { return m.Think(walk.data(), proj.data(), &enemies, &p1, &p2); }
  void BlockProj(int col, int row) { proj[col + row * MAP_COLS] = 1; }

  std::vector<char> walk = std::vector<char>(MAP_CELLS, 0);
  std::vector<char> proj = std::vector<char>(MAP_CELLS, 0);
  const int x = 8 * T, y = 20 * T;
  const int lane_x = 8 * T + (T - AW) / 2;
  const int lane_y = 20 * T + (T - AW) / 2;
};

class cMonster2Shoot : public ::testing::Test {
protected:
  void SetUp() override {
    m.SetTile(8, 20);
    m.SetFrame(6);
    m.SetDelay(0);
    players.push_back(&p1);
    players.push_back(&p2);
    Shape(p1, 15 * T, 50 * T);
    Shape(p2, 16 * T, 52 * T);
  }
  void TearDown() override {
    for (cProjectile* p : projectiles) delete p;
  }
  bool Shoot() { return m.Shoot(&players, &projectiles, proj.data()); }

  std::vector<char> proj = std::vector<char>(MAP_CELLS, 0);
  cMonster2 m;
  cBicho p1, p2;
  std::list<cBicho*> players;
  std::list<cProjectile*> projectiles;
  const int x = 8 * T, y = 20 * T;
};

}  // namespace

// ---- line of sight ----

TEST_F(cMonster2Think, ClearLineStartsTheAttack) {
  struct Case {
    int px, py, state;
  } cases[] = {{x, y + 6 * T, STATE_ATTACK_UP},
               {x + T / 2, y - 7 * T, STATE_ATTACK_DOWN},
               {x + 5 * T, y, STATE_ATTACK_RIGHT},
               {x - 6 * T, y - T / 2, STATE_ATTACK_LEFT}};
  for (const Case& c : cases) {
    m.SetState(STATE_LOOK_DOWN);
    m.SetFrame(3);
    m.SetDelay(2);
    p1.SetPosition(c.px, c.py);
    srand(9);
    EXPECT_TRUE(Think());
    EXPECT_EQ(m.GetState(), c.state);
    EXPECT_EQ(m.GetFrame(), 0);
    EXPECT_EQ(m.GetDelay(), 0);
    {
      const int next = rand();
      EXPECT_EQ(next, RandAfter(9, 0));  // nothing drawn
    }
  }
  // The players' life and state play no part.
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(x, y + 3 * T);
  p1.SetState(STATE_DEAD);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_UP);
}

TEST_F(cMonster2Think, BlockedLineStopsAndPlayerTwoIsNotTried) {
  p1.SetPosition(x, y + 6 * T);
  p2.SetPosition(x + 4 * T, y);  // clear line to the right
  BlockProj(8, 24);
  EXPECT_FALSE(Think());
  EXPECT_FALSE(m.IsAttacking());
  EXPECT_TRUE(m.IsWalking());
  // With player 1 gone from the lane, player 2 is taken.
  m.SetTile(8, 20);
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(15 * T, 50 * T);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_RIGHT);
  // Blocked to the left: no attack.
  m.SetState(STATE_LOOK_DOWN);
  p2.SetPosition(x - 5 * T, y);
  BlockProj(5, 20);
  EXPECT_FALSE(Think());
  EXPECT_FALSE(m.IsAttacking());
}

TEST_F(cMonster2Think, ScanReadsTheRangeUpToThePlayersOwnCell) {
  // Next cell up: the scan reads exactly that cell.
  p1.SetPosition(x, y + T);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_UP);
  m.SetState(STATE_LOOK_DOWN);
  BlockProj(8, 21);
  EXPECT_FALSE(Think());
  // A blocked cell beyond the player is not read.
  m.SetTile(8, 20);
  m.SetState(STATE_LOOK_DOWN);
  proj.assign(MAP_CELLS, 0);
  BlockProj(8, 24);
  p1.SetPosition(x, y + 3 * T);
  EXPECT_TRUE(Think());
  // Nor is the archer's own cell: a player below, cell (8, 20) blocked.
  m.SetState(STATE_LOOK_DOWN);
  proj.assign(MAP_CELLS, 0);
  BlockProj(8, 20);
  p1.SetPosition(x, y - 3 * T);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_DOWN);
}

TEST_F(cMonster2Think, EmptyScanInTheArchersOwnColumnOrRow) {
  // Left edge in the archer's column, box off the vertical lane, on the
  // horizontal one: no cell is read, even with the next column blocked.
  BlockProj(9, 20);
  p1.SetPosition(lane_x + AW, y);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_RIGHT);
  // Bottom in the archer's row, above it, on the vertical lane only... the
  // box meets the horizontal lane too, so the vertical rule decides: up,
  // with an empty scan, even with the next row blocked.
  m.SetState(STATE_LOOK_DOWN);
  BlockProj(8, 21);
  p1.SetPosition(x, y + T / 2);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_UP);
}

TEST_F(cMonster2Think, BoxTouchingTheLaneIsNotAligned) {
  // Right edge on lane_x, far above: not vertical; not horizontal either.
  p1.SetPosition(lane_x - T, y + 5 * T);
  EXPECT_FALSE(Think());
  EXPECT_FALSE(m.IsAttacking());
  m.SetTile(8, 20);
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(lane_x - T + 1, y + 5 * T);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_UP);
  // Left edge on lane_x + AW, far right, bottom on the lane's top: neither.
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(x + 5 * T, lane_y + AW);
  EXPECT_FALSE(Think());
  EXPECT_FALSE(m.IsAttacking());
  m.SetTile(8, 20);
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(x + 5 * T, lane_y + AW - 1);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_RIGHT);
  // Top on lane_y: not aligned.
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(x - 5 * T, lane_y - 3 * T / 2);
  EXPECT_FALSE(Think());
  EXPECT_FALSE(m.IsAttacking());
}

// ---- realignment and the next step ----

TEST_F(cMonster2Think, RealignsBeforeChoosingAStep) {
  struct Case {
    int dx, dy, state;
  } cases[] = {{T / 2 - 1, 0, STATE_WALK_LEFT},
               {T / 2, 0, STATE_WALK_RIGHT},
               {0, T / 2 - 1, STATE_WALK_DOWN},
               {0, T / 2, STATE_WALK_UP}};
  for (const Case& c : cases) {
    m.SetPosition(x + c.dx, y + c.dy);
    m.SetState(STATE_LOOK_LEFT);
    m.SetFrame(2);
    m.SetDelay(1);
    srand(4);
    EXPECT_FALSE(Think());
    EXPECT_EQ(m.GetState(), c.state);
    EXPECT_EQ(m.GetX(), x + c.dx);
    EXPECT_EQ(m.GetY(), y + c.dy);
    EXPECT_EQ(m.GetFrame(), 2);
    EXPECT_EQ(m.GetDelay(), 1);
    {
      const int next = rand();
      EXPECT_EQ(next, RandAfter(4, 0));
    }
  }
}

TEST_F(cMonster2Think, PreferredStepHeadsForAColumnOrRow) {
  struct Case {
    int px, py, p2x, p2y, state;
  } cases[] = {{x + 3 * T, y + 3 * T, 15 * T, 60 * T, STATE_WALK_RIGHT},  // right before up
               {x - 3 * T, y + 3 * T, 15 * T, 60 * T, STATE_WALK_LEFT},   // left before up
               {x - 3 * T, y - 3 * T, 15 * T, 60 * T, STATE_WALK_LEFT},   // left before down
               {x + 6 * T, y + 4 * T, 1 * T, 60 * T, STATE_WALK_UP},      // up nearest (3T)
               {x + 6 * T, y - 4 * T, 1 * T, 60 * T, STATE_WALK_DOWN},    // down nearest (3T)
               {x - 5 * T, y - 5 * T, x + 4 * T, y + 5 * T, STATE_WALK_RIGHT}};  // p2's right (3T)
  for (const Case& c : cases) {
    for (unsigned seed = 1; seed <= 4; seed++) {
      m.SetTile(8, 20);
      m.SetState(STATE_LOOK_DOWN);
      p1.SetPosition(c.px, c.py);
      p2.SetPosition(c.p2x, c.p2y);
      srand(seed);
      EXPECT_FALSE(Think());
      EXPECT_EQ(m.GetState(), c.state) << (c.px - x) / T << "," << (c.py - y) / T;
      {
        const int next = rand();
        EXPECT_EQ(next, RandAfter(seed, 1));  // one number still drawn
      }
    }
  }
  // Up and down tie only for a player in the archer's row, whose blocked
  // line sends the archer here: up wins.
  m.SetTile(8, 20);
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(x + 5 * T, y);
  p2.SetPosition(15 * T, 60 * T);
  BlockProj(10, 20);
  EXPECT_FALSE(Think());
  EXPECT_EQ(m.GetState(), STATE_WALK_UP);
  EXPECT_EQ(m.GetY(), y + STEP);
}

TEST_F(cMonster2Think, PlayersAndDyingMonstersBlockTheSteps) {
  // Player 1 right next to the archer but behind a wall in the projectile
  // map: it blocks the step right, which it prefers.
  p1.SetPosition(x + T, y);
  BlockProj(9, 20);
  const int choices[] = {STATE_WALK_UP, STATE_WALK_DOWN, STATE_WALK_LEFT};
  for (unsigned seed = 1; seed <= 8; seed++) {
    m.SetTile(8, 20);
    m.SetState(STATE_LOOK_DOWN);
    const int expected = choices[RandAfter(seed, 0) % 3];
    srand(seed);
    EXPECT_FALSE(Think());
    EXPECT_EQ(m.GetState(), expected) << "seed " << seed;
  }
  // Boxed in by walls and a dying monster: no number drawn, nothing changes.
  cMonster2 dead;
  dead.SetTile(8, 21);
  dead.SetState(STATE_DEAD);
  enemies.push_back(&dead);
  walk[8 + 19 * MAP_COLS] = 1;
  walk[7 + 20 * MAP_COLS] = 1;
  m.SetTile(8, 20);
  m.SetState(STATE_LOOK_DOWN);
  srand(6);
  EXPECT_FALSE(Think());
  EXPECT_EQ(m.GetState(), STATE_LOOK_DOWN);
  EXPECT_EQ(m.GetX(), x);
  EXPECT_EQ(m.GetY(), y);
  {
    const int next = rand();
    EXPECT_EQ(next, RandAfter(6, 0));
  }
}

TEST_F(cMonster2Think, ScansNearTheMapEdgeStayInside) {
  // Archer on the bottom row, player below the map in its column: the rows
  // below row 0 count as blocked and are never read.
  m.SetTile(0, 0);
  p1.SetPosition(0, -3 * T);
  EXPECT_FALSE(Think());
  EXPECT_FALSE(m.IsAttacking());
  // A player on the same bottom row reads only cells inside the map.
  m.SetTile(0, 0);
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(4 * T, 0);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_RIGHT);
  // Player far to the right off the map: cells past column 19 are blocked.
  m.SetTile(18, 5);
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(23 * T, 5 * T);
  EXPECT_FALSE(Think());
  EXPECT_FALSE(m.IsAttacking());
}

// ---- Shoot ----

TEST_F(cMonster2Shoot, OnlyAtFrameSixDelayZero) {
  m.SetState(STATE_ATTACK_UP);
  const int tries[][2] = {{5, 0}, {6, 1}, {6, 2}, {7, 0}, {0, 0}};
  for (const auto& fd : tries) {
    m.SetFrame(fd[0]);
    m.SetDelay(fd[1]);
    EXPECT_FALSE(Shoot());
  }
  EXPECT_TRUE(projectiles.empty());
  m.SetFrame(6);
  m.SetDelay(0);
  EXPECT_TRUE(Shoot());
  EXPECT_EQ(projectiles.size(), 1u);
  // Not attacking: nothing, even at frame 6.
  m.SetState(STATE_LOOK_UP);
  EXPECT_FALSE(Shoot());
  EXPECT_EQ(projectiles.size(), 1u);
}

TEST_F(cMonster2Shoot, ArrowStartsAtTheFootprintEdge) {
  const int off = (T - AW) / 2;  // 12 with 32-pixel tiles
  struct Case {
    int state, flight, ax, ay;
  } cases[] = {{STATE_ATTACK_UP, PROJ_FLY_UP, x + off, y + T},
               {STATE_ATTACK_DOWN, PROJ_FLY_DOWN, x + off, y},
               {STATE_ATTACK_LEFT, PROJ_FLY_LEFT, x, y + off},
               {STATE_ATTACK_RIGHT, PROJ_FLY_RIGHT, x + T, y + off}};
  for (const Case& c : cases) {
    m.SetState(c.state);
    ASSERT_TRUE(Shoot());
    ASSERT_FALSE(projectiles.empty());
    cProjectile* a = projectiles.back();
    EXPECT_NE(dynamic_cast<cArrow*>(a), nullptr);
    EXPECT_EQ(a->GetState(), c.flight);
    EXPECT_EQ(a->GetX(), c.ax);
    EXPECT_EQ(a->GetY(), c.ay);
    EXPECT_EQ(a->GetFrame(), 0);
    EXPECT_EQ(a->GetDelay(), 0);
  }
  EXPECT_EQ(projectiles.size(), 4u);
  EXPECT_EQ(p1.GetLife(), 100);
}

TEST_F(cMonster2Shoot, ArrowExplodesAtOnceOnAWallOrAPlayer) {
  // Right, with the next column blocked.
  proj[9 + 20 * MAP_COLS] = 1;
  m.SetState(STATE_ATTACK_RIGHT);
  ASSERT_TRUE(Shoot());
  ASSERT_EQ(projectiles.size(), 1u);
  EXPECT_EQ(projectiles.back()->GetState(), PROJ_EXPLODE_RIGHT);
  // Up, with the row above blocked.
  proj[8 + 21 * MAP_COLS] = 1;
  m.SetState(STATE_ATTACK_UP);
  ASSERT_TRUE(Shoot());
  ASSERT_EQ(projectiles.size(), 2u);
  EXPECT_EQ(projectiles.back()->GetState(), PROJ_EXPLODE_UP);
  // Left over the archer's own free tile: it flies.
  m.SetState(STATE_ATTACK_LEFT);
  ASSERT_TRUE(Shoot());
  ASSERT_EQ(projectiles.size(), 3u);
  EXPECT_EQ(projectiles.back()->GetState(), PROJ_FLY_LEFT);
  // Down into a player standing on the archer: struck at once.
  p2.SetPosition(x, y - T / 2);
  m.SetState(STATE_ATTACK_DOWN);
  ASSERT_TRUE(Shoot());
  ASSERT_EQ(projectiles.size(), 4u);
  EXPECT_EQ(projectiles.back()->GetState(), PROJ_EXPLODE_DOWN);
  EXPECT_EQ(p2.GetLife(), 90);
  EXPECT_EQ(p2.GetState(), STATE_HURT_UP);
  EXPECT_EQ(p1.GetLife(), 100);
}

TEST_F(cMonster2Shoot, OffTheGridTheArrowAlsoTestsTheFarRowOrColumn) {
  // An archer hurt mid-step stands 7/8 of a tile past its tile: shooting up, the arrow's
  // box reaches into row 22; shooting right, into column 10. Only the extra test on that
  // far row or column sees the wall there; on the grid the box stays clear of it.
  const int off = T * 7 / 8;
  struct Case {
    int state, dx, dy, wall_col, wall_row, arrow_state;
  } cases[] = {{STATE_ATTACK_UP, 0, off, 8, 22, PROJ_EXPLODE_UP},
               {STATE_ATTACK_UP, 0, off, -1, -1, PROJ_FLY_UP},
               {STATE_ATTACK_UP, 0, 0, 8, 22, PROJ_FLY_UP},
               {STATE_ATTACK_UP, 0, T / 2, 8, 22, PROJ_FLY_UP},
               {STATE_ATTACK_RIGHT, off, 0, 10, 20, PROJ_EXPLODE_RIGHT},
               {STATE_ATTACK_RIGHT, off, 0, -1, -1, PROJ_FLY_RIGHT},
               {STATE_ATTACK_RIGHT, 0, 0, 10, 20, PROJ_FLY_RIGHT},
               {STATE_ATTACK_RIGHT, T / 2, 0, 10, 20, PROJ_FLY_RIGHT}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state " << c.state << " off " << c.dx << "," << c.dy
                                    << " wall " << c.wall_col << "," << c.wall_row);
    proj.assign(MAP_CELLS, 0);
    if (c.wall_col >= 0) proj[c.wall_col + c.wall_row * MAP_COLS] = 1;
    m.SetPosition(x + c.dx, y + c.dy);
    m.SetState(c.state);
    ASSERT_TRUE(Shoot());
    const cProjectile* a = projectiles.back();
    EXPECT_EQ(a->GetState(), c.arrow_state);
    if (c.state == STATE_ATTACK_UP) {
      EXPECT_EQ(a->GetX(), x + (T - AW) / 2);
      EXPECT_EQ(a->GetY(), y + c.dy + T);
    } else {
      EXPECT_EQ(a->GetX(), x + c.dx + T);
      EXPECT_EQ(a->GetY(), y + (T - AW) / 2);
    }
  }
  EXPECT_EQ(p1.GetLife(), 100);
  EXPECT_EQ(p2.GetLife(), 100);
}

TEST_F(cMonster2Shoot, OneArrowPerAttack) {
  // Think starts the attack; the arrow comes at the 19th tick (frame 6).
  std::vector<char> walk(MAP_CELLS, 0);
  std::list<cBicho*> enemies{&m};
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(x, y + 8 * T);
  ASSERT_TRUE(m.Think(walk.data(), proj.data(), &enemies, &p1, &p2));
  int made_at = -1, made = 0;
  for (int tick = 0; tick < 30; tick++) {
    if (Shoot()) {
      made++;
      made_at = tick;
    }
    m.NextFrame(10);
  }
  EXPECT_EQ(made, 1);
  EXPECT_EQ(made_at, 18);
  EXPECT_EQ(m.GetFrame(), 0);
  EXPECT_EQ(m.GetDelay(), 0);
}
