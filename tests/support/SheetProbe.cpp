#include "support/SheetProbe.h"

#include <algorithm>

namespace SheetProbe {

namespace {

const int kQuarterRight = 85;
const int kQuarterBottom = 170;

int Red(int col) { return 20 + 20 * col; }
int Green(int row) { return 10 + 17 * row; }

}  // namespace

GLuint MakeSheet(int cols, int rows, int cell) {
  const int tw = cols * cell, th = rows * cell;
  std::vector<unsigned char> pix(static_cast<size_t>(tw) * th * 4);
  for (int j = 0; j < th; ++j) {  // j = 0 is t = 0, the image's top row
    for (int i = 0; i < tw; ++i) {
      unsigned char* p = &pix[(static_cast<size_t>(j) * tw + i) * 4];
      const bool right = (i % cell) >= cell / 2;
      const bool bottom = (j % cell) >= cell / 2;
      p[0] = static_cast<unsigned char>(Red(i / cell));
      p[1] = static_cast<unsigned char>(Green(j / cell));
      p[2] =
          static_cast<unsigned char>((right ? kQuarterRight : 0) + (bottom ? kQuarterBottom : 0));
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

void WorldView() {
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
  glColor4f(1, 1, 1, 1);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

Cell ReadCell(int cx, int cy, int side) {
  const int q = side / 4;
  const TestGL::Pixel lt = TestGL::ReadPixel(cx - q, cy + q);
  const TestGL::Pixel rt = TestGL::ReadPixel(cx + q, cy + q);
  const TestGL::Pixel lb = TestGL::ReadPixel(cx - q, cy - q);
  const TestGL::Pixel rb = TestGL::ReadPixel(cx + q, cy - q);
  Cell c;
  if (lt.r == 0 && lt.g == 0) return c;
  c.drawn = true;
  const int col = (lt.r - Red(0)) / (Red(1) - Red(0));
  const int row = (lt.g - Green(0)) / (Green(1) - Green(0));
  // All four quarters must come from the same cell, and it must be one of ours.
  if (rt.r != lt.r || lb.r != lt.r || rb.r != lt.r || rt.g != lt.g || lb.g != lt.g ||
      rb.g != lt.g || col < 0 || col >= kMaxCols || row < 0 || row >= kMaxRows ||
      Red(col) != lt.r || Green(row) != lt.g) {
    c.col = c.row = -2;
    return c;
  }
  c.col = col;
  c.row = row;
  c.mirrored = lt.b == kQuarterRight || lt.b == kQuarterRight + kQuarterBottom;
  c.upright = lt.b == 0 || lt.b == kQuarterRight;
  return c;
}

std::vector<Vertex> ParseFeedback(const std::vector<GLfloat>& buf, GLint n) {
  std::vector<Vertex> out;
  n = std::min(n, static_cast<GLint>(buf.size()));
  for (GLint i = 0; i < n;) {
    const GLint token = static_cast<GLint>(buf[i++]);
    if (token == GL_POLYGON_TOKEN) {
      const GLint count = static_cast<GLint>(buf[i++]);
      for (GLint k = 0; k < count && i + 2 < n; ++k, i += 3)
        out.push_back({buf[i], buf[i + 1], buf[i + 2]});
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

Bounds BoundsOf(const std::vector<Vertex>& v) {
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
