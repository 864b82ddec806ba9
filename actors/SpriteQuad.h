#pragma once
#include <GL/glew.h>

// Draws a sprite: a square of `size` pixels centred on the hitbox (x, y, w, h), at depth z = y,
// with texture coordinates (s0, t0) at its bottom-left corner and (s1, t1) at its top-right.
void DrawSpriteQuad(GLuint tex_id, int x, int y, int w, int h, int size, float s0, float t0,
                    float s1, float t1);

// Texture coordinates of one cell of a sprite sheet.
struct SheetCoords {
  float s0, t0;  // bottom-left corner of the drawn quad
  float s1, t1;  // top-right corner
};

// The coordinates of cell (col, row) of a sheet of tex_w x tex_h texels cut into square cells of
// `cell` texels, rows counted from the image's top; `mirrored` swaps left and right. False (and
// nothing stored) when the sheet is smaller than one cell.
bool SheetCellCoords(int tex_w, int tex_h, int cell, int col, int row, bool mirrored,
                     SheetCoords* out);
