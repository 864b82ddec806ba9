#include "tools/texgen/TileArt.h"

namespace TileArt {

void EnterCell(Canvas& c, int theme, TilesetLayout::Piece p, int offset) {
  const int cell = TilesetLayout::Cell(theme, p, offset);
  c.SetOrigin(0, 0);
  c.ClearClip();
  c.SetOrigin((cell % TilesetLayout::kColumns) * N, (cell / TilesetLayout::kColumns) * N);
  c.SetClip(0, 0, N, N);
}

unsigned Noise(int x, int y, int seed) {
  unsigned h = unsigned(x) * 374761393u + unsigned(y) * 668265263u + unsigned(seed) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

void Speckle(Canvas& c, Color base, Color dark, Color light, int dark_per_64, int light_per_64,
             int seed) {
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      const int r = int(Noise(x, y, seed) % 64);
      c.Set(x, y, r < dark_per_64 ? dark : (r < dark_per_64 + light_per_64 ? light : base));
    }
}

void Flagstones(Canvas& c, const Ramp& stone, Color mortar, int stone_h, int seed) {
  for (int row = 0; row * stone_h < N; ++row) {
    const int y0 = row * stone_h;
    // Stone widths vary per row but always tile across the cell edge.
    const int shift = int(Noise(row, 0, seed) % 8);
    const int w = 8;
    for (int x0 = -w + shift; x0 < N; x0 += w) {
      c.ShadedBox(x0, y0, w, stone_h, stone);
      c.Fill(x0 + w - 1, y0, 1, stone_h, mortar);
      c.Fill(x0, y0 + stone_h - 1, w, 1, mortar);
      // A few worn texels per stone.
      for (int k = 0; k < 2; ++k) {
        const unsigned n = Noise(x0 + k, y0, seed + 7);
        c.Set(x0 + 2 + int(n % (w - 4)), y0 + 2 + int((n >> 8) % unsigned(stone_h - 3)),
              stone.dark);
      }
    }
  }
}

void Bricks(Canvas& c, const Ramp& brick, Color mortar, int brick_w, int brick_h, int seed) {
  c.Fill(0, 0, N, N, mortar);
  for (int row = 0; row * brick_h < N; ++row) {
    const int y0 = row * brick_h;
    const int off = (row % 2) ? brick_w / 2 : 0;
    for (int x0 = -brick_w + off; x0 < N; x0 += brick_w) {
      c.ShadedBox(x0, y0, brick_w - 1, brick_h - 1, brick);
      if (Noise(x0, y0, seed) % 4 == 0) c.Set(x0 + brick_w / 2, y0 + 1, brick.dark);
    }
  }
}

void WallRim(Canvas& c, int mask, Color edge, Color lip) {
  if (mask & TilesetLayout::WALL_OPEN_ABOVE) {
    c.Fill(0, 0, N, 1, edge);
    c.Fill(0, 1, N, 1, lip);
  }
  if (mask & TilesetLayout::WALL_OPEN_LEFT) {
    c.Fill(0, 0, 1, N, edge);
    c.Fill(1, (mask & TilesetLayout::WALL_OPEN_ABOVE) ? 1 : 0, 1, N, lip);
  }
  if (mask & TilesetLayout::WALL_OPEN_RIGHT) {
    c.Fill(N - 1, 0, 1, N, edge);
    c.Fill(N - 2, (mask & TilesetLayout::WALL_OPEN_ABOVE) ? 2 : 0, 1, N, lip);
  }
}

void Flame(Canvas& c, int cx, int base_y, int height, int frame) {
  // Each row of the flame narrows toward the tip; the tip sways with the frame.
  static const int sway[4] = {0, 1, 0, -1};
  for (int k = 0; k < height; ++k) {
    const int y = base_y - k;
    const int half = (height - k + 1) / 3 + (k < 2 ? 1 : 0);
    const int x = cx + (k * sway[frame % 4]) / 3;
    for (int i = -half; i <= half; ++i) {
      const int edge = half - (i < 0 ? -i : i);
      Color col = edge == 0 ? Pal::Red2 : (edge == 1 ? Pal::Orange : Pal::Yellow);
      if (k > height - 3) col = edge == 0 ? Pal::Red2 : Pal::Orange;
      c.Set(x + i, y, col);
    }
  }
  c.Set(cx + sway[frame % 4], base_y - 1, Pal::Cream);
  c.Set(cx, base_y - 2 - (frame % 2), Pal::Cream);
}

void Liquid(Canvas& c, const Ramp& ramp, Color glint, int frame, int seed) {
  c.Fill(0, 0, N, N, ramp.mid);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x) {
      // Wave crests run along diagonals that drift four texels per frame.
      const int u = (x + frame * 4 + (y / 4) * 3) % N;
      const int band = y % 4;
      if (band == 0 && (u % 8) < 3) c.Set(x, y, ramp.light);
      if (band == 1 && (u % 8) >= 3 && (u % 8) < 5) c.Set(x, y, ramp.dark);
      if (Noise(u, y, seed) % 53 == 0) c.Set(x, y, glint);
    }
}

void ShadowTop(Canvas& c, Color shadow, int rows) {
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < N; ++x)
      if (y < rows - 1 || (x + y) % 2 == 0) c.Set(x, y, shadow);
}

}  // namespace TileArt
