#include "actors/cFireball.h"
#include "actors/SpriteQuad.h"

cFireball::cFireball() {
  h = TILE_SIZE;
  w = TILE_SIZE;
  frame_size = 2;
  damage = 10;
}

cFireball::~cFireball() {}

void cFireball::Draw(GLuint tex_id, int tex_w, int tex_h, bool animate) {
  int row;
  bool mirrored = false;
  int frames;
  switch (state) {
    case PROJ_FLY_UP:
      row = 1;
      frames = 3;
      break;
    case PROJ_FLY_RIGHT:
      row = 2;
      frames = 3;
      break;
    case PROJ_FLY_DOWN:
      row = 0;
      frames = 3;
      break;
    case PROJ_FLY_LEFT:
      row = 2;
      frames = 3;
      mirrored = true;
      break;
    case PROJ_EXPLODE_UP:
    case PROJ_EXPLODE_RIGHT:
    case PROJ_EXPLODE_DOWN:
    case PROJ_EXPLODE_LEFT:
      row = frame <= 3 ? 3 : 4;
      frames = 6;
      break;
    default: return;  // never launched: nothing to show
  }
  int col = frame;

  if (animate) NextFrame(frames);

  // A sheet smaller than one cell has nothing to show; the animation still runs.
  SheetCoords c;
  if (!SheetCellCoords(tex_w, tex_h, frame_size * SHEET_TILE_SIZE, col, row, mirrored, &c)) return;
  DrawRect(tex_id, c.s0, c.t0, c.s1, c.t1);
}
