#include "actors/cArrow.h"

cArrow::cArrow() {
  h = TILE_SIZE / 4;
  w = TILE_SIZE / 4;
  frame_size = 2;
  damage = 10;
}

cArrow::~cArrow() {}

void cArrow::Draw(GLuint tex_id, int tex_w, int tex_h, bool /*animate*/) {
  int cell = frame_size * SHEET_TILE_SIZE;
  int cols = tex_w / cell;
  int rows = tex_h / cell;

  int col;
  bool mirrored = false;
  switch (state) {
    case PROJ_FLY_UP:
    case PROJ_EXPLODE_UP: col = 0; break;
    case PROJ_FLY_RIGHT:
    case PROJ_EXPLODE_RIGHT: col = 2; break;
    case PROJ_FLY_DOWN:
    case PROJ_EXPLODE_DOWN: col = 1; break;
    case PROJ_FLY_LEFT:
    case PROJ_EXPLODE_LEFT: col = 2; mirrored = true; break;
    default: return;  // never launched: nothing to show
  }
  col += frame;

  // An exploding arrow holds its picture for three draws, whether or not the game animates.
  if (IsExploding()) NextFrame(1);

  if (cols <= 0 || rows <= 0) return;
  float su = 1.0f / cols;
  float tv = 1.0f / rows;

  float s0 = col * su;
  float t0 = tv;
  float s1 = s0 + su;
  float t1 = t0 - tv;
  if (mirrored) {
    float tmp = s0;
    s0 = s1;
    s1 = tmp;
  }
  DrawRect(tex_id, s0, t0, s1, t1);
}
