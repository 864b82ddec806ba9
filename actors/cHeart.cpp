#include "actors/cHeart.h"
#include "actors/cBicho.h"

cHeart::cHeart() {}

cHeart::~cHeart() {}

bool cHeart::Heal(cBicho* who) {
  int max_life = who->GetMaxLife();
  int life = who->GetLife();
  if (life >= max_life) return false;
  life += 40;
  who->SetLife(life > max_life ? max_life : life);
  return true;
}
