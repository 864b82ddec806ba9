#include "actors/cFireball.h"

cFireball::cFireball() {
  h = TILE_SIZE;
  w = TILE_SIZE;
  frame_size = 2;
  damage = 10;
}

cFireball::~cFireball() {}

void cFireball::Draw(GLuint tex_id, int tex_w, int tex_h, bool animate) {
  int cell = frame_size * SHEET_TILE_SIZE;
  int cols = tex_w / cell;
  int rows = tex_h / cell;

  int row;
  bool mirrored = false;
  int frames;
  switch (state) {
    case PROJ_FLY_UP: row = 1; frames = 3; break;
    case PROJ_FLY_RIGHT: row = 2; frames = 3; break;
    case PROJ_FLY_DOWN: row = 0; frames = 3; break;
    case PROJ_FLY_LEFT: row = 2; frames = 3; mirrored = true; break;
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
  if (cols <= 0 || rows <= 0) return;
  float su = 1.0f / cols;
  float tv = 1.0f / rows;

  float s0 = col * su;
  float t0 = (row + 1) * tv;
  float s1 = s0 + su;
  float t1 = t0 - tv;
  if (mirrored) {
    float tmp = s0;
    s0 = s1;
    s1 = tmp;
  }
  DrawRect(tex_id, s0, t0, s1, t1);
}
