#pragma once
#include <string>
#include <vector>

#include "tools/texgen/Palette.h"

// An RGBA image that the texture generator draws into, texel by texel.
// Coordinates are texels, x to the right and y down, counted from the origin
// (the top-left corner unless SetOrigin moved it: sheets move it to a cell).
// Everything outside the image (or outside the clip box) is silently skipped.
class Canvas {
public:
  Canvas(int width, int height);

  int Width() const { return width; }
  int Height() const { return height; }

  // Every coordinate below is relative to this point of the image.
  void SetOrigin(int x, int y) {
    origin_x = x;
    origin_y = y;
  }
  int OriginX() const { return origin_x; }
  int OriginY() const { return origin_y; }

  // Restricts drawing to the box [x, x + w) x [y, y + h); ClearClip lifts it.
  void SetClip(int x, int y, int w, int h);
  void ClearClip();

  Color Get(int x, int y) const;
  bool Opaque(int x, int y) const { return Get(x, y).a != 0; }
  void Set(int x, int y, Color c);

  void Fill(int x, int y, int w, int h, Color c);
  // A box with its top and left edges light and its bottom and right edges dark.
  void ShadedBox(int x, int y, int w, int h, const Ramp& ramp);
  // A filled ellipse inside the box, shaded as a ball lit from the top left.
  void ShadedEllipse(int x, int y, int w, int h, const Ramp& ramp);
  void Ellipse(int x, int y, int w, int h, Color c);
  void Line(int x0, int y0, int x1, int y1, Color c);
  void ThickLine(int x0, int y0, int x1, int y1, int thickness, Color c);

  // Puts one outline texel on every clear texel of the box that touches an
  // opaque one (4-neighbourhood), so every figure gets a one-texel rim.
  void Outline(int x, int y, int w, int h, Color c);

  // Copies the box of another canvas (or this one) here; clear texels are skipped.
  void Blit(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy, bool mirror = false);
  // Replaces every texel of the box by map(texel).
  template <class F>
  void Recolor(int x, int y, int w, int h, F map) {
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i)
        if (Inside(origin_x + i, origin_y + j)) {
          Color& c = pixels[Index(origin_x + i, origin_y + j)];
          c = map(c, i, j);
        }
  }

  // Writes an 8-bit RGBA PNG; false when the file cannot be written.
  bool SavePng(const std::string& path) const;

private:
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  bool InClip(int x, int y) const {
    return x >= clip_x0 && y >= clip_y0 && x < clip_x1 && y < clip_y1;
  }
  size_t Index(int x, int y) const { return size_t(y) * size_t(width) + size_t(x); }

  int width;
  int height;
  int origin_x = 0;
  int origin_y = 0;
  int clip_x0, clip_y0, clip_x1, clip_y1;
  std::vector<Color> pixels;
};
