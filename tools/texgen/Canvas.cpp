#include "tools/texgen/Canvas.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

static_assert(sizeof(Color) == 4, "texels are written as four bytes");

Canvas::Canvas(int width, int height)
    : width(width), height(height), pixels(size_t(width) * size_t(height), Pal::Clear) {
  ClearClip();
}

void Canvas::SetClip(int x, int y, int w, int h) {
  x += origin_x;
  y += origin_y;
  clip_x0 = std::max(0, x);
  clip_y0 = std::max(0, y);
  clip_x1 = std::min(width, x + w);
  clip_y1 = std::min(height, y + h);
}

void Canvas::ClearClip() {
  clip_x0 = 0;
  clip_y0 = 0;
  clip_x1 = width;
  clip_y1 = height;
}

Color Canvas::Get(int x, int y) const {
  x += origin_x;
  y += origin_y;
  return Inside(x, y) ? pixels[Index(x, y)] : Pal::Clear;
}

void Canvas::Set(int x, int y, Color c) {
  x += origin_x;
  y += origin_y;
  if (InClip(x, y)) pixels[Index(x, y)] = c;
}

void Canvas::Fill(int x, int y, int w, int h, Color c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Canvas::ShadedBox(int x, int y, int w, int h, const Ramp& ramp) {
  Fill(x, y, w, h, ramp.mid);
  if (w >= 3 && h >= 3) {
    Fill(x + w - 1, y + 1, 1, h - 1, ramp.dark);
    Fill(x + 1, y + h - 1, w - 1, 1, ramp.dark);
    Fill(x, y, w - 1, 1, ramp.light);
    Fill(x, y, 1, h - 1, ramp.light);
  } else if (w >= 2 && h >= 2) {
    Set(x, y, ramp.light);
    Set(x + w - 1, y + h - 1, ramp.dark);
  }
}

void Canvas::ShadedEllipse(int x, int y, int w, int h, const Ramp& ramp) {
  const float rx = w / 2.0f, ry = h / 2.0f;
  const float cx = x + rx, cy = y + ry;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) {
      const float nx = (i + 0.5f - cx) / rx, ny = (j + 0.5f - cy) / ry;
      if (nx * nx + ny * ny > 1.0f) continue;
      const float d = nx + ny;
      Set(i, j, d < -0.55f ? ramp.light : (d > 0.55f ? ramp.dark : ramp.mid));
    }
}

void Canvas::Ellipse(int x, int y, int w, int h, Color c) {
  const float rx = w / 2.0f, ry = h / 2.0f;
  const float cx = x + rx, cy = y + ry;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) {
      const float nx = (i + 0.5f - cx) / rx, ny = (j + 0.5f - cy) / ry;
      if (nx * nx + ny * ny <= 1.0f) Set(i, j, c);
    }
}

void Canvas::Line(int x0, int y0, int x1, int y1, Color c) {
  const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Set(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Canvas::ThickLine(int x0, int y0, int x1, int y1, int thickness, Color c) {
  // Square brush: offsets stay on the near side so odd widths are centred.
  const int lo = -(thickness - 1) / 2, hi = thickness / 2;
  for (int oy = lo; oy <= hi; ++oy)
    for (int ox = lo; ox <= hi; ++ox) Line(x0 + ox, y0 + oy, x1 + ox, y1 + oy, c);
}

void Canvas::Outline(int x, int y, int w, int h, Color c) {
  std::vector<std::pair<int, int>> rim;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) {
      if (Opaque(i, j)) continue;
      const bool touches = (i > x && Opaque(i - 1, j)) || (i + 1 < x + w && Opaque(i + 1, j)) ||
                           (j > y && Opaque(i, j - 1)) || (j + 1 < y + h && Opaque(i, j + 1));
      if (touches) rim.emplace_back(i, j);
    }
  for (const auto& p : rim) Set(p.first, p.second, c);
}

void Canvas::Blit(const Canvas& src, int sx, int sy, int w, int h, int dx, int dy, bool mirror) {
  std::vector<Color> copy;
  copy.reserve(size_t(w) * size_t(h));
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) copy.push_back(src.Get(sx + i, sy + j));
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const Color c = copy[size_t(j) * size_t(w) + size_t(mirror ? w - 1 - i : i)];
      if (c.a != 0) Set(dx + i, dy + j, c);
    }
}

bool Canvas::SavePng(const std::string& path) const {
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  for (int j = 0; j < height; ++j)
    rows[size_t(j)] = reinterpret_cast<png_bytep>(const_cast<Color*>(&pixels[Index(0, j)]));
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGBA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}
