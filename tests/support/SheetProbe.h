#pragma once
// Sprite sheet tests: a sheet whose cells carry distinct colours, a world view
// mapped one pixel to one pixel, a reader that tells which cell (and which way
// round) landed on screen, and a capture of the drawn vertices through GL
// feedback mode.
#include <GL/glew.h>

#include <vector>

#include "support/TestGL.h"

namespace SheetProbe {

// Depth range of the test view: z in [-kDepth, kDepth] is visible.
const int kDepth = 8192;
// Largest sheet the colour code tells apart.
const int kMaxCols = 10;
const int kMaxRows = 14;

// The player sheets: 4 x 14 cells of 64 texels.
const int kPlayerCols = 4;
const int kPlayerRows = 14;
const int kPlayerCell = 64;
const int kPlayerWidth = kPlayerCols * kPlayerCell;
const int kPlayerHeight = kPlayerRows * kPlayerCell;

// Cell (col, row) has red 20 + 20 col and green 10 + 17 row; blue tells the
// quarter of the cell: 0 left-top, 85 right-top, 170 left-bottom, 255
// right-bottom, where top is the image's top (t = 0). Up to kMaxCols x
// kMaxRows cells.
GLuint MakeSheet(int cols, int rows, int cell);
inline GLuint MakePlayerSheet() { return MakeSheet(kPlayerCols, kPlayerRows, kPlayerCell); }

// World pixel (x, y) lands on window pixel (x, y), z in [-kDepth, kDepth];
// texturing off, textures replace the colour, window cleared to black.
void WorldView();

struct Cell {
  bool drawn = false;
  int col = -1, row = -1;  // -2 when the square is not one whole cell
  bool mirrored = false;   // the image's right half shows on the left
  bool upright = false;    // the image's top shows at the top of the screen
};

// Reads the square of side `side` centred on (cx, cy) at its four quarters.
Cell ReadCell(int cx, int cy, int side);

struct Vertex {
  float x, y, z;
};

// Every polygon vertex in a feedback buffer, in window coordinates.
std::vector<Vertex> ParseFeedback(const std::vector<GLfloat>& buf, GLint n);

// Runs draw in feedback mode and returns every vertex it produced, in window
// coordinates (z in [0, 1]).
template <typename F>
std::vector<Vertex> Capture(F draw) {
  std::vector<GLfloat> buf(4096);
  glFeedbackBuffer(static_cast<GLsizei>(buf.size()), GL_3D, buf.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  GLint n = glRenderMode(GL_RENDER);
  return ParseFeedback(buf, n);
}

// Window depth of world z in the test view.
inline float DepthOf(int z) { return 0.5f - static_cast<float>(z) / (2.0f * kDepth); }

struct Bounds {
  float left, bottom, right, top;
};
Bounds BoundsOf(const std::vector<Vertex>& v);

}  // namespace SheetProbe
