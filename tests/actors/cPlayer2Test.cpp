#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <memory>
#include <vector>

#include "actors/ActorTestKit.h"
#include "actors/cFireball.h"
#include "actors/cPlayer2.h"
#include "support/SheetProbe.h"
#include "support/TestGL.h"

namespace {

const int T = TILE_SIZE;

// Pixel figures of the examples are for 32-pixel tiles; they scale with T.
int Px(int px32) { return px32 * T / 32; }

using ActorTest::Target;

// The game's projectile list; owns what Shoot appends.
struct Projectiles {
  std::list<cProjectile*> list;
  ~Projectiles() {
    for (cProjectile* p : list) delete p;
  }
};

using ProjMap = ActorTest::CellMap;

cPlayer2 ShooterAt(int px, int py, int state, int frame) {
  cPlayer2 p;
  p.SetPosition(px, py);
  p.SetState(state);
  p.SetFrame(frame);
  p.SetDelay(0);
  return p;
}

// How far a fireball's first flight step on an empty map moves it in y.
int StepDy(cProjectile* fireball) {
  ProjMap empty;
  std::list<cBicho*> none;
  int y0 = fireball->GetY();
  fireball->Logic(empty.data(), &none);
  return fireball->GetY() - y0;
}

}  // namespace

TEST(cPlayer2Test, NormalShotSpawnPoints) {
  struct Case {
    int x, y, state, flight, sx, sy;
  };
  const Case cases[] = {
      {100, 200, STATE_ATTACK_UP, PROJ_FLY_UP, 100, 224},
      {100, 200, STATE_ATTACK_DOWN, PROJ_FLY_DOWN, 100, 176},
      {100, 200, STATE_ATTACK_LEFT, PROJ_FLY_LEFT, 80, 200},
      {100, 200, STATE_ATTACK_RIGHT, PROJ_FLY_RIGHT, 128, 200},
      {96, 192, STATE_ATTACK_UP, PROJ_FLY_UP, 96, 224},
      {96, 192, STATE_ATTACK_DOWN, PROJ_FLY_DOWN, 96, 160},
      {96, 192, STATE_ATTACK_LEFT, PROJ_FLY_LEFT, 64, 192},
      {96, 192, STATE_ATTACK_RIGHT, PROJ_FLY_RIGHT, 128, 192},
  };
  for (const Case& c : cases) {
    ProjMap map;
    std::list<cBicho*> none;
    Projectiles shots;
    cPlayer2 p = ShooterAt(Px(c.x), Px(c.y), c.state, 2);
    ASSERT_TRUE(p.Shoot(&none, &shots.list, map.data()));
    ASSERT_EQ(shots.list.size(), 1u);
    cProjectile* f = shots.list.back();
    EXPECT_EQ(f->GetState(), c.flight) << c.state;
    EXPECT_EQ(f->GetX(), Px(c.sx)) << "state " << c.state << " from " << c.x << "," << c.y;
    EXPECT_EQ(f->GetY(), Px(c.sy)) << "state " << c.state << " from " << c.x << "," << c.y;
    EXPECT_EQ(f->GetWidth(), T);
    if (c.flight == PROJ_FLY_LEFT || c.flight == PROJ_FLY_RIGHT) {
      EXPECT_EQ(StepDy(f), 0);
    }
    EXPECT_EQ(p.GetEnergy(), 140);
    EXPECT_EQ(p.GetState(), c.state);
  }
}

TEST(cPlayer2Test, NormalShotOnlyOnTheFirstTickOfFrameTwo) {
  ProjMap map;
  std::list<cBicho*> none;
  Projectiles shots;
  cPlayer2 p = ShooterAt(Px(96), Px(192), STATE_ATTACK_RIGHT, 0);
  int made = 0;
  // A whole normal attack: 4 frames of 2 ticks.
  for (int f = 0; f < 4; f++) {
    for (int d = 0; d < 2; d++) {
      p.SetFrame(f);
      p.SetDelay(d);
      bool shot = p.Shoot(&none, &shots.list, map.data());
      EXPECT_EQ(shot, f == 2 && d == 0) << "frame " << f << " delay " << d;
      made += shot;
    }
  }
  EXPECT_EQ(made, 1);
  EXPECT_EQ(shots.list.size(), 1u);
  EXPECT_EQ(p.GetEnergy(), 140);
  // Not attacking: nothing, even at frame 2.
  cPlayer2 q = ShooterAt(Px(96), Px(192), STATE_WALK_UP, 2);
  EXPECT_FALSE(q.Shoot(&none, &shots.list, map.data()));
  EXPECT_EQ(shots.list.size(), 1u);
}

TEST(cPlayer2Test, ChargedSpinSpawnsAndDrifts) {
  const int x = Px(100), y = Px(200);
  struct Shot {
    int flight, sx, sy, dy;  // dy: the first step's move in y (flight or drift)
  };
  const int s = T / 2;
  const Shot spin[9] = {
      {PROJ_FLY_UP, Px(100), Px(256), s},    {PROJ_FLY_RIGHT, Px(128), Px(232), s},
      {PROJ_FLY_RIGHT, Px(128), Px(232), 0}, {PROJ_FLY_RIGHT, Px(128), Px(232), -s},
      {PROJ_FLY_DOWN, Px(100), Px(208), -s}, {PROJ_FLY_LEFT, Px(80), Px(232), -s},
      {PROJ_FLY_LEFT, Px(80), Px(232), 0},   {PROJ_FLY_LEFT, Px(80), Px(232), s},
      {PROJ_FLY_UP, Px(100), Px(256), s},
  };
  ProjMap map;
  std::list<cBicho*> none;
  Projectiles shots;
  cPlayer2 p = ShooterAt(x, y, STATE_CHARGED_ATTACK, 0);
  std::vector<int> fired_at;
  for (int f = 0; f < 12; f++) {
    for (int d = 0; d < 2; d++) {
      p.SetFrame(f);
      p.SetDelay(d);
      if (p.Shoot(&none, &shots.list, map.data())) fired_at.push_back(f);
    }
  }
  EXPECT_EQ(fired_at, std::vector<int>({3, 4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(p.GetEnergy(), 105);
  ASSERT_EQ(shots.list.size(), 9u);
  int i = 0;
  for (cProjectile* f : shots.list) {
    EXPECT_EQ(f->GetState(), spin[i].flight) << "shot " << i;
    EXPECT_EQ(f->GetX(), spin[i].sx) << "shot " << i;
    EXPECT_EQ(f->GetY(), spin[i].sy) << "shot " << i;
    EXPECT_EQ(StepDy(f), spin[i].dy) << "shot " << i;
    i++;
  }
}

TEST(cPlayer2Test, ChargedSpinOnTheGrid) {
  ProjMap map;
  std::list<cBicho*> none;
  Projectiles shots;
  cPlayer2 p = ShooterAt(Px(96), Px(192), STATE_CHARGED_ATTACK, 0);
  for (int f : {3, 4, 7, 8}) {
    p.SetFrame(f);
    ASSERT_TRUE(p.Shoot(&none, &shots.list, map.data()));
  }
  std::vector<std::pair<int, int>> at;
  for (cProjectile* f : shots.list) at.push_back({f->GetX(), f->GetY()});
  std::vector<std::pair<int, int>> want = {
      {Px(96), Px(224) + T}, {Px(128), Px(192) + T}, {Px(96), Px(160) + T}, {Px(64), Px(192) + T}};
  EXPECT_EQ(at, want);
}

TEST(cPlayer2Test, ChargedSpinStopsWhenEnergyRunsOut) {
  ProjMap map;
  std::list<cBicho*> none;
  Projectiles shots;
  cPlayer2 p = ShooterAt(Px(96), Px(192), STATE_CHARGED_ATTACK, 0);
  p.SetEnergy(12);
  std::vector<int> energy_after;
  for (int f = 3; f <= 11; f++) {
    p.SetFrame(f);
    bool shot = p.Shoot(&none, &shots.list, map.data());
    EXPECT_EQ(shot, f <= 4) << "frame " << f;
    energy_after.push_back(p.GetEnergy());
  }
  EXPECT_EQ(energy_after, std::vector<int>({7, 2, 2, 2, 2, 2, 2, 2, 2}));
  EXPECT_EQ(shots.list.size(), 2u);
  // min(9, energy / 5) fireballs in general.
  for (int energy : {10, 24, 25, 44, 45, 46, 150}) {
    Projectiles more;
    cPlayer2 q = ShooterAt(Px(96), Px(192), STATE_CHARGED_ATTACK, 0);
    q.SetEnergy(energy);
    for (int f = 0; f < 12; f++) {
      q.SetFrame(f);
      q.Shoot(&none, &more.list, map.data());
    }
    int n = std::min(9, energy / 5);
    EXPECT_EQ(static_cast<int>(more.list.size()), n) << energy;
    EXPECT_EQ(q.GetEnergy(), energy - 5 * n) << energy;
  }
}

TEST(cPlayer2Test, FireballMadeInAWallExplodesAtOnce) {
  // On the grid at (3 T, 6 T): spawns up (3 T, 7 T), right (4 T, 6 T),
  // down (3 T, 5 T), left (2 T, 6 T), each one tile square.
  struct Case {
    int state, col, row;
    bool explodes;
  };
  const Case cases[] = {
      {STATE_ATTACK_UP, 3, 7, true},     // its own row
      {STATE_ATTACK_UP, 3, 8, true},     // the row above it
      {STATE_ATTACK_RIGHT, 4, 6, true},  // its own column
      {STATE_ATTACK_RIGHT, 5, 6, true},  // the column to its right
      {STATE_ATTACK_DOWN, 3, 5, true},
      {STATE_ATTACK_DOWN, 3, 4, false},  // only its own bottom row is tested
      {STATE_ATTACK_DOWN, 3, 6, false},
      {STATE_ATTACK_LEFT, 2, 6, true},
      {STATE_ATTACK_LEFT, 1, 6, false},  // only its left column
      {STATE_ATTACK_UP, 4, 7, false},    // a neighbouring column
  };
  for (const Case& c : cases) {
    ProjMap map;
    map.Block(c.col, c.row);
    std::list<cBicho*> none;
    Projectiles shots;
    cPlayer2 p = ShooterAt(3 * T, 6 * T, c.state, 2);
    EXPECT_TRUE(p.Shoot(&none, &shots.list, map.data()));
    ASSERT_EQ(shots.list.size(), 1u);
    cProjectile* f = shots.list.back();
    int flight = c.state - STATE_ATTACK_UP + 1;
    EXPECT_EQ(f->GetState(), c.explodes ? flight + 4 : flight)
        << "state " << c.state << " cell " << c.col << "," << c.row;
    EXPECT_EQ(f->IsExploding(), c.explodes);
    EXPECT_EQ(f->GetFrame(), 0);
    EXPECT_EQ(f->GetDelay(), 0);
    EXPECT_EQ(p.GetEnergy(), 140);
  }
  // A charged shot into a wall explodes and still keeps its drift flag.
  ProjMap map;
  map.Block(5, 7);
  std::list<cBicho*> none;
  Projectiles shots;
  cPlayer2 p = ShooterAt(3 * T, 6 * T, STATE_CHARGED_ATTACK, 4);
  EXPECT_TRUE(p.Shoot(&none, &shots.list, map.data()));
  EXPECT_EQ(shots.list.back()->GetState(), PROJ_EXPLODE_RIGHT);
  EXPECT_EQ(p.GetEnergy(), 145);
}

TEST(cPlayer2Test, FireballOffTheMapEdgeExplodes) {
  ProjMap map;
  std::list<cBicho*> none;
  Projectiles shots;
  cPlayer2 left = ShooterAt(0, 6 * T, STATE_ATTACK_LEFT, 2);
  EXPECT_TRUE(left.Shoot(&none, &shots.list, map.data()));
  EXPECT_EQ(shots.list.back()->GetX(), -T);
  EXPECT_EQ(shots.list.back()->GetState(), PROJ_EXPLODE_LEFT);
  cPlayer2 down = ShooterAt(3 * T, 0, STATE_ATTACK_DOWN, 2);
  EXPECT_TRUE(down.Shoot(&none, &shots.list, map.data()));
  EXPECT_EQ(shots.list.back()->GetState(), PROJ_EXPLODE_DOWN);
  // At the top row the upper test falls back to the fireball's own row.
  cPlayer2 up = ShooterAt(3 * T, (MAP_ROWS - 2) * T, STATE_ATTACK_UP, 2);
  EXPECT_TRUE(up.Shoot(&none, &shots.list, map.data()));
  EXPECT_EQ(shots.list.back()->GetState(), PROJ_FLY_UP);
}

TEST(cPlayer2Test, FireballMadeInsideAMonsterStrikesIt) {
  ProjMap map;
  Target inside(4 * T, 6 * T, 30);
  Target also_inside(4 * T + T / 2, 6 * T, 30);
  Target dead(4 * T, 6 * T, 30);
  dead.SetState(STATE_DEAD);
  Target elsewhere(10 * T, 6 * T, 30);
  std::list<cBicho*> monsters{&dead, &inside, &also_inside, &elsewhere};
  Projectiles shots;
  cPlayer2 p = ShooterAt(3 * T, 6 * T, STATE_ATTACK_RIGHT, 2);
  EXPECT_TRUE(p.Shoot(&monsters, &shots.list, map.data()));
  EXPECT_EQ(shots.list.back()->GetState(), PROJ_EXPLODE_RIGHT);
  EXPECT_EQ(inside.GetLife(), 20);
  EXPECT_EQ(inside.GetState(), STATE_HURT_LEFT);
  EXPECT_EQ(also_inside.GetLife(), 20);
  EXPECT_EQ(dead.GetLife(), 30);
  EXPECT_EQ(elsewhere.GetLife(), 30);
  EXPECT_EQ(p.GetEnergy(), 140);

  // Only a dead monster at the spawn point: the fireball flies.
  std::list<cBicho*> corpses{&dead};
  cPlayer2 q = ShooterAt(3 * T, 6 * T, STATE_ATTACK_RIGHT, 2);
  EXPECT_TRUE(q.Shoot(&corpses, &shots.list, map.data()));
  EXPECT_EQ(shots.list.back()->GetState(), PROJ_FLY_RIGHT);
}

TEST(cPlayer2Test, DrawUsesATwelveFrameChargedColumn) {
  ASSERT_TRUE(TestGL::Ready());
  using namespace SheetProbe;
  GLuint sheet = MakePlayerSheet();
  const int px = 4 * T, py = 4 * T;
  cPlayer2 p;
  p.SetPosition(px, py);
  p.StartChargedAttack();
  p.SetFrame(11);
  WorldView();
  p.Draw(sheet, kPlayerWidth, kPlayerHeight, true);
  Cell got = ReadCell(px + T / 2, py + 3 * T / 4, 4 * T);
  EXPECT_EQ(got.col, 3);
  EXPECT_EQ(got.row, 12);
  EXPECT_FALSE(got.mirrored);
  EXPECT_TRUE(got.upright);
  p.Draw(sheet, kPlayerWidth, kPlayerHeight, true);
  EXPECT_EQ(p.GetFrame(), 0);  // 12 frames, wrapped
  EXPECT_EQ(p.GetDelay(), 0);
  // The whole charged attack lasts 24 ticks.
  int draws = 0;
  do {
    p.Draw(sheet, kPlayerWidth, kPlayerHeight, true);
    draws++;
  } while ((p.GetFrame() != 0 || p.GetDelay() != 0) && draws < 100);
  EXPECT_EQ(draws, 24);
  // Otherwise the sheet rule is player 1's: walking left, frame 1, mirrored.
  p.SetState(STATE_WALK_LEFT);
  p.SetFrame(1);
  WorldView();
  p.Draw(sheet, kPlayerWidth, kPlayerHeight, false);
  got = ReadCell(px + T / 2, py + 3 * T / 4, 4 * T);
  EXPECT_EQ(got.col, 2);
  EXPECT_EQ(got.row, 2);
  EXPECT_TRUE(got.mirrored);
  glDeleteTextures(1, &sheet);
}
