#pragma once
#include <list>

#include "actors/cPlayer.h"

class cProjectile;

// Player 2: throws fireballs, one per normal attack or a spin of up to nine.
class cPlayer2 : public cPlayer {
public:
  cPlayer2();
  virtual ~cPlayer2();
  void Draw(GLuint tex_id, int tex_w, int tex_h, bool animate) override;

  // Called every frame while attacking; true when a fireball was made (and paid for).
  bool Shoot(std::list<cBicho*>* enemies, std::list<cProjectile*>* projectiles, char* proj_map);
};
