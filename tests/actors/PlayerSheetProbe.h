#pragma once
// A player sheet (4 x 14 cells of 64 texels) whose cells carry distinct
// colours, a view that maps world pixels one to one onto the window, and a
// reader that tells which cell a player's sprite quad showed.
#include <GL/glew.h>

#include <vector>

#include "support/TestGL.h"

namespace PlayerSheetProbe {

const int kCols = 4;
const int kRows = 14;
const int kCell = 64;
const int kWidth = kCols * kCell;
const int kHeight = kRows * kCell;

// Cell (col, row) has red 30 + 50 col and green 10 + 17 row; blue tells the
// quarter of the cell: 0 left-top, 85 right-top, 170 left-bottom, 255
// right-bottom, where top is the image's top (t = 0).
inline GLuint MakeSheet() {
  std::vector<unsigned char> pix(static_cast<size_t>(kWidth) * kHeight * 4);
  for (int j = 0; j < kHeight; ++j) {
    for (int i = 0; i < kWidth; ++i) {
      unsigned char* p = &pix[(static_cast<size_t>(j) * kWidth + i) * 4];
      bool right = (i % kCell) >= kCell / 2;
      bool bottom = (j % kCell) >= kCell / 2;
      p[0] = static_cast<unsigned char>(30 + 50 * (i / kCell));
      p[1] = static_cast<unsigned char>(10 + 17 * (j / kCell));
      p[2] = static_cast<unsigned char>((right ? 85 : 0) + (bottom ? 170 : 0));
      p[3] = 255;
    }
  }
  GLuint tex = 0;
  glGenTextures(1, &tex);
  glBindTexture(GL_TEXTURE_2D, tex);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kWidth, kHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               pix.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  return tex;
}

inline void WorldView() {
  glViewport(0, 0, TestGL::Width(), TestGL::Height());
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, TestGL::Width(), 0, TestGL::Height(), -8192, 8192);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

struct Cell {
  bool drawn = false;
  int col = -1, row = -1;
  bool mirrored = false;  // the image's right half shows on the left
  bool upright = false;   // the image's top shows at the top of the screen
};

// Reads the square of side `side` centred on (cx, cy) at its four quarters.
inline Cell ReadCell(int cx, int cy, int side) {
  int q = side / 4;
  TestGL::Pixel lt = TestGL::ReadPixel(cx - q, cy + q);
  TestGL::Pixel rt = TestGL::ReadPixel(cx + q, cy + q);
  TestGL::Pixel lb = TestGL::ReadPixel(cx - q, cy - q);
  TestGL::Pixel rb = TestGL::ReadPixel(cx + q, cy - q);
  Cell c;
  if (lt.r == 0 && lt.g == 0) return c;
  c.drawn = true;
  if (rt.r != lt.r || lb.r != lt.r || rb.r != lt.r || rt.g != lt.g || lb.g != lt.g ||
      rb.g != lt.g || (lt.r - 30) % 50 != 0 || (lt.g - 10) % 17 != 0) {
    c.col = c.row = -2;  // not one whole cell
    return c;
  }
  c.col = (lt.r - 30) / 50;
  c.row = (lt.g - 10) / 17;
  c.mirrored = (lt.b == 85 || lt.b == 255);
  c.upright = (lt.b == 0 || lt.b == 85);
  return c;
}

}  // namespace PlayerSheetProbe
