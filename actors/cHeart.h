#pragma once
#include "actors/cToken.h"

class cBicho;

// The heart: restores 40 life up to the maximum.
class cHeart : public cToken {
public:
  cHeart();
  ~cHeart() override;
  // False (nothing changes) when who is already at its maximum life.
  bool Heal(cBicho* who);
};
