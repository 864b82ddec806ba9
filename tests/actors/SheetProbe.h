#pragma once
// Helpers for the sprite tests of projectiles and pickups: a sheet whose cells
// have distinct colours, a world view mapped one pixel to one pixel, a reader
// that tells which cell (and which way round) landed on screen, and a capture
// of the drawn vertices through GL feedback mode.
#include <GL/glew.h>

#include <algorithm>
#include <vector>

#include "support/TestGL.h"

namespace SheetProbe {

// Depth range of the test view: z in [-kDepth, kDepth] is visible.
const int kDepth = 8192;

// Cell (col, row) has red 20 + 40 col and green 20 + 40 row; blue tells the
// quarter: 0 left-top, 85 right-top, 170 left-bottom, 255 right-bottom, where
// top means the image's top (smaller t).
inline GLuint MakeSheet(int cols, int rows, int cell) {
  int tw = cols * cell, th = rows * cell;
  std::vector<unsigned char> pix(static_cast<size_t>(tw) * th * 4);
  for (int j = 0; j < th; ++j) {      // j = 0 is t = 0, the image's top row
    for (int i = 0; i < tw; ++i) {
      unsigned char* p = &pix[(static_cast<size_t>(j) * tw + i) * 4];
      bool right = (i % cell) >= cell / 2;
      bool bottom = (j % cell) >= cell / 2;
      p[0] = static_cast<unsigned char>(20 + 40 * (i / cell));
      p[1] = static_cast<unsigned char>(20 + 40 * (j / cell));
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
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, tw, th, 0, GL_RGBA, GL_UNSIGNED_BYTE, pix.data());
  glBindTexture(GL_TEXTURE_2D, 0);
  return tex;
}

// World pixel (x, y) lands on window pixel (x, y); everything else off.
inline void WorldView() {
  glViewport(0, 0, TestGL::Width(), TestGL::Height());
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, TestGL::Width(), 0, TestGL::Height(), -kDepth, kDepth);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

struct Cell {
  int col = -1, row = -1;
  bool mirrored = false;  // the image's left half shows on the right
  bool upright = false;   // the image's top shows at the top of the screen
  bool drawn = false;
};

inline int Quarter(const TestGL::Pixel& p) { return p.b; }

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
  c.col = (lt.r - 20) / 40;
  c.row = (lt.g - 20) / 40;
  // All four quarters must come from the same cell.
  if (rt.r != lt.r || lb.r != lt.r || rb.r != lt.r || rt.g != lt.g || lb.g != lt.g ||
      rb.g != lt.g) {
    c.col = c.row = -2;
    return c;
  }
  bool left_is_right_half = (Quarter(lt) == 85 || Quarter(lt) == 255);
  bool top_is_top_half = (Quarter(lt) == 0 || Quarter(lt) == 85);
  c.mirrored = left_is_right_half;
  c.upright = top_is_top_half;
  return c;
}

struct Vertex {
  float x, y, z;
};

// Runs draw in feedback mode and returns every vertex it produced, in window
// coordinates (z in [0, 1]).
template <typename F>
std::vector<Vertex> Capture(F draw) {
  std::vector<GLfloat> buf(4096);
  glFeedbackBuffer(static_cast<GLsizei>(buf.size()), GL_3D, buf.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  GLint n = glRenderMode(GL_RENDER);
  std::vector<Vertex> out;
  for (GLint i = 0; i < n;) {
    GLint token = static_cast<GLint>(buf[i++]);
    if (token == GL_POLYGON_TOKEN) {
      GLint count = static_cast<GLint>(buf[i++]);
      for (GLint k = 0; k < count; ++k, i += 3) out.push_back({buf[i], buf[i + 1], buf[i + 2]});
    } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN ||
               token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) {
      i += 3;
    } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
      i += 6;
    } else if (token == GL_PASS_THROUGH_TOKEN) {
      i += 1;
    } else {
      break;
    }
  }
  return out;
}

// Window depth of world z in the test view.
inline float DepthOf(int z) { return 0.5f - static_cast<float>(z) / (2.0f * kDepth); }

struct Bounds {
  float left, bottom, right, top;
};
inline Bounds BoundsOf(const std::vector<Vertex>& v) {
  Bounds b{1e9f, 1e9f, -1e9f, -1e9f};
  for (const Vertex& p : v) {
    b.left = std::min(b.left, p.x);
    b.right = std::max(b.right, p.x);
    b.bottom = std::min(b.bottom, p.y);
    b.top = std::max(b.top, p.y);
  }
  return b;
}

}  // namespace SheetProbe
