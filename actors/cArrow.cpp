#include "actors/cArrow.h"
#include "actors/SpriteQuad.h"

cArrow::cArrow() {
  h = TILE_SIZE / 4;
  w = TILE_SIZE / 4;
  frame_size = 2;
  damage = 10;
}

cArrow::~cArrow() {}

void cArrow::Draw(GLuint tex_id, int tex_w, int tex_h, bool /*animate*/) {
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
    case PROJ_EXPLODE_LEFT:
      col = 2;
      mirrored = true;
      break;
    default: return;  // never launched: nothing to show
  }
  col += frame;

  // An exploding arrow holds its picture for three draws, whether or not the game animates.
  if (IsExploding()) NextFrame(1);

  SheetCoords c;
  if (!SheetCellCoords(tex_w, tex_h, frame_size * SHEET_TILE_SIZE, col, 0, mirrored, &c)) return;
  DrawRect(tex_id, c.s0, c.t0, c.s1, c.t1);
}
