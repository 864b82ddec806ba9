#include "scene/cTile.h"

void cTile::SetX(int x) { this->x = x; }
void cTile::SetY(int y) { this->y = y; }
void cTile::SetS(float s) { this->s = s; }
void cTile::SetT(float t) { this->t = t; }
int cTile::GetX() { return x; }
int cTile::GetY() { return y; }
float cTile::GetS() { return s; }
float cTile::GetT() { return t; }
