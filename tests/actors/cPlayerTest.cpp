#include <gtest/gtest.h>

#include <list>
#include <vector>

#include "actors/ActorTestKit.h"
#include "actors/cPlayer.h"

namespace {

const int T = TILE_SIZE;
const int STEP = TILE_SIZE / 8;

// Stand-in monster: a one-tile creature with some life.
class Monster : public ActorTest::Target {
public:
  Monster(int px, int py) : Target(px, py, 30) {}
};

using WalkMap = ActorTest::CellMap;

}  // namespace

TEST(cPlayerTest, ConstructedWithPlayerSizes) {
  cPlayer p;
  EXPECT_EQ(p.GetWidth(), T);
  EXPECT_EQ(p.GetHeight(), T * 3 / 2);
  EXPECT_EQ(p.GetFootprintW(), T);
  EXPECT_EQ(p.GetFootprintH(), T);
  EXPECT_EQ(p.GetFrameSize(), 4);
  EXPECT_EQ(p.GetAttackFrameDelay(), 2);
  EXPECT_EQ(p.GetCooldown(), 0);
  EXPECT_EQ(p.GetState(), STATE_LOOK_DOWN);
  p.SetPosition(3 * T, 5 * T);
  EXPECT_EQ(p.GetFrameTop(), 5 * T + 11 * T / 4);
  EXPECT_EQ(p.GetFrameBottom(), 5 * T - 5 * T / 4);
}

TEST(cPlayerTest, WallAboveStopsAndTurnsOnce) {
  WalkMap map;
  map.Block(5, 11);
  std::list<cBicho*> none;
  cPlayer p;
  p.SetPosition(5 * T, 10 * T);
  p.SetFrame(2);
  p.SetDelay(3);
  p.MoveUp(map.data(), &none);
  EXPECT_EQ(p.GetY(), 10 * T);
  EXPECT_EQ(p.GetX(), 5 * T);
  EXPECT_EQ(p.GetState(), STATE_WALK_UP);
  EXPECT_EQ(p.GetFrame(), 0);
  EXPECT_EQ(p.GetDelay(), 0);
  p.SetFrame(1);
  p.SetDelay(2);
  p.MoveUp(map.data(), &none);
  EXPECT_EQ(p.GetState(), STATE_WALK_UP);
  EXPECT_EQ(p.GetFrame(), 1);
  EXPECT_EQ(p.GetDelay(), 2);
  EXPECT_EQ(p.GetY(), 10 * T);
}

TEST(cPlayerTest, StepOffTheBoundaryIsNotTested) {
  WalkMap map;
  map.Block(5, 11);
  std::list<cBicho*> none;
  cPlayer p;
  p.SetPosition(5 * T, 10 * T + STEP);
  p.MoveUp(map.data(), &none);
  EXPECT_EQ(p.GetY(), 10 * T + 2 * STEP);
  // Free way: every step is made, tested or not.
  cPlayer q;
  q.SetPosition(2 * T, 2 * T);
  for (int i = 0; i < 8; i++) q.MoveUp(map.data(), &none);
  EXPECT_EQ(q.GetY(), 3 * T);
}

TEST(cPlayerTest, CornerSlideUpMovesTowardTheFreeColumn) {
  std::list<cBicho*> none;
  {
    WalkMap map;
    map.Block(6, 11);  // right end blocked: slide left
    cPlayer p;
    p.SetPosition(5 * T + 2 * STEP, 10 * T);
    p.MoveUp(map.data(), &none);
    EXPECT_EQ(p.GetX(), 5 * T + STEP);
    EXPECT_EQ(p.GetY(), 10 * T);
    p.MoveUp(map.data(), &none);
    EXPECT_EQ(p.GetX(), 5 * T);
    EXPECT_EQ(p.GetY(), 10 * T);
    p.MoveUp(map.data(), &none);
    EXPECT_EQ(p.GetX(), 5 * T);
    EXPECT_EQ(p.GetY(), 10 * T + STEP);
  }
  {
    WalkMap map;
    map.Block(5, 11);  // left end blocked: slide right
    cPlayer p;
    p.SetPosition(5 * T + 2 * STEP, 10 * T);
    int calls = 0;
    while (p.GetX() < 6 * T && calls < 20) {
      p.MoveUp(map.data(), &none);
      EXPECT_EQ(p.GetY(), 10 * T);
      calls++;
    }
    EXPECT_EQ(p.GetX(), 6 * T);
    EXPECT_EQ(calls, 8 - 2);
    p.MoveUp(map.data(), &none);
    EXPECT_EQ(p.GetY(), 10 * T + STEP);
  }
}

TEST(cPlayerTest, CornerSlideDownToo) {
  WalkMap map;
  map.Block(6, 9);
  std::list<cBicho*> none;
  cPlayer p;
  p.SetPosition(5 * T + STEP, 10 * T);
  p.MoveDown(map.data(), &none);
  EXPECT_EQ(p.GetState(), STATE_WALK_DOWN);
  EXPECT_EQ(p.GetX(), 5 * T);
  EXPECT_EQ(p.GetY(), 10 * T);
  p.MoveDown(map.data(), &none);
  EXPECT_EQ(p.GetY(), 10 * T - STEP);
}

TEST(cPlayerTest, HorizontalWalkSuppressesTheVerticalSlide) {
  WalkMap map;
  map.Block(6, 11);
  std::list<cBicho*> none;
  for (int s : {STATE_WALK_LEFT, STATE_WALK_RIGHT, STATE_GUARD_WALK_LEFT, STATE_GUARD_WALK_RIGHT}) {
    cPlayer p;
    p.SetPosition(5 * T + 2 * STEP, 10 * T);
    p.SetState(s);
    p.MoveUp(map.data(), &none);
    EXPECT_EQ(p.GetState(), s);
    EXPECT_EQ(p.GetX(), 5 * T + 2 * STEP) << s;
    EXPECT_EQ(p.GetY(), 10 * T);
  }
}

TEST(cPlayerTest, HorizontalSlideAndNoSlide) {
  std::list<cBicho*> none;
  {
    WalkMap map;
    map.Block(4, 11);  // upper end of the leading column blocked: slide down
    cPlayer p;
    p.SetPosition(5 * T, 10 * T + 2 * STEP);
    p.MoveLeft(map.data(), &none, false);
    EXPECT_EQ(p.GetState(), STATE_WALK_LEFT);
    EXPECT_EQ(p.GetX(), 5 * T);
    EXPECT_EQ(p.GetY(), 10 * T + STEP);
    p.MoveLeft(map.data(), &none, true);  // a vertical key is held: no slide
    EXPECT_EQ(p.GetX(), 5 * T);
    EXPECT_EQ(p.GetY(), 10 * T + STEP);
  }
  {
    WalkMap map;
    map.Block(6, 10);  // lower end blocked: slide up
    cPlayer p;
    p.SetPosition(5 * T, 10 * T + 2 * STEP);
    p.MoveRight(map.data(), &none, false);
    EXPECT_EQ(p.GetState(), STATE_WALK_RIGHT);
    EXPECT_EQ(p.GetX(), 5 * T);
    EXPECT_EQ(p.GetY(), 10 * T + 3 * STEP);
  }
  {
    WalkMap map;
    map.Block(6, 10);
    map.Block(6, 11);  // both ends blocked
    cPlayer p;
    p.SetPosition(5 * T, 10 * T + 2 * STEP);
    p.MoveRight(map.data(), &none, false);
    EXPECT_EQ(p.GetX(), 5 * T);
    EXPECT_EQ(p.GetY(), 10 * T + 2 * STEP);
  }
}

TEST(cPlayerTest, LivingMonstersBlockWithoutSlideDeadOnesDoNot) {
  WalkMap map;
  Monster m(6 * T, 11 * T);
  std::list<cBicho*> monsters{&m};
  cPlayer p;
  p.SetPosition(5 * T + 2 * STEP, 10 * T);  // straddles columns 5 and 6
  p.MoveUp(map.data(), &monsters);
  EXPECT_EQ(p.GetX(), 5 * T + 2 * STEP);
  EXPECT_EQ(p.GetY(), 10 * T);
  EXPECT_TRUE(p.IsTileOccupied(&monsters, 6 + 11 * MAP_COLS));
  EXPECT_FALSE(p.IsTileOccupied(&monsters, 5 + 11 * MAP_COLS));

  m.SetState(STATE_DEAD);
  EXPECT_FALSE(p.IsTileOccupied(&monsters, 6 + 11 * MAP_COLS));
  p.MoveUp(map.data(), &monsters);
  EXPECT_EQ(p.GetY(), 10 * T + STEP);

  // A monster beside the player blocks a horizontal step.
  Monster side(4 * T, 10 * T);
  std::list<cBicho*> beside{&side};
  cPlayer q;
  q.SetPosition(5 * T, 10 * T);
  q.MoveLeft(map.data(), &beside, false);
  EXPECT_EQ(q.GetX(), 5 * T);
}

TEST(cPlayerTest, TheOtherPlayerNeverBlocks) {
  WalkMap map;
  cPlayer other;
  other.SetPosition(5 * T, 11 * T);
  Monster far_away(15 * T, 50 * T);
  std::list<cBicho*> monsters{&far_away};  // the game passes only its monsters
  cPlayer p;
  p.SetPosition(5 * T, 10 * T);
  p.MoveUp(map.data(), &monsters);
  EXPECT_EQ(p.GetY(), 10 * T + STEP);
}

TEST(cPlayerTest, MovesKeepOrReplaceTheWalkingState) {
  WalkMap map;
  std::list<cBicho*> none;
  cPlayer p;
  p.SetPosition(5 * T, 10 * T);
  p.SetState(STATE_WALK_LEFT);
  p.MoveUp(map.data(), &none);
  EXPECT_EQ(p.GetState(), STATE_WALK_LEFT);  // diagonal walk keeps the horizontal state
  p.MoveDown(map.data(), &none);
  EXPECT_EQ(p.GetState(), STATE_WALK_LEFT);
  p.MoveRight(map.data(), &none, true);
  EXPECT_EQ(p.GetState(), STATE_WALK_RIGHT);
  p.SetState(STATE_WALK_UP);
  p.MoveDown(map.data(), &none);
  EXPECT_EQ(p.GetState(), STATE_WALK_DOWN);
  // Guarding players walk in the guard stance.
  p.SetState(STATE_GUARD_LEFT);
  p.MoveUp(map.data(), &none);
  EXPECT_EQ(p.GetState(), STATE_GUARD_WALK_UP);
  p.MoveLeft(map.data(), &none, false);
  EXPECT_EQ(p.GetState(), STATE_GUARD_WALK_LEFT);
  p.SetState(STATE_GUARD_DOWN);
  p.MoveRight(map.data(), &none, false);
  EXPECT_EQ(p.GetState(), STATE_GUARD_WALK_RIGHT);
  p.MoveDown(map.data(), &none);
  EXPECT_EQ(p.GetState(), STATE_GUARD_WALK_RIGHT);
}

TEST(cPlayerTest, LeashOfTwentySixTiles) {
  WalkMap map;
  std::list<cBicho*> none;
  const int screen_h = 27 * T;
  cPlayer p;
  p.SetPosition(5 * T, 40 * T);
  p.TryMoveUp(map.data(), &none, 40 * T, 14 * T, screen_h);  // 26 T ahead
  EXPECT_EQ(p.GetY(), 40 * T + STEP);

  cPlayer q;
  q.SetPosition(5 * T, 40 * T + STEP);
  q.SetFrame(2);
  q.TryMoveUp(map.data(), &none, 40 * T + STEP, 14 * T, screen_h);  // 26 T + step
  EXPECT_EQ(q.GetY(), 40 * T + STEP);
  EXPECT_EQ(q.GetState(), STATE_WALK_UP);
  EXPECT_EQ(q.GetFrame(), 0);

  // Behind the other one, climbing is always allowed.
  cPlayer r;
  r.SetPosition(5 * T, 10 * T);
  r.TryMoveUp(map.data(), &none, 10 * T, 100 * T, screen_h);
  EXPECT_EQ(r.GetY(), 10 * T + STEP);

  cPlayer d;
  d.SetPosition(5 * T, 14 * T);
  d.TryMoveDown(map.data(), &none, 14 * T, 40 * T, screen_h, 2 * T);  // 26 T behind
  EXPECT_EQ(d.GetY(), 14 * T - STEP);
  cPlayer e;
  e.SetPosition(5 * T, 14 * T - STEP);
  e.SetState(STATE_GUARD_UP);
  e.TryMoveDown(map.data(), &none, 14 * T - STEP, 40 * T, screen_h, 2 * T);
  EXPECT_EQ(e.GetY(), 14 * T - STEP);
  EXPECT_EQ(e.GetState(), STATE_GUARD_WALK_DOWN);
}

TEST(cPlayerTest, NoStepDownAtTheViewBottom) {
  WalkMap map;
  std::list<cBicho*> none;
  cPlayer p;
  p.SetPosition(5 * T, 3 * T);
  p.SetState(STATE_WALK_LEFT);
  p.TryMoveDown(map.data(), &none, 3 * T, 3 * T, 27 * T, 3 * T);
  EXPECT_EQ(p.GetY(), 3 * T);
  EXPECT_EQ(p.GetState(), STATE_WALK_LEFT);  // a kept state is left alone
  p.TryMoveDown(map.data(), &none, 3 * T, 50 * T, 27 * T, 3 * T);
  EXPECT_EQ(p.GetY(), 3 * T);
  p.TryMoveDown(map.data(), &none, 3 * T + 1, 3 * T, 27 * T, 3 * T);
  EXPECT_EQ(p.GetY(), 3 * T - STEP);
}

TEST(cPlayerTest, MapEdgesCountAsBlocked) {
  WalkMap map;
  std::list<cBicho*> none;
  cPlayer p;
  p.SetPosition(0, 5 * T);
  p.MoveLeft(map.data(), &none, false);
  EXPECT_EQ(p.GetX(), 0);
  p.SetPosition(3 * T, 0);
  p.MoveDown(map.data(), &none);
  EXPECT_EQ(p.GetY(), 0);
  // Straddling two rows at the left edge: both ends outside, no slide.
  p.SetPosition(0, 5 * T + STEP * 2);
  p.MoveLeft(map.data(), &none, false);
  EXPECT_EQ(p.GetX(), 0);
  EXPECT_EQ(p.GetY(), 5 * T + STEP * 2);

  // At the right and top edges the leading cell falls back to the player's
  // own; walking on never reads past the grid and ends one tile out.
  cPlayer r;
  r.SetPosition((MAP_COLS - 1) * T, 5 * T);
  for (int i = 0; i < 40; i++) r.MoveRight(map.data(), &none, false);
  EXPECT_EQ(r.GetX(), MAP_COLS * T);
  cPlayer u;
  u.SetPosition(3 * T, (MAP_ROWS - 1) * T);
  for (int i = 0; i < 40; i++) u.MoveUp(map.data(), &none);
  EXPECT_EQ(u.GetY(), MAP_ROWS * T);
}

TEST(cPlayerTest, NextFrameTimingPerState) {
  cPlayer p;
  p.SetState(STATE_CHARGED_ATTACK);
  p.NextFrame(4);
  EXPECT_EQ(p.GetFrame(), 0);
  EXPECT_EQ(p.GetDelay(), 1);
  p.NextFrame(4);
  EXPECT_EQ(p.GetFrame(), 1);
  EXPECT_EQ(p.GetDelay(), 0);

  p.SetState(STATE_ATTACK_LEFT);
  p.SetFrame(3);
  p.NextFrame(4);
  p.NextFrame(4);
  EXPECT_EQ(p.GetFrame(), 0);  // wraps
  EXPECT_EQ(p.GetDelay(), 0);

  p.SetState(STATE_WALK_UP);
  for (int i = 0; i < 3; i++) p.NextFrame(4);
  EXPECT_EQ(p.GetFrame(), 0);
  EXPECT_EQ(p.GetDelay(), 3);
  p.NextFrame(4);
  EXPECT_EQ(p.GetFrame(), 1);
  EXPECT_EQ(p.GetDelay(), 0);
  p.SetFrame(3);
  for (int i = 0; i < 4; i++) p.NextFrame(4);
  EXPECT_EQ(p.GetFrame(), 0);

  // A normal attack runs 4 frames of 2 ticks: back at 0/0 after 8 ticks.
  p.StartAttack();
  p.SetState(STATE_ATTACK_UP);
  int ticks = 0;
  do {
    p.NextFrame(4);
    ticks++;
  } while ((p.GetFrame() != 0 || p.GetDelay() != 0) && ticks < 100);
  EXPECT_EQ(ticks, 8);
}

TEST(cPlayerTest, PlayerStateChangers) {
  cPlayer p;
  p.SetState(STATE_CHARGED_ATTACK);
  p.SetFrame(5);
  p.SetDelay(1);
  p.cBicho::Stop();
  EXPECT_EQ(p.GetState(), STATE_CHARGED_ATTACK);
  p.Stop();
  EXPECT_EQ(p.GetState(), STATE_LOOK_DOWN);
  EXPECT_EQ(p.GetFrame(), 5);
  EXPECT_EQ(p.GetDelay(), 1);

  p.SetState(STATE_GUARD_WALK_LEFT);
  p.cBicho::Stop();
  EXPECT_EQ(p.GetState(), STATE_GUARD_WALK_LEFT);
  p.Stop();
  EXPECT_EQ(p.GetState(), STATE_GUARD_LEFT);
  p.Stop();
  EXPECT_EQ(p.GetState(), STATE_GUARD_LEFT);
  p.SetState(STATE_HURT_RIGHT);
  p.Stop();
  EXPECT_EQ(p.GetState(), STATE_LOOK_RIGHT);

  p.SetState(STATE_HURT_UP);
  p.SetFrame(1);
  p.SetDelay(1);
  p.EnterGuard();
  EXPECT_EQ(p.GetState(), STATE_HURT_UP);
  EXPECT_EQ(p.GetFrame(), 0);
  EXPECT_EQ(p.GetDelay(), 0);
  p.SetState(STATE_LOOK_LEFT);
  p.EnterGuard();
  EXPECT_EQ(p.GetState(), STATE_GUARD_LEFT);
  p.SetState(STATE_WALK_RIGHT);
  p.EnterGuard();
  EXPECT_EQ(p.GetState(), STATE_GUARD_WALK_RIGHT);

  p.SetFrame(1);
  p.SetDelay(3);
  p.LeaveGuard();
  EXPECT_EQ(p.GetState(), STATE_LOOK_RIGHT);
  EXPECT_EQ(p.GetFrame(), 1);
  EXPECT_EQ(p.GetDelay(), 3);
  p.SetState(STATE_GUARD_UP);
  p.LeaveGuard();
  EXPECT_EQ(p.GetState(), STATE_LOOK_UP);
  p.SetState(STATE_WALK_DOWN);
  p.LeaveGuard();
  EXPECT_EQ(p.GetState(), STATE_WALK_DOWN);

  p.StartChargedAttack();
  EXPECT_EQ(p.GetState(), STATE_CHARGED_ATTACK);
  EXPECT_EQ(p.GetFrame(), 0);
  EXPECT_EQ(p.GetDelay(), 0);
}

TEST(cPlayerTest, PlayerPredicatesHideTheCreatureOnes) {
  cPlayer p;
  p.SetState(STATE_CHARGED_ATTACK);
  EXPECT_TRUE(p.IsAttacking());
  EXPECT_FALSE(p.cBicho::IsAttacking());
  EXPECT_TRUE(p.IsChargedAttack());
  p.SetState(STATE_GUARD_WALK_UP);
  EXPECT_TRUE(p.IsWalking());
  EXPECT_FALSE(p.cBicho::IsWalking());
  EXPECT_TRUE(p.IsGuarding());
  p.SetState(STATE_GUARD_UP);
  EXPECT_FALSE(p.IsWalking());
  EXPECT_TRUE(p.IsGuarding());
  p.SetState(STATE_ATTACK_LEFT);
  EXPECT_FALSE(p.IsGuarding());
}
