#pragma once
// Shared pieces of the actor tests: creatures shaped like a player or a
// monster, a map of blocked cells, the rand() sequence and a monster standing
// among two players.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <list>
#include <vector>

#include "actors/cBicho.h"
#include "common/Globals.h"

namespace ActorTest {

// 1x1 footprint, TILE_SIZE x 1.5 TILE_SIZE hitbox at (px, py), full life `life`.
inline void Shape(cBicho& b, int px, int py, int life = 100) {
  b.SetWidth(TILE_SIZE);
  b.SetHeight(3 * TILE_SIZE / 2);
  b.SetFootprintW(1);
  b.SetFootprintH(1);
  b.SetMaxLife(life);
  b.SetLife(life);
  b.SetPosition(px, py);
}

// A plain creature shaped like a player or a monster.
class Target : public cBicho {
public:
  Target(int px, int py, int life) { Shape(*this, px, py, life); }
};

// A walk or projectile layer: every cell free until blocked.
struct CellMap {
  std::vector<char> cells = std::vector<char>(MAP_CELLS, 0);
  void Block(int col, int row) { cells[col + row * MAP_COLS] = 1; }
  void BlockAll() { std::fill(cells.begin(), cells.end(), 1); }
  char* data() { return cells.data(); }
};

// rand() after `skip` draws from `seed`.
inline int RandAfter(unsigned seed, int skip) {
  srand(seed);
  for (int i = 0; i < skip; i++) rand();
  return rand();
}

// A monster on a tile, the two players shaped and placed, the monster alone
// in the enemy list.
template <class Monster>
class MonsterAmongPlayers : public ::testing::Test {
protected:
  void Place(int col, int row, int p1x, int p1y, int p2x, int p2y) {
    m.SetTile(col, row);
    Shape(p1, p1x, p1y);
    Shape(p2, p2x, p2y);
    enemies.push_back(&m);
  }

  Monster m;
  cBicho p1, p2;
  std::list<cBicho*> enemies;
};

}  // namespace ActorTest
