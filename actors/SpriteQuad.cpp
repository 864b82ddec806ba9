#include "actors/SpriteQuad.h"

void DrawSpriteQuad(GLuint tex_id, int x, int y, int w, int h, int size, float s0, float t0,
                    float s1, float t1) {
  const int left = x - (size - w) / 2;
  const int right = x + (size + w) / 2;
  const int bottom = y - (size - h) / 2;
  const int top = y + (size + h) / 2;

  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, tex_id);
  glBegin(GL_QUADS);
  glTexCoord2f(s0, t0);
  glVertex3i(left, bottom, y);
  glTexCoord2f(s1, t0);
  glVertex3i(right, bottom, y);
  glTexCoord2f(s1, t1);
  glVertex3i(right, top, y);
  glTexCoord2f(s0, t1);
  glVertex3i(left, top, y);
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

bool SheetCellCoords(int tex_w, int tex_h, int cell, int col, int row, bool mirrored,
                     SheetCoords* out) {
  if (cell <= 0) return false;
  const int cols = tex_w / cell;
  const int rows = tex_h / cell;
  if (cols <= 0 || rows <= 0) return false;
  const float su = 1.0f / cols;
  const float tv = 1.0f / rows;
  out->s0 = col * su;
  out->t0 = (row + 1) * tv;
  out->s1 = out->s0 + su;
  out->t1 = out->t0 - tv;
  if (mirrored) {
    const float s = out->s0;
    out->s0 = out->s1;
    out->s1 = s;
  }
  return true;
}
