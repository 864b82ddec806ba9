#pragma once
#include <string>
#include <vector>

#include "tools/levelc/LevelSource.h"

// Turns a LevelSource into the game's two level files: the static layer
// (eleven grids of tileset cell numbers, 0 for none) and the dynamic layer
// (one grid of entity codes). Each source character stands for a stack of
// tiles, chosen from its neighbours:
//
//   .  ground          ,  second ground (path / worn floor)   "  decorated ground
//   #  wall            B  wall with a banner   t  wall with a torch
//   ~  liquid (water / lava): blocks walking, not shots       =  bridge over liquid
//   o  rock / rubble   b  bush / barrel   f  fence / railing   x  stump / crate
//   p  pit             (all five block walking only)
//   T  tree / pillar   S  ruined column / statue: the base blocks everything and
//                      the upper part, one row higher, hides sprites behind it
//   ^  archway overhead, in the top row of a wall right over the opening of its face
//   v  branches / chains overhead    *  leaves / embers in front
//   1  player 1 start  2  player 2 start  m  melee monster  a  archer  h  heart
class LevelCompiler {
public:
  static const int kGrids = 11;

  explicit LevelCompiler(const LevelSource& source);

  // Grid g (0-10) and the dynamic grid, indexed by column + row * 20.
  const std::vector<int>& Grid(int g) const { return grids[size_t(g)]; }
  const std::vector<int>& Entities() const { return entities; }

  // The level files' text: values in decimal, one line per map row, top row first.
  std::string StaticText() const;
  std::string DynamicText() const;

  // Rules the game relies on; empty when the level keeps them all.
  std::string Check() const;

private:
  void Build();
  void Put(int grid, int column, int row, int cell);
  bool IsWall(int column, int row) const;
  bool IsLiquid(int column, int row) const;
  void Ground(int column, int row, char kind);
  void Wall(int column, int row, char kind);
  void Liquid(int column, int row);

  const LevelSource& source;
  int theme;
  std::vector<std::vector<int>> grids;
  std::vector<int> entities;
};
