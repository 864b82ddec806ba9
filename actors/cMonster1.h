#pragma once
#include <list>

#include "actors/cEnemy.h"

// Melee monster: closes in on the players tile by tile and strikes the
// tile in front of it.
class cMonster1 : public cEnemy {
public:
  cMonster1();
  virtual ~cMonster1();

  // Lands the blow at the attack frame; true when the target took it unguarded.
  bool Attack(cBicho* target);
  // One decision while standing; true when an attack began.
  bool Think(char* walk_map, std::list<cBicho*>* enemies, cBicho* p1, cBicho* p2);
};
