// Theme 0 of the tileset: overgrown ruins in a forest.
#include "tools/texgen/Sheets.h"
#include "tools/texgen/TileArt.h"

using namespace TilesetLayout;
using namespace TileArt;

namespace {
const int T = FOREST;

void GrassTufts(Canvas& c, int seed) {
  Speckle(c, Pal::Green2, Pal::Green1, Pal::Green3, 5, 3, seed);
  // Little blades: a dark texel under a light one.
  for (int k = 0; k < 4; ++k) {
    const unsigned n = Noise(k, seed, 99);
    const int x = int(n % 15), y = 1 + int((n >> 8) % 14);
    c.Set(x, y, Pal::Green1);
    c.Set(x + 1, y, Pal::Green1);
    c.Set(x, y - 1, Pal::Green3);
  }
}

void Earth(Canvas& c, int seed) {
  Speckle(c, Pal::Stone1, Pal::Stone0, Pal::Stone2, 6, 5, seed);
  for (int k = 0; k < 2; ++k) {
    const unsigned n = Noise(seed, k, 5);
    const int x = 1 + int(n % 13), y = 1 + int((n >> 8) % 13);
    c.Fill(x, y, 2, 1, Pal::Stone2);
    c.Fill(x, y + 1, 2, 1, Pal::Stone0);
  }
}

void Flower(Canvas& c, int x, int y, Color petal) {
  c.Set(x, y - 1, petal);
  c.Set(x - 1, y, petal);
  c.Set(x + 1, y, petal);
  c.Set(x, y + 1, petal);
  c.Set(x, y, Pal::Yellow);
}

void StoneTop(Canvas& c, int seed) {
  Flagstones(c, Pal::Sand, Pal::Stone0, 5, seed);
  // Moss creeping over the ruin.
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x)
      if (Noise(x / 3, y / 3, seed + 11) % 5 == 0 && Noise(x, y, seed) % 3)
        c.Set(x, y, Pal::Green1);
}

void StoneFace(Canvas& c, bool capped, int seed) {
  Bricks(c, Pal::Sand, Pal::Stone0, 8, 4, seed);
  // The face darkens toward its foot.
  for (int x = 0; x < N; ++x) c.Set(x, N - 1, Pal::Outline);
  if (capped) {
    c.Fill(0, 0, N, 3, Pal::Stone2);
    c.Fill(0, 0, N, 1, Pal::Outline);
    c.Fill(0, 3, N, 1, Pal::Stone0);
  }
}

void Moss(Canvas& c, int seed) {
  for (int x = 0; x < N; ++x) {
    const int len = int(Noise(x, 0, seed) % 5);
    for (int y = 0; y < len; ++y) c.Set(x, 4 + y, y == len - 1 ? Pal::Green1 : Pal::Green2);
  }
}

void Crown(Canvas& c, int seed, int top, int bottom) {
  // A leafy mass: overlapping shaded blobs.
  c.ShadedEllipse(0, top, 10, bottom - top, Pal::Leaf);
  c.ShadedEllipse(6, top, 10, bottom - top, Pal::Leaf);
  c.ShadedEllipse(3, top - 2, 10, bottom - top, Pal::Leaf);
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < N; ++x)
      if (c.Opaque(x, y) && Noise(x, y, seed) % 11 == 0) c.Set(x, y, Pal::Green3);
}
}  // namespace

void DrawForestTiles(Canvas& c) {
  // Ground.
  for (int v = 0; v < kFloorVariants; ++v) {
    EnterCell(c, T, FLOOR, v);
    GrassTufts(c, 10 + v);
    EnterCell(c, T, FLOOR_ALT, v);
    Earth(c, 20 + v);
    EnterCell(c, T, FLOOR_DECO, v);
    GrassTufts(c, 30 + v);
  }
  EnterCell(c, T, FLOOR_DECO, 0);
  Flower(c, 4, 5, Pal::White);
  Flower(c, 11, 10, Pal::White);
  EnterCell(c, T, FLOOR_DECO, 1);
  Flower(c, 5, 10, Pal::Red2);
  Flower(c, 12, 4, Pal::Blue3);
  EnterCell(c, T, FLOOR_DECO, 2);  // mushrooms
  c.Fill(5, 7, 4, 2, Pal::Red1);
  c.Set(5, 7, Pal::Red2);
  c.Set(6, 7, Pal::White);
  c.Fill(6, 9, 2, 2, Pal::Cream);
  c.Fill(10, 11, 3, 1, Pal::Red1);
  c.Set(11, 12, Pal::Cream);
  EnterCell(c, T, FLOOR_DECO, 3);  // pebbles
  c.ShadedBox(3, 9, 3, 2, Pal::Sand);
  c.ShadedBox(10, 4, 2, 2, Pal::Sand);
  c.ShadedBox(8, 12, 3, 2, Pal::Sand);
  EnterCell(c, T, FLOOR_SHADOW);
  GrassTufts(c, 41);
  ShadowTop(c, Pal::Green1, 5);
  EnterCell(c, T, FLOOR_ALT_SHADOW);
  Earth(c, 42);
  ShadowTop(c, Pal::Stone0, 5);
  EnterCell(c, T, FLOOR_LIQUID_EDGE);  // grass ending in a muddy bank
  GrassTufts(c, 43);
  c.Fill(0, 12, N, 2, Pal::Wood1);
  c.Fill(0, 14, N, 2, Pal::Wood0);
  for (int x = 0; x < N; x += 3) c.Set(x, 12, Pal::Green1);

  // Walls: ruined stone tops and faces.
  for (int mask = 0; mask < 8; ++mask) {
    EnterCell(c, T, WALL_TOP, mask);
    StoneTop(c, 50 + mask);
    WallRim(c, mask, Pal::Outline, Pal::Stone2);
  }
  for (int capped = 0; capped < 2; ++capped) {
    EnterCell(c, T, WALL_FACE, capped);
    StoneFace(c, capped, 60);
    EnterCell(c, T, WALL_FACE_WORN, capped);
    StoneFace(c, capped, 61);
    Moss(c, 62 + capped);
    c.Line(9, 6, 12, 13, Pal::Stone0);
    EnterCell(c, T, WALL_FACE_TORCH, capped);
    StoneFace(c, capped, 63);
    c.Fill(7, 9, 2, 4, Pal::Wood1);  // the torch's handle in an iron ring
    c.Set(7, 9, Pal::Wood2);
    c.Fill(6, 11, 4, 1, Pal::Grey1);
    c.Fill(6, 8, 4, 1, Pal::Grey0);
    EnterCell(c, T, WALL_FACE_WINDOW, capped);
    StoneFace(c, capped, 64);
    c.Fill(5, 5, 6, 8, Pal::Outline);
    c.Ellipse(5, 3, 6, 5, Pal::Outline);
    c.Fill(6, 9, 4, 4, Pal::Green0);
    c.Fill(5, 12, 6, 1, Pal::Stone2);
  }

  // Animations: the stream, the stream under its bank, torch flame, falling leaves.
  for (int f = 0; f < kAnimFrames; ++f) {
    EnterCell(c, T, LIQUID, f);
    Liquid(c, Pal::Sky, Pal::White, f, 70);
    EnterCell(c, T, LIQUID_BANK, f);
    Liquid(c, Pal::Sky, Pal::White, f, 70);
    c.Fill(0, 0, N, 2, Pal::Wood0);
    for (int x = 0; x < N; ++x)
      if ((x + f) % 5 == 0) c.Set(x, 2, Pal::Blue3);  // foam where the water meets the bank
    EnterCell(c, T, FRONT_FX, f);
    Flame(c, 8, 7, 7, f);
    EnterCell(c, T, FRONT_FX2, f);
    for (int k = 0; k < 3; ++k) {
      // Three leaves falling and drifting sideways; each loops within the cell.
      const int x = (3 + k * 5 + (f % 2) * (k == 1 ? -1 : 1)) % N;
      const int y = (k * 6 + f * 4) % N;
      const Color leaf = k == 1 ? Pal::Orange : Pal::Green3;
      c.Set(x, y, leaf);
      c.Set(x + 1, y, k == 1 ? Pal::Wood2 : Pal::Green2);
      c.Set(x, y + 1, k == 1 ? Pal::Wood2 : Pal::Green2);
    }
  }

  // A wooden footbridge: planks across, rails on its open sides.
  for (int rails = 0; rails < 4; ++rails) {
    EnterCell(c, T, BRIDGE, rails);
    for (int y = 0; y < N; y += 4) {
      c.ShadedBox(0, y, N, 4, Pal::Wood);
      c.Set(int(Noise(y, rails, 3) % 12) + 2, y + 2, Pal::Wood0);
    }
    if (rails & 1) {
      c.Fill(0, 0, 3, N, Pal::Wood0);
      c.Fill(1, 0, 1, N, Pal::Wood2);
    }
    if (rails & 2) {
      c.Fill(N - 3, 0, 3, N, Pal::Wood0);
      c.Fill(N - 2, 0, 1, N, Pal::Wood1);
    }
  }

  // Low obstacles, standing on transparent ground.
  EnterCell(c, T, ROCK);
  c.ShadedEllipse(2, 5, 12, 10, Pal::Slate);
  c.Set(5, 7, Pal::Grey3);
  c.Fill(3, 12, 3, 1, Pal::Green2);
  c.Outline(0, 0, N, N, Pal::Outline);
  EnterCell(c, T, BUSH);
  c.ShadedEllipse(1, 4, 14, 11, Pal::Leaf);
  c.ShadedEllipse(4, 2, 8, 7, Pal::Grass);
  c.Set(5, 9, Pal::Red2);
  c.Set(10, 6, Pal::Red2);
  c.Outline(0, 0, N, N, Pal::Outline);
  for (int part = 0; part < 4; ++part) {
    EnterCell(c, T, FENCE, part);
    const int x0 = (part == 1 || part == 3) ? 3 : 0;
    const int x1 = (part == 2 || part == 3) ? 12 : N;
    if (part != 3) {
      c.ShadedBox(x0, 5, x1 - x0, 3, Pal::Wood);
      c.ShadedBox(x0, 10, x1 - x0, 3, Pal::Wood);
    }
    c.ShadedBox(part == 2 ? 10 : 3, 2, 3, 13, Pal::Wood);
    if (part == 0) c.ShadedBox(11, 2, 3, 13, Pal::Wood);
    c.Outline(0, 0, N, N, Pal::Outline);
  }
  EnterCell(c, T, PIT);
  GrassTufts(c, 80);
  c.Ellipse(1, 2, 14, 13, Pal::Wood1);
  c.Ellipse(2, 4, 12, 10, Pal::Outline);
  c.Ellipse(4, 7, 8, 6, Pal::Purple0);
  EnterCell(c, T, STUMP);
  c.ShadedBox(3, 6, 10, 8, Pal::Wood);
  c.Ellipse(3, 3, 10, 5, Pal::Wood2);
  c.Ellipse(5, 4, 6, 3, Pal::Cream);
  c.Set(7, 5, Pal::Wood2);
  c.Fill(1, 12, 3, 2, Pal::Wood1);
  c.Fill(12, 12, 3, 2, Pal::Wood0);
  c.Outline(0, 0, N, N, Pal::Outline);
  EnterCell(c, T, CRATE);
  c.ShadedBox(2, 3, 12, 11, Pal::Wood);
  c.Line(2, 3, 13, 13, Pal::Wood0);
  c.Outline(0, 0, N, N, Pal::Outline);
  EnterCell(c, T, RUBBLE);
  c.ShadedBox(1, 8, 7, 6, Pal::Sand);
  c.ShadedBox(7, 5, 7, 5, Pal::Sand);
  c.ShadedBox(8, 10, 6, 4, Pal::Sand);
  c.Fill(2, 13, 4, 1, Pal::Green2);
  c.Outline(0, 0, N, N, Pal::Outline);

  // Trees: the base is the trunk under the lower leaves; the top is the crown.
  EnterCell(c, T, TREE_BASE);
  c.ShadedBox(5, 4, 6, 12, Pal::Wood);
  c.Fill(7, 7, 1, 5, Pal::Wood0);
  c.Fill(3, 13, 3, 3, Pal::Wood1);
  c.Fill(10, 13, 3, 3, Pal::Wood0);
  Crown(c, 90, -6, 6);
  c.Outline(0, 0, N, N, Pal::Outline);
  EnterCell(c, T, TREE_TOP);
  Crown(c, 91, 2, 16);
  c.Outline(0, 0, N, N, Pal::Outline);
  EnterCell(c, T, TREE2_BASE);  // a fir: the lowest tier of needles over its trunk
  c.ShadedBox(6, 9, 4, 7, Pal::Wood);
  for (int y = 0; y < 10; ++y)
    c.Fill(8 - (y + 6) / 2, y, 2 * ((y + 6) / 2), 1, y % 3 == 0 ? Pal::Green2 : Pal::Green1);
  c.Outline(0, 0, N, N, Pal::Outline);
  EnterCell(c, T, TREE2_TOP);
  for (int y = 1; y < N; ++y) {
    const int half = 1 + (y % 7) / 2 + y / 4;
    c.Fill(8 - half, y, 2 * half, 1, (y % 7 == 1) ? Pal::Green2 : Pal::Green1);
    c.Set(8 - half, y, Pal::Green2);
  }
  c.Set(8, 0, Pal::Green2);
  c.Outline(0, 0, N, N, Pal::Outline);
  EnterCell(c, T, STATUE_BASE);  // a broken column on its plinth
  c.ShadedBox(1, 11, 14, 5, Pal::Sand);
  c.ShadedBox(4, 0, 8, 11, Pal::Sand);
  c.Fill(6, 0, 1, 11, Pal::Stone1);
  c.Fill(9, 0, 1, 11, Pal::Stone1);
  Moss(c, 95);
  c.Outline(0, 0, N, N, Pal::Outline);
  EnterCell(c, T, STATUE_TOP);
  c.ShadedBox(4, 6, 8, 10, Pal::Sand);
  c.Fill(6, 6, 1, 10, Pal::Stone1);
  c.Fill(9, 6, 1, 10, Pal::Stone1);
  c.Fill(4, 4, 5, 2, Pal::Stone2);  // the jagged break
  c.Set(9, 5, Pal::Stone2);
  c.Fill(5, 9, 2, 4, Pal::Green2);
  c.Outline(0, 0, N, N, Pal::Outline);

  // Overhead: a ruined arch (alone, left, middle, right) and branches.
  for (int part = 0; part < 4; ++part) {
    EnterCell(c, T, ARCH, part);
    c.ShadedBox(0, 0, N, 5, Pal::Sand);
    for (int x = 3; x < N; x += 5) c.Set(x, 1, Pal::Stone0);
    if (part == 0 || part == 1) {
      c.ShadedBox(0, 5, 3, 5, Pal::Sand);
      c.Fill(3, 5, 1, 2, Pal::Stone1);
    }
    if (part == 0 || part == 3) {
      c.ShadedBox(N - 3, 5, 3, 5, Pal::Sand);
      c.Fill(N - 4, 5, 1, 2, Pal::Stone1);
    }
    c.Fill(0, 2, N, 1, Pal::Green2);
    c.Outline(0, 0, N, N, Pal::Outline);
  }
  for (int part = 0; part < 4; ++part) {
    EnterCell(c, T, BRANCHES, part);
    c.ThickLine(0, 2, N - 1, 3, 2, Pal::Wood1);
    if (part == 0 || part == 1) c.Fill(0, 0, 1, N, Pal::Clear);
    c.ShadedEllipse(1, 2, 7, 6, Pal::Leaf);
    c.ShadedEllipse(8, 3, 7, 6, Pal::Leaf);
    c.ShadedEllipse(4, 5, 6, 5, Pal::Grass);
    c.Outline(0, 0, N, N, Pal::Outline);
  }
  EnterCell(c, T, BANNER);  // ivy hanging over the face of a ruin
  for (int x = 1; x < N; x += 3) {
    const int len = 6 + int(Noise(x, 1, 97) % 9);
    for (int y = 0; y < len; ++y)
      c.Set(x + ((y / 3) % 2), y, y % 3 == 0 ? Pal::Green3 : Pal::Green2);
  }
  c.Outline(0, 0, N, N, Pal::Green0);

  c.SetOrigin(0, 0);
  c.ClearClip();
}
