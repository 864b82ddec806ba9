#include <gtest/gtest.h>

#include <cstdlib>
#include <list>
#include <vector>

#include "actors/cMonster1.h"
#include "actors/cPlayer1.h"
#include "actors/cPlayer2.h"
#include "actors/ActorTestKit.h"
#include "common/Globals.h"

namespace {

using ActorTest::RandAfter;
using ActorTest::Shape;

const int T = TILE_SIZE;
const int STEP = T / 8;

// Fixture: a monster standing at tile (5, 10), players far away.
class cMonster1Think : public ActorTest::MonsterAmongPlayers<cMonster1> {
protected:
  void SetUp() override { Place(5, 10, 15 * T, 40 * T, 16 * T, 40 * T); }
  bool Think() { return m.Think(scene.data(), &enemies, &p1, &p2); }

  ActorTest::CellMap scene;
  const int x = 5 * T, y = 10 * T;
};

}  // namespace

// ---- Attack ----

TEST(cMonster1Test, AttackLandsOnlyAtFrameThreeDelayZero) {
  cMonster1 m;
  m.SetTile(5, 10);
  m.SetState(STATE_ATTACK_UP);
  cBicho target;
  Shape(target, 5 * T, 11 * T);
  const int tries[][2] = {{2, 0}, {3, 1}, {3, 2}, {4, 0}};
  for (const auto& fd : tries) {
    m.SetFrame(fd[0]);
    m.SetDelay(fd[1]);
    EXPECT_FALSE(m.Attack(&target));
  }
  EXPECT_EQ(target.GetLife(), 100);
  m.SetFrame(3);
  m.SetDelay(0);
  EXPECT_TRUE(m.Attack(&target));
  EXPECT_EQ(target.GetLife(), 90);
  EXPECT_EQ(target.GetState(), STATE_HURT_DOWN);
}

TEST(cMonster1Test, AttackBoxesAndHurtStates) {
  struct Case {
    int state, tx, ty, hurt;
  } cases[] = {{STATE_ATTACK_UP, 5, 11, STATE_HURT_DOWN},
               {STATE_ATTACK_DOWN, 5, 9, STATE_HURT_UP},
               {STATE_ATTACK_LEFT, 4, 10, STATE_HURT_RIGHT},
               {STATE_ATTACK_RIGHT, 6, 10, STATE_HURT_LEFT}};
  for (const Case& c : cases) {
    cMonster1 m;
    m.SetTile(5, 10);
    m.SetState(c.state);
    m.SetFrame(3);
    cBicho target;
    Shape(target, c.tx * T, c.ty * T);
    target.SetFrame(4);
    target.SetDelay(2);
    EXPECT_TRUE(m.Attack(&target)) << "state " << c.state;
    EXPECT_EQ(target.GetState(), c.hurt);
    EXPECT_EQ(target.GetFrame(), 0);
    EXPECT_EQ(target.GetDelay(), 0);
    EXPECT_EQ(target.GetLife(), 90);
  }
  // Boxes are strict: a target that only touches the box is missed.
  cMonster1 m;
  m.SetTile(5, 10);
  m.SetFrame(3);
  cBicho target;
  m.SetState(STATE_ATTACK_UP);
  Shape(target, 5 * T, 12 * T);  // bottom on the box's top
  EXPECT_FALSE(m.Attack(&target));
  m.SetState(STATE_ATTACK_RIGHT);
  Shape(target, 7 * T, 10 * T);  // left on the box's right
  EXPECT_FALSE(m.Attack(&target));
  m.SetState(STATE_ATTACK_DOWN);
  Shape(target, 5 * T, 8 * T - 3 * T / 2);  // top on the box's bottom
  EXPECT_FALSE(m.Attack(&target));
  // Not attacking: nothing.
  m.SetState(STATE_LOOK_UP);
  Shape(target, 5 * T, 11 * T);
  EXPECT_FALSE(m.Attack(&target));
  EXPECT_EQ(target.GetLife(), 100);
}

TEST(cMonster1Test, AttackKillsAndSkipsTheDead) {
  cMonster1 m;
  m.SetTile(5, 10);
  m.SetState(STATE_ATTACK_LEFT);
  m.SetFrame(3);
  cBicho target;
  Shape(target, 4 * T, 10 * T);
  target.SetLife(10);
  target.SetState(STATE_WALK_UP);
  target.SetFrame(2);
  target.SetDelay(1);
  EXPECT_TRUE(m.Attack(&target));
  EXPECT_EQ(target.GetLife(), 0);
  EXPECT_EQ(target.GetState(), STATE_DEAD);
  EXPECT_EQ(target.GetFrame(), 2);  // counters kept when dying
  EXPECT_EQ(target.GetDelay(), 1);
  EXPECT_FALSE(m.Attack(&target));  // dead: never hit again
}

TEST(cMonster1Test, AttackOnAGuardingPlayerOneGoesThroughTheGuard) {
  cMonster1 m;
  m.SetTile(5, 10);
  m.SetState(STATE_ATTACK_UP);
  m.SetFrame(3);
  cPlayer1 p;
  p.SetTile(5, 11);
  const int life = p.GetLife(), energy = p.GetEnergy();
  // Facing down toward a monster below: the guard holds, energy pays.
  p.SetState(STATE_GUARD_DOWN);
  EXPECT_FALSE(m.Attack(&p));
  EXPECT_EQ(p.GetLife(), life);
  EXPECT_EQ(p.GetEnergy(), energy - 10);
  EXPECT_EQ(p.GetState(), STATE_GUARD_DOWN);
  // Facing away: the guard does not hold, life pays, still no hit reported.
  p.SetState(STATE_GUARD_UP);
  EXPECT_FALSE(m.Attack(&p));
  EXPECT_EQ(p.GetLife(), life - 10);
  EXPECT_EQ(p.GetState(), STATE_HURT_DOWN);
}

TEST(cMonster1Test, AttackOnAChargedAttackKeepsItsState) {
  cMonster1 m;
  m.SetTile(5, 10);
  m.SetState(STATE_ATTACK_RIGHT);
  m.SetFrame(3);
  cPlayer2 p;
  p.SetTile(6, 10);
  p.SetState(STATE_CHARGED_ATTACK);
  p.SetFrame(5);
  p.SetDelay(1);
  const int life = p.GetLife();
  EXPECT_TRUE(m.Attack(&p));
  EXPECT_EQ(p.GetLife(), life - 10);
  EXPECT_EQ(p.GetState(), STATE_CHARGED_ATTACK);
  EXPECT_EQ(p.GetFrame(), 5);
  EXPECT_EQ(p.GetDelay(), 1);
}

// ---- Think: attack start ----

TEST_F(cMonster1Think, AttackStartPrecedence) {
  // Player 1 above (vertical area), player 2 to the right: player 1 decides.
  p1.SetPosition(x, y + T);
  p2.SetPosition(x + T, y);
  m.SetFrame(4);
  m.SetDelay(2);
  srand(11);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_UP);
  EXPECT_EQ(m.GetFrame(), 0);
  EXPECT_EQ(m.GetDelay(), 0);
  {
    const int next = rand();
    EXPECT_EQ(next, RandAfter(11, 0));  // nothing drawn
  }

  // Player 1 in the horizontal area beats player 2 in the vertical one.
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(x - T, y);
  p2.SetPosition(x, y - T);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_LEFT);

  // On the monster's own tile: vertical first, and bottom == y means up.
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(x, y);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_UP);

  // Player 1 out of reach: player 2 below.
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(15 * T, 40 * T);
  p2.SetPosition(x, y - T);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_DOWN);

  // Player 2 to the right, only in the horizontal area.
  m.SetState(STATE_LOOK_DOWN);
  p2.SetPosition(x + T, y + T / 4);
  EXPECT_TRUE(Think());
  EXPECT_EQ(m.GetState(), STATE_ATTACK_RIGHT);
}

TEST_F(cMonster1Think, TouchingTheTriggerAreasIsNotReach) {
  p1.SetPosition(x, y + 2 * T);  // bottom on the vertical area's top
  p2.SetPosition(x + 2 * T, y);  // left on the horizontal area's right
  EXPECT_FALSE(Think());
  EXPECT_TRUE(m.IsWalking());
}

// ---- Think: back onto the grid ----

TEST_F(cMonster1Think, ReturnToTheGrid) {
  struct Case {
    int dx, dy, state;
  } cases[] = {
      {T / 2 - 1, 0, STATE_WALK_LEFT}, {T / 2, 0, STATE_WALK_RIGHT},
      {1, 0, STATE_WALK_LEFT},         {0, T / 2 - 1, STATE_WALK_DOWN},
      {0, T / 2, STATE_WALK_UP},       {T / 2, T / 2 - 1, STATE_WALK_RIGHT}};  // x is settled first
  for (const Case& c : cases) {
    m.SetPosition(x + c.dx, y + c.dy);
    m.SetState(STATE_LOOK_UP);
    m.SetFrame(4);
    m.SetDelay(1);
    srand(5);
    EXPECT_FALSE(Think());
    EXPECT_EQ(m.GetState(), c.state) << c.dx << "," << c.dy;
    EXPECT_EQ(m.GetX(), x + c.dx);  // no step in this call
    EXPECT_EQ(m.GetY(), y + c.dy);
    EXPECT_EQ(m.GetFrame(), 4);
    EXPECT_EQ(m.GetDelay(), 1);
    {
      const int next = rand();
      EXPECT_EQ(next, RandAfter(5, 0));
    }
  }
}

// ---- Think: the step ----

TEST_F(cMonster1Think, PreferredFreeStepWinsAndStillDrawsOneNumber) {
  p1.SetPosition(x, y + 20 * T);
  p2.SetPosition(x + T, y + 25 * T);
  for (unsigned seed = 1; seed <= 12; seed++) {
    m.SetTile(5, 10);
    m.SetState(STATE_LOOK_DOWN);
    srand(seed);
    EXPECT_FALSE(Think());
    EXPECT_EQ(m.GetState(), STATE_WALK_UP) << "seed " << seed;
    EXPECT_EQ(m.GetX(), x);
    EXPECT_EQ(m.GetY(), y + STEP);  // first step taken at once
    const int next = rand();
    EXPECT_EQ(next, RandAfter(seed, 1)) << "seed " << seed;
  }
}

TEST_F(cMonster1Think, BlockedPreferredStepTakesTheRandomPick) {
  scene.Block(5, 11);  // wall above; preferred is up
  p1.SetPosition(x, y + 20 * T);
  const int choices[] = {STATE_WALK_DOWN, STATE_WALK_RIGHT, STATE_WALK_LEFT};
  bool seen[3] = {false, false, false};
  for (unsigned seed = 1; seed <= 30; seed++) {
    m.SetTile(5, 10);
    m.SetState(STATE_LOOK_DOWN);
    const int expected = choices[RandAfter(seed, 0) % 3];
    srand(seed);
    EXPECT_FALSE(Think());
    EXPECT_EQ(m.GetState(), expected) << "seed " << seed;
    for (int i = 0; i < 3; i++) seen[i] |= expected == choices[i];
    const int dx = expected == STATE_WALK_RIGHT ? STEP : expected == STATE_WALK_LEFT ? -STEP : 0;
    const int dy = expected == STATE_WALK_DOWN ? -STEP : 0;
    EXPECT_EQ(m.GetX(), x + dx);
    EXPECT_EQ(m.GetY(), y + dy);
  }
  EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
}

TEST_F(cMonster1Think, EqualDistancesKeepTheEarlierPair) {
  struct Case {
    int px, py, p2x, p2y, state;
  } cases[] = {{x + T, y + T, 15 * T, 60 * T, STATE_WALK_UP},            // up before right
               {x - T, y + T, 15 * T, 60 * T, STATE_WALK_UP},            // up before left
               {x + 2 * T, y - 2 * T, 15 * T, 60 * T, STATE_WALK_DOWN},  // down before right
               {x - 2 * T, y - 2 * T, 15 * T, 60 * T, STATE_WALK_DOWN},  // down before left
               {x - 3 * T, y, x + 3 * T, y, STATE_WALK_RIGHT}};  // right (p2) before left (p1)
  for (const Case& c : cases) {
    m.SetTile(5, 10);
    m.SetState(STATE_LOOK_DOWN);
    p1.SetPosition(c.px, c.py);
    p2.SetPosition(c.p2x, c.p2y);
    srand(3);
    EXPECT_FALSE(Think());
    EXPECT_EQ(m.GetState(), c.state) << c.px / T << "," << c.py / T;
  }
}

TEST_F(cMonster1Think, PreferredStepIsByStraightLineDistance) {
  // A player off the diagonal against one straight along the monster's column or row:
  // counting grid steps, or taking the longer axis only, picks another tile.
  struct Case {
    int px, py, p2x, p2y, state;
  } cases[] = {
      // Up is 5 from player 1 (7 steps); down is 6 from player 2 (6 steps).
      {x + 4 * T, y + 4 * T, x, y - 7 * T, STATE_WALK_UP},
      // Up is sqrt(41) from player 1 (5 on its longer axis); down is 6 from player 2.
      {x + 5 * T, y + 5 * T, x, y - 7 * T, STATE_WALK_DOWN},
      // Right is 6 from player 2; down and left are sqrt(41) from player 1 (5 on the longer axis).
      {x - 5 * T, y - 5 * T, x + 7 * T, y, STATE_WALK_RIGHT},
      // Left is sqrt(18) from player 2 (6 steps); down is 5 from player 1 (5 steps).
      {x, y - 6 * T, x - 4 * T, y + 3 * T, STATE_WALK_LEFT}};
  for (const Case& c : cases) {
    for (unsigned seed = 1; seed <= 3; seed++) {
      m.SetTile(5, 10);
      m.SetState(STATE_LOOK_DOWN);
      p1.SetPosition(c.px, c.py);
      p2.SetPosition(c.p2x, c.p2y);
      srand(seed);
      EXPECT_FALSE(Think());
      EXPECT_EQ(m.GetState(), c.state)
          << (c.px - x) / T << "," << (c.py - y) / T << " and " << (c.p2x - x) / T << ","
          << (c.p2y - y) / T << " seed " << seed;
      const int dx = c.state == STATE_WALK_RIGHT ? STEP : c.state == STATE_WALK_LEFT ? -STEP : 0;
      const int dy = c.state == STATE_WALK_UP ? STEP : c.state == STATE_WALK_DOWN ? -STEP : 0;
      EXPECT_EQ(m.GetX(), x + dx);
      EXPECT_EQ(m.GetY(), y + dy);
    }
  }
}

TEST_F(cMonster1Think, BoxedInDrawsNothing) {
  cMonster1 dead, walker;
  dead.SetTile(5, 11);
  dead.SetState(STATE_DEAD);             // dying monsters still block
  walker.SetPosition(x, 8 * T + T / 2);  // mid-walk: blocks rows 8 and 9
  walker.SetState(STATE_WALK_UP);
  enemies.push_back(&dead);
  enemies.push_back(&walker);
  scene.Block(6, 10);
  scene.Block(4, 10);
  for (unsigned seed = 1; seed <= 5; seed++) {
    srand(seed);
    EXPECT_FALSE(Think());
    EXPECT_EQ(m.GetState(), STATE_LOOK_DOWN);
    EXPECT_EQ(m.GetX(), x);
    EXPECT_EQ(m.GetY(), y);
    {
      const int next = rand();
      EXPECT_EQ(next, RandAfter(seed, 0));
    }
  }
  // Without the dead monster above, the way up is free again.
  enemies.remove(&dead);
  srand(1);
  EXPECT_FALSE(Think());
  EXPECT_EQ(m.GetState(), STATE_WALK_UP);
}

// ---- Think: the map's edges ----

TEST_F(cMonster1Think, NeighboursOffTheMapAreBlocked) {
  struct Case {
    int tx, ty, px, py;  // monster tile, player 1 position (off the map, preferred side)
    std::vector<int> choices;
  } cases[] = {{0, 0, 0, -6 * T, {STATE_WALK_UP, STATE_WALK_RIGHT}},
               {19, 5, 25 * T, 5 * T, {STATE_WALK_UP, STATE_WALK_DOWN, STATE_WALK_LEFT}},
               {0, 5, -6 * T, 5 * T, {STATE_WALK_UP, STATE_WALK_DOWN, STATE_WALK_RIGHT}},
               {5, 159, 5 * T, 166 * T, {STATE_WALK_DOWN, STATE_WALK_RIGHT, STATE_WALK_LEFT}},
               {19, 159, 19 * T, 170 * T, {STATE_WALK_DOWN, STATE_WALK_LEFT}}};
  p2.SetPosition(10 * T, 80 * T);
  for (const Case& c : cases) {
    p1.SetPosition(c.px, c.py);
    for (unsigned seed = 1; seed <= 8; seed++) {
      m.SetTile(c.tx, c.ty);
      m.SetState(STATE_LOOK_DOWN);
      const int n = static_cast<int>(c.choices.size());
      const int expected = c.choices[RandAfter(seed, 0) % n];
      srand(seed);
      EXPECT_FALSE(Think());
      EXPECT_EQ(m.GetState(), expected) << "tile " << c.tx << "," << c.ty << " seed " << seed;
    }
  }
}

TEST_F(cMonster1Think, CreaturesPartlyOffTheMapMarkOnlyCellsInside) {
  // Player 1 straddles the right edge: its second column must not wrap onto
  // column 0 of the next row, which is the monster's way down.
  m.SetTile(0, 9);
  p1.SetPosition(19 * T + T / 2, 7 * T);
  p2.SetPosition(0, 3 * T);  // down is preferred
  for (unsigned seed = 1; seed <= 8; seed++) {
    m.SetTile(0, 9);
    m.SetState(STATE_LOOK_DOWN);
    srand(seed);
    EXPECT_FALSE(Think());
    EXPECT_EQ(m.GetState(), STATE_WALK_DOWN) << "seed " << seed;
  }
  // Monsters left of the map: their truncated tile lists name cells that
  // they do not cover ((19, 9) and (0, 10) for the first, (1, 11) for the
  // second); only column 0 of row 11, under the second, is blocked.
  cMonster1 far_out, half_out;
  far_out.SetPosition(-T - T / 2, 10 * T);
  half_out.SetPosition(-T / 2, 11 * T);
  enemies.push_back(&far_out);
  enemies.push_back(&half_out);
  struct Case {
    int tx, ty, state;
  } cases[] = {{19, 8, STATE_WALK_UP}, {0, 9, STATE_WALK_UP}, {1, 10, STATE_WALK_UP}};
  for (const Case& c : cases) {
    m.SetTile(c.tx, c.ty);
    m.SetState(STATE_LOOK_DOWN);
    p1.SetPosition(c.tx * T, 60 * T);  // up is preferred
    p2.SetPosition(c.tx * T, 61 * T);
    srand(2);
    EXPECT_FALSE(Think());
    EXPECT_EQ(m.GetState(), c.state) << c.tx << "," << c.ty;
  }
  // The second one does block column 0 of its own row: from (0, 10) the
  // preferred way up is shut and the pick is random.
  m.SetTile(0, 10);
  m.SetState(STATE_LOOK_DOWN);
  p1.SetPosition(0, 60 * T);
  p2.SetPosition(0, 61 * T);
  const int choices[] = {STATE_WALK_DOWN, STATE_WALK_RIGHT};
  const int expected = choices[RandAfter(4, 0) % 2];
  srand(4);
  EXPECT_FALSE(Think());
  EXPECT_EQ(m.GetState(), expected);
}
