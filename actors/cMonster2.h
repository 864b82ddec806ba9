#pragma once
#include <list>

#include "actors/cEnemy.h"

class cProjectile;

// Archer monster: lines up with a player along a clear column or row and
// shoots an arrow.
class cMonster2 : public cEnemy {
public:
  cMonster2();
  virtual ~cMonster2();

  // Lets the arrow go at the release frame; true when it made one.
  bool Shoot(std::list<cBicho*>* players, std::list<cProjectile*>* projectiles, char* proj_map);
  // One decision while standing; true when an attack began.
  bool Think(char* walk_map, char* proj_map, std::list<cBicho*>* enemies, cBicho* p1, cBicho* p2);
};
