#include "actors/cToken.h"
#include "actors/SpriteQuad.h"

cToken::cToken() : x(0), y(0), frame(0), delay(0), frame_delay(3), depth_offset(TILE_SIZE / 4) {}

cToken::~cToken() {}

void cToken::SetTile(int tx, int ty) {
  x = tx * TILE_SIZE;
  y = ty * TILE_SIZE;
}

int cToken::GetX() const { return x; }
int cToken::GetY() const { return y; }

cRect cToken::GetHitbox() const {
  cRect r;
  r.left = x;
  r.top = y + TILE_SIZE;
  r.right = x + TILE_SIZE;
  r.bottom = y;
  return r;
}

int cToken::GetFrame() const { return frame; }

void cToken::NextFrame(int n) {
  delay++;
  if (delay == frame_delay) {
    frame = n > 0 ? (frame + 1) % n : 0;
    delay = 0;
  }
}

void cToken::Draw(GLuint tex_id, int tex_w, int tex_h, bool animate) {
  const int col = frame;

  if (animate) NextFrame(4);

  // A sheet smaller than one cell has nothing to show; the animation still runs.
  SheetCoords c;
  if (!SheetCellCoords(tex_w, tex_h, SHEET_TILE_SIZE, col, 0, false, &c)) return;
  const float s0 = c.s0, t0 = c.t0, s1 = c.s1, t1 = c.t1;
  int z = y - depth_offset;

  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, tex_id);
  glBegin(GL_QUADS);
  glTexCoord2f(s0, t0);
  glVertex3i(x, y, z);
  glTexCoord2f(s1, t0);
  glVertex3i(x + TILE_SIZE, y, z);
  glTexCoord2f(s1, t1);
  glVertex3i(x + TILE_SIZE, y + TILE_SIZE, z);
  glTexCoord2f(s0, t1);
  glVertex3i(x, y + TILE_SIZE, z);
  glEnd();
  glDisable(GL_TEXTURE_2D);
}
