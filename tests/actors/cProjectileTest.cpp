#include <gtest/gtest.h>

#include <list>
#include <vector>

#include "actors/cArrow.h"
#include "actors/cBicho.h"
#include "actors/cFireball.h"
#include "actors/cPlayer1.h"
#include "actors/cPlayer2.h"
#include "actors/ActorTestKit.h"
#include "actors/cProjectile.h"
#include "support/SheetProbe.h"

namespace {

const int T = TILE_SIZE;

using ProjMap = ActorTest::CellMap;

// A plain creature with a monster's box.
struct Dummy : public cBicho {
  Dummy(int px, int py, int life_points) {
    SetWidth(T);
    SetHeight(T * 3 / 2);
    SetMaxLife(30);
    SetLife(life_points);
    SetPosition(px, py);
  }
};

cFireball* Fireball(int state, int px, int py) {
  cFireball* f = new cFireball();
  f->SetState(state);
  f->SetPosition(px, py);
  return f;
}

}  // namespace

TEST(cProjectileTest, SizesAndBoxes) {
  cFireball f;
  f.SetPosition(5 * T, 7 * T);
  EXPECT_EQ(f.GetWidth(), T);
  EXPECT_EQ(f.GetHeight(), T);
  EXPECT_EQ(f.GetFrameSize(), 2);
  EXPECT_EQ(f.GetDamage(), 10);
  EXPECT_EQ(f.GetSpeed(), T / 2);
  EXPECT_EQ(f.GetFrame(), 0);
  EXPECT_EQ(f.GetDelay(), 0);
  cRect hb = f.GetHitbox();
  EXPECT_EQ(hb.left, 5 * T);
  EXPECT_EQ(hb.top, 8 * T);
  EXPECT_EQ(hb.right, 6 * T);
  EXPECT_EQ(hb.bottom, 7 * T);
  cRect fb = f.GetFramebox();
  EXPECT_EQ(fb.left, 5 * T - T / 2);
  EXPECT_EQ(fb.top, 7 * T + 3 * T / 2);
  EXPECT_EQ(fb.right, 5 * T + 3 * T / 2);
  EXPECT_EQ(fb.bottom, 7 * T - T / 2);

  cArrow a;
  a.SetPosition(5 * T, 7 * T);
  EXPECT_EQ(a.GetWidth(), T / 4);
  EXPECT_EQ(a.GetHeight(), T / 4);
  EXPECT_EQ(a.GetDamage(), 10);
  cRect ab = a.GetFramebox();
  EXPECT_EQ(ab.left, 5 * T - 7 * T / 8);
  EXPECT_EQ(ab.top, 7 * T + 9 * T / 8);
  EXPECT_EQ(ab.right, 5 * T + 9 * T / 8);
  EXPECT_EQ(ab.bottom, 7 * T - 7 * T / 8);
}

TEST(cProjectileTest, MapTestsGuardTopRowAndRightColumn) {
  ProjMap m;
  cFireball f;
  // (y + h) / T = 160: the top test falls back on the box's own row 159.
  f.SetPosition(4 * T, 159 * T);
  EXPECT_FALSE(f.CollidesMapRow(m.data(), true));
  m.Block(4, 159);
  EXPECT_TRUE(f.CollidesMapRow(m.data(), true));

  // (x + w) / T = 20: the right test falls back on the box's own column 19.
  ProjMap m2;
  f.SetPosition(19 * T, 30 * T);
  EXPECT_FALSE(f.CollidesMapColumn(m2.data(), true));
  m2.Block(19, 30);
  EXPECT_TRUE(f.CollidesMapColumn(m2.data(), true));

  // The arrow reaching exactly the map's top edge: same fall-back.
  ProjMap m3;
  cArrow a;
  a.SetPosition(2 * T, 160 * T - T / 4);
  EXPECT_FALSE(a.CollidesMapRow(m3.data(), true));
  m3.Block(2, 159);
  EXPECT_TRUE(a.CollidesMapRow(m3.data(), true));
}

TEST(cProjectileTest, MapTestsOutsideTheMapCountAsBlocked) {
  ProjMap m;  // all free
  cFireball f;
  f.SetPosition(3 * T, 160 * T);  // wholly above the map
  EXPECT_TRUE(f.CollidesMapRow(m.data(), true));
  EXPECT_TRUE(f.CollidesMapColumn(m.data(), true));
  f.SetPosition(3 * T, -T / 2);  // bottom edge below row 0
  EXPECT_TRUE(f.CollidesMapRow(m.data(), false));
  EXPECT_TRUE(f.CollidesMapColumn(m.data(), false));
  f.SetPosition(-T / 2, 3 * T);  // left edge left of column 0
  EXPECT_TRUE(f.CollidesMapColumn(m.data(), false));
  EXPECT_TRUE(f.CollidesMapRow(m.data(), false));
  f.SetPosition(20 * T - T / 2, 3 * T);  // straddles the right edge
  EXPECT_TRUE(f.CollidesMapRow(m.data(), false));
  f.SetPosition(20 * T, 3 * T);  // right of the map
  EXPECT_TRUE(f.CollidesMapColumn(m.data(), false));
  // Inside the map and free: nothing blocks.
  f.SetPosition(0, 0);
  EXPECT_FALSE(f.CollidesMapRow(m.data(), false));
  EXPECT_FALSE(f.CollidesMapColumn(m.data(), false));
}

TEST(cProjectileTest, RowAndColumnTestsSpanStraddledCells) {
  cFireball f;
  {
    ProjMap m;
    m.Block(4, 5);
    f.SetPosition(3 * T + T / 2, 5 * T);  // columns 3 and 4
    EXPECT_TRUE(f.CollidesMapRow(m.data(), false));
    f.SetPosition(3 * T, 5 * T);  // column 3 only
    EXPECT_FALSE(f.CollidesMapRow(m.data(), false));
    m.Block(3, 5);
    EXPECT_TRUE(f.CollidesMapRow(m.data(), false));
  }
  {
    ProjMap m;
    m.Block(6, 4);
    f.SetPosition(6 * T, 3 * T + T / 2);  // rows 3 and 4
    EXPECT_TRUE(f.CollidesMapColumn(m.data(), false));
    f.SetPosition(6 * T, 3 * T);  // row 3 only
    EXPECT_FALSE(f.CollidesMapColumn(m.data(), false));
  }
  cArrow a;
  const int aw = T / 4;
  {
    ProjMap m;
    m.Block(4, 5);
    a.SetPosition(4 * T - aw + 1, 5 * T);  // 121 with 32-pixel tiles: columns 3 and 4
    EXPECT_TRUE(a.CollidesMapRow(m.data(), false));
    a.SetPosition(4 * T - aw, 5 * T);  // 120: column 3 only
    EXPECT_FALSE(a.CollidesMapRow(m.data(), false));
  }
  {
    ProjMap m;
    m.Block(2, 8);
    a.SetPosition(2 * T, 8 * T - aw + 1);  // rows 7 and 8
    EXPECT_TRUE(a.CollidesMapColumn(m.data(), false));
    a.SetPosition(2 * T, 8 * T - aw);  // row 7 only
    EXPECT_FALSE(a.CollidesMapColumn(m.data(), false));
  }
}

TEST(cProjectileTest, FireballFlyingUpTestsOnlyStepsLeavingABoundary) {
  ProjMap m;
  cFireball f;
  f.SetState(PROJ_FLY_UP);
  f.SetPosition(3 * T, 5 * T);
  f.MoveUp(m.data());  // leaves 5T: row 6 is free
  EXPECT_EQ(f.GetY(), 5 * T + T / 2);
  m.Block(3, 7);
  f.MoveUp(m.data());  // from 5T + T/2: no test
  EXPECT_EQ(f.GetY(), 6 * T);
  EXPECT_EQ(f.GetState(), PROJ_FLY_UP);
  f.NextFrame(3);      // delay 1, to see the explosion reset it
  f.MoveUp(m.data());  // leaves 6T: row 7 is blocked
  EXPECT_EQ(f.GetY(), 6 * T);
  EXPECT_EQ(f.GetState(), PROJ_EXPLODE_UP);
  EXPECT_EQ(f.GetFrame(), 0);
  EXPECT_EQ(f.GetDelay(), 0);
}

TEST(cProjectileTest, ArrowEntersABlockedRowUntestedAndExplodesOnItsNextStep) {
  ProjMap m;
  m.Block(3, 6);
  cArrow a;
  a.SetState(PROJ_FLY_UP);
  a.SetPosition(3 * T, 5 * T);
  a.MoveUp(m.data());  // tests row 5, its own
  EXPECT_EQ(a.GetState(), PROJ_FLY_UP);
  a.MoveUp(m.data());  // into row 6, untested
  EXPECT_EQ(a.GetY(), 6 * T);
  EXPECT_EQ(a.GetState(), PROJ_FLY_UP);
  a.MoveUp(m.data());
  EXPECT_EQ(a.GetY(), 6 * T);
  EXPECT_EQ(a.GetState(), PROJ_EXPLODE_UP);
}

TEST(cProjectileTest, EachMoveExplodesWithItsOwnState) {
  ProjMap m;
  m.Block(5, 4);  // below
  m.Block(4, 5);  // left
  m.Block(6, 5);  // right
  cFireball f;
  f.SetState(PROJ_FLY_DOWN);
  f.SetPosition(5 * T, 5 * T);
  f.MoveDown(m.data());
  EXPECT_EQ(f.GetY(), 5 * T);
  EXPECT_EQ(f.GetState(), PROJ_EXPLODE_DOWN);

  f.SetState(PROJ_FLY_LEFT);
  f.MoveLeft(m.data());
  EXPECT_EQ(f.GetX(), 5 * T);
  EXPECT_EQ(f.GetState(), PROJ_EXPLODE_LEFT);

  f.SetState(PROJ_FLY_RIGHT);
  f.MoveRight(m.data());
  EXPECT_EQ(f.GetX(), 5 * T);
  EXPECT_EQ(f.GetState(), PROJ_EXPLODE_RIGHT);
}

TEST(cProjectileTest, OffTheHalfTileGridNeverTestsTheMap) {
  ProjMap m;
  m.BlockAll();
  cFireball f;
  f.SetState(PROJ_FLY_UP);
  f.SetPosition(3 * T + T / 4, 5 * T + T / 4);
  for (int i = 0; i < 8; ++i) f.MoveUp(m.data());
  EXPECT_EQ(f.GetY(), 5 * T + T / 4 + 8 * (T / 2));
  for (int i = 0; i < 8; ++i) f.MoveRight(m.data());
  for (int i = 0; i < 8; ++i) f.MoveLeft(m.data());
  for (int i = 0; i < 4; ++i) f.MoveDown(m.data());
  EXPECT_EQ(f.GetState(), PROJ_FLY_UP);
  EXPECT_EQ(f.GetX(), 3 * T + T / 4);
  EXPECT_EQ(f.GetY(), 5 * T + T / 4 + 4 * (T / 2));
}

TEST(cProjectileTest, DriftStepAfterASidewaysExplosion) {
  std::list<cBicho*> none;
  {
    // The right step meets a wall (state 6); the down step meets one too: 7, y put back.
    ProjMap m;
    m.Block(6, 5);
    m.Block(5, 4);
    cFireball f;
    f.SetState(PROJ_FLY_RIGHT);
    f.SetPosition(5 * T, 5 * T);
    f.SetDiagonalDown(true);
    EXPECT_TRUE(f.Logic(m.data(), &none));
    EXPECT_EQ(f.GetState(), PROJ_EXPLODE_DOWN);
    EXPECT_EQ(f.GetX(), 5 * T);
    EXPECT_EQ(f.GetY(), 5 * T);
  }
  {
    // Only the right step meets a wall: state 6, and the drift still moves y.
    ProjMap m;
    m.Block(6, 5);
    cFireball f;
    f.SetState(PROJ_FLY_RIGHT);
    f.SetPosition(5 * T, 5 * T);
    f.SetDiagonalDown(true);
    EXPECT_TRUE(f.Logic(m.data(), &none));
    EXPECT_EQ(f.GetState(), PROJ_EXPLODE_RIGHT);
    EXPECT_EQ(f.GetX(), 5 * T);
    EXPECT_EQ(f.GetY(), 5 * T - T / 2);
  }
  {
    // A drift step up that meets a wall turns a leftward flight into state 5.
    ProjMap m;
    m.Block(4, 6);
    m.Block(5, 6);
    cFireball f;
    f.SetState(PROJ_FLY_LEFT);
    f.SetPosition(5 * T, 5 * T);
    f.SetDiagonalUp(true);
    EXPECT_TRUE(f.Logic(m.data(), &none));
    EXPECT_EQ(f.GetState(), PROJ_EXPLODE_UP);
    EXPECT_EQ(f.GetX(), 5 * T - T / 2);
    EXPECT_EQ(f.GetY(), 5 * T);
  }
  {
    // Both flags: up wins; no drift on a vertical flight.
    ProjMap m;
    cFireball f;
    f.SetState(PROJ_FLY_RIGHT);
    f.SetPosition(5 * T, 5 * T);
    f.SetDiagonalUp(true);
    f.SetDiagonalDown(true);
    EXPECT_FALSE(f.Logic(m.data(), &none));
    EXPECT_EQ(f.GetX(), 5 * T + T / 2);
    EXPECT_EQ(f.GetY(), 5 * T + T / 2);
    f.SetState(PROJ_FLY_UP);
    EXPECT_FALSE(f.Logic(m.data(), &none));
    EXPECT_EQ(f.GetX(), 5 * T + T / 2);
    EXPECT_EQ(f.GetY(), 6 * T);
  }
}

TEST(cProjectileTest, HitCreatureStrikesEveryLivingOverlapAndPassesTheDead) {
  Dummy a(5 * T, 5 * T, 30);
  Dummy b(5 * T + T / 2, 5 * T + T / 4, 25);
  Dummy dead(5 * T, 5 * T, 30);
  dead.SetState(STATE_DEAD);
  dead.SetFrame(2);
  Dummy touching(6 * T + T / 2, 5 * T, 30);  // shares only an edge with the shot
  a.SetFrame(1);
  a.SetDelay(2);
  std::list<cBicho*> list{&dead, &a, &touching, &b};

  cFireball f;
  f.SetState(PROJ_FLY_LEFT);
  f.SetPosition(5 * T + T / 2, 5 * T);
  EXPECT_TRUE(f.HitCreature(list));
  EXPECT_EQ(a.GetLife(), 20);
  EXPECT_EQ(a.GetState(), STATE_HURT_RIGHT);
  EXPECT_EQ(a.GetFrame(), 0);
  EXPECT_EQ(a.GetDelay(), 0);
  EXPECT_EQ(b.GetLife(), 15);
  EXPECT_EQ(b.GetState(), STATE_HURT_RIGHT);
  EXPECT_EQ(dead.GetLife(), 30);
  EXPECT_EQ(dead.GetState(), STATE_DEAD);
  EXPECT_EQ(dead.GetFrame(), 2);
  EXPECT_EQ(touching.GetLife(), 30);
  EXPECT_EQ(touching.GetState(), STATE_LOOK_DOWN);

  // An already hurt creature is struck again.
  EXPECT_TRUE(f.HitCreature(list));
  EXPECT_EQ(a.GetLife(), 10);

  std::list<cBicho*> only_touching{&touching};
  EXPECT_FALSE(f.HitCreature(only_touching));
}

TEST(cProjectileTest, HitCreatureHurtStateFacesTheShot) {
  const int flights[4] = {PROJ_FLY_UP, PROJ_FLY_RIGHT, PROJ_FLY_DOWN, PROJ_FLY_LEFT};
  const int hurt[4] = {STATE_HURT_DOWN, STATE_HURT_LEFT, STATE_HURT_UP, STATE_HURT_RIGHT};
  for (int i = 0; i < 4; ++i) {
    Dummy d(5 * T, 5 * T, 30);
    std::list<cBicho*> list{&d};
    cArrow a;
    a.SetState(flights[i]);
    a.SetPosition(5 * T + T / 2, 5 * T + T / 2);
    EXPECT_TRUE(a.HitCreature(list));
    EXPECT_EQ(d.GetState(), hurt[i]) << "flight " << flights[i];
  }
}

TEST(cProjectileTest, KillingBlowKeepsTheAnimationCounters) {
  Dummy ten(5 * T, 5 * T, 10);
  Dummy five(5 * T, 5 * T, 5);
  ten.SetState(STATE_WALK_LEFT);
  ten.SetFrame(3);
  ten.SetDelay(2);
  std::list<cBicho*> list{&ten, &five};
  cFireball f;
  f.SetState(PROJ_FLY_DOWN);
  f.SetPosition(5 * T, 5 * T + T / 4);
  EXPECT_TRUE(f.HitCreature(list));
  EXPECT_EQ(ten.GetLife(), 0);
  EXPECT_EQ(ten.GetState(), STATE_DEAD);
  EXPECT_EQ(ten.GetFrame(), 3);
  EXPECT_EQ(ten.GetDelay(), 2);
  EXPECT_EQ(five.GetLife(), 0);
  EXPECT_EQ(five.GetState(), STATE_DEAD);
}

TEST(cProjectileTest, GuardingPlayer1GoesThroughItsGuardRule) {
  // Guard facing right holds a shot flying left: energy pays, the guard stays.
  cPlayer1 p1;
  p1.SetPosition(5 * T, 5 * T);
  p1.SetState(STATE_GUARD_RIGHT);
  p1.SetFrame(1);
  std::list<cBicho*> players{&p1};
  cArrow a;
  a.SetState(PROJ_FLY_LEFT);
  a.SetPosition(5 * T + T / 2, 5 * T + T / 2);
  ProjMap m;
  EXPECT_TRUE(a.Logic(m.data(), &players));
  EXPECT_EQ(a.GetState(), PROJ_EXPLODE_LEFT);
  EXPECT_EQ(p1.GetLife(), 150);
  EXPECT_EQ(p1.GetEnergy(), 140);
  EXPECT_EQ(p1.GetState(), STATE_GUARD_RIGHT);
  EXPECT_EQ(p1.GetFrame(), 1);

  // Guard facing left does not hold it: the guard rule takes the life.
  cPlayer1 q;
  q.SetPosition(5 * T, 5 * T);
  q.SetState(STATE_GUARD_LEFT);
  std::list<cBicho*> q_list{&q};
  cArrow b;
  b.SetState(PROJ_FLY_LEFT);
  b.SetPosition(5 * T + T / 2, 5 * T + T / 2);
  EXPECT_TRUE(b.HitCreature(q_list));
  EXPECT_EQ(q.GetLife(), 140);
  EXPECT_EQ(q.GetEnergy(), 150);
  EXPECT_EQ(q.GetState(), STATE_HURT_RIGHT);
}

TEST(cProjectileTest, PlayerInChargedAttackKeepsItsState) {
  cPlayer2 p2;
  p2.SetPosition(5 * T, 5 * T);
  p2.SetState(STATE_CHARGED_ATTACK);
  p2.SetFrame(5);
  p2.SetDelay(1);
  std::list<cBicho*> players{&p2};
  cArrow a;
  a.SetState(PROJ_FLY_DOWN);
  a.SetPosition(5 * T + T / 2, 5 * T + T / 2);
  EXPECT_TRUE(a.HitCreature(players));
  EXPECT_EQ(p2.GetLife(), 90);
  EXPECT_EQ(p2.GetState(), STATE_CHARGED_ATTACK);
  EXPECT_EQ(p2.GetFrame(), 5);
  EXPECT_EQ(p2.GetDelay(), 1);

  p2.SetLife(10);
  EXPECT_TRUE(a.HitCreature(players));
  EXPECT_EQ(p2.GetLife(), 0);
  EXPECT_EQ(p2.GetState(), STATE_DEAD);
}

TEST(cProjectileTest, LogicHitsBeforeMovingAndLeavesExplosionsAlone) {
  ProjMap m;
  Dummy d(5 * T, 5 * T, 30);
  std::list<cBicho*> list{&d};
  std::list<cProjectile*> owned;
  cFireball* f = Fireball(PROJ_FLY_UP, 5 * T, 4 * T + T / 2);
  owned.push_back(f);
  f->NextFrame(3);
  EXPECT_TRUE(f->Logic(m.data(), &list));
  EXPECT_EQ(f->GetState(), PROJ_EXPLODE_UP);
  EXPECT_EQ(f->GetY(), 4 * T + T / 2);
  EXPECT_EQ(f->GetFrame(), 0);
  EXPECT_EQ(f->GetDelay(), 0);
  EXPECT_EQ(d.GetLife(), 20);

  // Exploding: no hit, no move, no result.
  d.SetState(STATE_LOOK_DOWN);
  f->NextFrame(6);
  EXPECT_FALSE(f->Logic(m.data(), &list));
  EXPECT_EQ(f->GetState(), PROJ_EXPLODE_UP);
  EXPECT_EQ(f->GetX(), 5 * T);
  EXPECT_EQ(f->GetY(), 4 * T + T / 2);
  EXPECT_EQ(f->GetDelay(), 1);
  EXPECT_EQ(d.GetLife(), 20);
  EXPECT_EQ(d.GetState(), STATE_LOOK_DOWN);

  // Flying clear of everything: moves, no explosion.
  cFireball* g = Fireball(PROJ_FLY_RIGHT, 8 * T, 8 * T);
  owned.push_back(g);
  EXPECT_FALSE(g->Logic(m.data(), &list));
  EXPECT_EQ(g->GetX(), 8 * T + T / 2);
  for (cProjectile* p : owned) delete p;  // through the base pointer
}

TEST(cProjectileTest, DrawRectCoversTheFrameBoxAtDepthY) {
  ASSERT_TRUE(TestGL::Ready());
  SheetProbe::WorldView();
  const int xs[2] = {5 * T, 4 * T + 3};
  for (int k = 0; k < 2; ++k) {
    cArrow a;
    a.SetState(PROJ_FLY_UP);
    a.SetPosition(xs[k], 6 * T + 1);
    auto v = SheetProbe::Capture([&] { a.DrawRect(0, 0, 1, 1, 0); });
    ASSERT_GE(v.size(), 3u);
    cRect fb = a.GetFramebox();
    SheetProbe::Bounds b = SheetProbe::BoundsOf(v);
    EXPECT_NEAR(b.left, fb.left, 0.01);
    EXPECT_NEAR(b.right, fb.right, 0.01);
    EXPECT_NEAR(b.bottom, fb.bottom, 0.01);
    EXPECT_NEAR(b.top, fb.top, 0.01);
    for (const auto& p : v) EXPECT_NEAR(p.z, SheetProbe::DepthOf(a.GetY()), 1e-5);
  }
}
