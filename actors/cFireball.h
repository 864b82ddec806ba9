#pragma once
#include "actors/cProjectile.h"

// Player 2's shot: one tile square, a three-frame flame and a six-frame explosion.
class cFireball : public cProjectile {
public:
  cFireball();
  ~cFireball() override;
  void Draw(GLuint tex_id, int tex_w, int tex_h, bool animate) override;
};
