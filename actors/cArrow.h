#pragma once
#include "actors/cProjectile.h"

// The archer's shot: a quarter-tile square drawn from a one-row sheet.
class cArrow : public cProjectile {
public:
  cArrow();
  ~cArrow() override;
  void Draw(GLuint tex_id, int tex_w, int tex_h, bool animate) override;
};
