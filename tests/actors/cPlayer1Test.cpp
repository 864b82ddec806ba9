#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actors/ActorTestKit.h"
#include "actors/cPlayer1.h"
#include "support/SheetProbe.h"
#include "support/TestGL.h"

namespace {

const int T = TILE_SIZE;
const int R = 21 * TILE_SIZE / 16;

using ActorTest::Target;

cPlayer1 AttackingAt(int state, int frame, int delay) {
  cPlayer1 p;
  p.SetPosition(10 * T, 20 * T);
  p.SetState(state);
  p.SetFrame(frame);
  p.SetDelay(delay);
  return p;
}

}  // namespace

TEST(cPlayer1Test, NormalBlowLandsOnlyAtFrameThreeDelayZero) {
  const int x = 10 * T, y = 20 * T;
  for (int f = 0; f < 4; f++) {
    for (int d = 0; d < 2; d++) {
      cPlayer1 p = AttackingAt(STATE_ATTACK_UP, f, d);
      Target m(x, y + T, 30);
      bool landed = p.Attack(&m);
      EXPECT_EQ(landed, f == 3 && d == 0) << "frame " << f << " delay " << d;
      EXPECT_EQ(m.GetLife(), landed ? 20 : 30);
    }
  }
  cPlayer1 p = AttackingAt(STATE_ATTACK_UP, 3, 0);
  Target m(x, y + T, 30);
  m.SetFrame(2);
  m.SetDelay(1);
  ASSERT_TRUE(p.Attack(&m));
  EXPECT_EQ(m.GetState(), STATE_HURT_DOWN);
  EXPECT_EQ(m.GetFrame(), 0);
  EXPECT_EQ(m.GetDelay(), 0);
  // Guarding or walking at frame 3 is no attack.
  cPlayer1 g = AttackingAt(STATE_GUARD_UP, 3, 0);
  Target n(x, y + T, 30);
  EXPECT_FALSE(g.Attack(&n));
}

TEST(cPlayer1Test, NormalBlowAreasHaveStrictEdges) {
  const int x = 10 * T, y = 20 * T;
  struct Case {
    int state, hurt;
    int in_x, in_y;    // a target just inside the area
    int out_x, out_y;  // a target that only touches it
  };
  const Case cases[] = {
      // up: band one tile high above the footprint
      {STATE_ATTACK_UP, STATE_HURT_DOWN, x + 2 * T - 1, y + 2 * T - 1, x, y + 2 * T},
      // down: half a tile below the feet
      {STATE_ATTACK_DOWN, STATE_HURT_UP, x - 2 * T + 1, y - T / 2 - 3 * T / 2 + 1, x,
       y - T / 2 - 3 * T / 2},
      // left: R wide, as high as the footprint
      {STATE_ATTACK_LEFT, STATE_HURT_RIGHT, x - R - T + 1, y, x - R - T, y},
      // right
      {STATE_ATTACK_RIGHT, STATE_HURT_LEFT, x + T + R - 1, y, x + T + R, y},
  };
  for (const Case& c : cases) {
    cPlayer1 p = AttackingAt(c.state, 3, 0);
    Target in(c.in_x, c.in_y, 30);
    EXPECT_TRUE(p.Attack(&in)) << c.state;
    EXPECT_EQ(in.GetState(), c.hurt);
    Target out(c.out_x, c.out_y, 30);
    EXPECT_FALSE(p.Attack(&out)) << c.state;
    EXPECT_EQ(out.GetLife(), 30);
  }
  // Side blows reach only as high as the footprint, not the hitbox.
  cPlayer1 p = AttackingAt(STATE_ATTACK_RIGHT, 3, 0);
  Target above(x + T, y + T, 30);
  EXPECT_FALSE(p.Attack(&above));
}

TEST(cPlayer1Test, KillingBlowAndDeadTargets) {
  const int x = 10 * T, y = 20 * T;
  cPlayer1 p = AttackingAt(STATE_ATTACK_LEFT, 3, 0);
  Target weak(x - T, y, 10);
  weak.SetFrame(1);
  EXPECT_TRUE(p.Attack(&weak));
  EXPECT_EQ(weak.GetLife(), 0);
  EXPECT_EQ(weak.GetState(), STATE_DEAD);
  EXPECT_EQ(weak.GetFrame(), 0);
  // Overkill clamps at 0.
  Target weaker(x - T, y, 4);
  EXPECT_TRUE(p.Attack(&weaker));
  EXPECT_EQ(weaker.GetLife(), 0);
  // A dead target is never struck again.
  EXPECT_FALSE(p.Attack(&weak));
  EXPECT_EQ(weak.GetLife(), 0);
  Target corpse(x - T, y, 30);
  corpse.SetState(STATE_DEAD);
  EXPECT_FALSE(p.Attack(&corpse));
  EXPECT_EQ(corpse.GetLife(), 30);
  EXPECT_FALSE(p.Attack(nullptr));
}

TEST(cPlayer1Test, ChargedSweepOneQuadrantPerFrame) {
  const int x = 10 * T, y = 20 * T;
  // One target per quadrant, each touching the neighbouring quadrants only.
  Target up_left(x - 2 * T, y + T, 100);
  Target down_left(x - 2 * T, y - 3 * T / 2, 100);
  Target down_right(x + T, y - 3 * T / 2, 100);
  Target up_right(x + T, y + T, 100);
  Target overhead(x, y + T, 100);  // inside quadrants 1 and 4
  std::vector<Target*> targets{&up_left, &down_left, &down_right, &up_right, &overhead};
  std::vector<std::vector<int>> hits_at(targets.size());

  cPlayer1 p = AttackingAt(STATE_CHARGED_ATTACK, 0, 0);
  for (int f = 0; f < 7; f++) {
    for (int d = 0; d < 2; d++) {
      p.SetFrame(f);
      p.SetDelay(d);
      for (size_t i = 0; i < targets.size(); i++) {
        int life = targets[i]->GetLife();
        bool landed = p.Attack(targets[i]);
        EXPECT_EQ(landed, targets[i]->GetLife() == life - 10);
        if (landed) {
          EXPECT_EQ(d, 0);
          hits_at[i].push_back(f);
        }
      }
    }
  }
  EXPECT_EQ(hits_at[0], std::vector<int>({1}));
  EXPECT_EQ(hits_at[1], std::vector<int>({2}));
  EXPECT_EQ(hits_at[2], std::vector<int>({3}));
  EXPECT_EQ(hits_at[3], std::vector<int>({4}));
  EXPECT_EQ(hits_at[4], std::vector<int>({1, 4}));
  EXPECT_EQ(up_left.GetState(), STATE_HURT_DOWN);
  EXPECT_EQ(down_left.GetState(), STATE_HURT_RIGHT);
  EXPECT_EQ(down_right.GetState(), STATE_HURT_UP);
  EXPECT_EQ(up_right.GetState(), STATE_HURT_LEFT);
  EXPECT_EQ(overhead.GetLife(), 80);
}

TEST(cPlayer1Test, GuardTableAndStrictSideTests) {
  const int x = 10 * T, y = 20 * T;
  struct Blow {
    int attack_state, front, front_walk, hurt;
    bool vertical;  // side guards judge by from_x, else by from_y
  };
  const Blow blows[] = {
      {STATE_ATTACK_UP, STATE_GUARD_DOWN, STATE_GUARD_WALK_DOWN, STATE_HURT_DOWN, true},
      {STATE_ATTACK_DOWN, STATE_GUARD_UP, STATE_GUARD_WALK_UP, STATE_HURT_UP, true},
      {STATE_ATTACK_LEFT, STATE_GUARD_RIGHT, STATE_GUARD_WALK_RIGHT, STATE_HURT_RIGHT, false},
      {STATE_ATTACK_RIGHT, STATE_GUARD_LEFT, STATE_GUARD_WALK_LEFT, STATE_HURT_LEFT, false},
  };
  for (const Blow& b : blows) {
    for (int guard = STATE_GUARD_UP; guard <= STATE_GUARD_WALK_LEFT; guard++) {
      int facing = (guard - STATE_GUARD_UP) % 4 + 1;  // Direction
      for (int offset : {-1, 0, 1}) {
        int from_x = b.vertical ? x + offset : x + 3 * T;
        int from_y = b.vertical ? y + 3 * T : y + offset;
        bool held;
        if (guard == b.front || guard == b.front_walk) {
          held = true;
        } else if (b.vertical) {
          held = (facing == DIR_LEFT && offset < 0) || (facing == DIR_RIGHT && offset > 0);
        } else {
          held = (facing == DIR_DOWN && offset < 0) || (facing == DIR_UP && offset > 0);
        }
        cPlayer1 p;
        p.SetPosition(x, y);
        p.SetState(guard);
        p.SetFrame(1);
        p.SetDelay(1);
        p.SetEnergy(100);
        p.ReceiveAttack(b.attack_state, 10, from_x, from_y);
        std::string what = "blow " + std::to_string(b.attack_state) + " guard " +
                           std::to_string(guard) + " offset " + std::to_string(offset);
        if (held) {
          EXPECT_EQ(p.GetEnergy(), 90) << what;
          EXPECT_EQ(p.GetLife(), 150) << what;
          EXPECT_EQ(p.GetState(), guard) << what;
          EXPECT_EQ(p.GetFrame(), 1) << what;
        } else {
          EXPECT_EQ(p.GetEnergy(), 100) << what;
          EXPECT_EQ(p.GetLife(), 140) << what;
          EXPECT_EQ(p.GetState(), b.hurt) << what;
          EXPECT_EQ(p.GetFrame(), 0) << what;
          EXPECT_EQ(p.GetDelay(), 0) << what;
        }
      }
    }
  }
}

TEST(cPlayer1Test, GuardEnergyOverflowsIntoLife) {
  cPlayer1 p;
  p.SetPosition(10 * T, 20 * T);
  p.SetState(STATE_GUARD_DOWN);
  p.SetEnergy(10);
  p.ReceiveAttack(STATE_ATTACK_UP, 10, 0, 0);
  EXPECT_EQ(p.GetEnergy(), 0);
  EXPECT_EQ(p.GetLife(), 150);
  EXPECT_EQ(p.GetState(), STATE_GUARD_DOWN);

  p.SetEnergy(4);
  p.SetFrame(1);
  p.ReceiveAttack(STATE_ATTACK_UP, 10, 0, 0);
  EXPECT_EQ(p.GetEnergy(), 0);
  EXPECT_EQ(p.GetLife(), 144);
  EXPECT_EQ(p.GetState(), STATE_HURT_DOWN);
  EXPECT_EQ(p.GetFrame(), 0);

  // A broken guard can kill; life stays at 0.
  cPlayer1 q;
  q.SetState(STATE_GUARD_WALK_UP);
  q.SetEnergy(2);
  q.SetLife(5);
  q.ReceiveAttack(STATE_ATTACK_DOWN, 10, 0, 0);
  EXPECT_EQ(q.GetLife(), 0);
  EXPECT_EQ(q.GetEnergy(), 0);
  EXPECT_EQ(q.GetState(), STATE_DEAD);
  // An unheld blow too.
  cPlayer1 r;
  r.SetState(STATE_GUARD_LEFT);
  r.SetLife(10);
  r.ReceiveAttack(STATE_ATTACK_LEFT, 10, 0, 0);
  EXPECT_EQ(r.GetLife(), 0);
  EXPECT_EQ(r.GetState(), STATE_DEAD);
}

TEST(cPlayer1Test, GuardWalkAndSavedState) {
  cPlayer1 p;
  p.SetState(STATE_GUARD_DOWN);
  p.SetFrame(1);
  p.SetDelay(3);
  p.GuardWalk(STATE_GUARD_DOWN);
  EXPECT_EQ(p.GetState(), STATE_GUARD_WALK_DOWN);
  EXPECT_EQ(p.GetFrame(), 1);
  EXPECT_EQ(p.GetDelay(), 3);
  p.SetState(STATE_LOOK_UP);
  p.GuardWalk(STATE_GUARD_WALK_LEFT);  // the argument decides
  EXPECT_EQ(p.GetState(), STATE_GUARD_WALK_LEFT);
  EXPECT_EQ(p.GetFrame(), 1);

  p.SetState(STATE_WALK_RIGHT);
  p.GuardWalk(STATE_WALK_RIGHT);
  EXPECT_EQ(p.GetState(), STATE_GUARD_WALK_RIGHT);
  EXPECT_EQ(p.GetFrame(), 0);
  EXPECT_EQ(p.GetDelay(), 0);

  p.StopAndSave();
  EXPECT_EQ(p.GetState(), STATE_GUARD_RIGHT);
  EXPECT_EQ(p.GetSavedState(), STATE_GUARD_RIGHT);
  p.LeaveGuardAndSave();
  EXPECT_EQ(p.GetState(), STATE_LOOK_RIGHT);
  EXPECT_EQ(p.GetSavedState(), STATE_LOOK_RIGHT);
  p.SetState(STATE_CHARGED_ATTACK);
  p.StopAndSave();
  EXPECT_EQ(p.GetSavedState(), STATE_LOOK_DOWN);
  p.SetSavedState(STATE_WALK_UP);
  EXPECT_EQ(p.GetSavedState(), STATE_WALK_UP);
}

TEST(cPlayer1Test, DrawShowsTheCellOfStateAndFrame) {
  ASSERT_TRUE(TestGL::Ready());
  using namespace SheetProbe;
  GLuint sheet = MakePlayerSheet();
  struct Case {
    int state, frame, col, row;
    bool mirrored;
  };
  const Case cases[] = {
      {STATE_WALK_LEFT, 2, 2, 3, true},        {STATE_CHARGED_ATTACK, 6, 3, 7, false},
      {STATE_LOOK_DOWN, 0, 0, 0, false},       {STATE_LOOK_UP, 0, 1, 0, false},
      {STATE_LOOK_LEFT, 0, 2, 0, true},        {STATE_DEAD, 0, 3, 0, false},
      {STATE_WALK_RIGHT, 3, 2, 4, false},      {STATE_HURT_DOWN, 1, 0, 13, false},
      {STATE_HURT_LEFT, 0, 2, 12, true},       {STATE_ATTACK_UP, 0, 1, 5, false},
      {STATE_ATTACK_LEFT, 3, 2, 8, true},      {STATE_GUARD_RIGHT, 1, 2, 10, false},
      {STATE_GUARD_LEFT, 0, 2, 9, true},       {STATE_GUARD_WALK_UP, 1, 1, 11, false},
      {STATE_GUARD_WALK_LEFT, 0, 2, 10, true}, {STATE_CHARGED_ATTACK, 1, 3, 2, false},
  };
  const int px = 4 * T, py = 4 * T;
  for (const Case& c : cases) {
    WorldView();
    cPlayer1 p;
    p.SetPosition(px, py);
    p.SetState(c.state);
    p.SetFrame(c.frame);
    p.Draw(sheet, kPlayerWidth, kPlayerHeight, false);
    Cell got = ReadCell(px + T / 2, py + 3 * T / 4, 4 * T);
    EXPECT_TRUE(got.drawn) << c.state;
    EXPECT_EQ(got.col, c.col) << "state " << c.state << " frame " << c.frame;
    EXPECT_EQ(got.row, c.row) << "state " << c.state << " frame " << c.frame;
    EXPECT_EQ(got.mirrored, c.mirrored) << "state " << c.state;
    EXPECT_TRUE(got.upright) << c.state;
    EXPECT_EQ(p.GetFrame(), c.frame);  // animate false: nothing advances
    EXPECT_EQ(p.GetDelay(), 0);
  }
  // The quad is 4 T square, from x - 1.5 T to x + 2.5 T and y - 1.25 T to y + 2.75 T.
  WorldView();
  cPlayer1 p;
  p.SetPosition(px, py);
  p.Draw(sheet, kPlayerWidth, kPlayerHeight, false);
  EXPECT_NE(TestGL::ReadPixel(px - 3 * T / 2, py - 5 * T / 4).g, 0);
  EXPECT_NE(TestGL::ReadPixel(px + 5 * T / 2 - 1, py + 11 * T / 4 - 1).g, 0);
  EXPECT_EQ(TestGL::ReadPixel(px - 3 * T / 2 - 1, py).g, 0);
  EXPECT_EQ(TestGL::ReadPixel(px + 5 * T / 2, py).g, 0);
  EXPECT_EQ(TestGL::ReadPixel(px, py - 5 * T / 4 - 1).g, 0);
  EXPECT_EQ(TestGL::ReadPixel(px, py + 11 * T / 4).g, 0);
  glDeleteTextures(1, &sheet);
}

TEST(cPlayer1Test, DrawAdvancesAfterReadingTheCell) {
  ASSERT_TRUE(TestGL::Ready());
  using namespace SheetProbe;
  GLuint sheet = MakePlayerSheet();
  const int px = 4 * T, py = 4 * T;
  cPlayer1 p;
  p.SetPosition(px, py);
  p.SetState(STATE_ATTACK_RIGHT);
  p.SetDelay(1);
  WorldView();
  p.Draw(sheet, kPlayerWidth, kPlayerHeight, true);
  EXPECT_EQ(ReadCell(px + T / 2, py + 3 * T / 4, 4 * T).row, 5);  // frame 0, then advance
  EXPECT_EQ(p.GetFrame(), 1);
  EXPECT_EQ(p.GetDelay(), 0);

  // The charged attack: 7 frames of 2 ticks, then back to 0/0.
  p.StartChargedAttack();
  int draws = 0;
  do {
    p.Draw(sheet, kPlayerWidth, kPlayerHeight, true);
    draws++;
  } while ((p.GetFrame() != 0 || p.GetDelay() != 0) && draws < 100);
  EXPECT_EQ(draws, 14);
  // Standing states have no frame count: nothing advances.
  p.SetState(STATE_LOOK_UP);
  p.Draw(sheet, kPlayerWidth, kPlayerHeight, true);
  EXPECT_EQ(p.GetDelay(), 0);
  // A sheet smaller than one cell draws nothing but still advances the animation.
  WorldView();
  p.SetState(STATE_WALK_UP);
  p.Draw(sheet, 32, 32, true);
  EXPECT_EQ(p.GetDelay(), 1);
  EXPECT_FALSE(ReadCell(px + T / 2, py + 3 * T / 4, 4 * T).drawn);
  glDeleteTextures(1, &sheet);
}
