// Theme 1 of the tileset: a castle dungeon.
#include "tools/texgen/Sheets.h"
#include "tools/texgen/TileArt.h"

using namespace TilesetLayout;
using namespace TileArt;

namespace {
const int T = DUNGEON;

void Floor(Canvas& c, int seed) { Flagstones(c, Pal::Slate, Pal::Outline, 8, seed); }

void Cobbles(Canvas& c, int seed) {
  c.Fill(0, 0, N, N, Pal::Stone0);
  for (int y = 0; y < N; y += 4)
    for (int x = ((y / 4) % 2) * 2; x < N + 4; x += 4) {
      c.ShadedBox(x - 2, y, 3, 3, Pal::Sand);
      if (Noise(x, y, seed) % 5 == 0) c.Set(x - 1, y + 1, Pal::Stone0);
    }
}

void BrickTop(Canvas& c, int seed) {
  c.Fill(0, 0, N, N, Pal::Grey0);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x)
      if (Noise(x, y, seed) % 7 == 0) c.Set(x, y, Pal::Grey1);
  for (int y = 3; y < N; y += 8) c.Fill(0, y, N, 1, Pal::Outline);
}

void BrickFace(Canvas& c, bool capped, int seed) {
  Bricks(c, Pal::Slate, Pal::Outline, 8, 4, seed);
  if (capped) {
    c.Fill(0, 0, N, 3, Pal::Grey2);
    c.Fill(0, 0, N, 1, Pal::Outline);
    c.Fill(0, 3, N, 1, Pal::Grey0);
  }
}
}  // namespace

void DrawDungeonTiles(Canvas& c) {
  // Ground: flagstones, darker cobbles, and flagstones with bones and cracks.
  for (int v = 0; v < kFloorVariants; ++v) {
    EnterCell(c, T, FLOOR, v);
    Floor(c, 110 + v);
    EnterCell(c, T, FLOOR_ALT, v);
    Cobbles(c, 120 + v);
    EnterCell(c, T, FLOOR_DECO, v);
    Floor(c, 130 + v);
  }
  EnterCell(c, T, FLOOR_DECO, 0);  // a skull
  c.ShadedEllipse(4, 5, 7, 6, Pal::Bone);
  c.Fill(5, 8, 2, 2, Pal::Outline);
  c.Fill(8, 8, 2, 2, Pal::Outline);
  c.Fill(6, 11, 4, 1, Pal::Grey2);
  EnterCell(c, T, FLOOR_DECO, 1);  // bones
  c.Line(3, 12, 11, 6, Pal::Grey3);
  c.Set(2, 12, Pal::White);
  c.Set(12, 6, Pal::White);
  c.Line(6, 4, 9, 10, Pal::Grey3);
  EnterCell(c, T, FLOOR_DECO, 2);  // cracks
  c.Line(2, 3, 7, 8, Pal::Outline);
  c.Line(7, 8, 6, 14, Pal::Outline);
  c.Line(7, 8, 12, 10, Pal::Outline);
  EnterCell(c, T, FLOOR_DECO, 3);  // a drain grate
  c.Fill(3, 3, 10, 10, Pal::Outline);
  for (int x = 4; x < 13; x += 2) c.Fill(x, 4, 1, 8, Pal::Grey1);
  EnterCell(c, T, FLOOR_SHADOW);
  Floor(c, 141);
  ShadowTop(c, Pal::Outline, 4);
  EnterCell(c, T, FLOOR_ALT_SHADOW);
  Cobbles(c, 142);
  ShadowTop(c, Pal::Outline, 4);
  EnterCell(c, T, FLOOR_LIQUID_EDGE);  // flagstones ending in a glowing brink
  Floor(c, 143);
  c.Fill(0, 13, N, 2, Pal::Grey2);
  c.Fill(0, 15, N, 1, Pal::Red1);

  // Walls: dark brick tops and faces.
  for (int mask = 0; mask < 8; ++mask) {
    EnterCell(c, T, WALL_TOP, mask);
    BrickTop(c, 150 + mask);
    WallRim(c, mask, Pal::Outline, Pal::Grey2);
  }
  for (int capped = 0; capped < 2; ++capped) {
    EnterCell(c, T, WALL_FACE, capped);
    BrickFace(c, capped, 160);
    EnterCell(c, T, WALL_FACE_WORN, capped);
    BrickFace(c, capped, 161);
    c.Line(4, 5, 8, 12, Pal::Outline);
    c.Fill(10, 13, 3, 2, Pal::Green1);  // damp moss at the foot
    EnterCell(c, T, WALL_FACE_TORCH, capped);
    BrickFace(c, capped, 162);
    c.Fill(7, 9, 2, 4, Pal::Wood1);
    c.Fill(6, 8, 4, 1, Pal::Grey2);
    c.Fill(6, 11, 4, 1, Pal::Grey2);
    EnterCell(c, T, WALL_FACE_WINDOW, capped);  // a barred window
    BrickFace(c, capped, 163);
    c.Fill(5, 5, 6, 7, Pal::Outline);
    c.Fill(6, 5, 1, 7, Pal::Grey2);
    c.Fill(9, 5, 1, 7, Pal::Grey2);
    c.Fill(5, 11, 6, 1, Pal::Grey1);
  }

  // Animations: lava, lava under its brink, torch flame, rising embers.
  for (int f = 0; f < kAnimFrames; ++f) {
    EnterCell(c, T, LIQUID, f);
    Liquid(c, Ramp{Pal::Red0, Pal::Red1, Pal::Orange}, Pal::Yellow, f, 170);
    EnterCell(c, T, LIQUID_BANK, f);
    Liquid(c, Ramp{Pal::Red0, Pal::Red1, Pal::Orange}, Pal::Yellow, f, 170);
    c.Fill(0, 0, N, 2, Pal::Grey0);
    for (int x = 0; x < N; ++x)
      if ((x + 2 * f) % 6 == 0) c.Set(x, 2, Pal::Yellow);
    EnterCell(c, T, FRONT_FX, f);
    Flame(c, 8, 7, 7, f);
    EnterCell(c, T, FRONT_FX2, f);
    for (int k = 0; k < 3; ++k) {
      const int x = (2 + k * 6 + ((f + k) % 2)) % N;
      const int y = (N - 1) - (k * 5 + f * 4) % N;
      c.Set(x, y, k == 0 ? Pal::Yellow : Pal::Orange);
      c.Set(x, y + 1, Pal::Red2);
    }
  }

  // An iron-bound plank bridge.
  for (int rails = 0; rails < 4; ++rails) {
    EnterCell(c, T, BRIDGE, rails);
    for (int y = 0; y < N; y += 4) c.ShadedBox(0, y, N, 4, Pal::Wood);
    c.Fill(4, 0, 1, N, Pal::Grey1);
    c.Fill(11, 0, 1, N, Pal::Grey1);
    if (rails & 1) {
      c.Fill(0, 0, 3, N, Pal::Grey0);
      c.Fill(1, 0, 1, N, Pal::Grey2);
    }
    if (rails & 2) {
      c.Fill(N - 3, 0, 3, N, Pal::Grey0);
      c.Fill(N - 2, 0, 1, N, Pal::Grey1);
    }
  }

  // Low obstacles.
  EnterCell(c, T, ROCK);  // fallen masonry
  c.ShadedBox(2, 7, 8, 7, Pal::Slate);
  c.ShadedBox(7, 4, 7, 6, Pal::Slate);
  c.Outline(0, 0, N, N, Pal::Outline);
  EnterCell(c, T, BUSH);  // a barrel
  c.ShadedBox(3, 2, 10, 13, Pal::Wood);
  c.Fill(3, 4, 10, 1, Pal::Grey1);
  c.Fill(3, 11, 10, 1, Pal::Grey1);
  c.Fill(5, 2, 6, 1, Pal::Wood2);
  c.Outline(0, 0, N, N, Pal::Outline);
  for (int part = 0; part < 4; ++part) {  // an iron railing
    EnterCell(c, T, FENCE, part);
    const int x0 = (part == 1 || part == 3) ? 3 : 0;
    const int x1 = (part == 2 || part == 3) ? 12 : N;
    if (part != 3) {
      c.Fill(x0, 4, x1 - x0, 2, Pal::Grey2);
      c.Fill(x0, 5, x1 - x0, 1, Pal::Grey0);
    }
    for (int x = x0 + 1; x < x1; x += 3) c.Fill(x, 4, 1, 11, Pal::Grey1);
    c.ShadedBox(part == 2 ? 10 : 3, 1, 3, 14, Pal::Iron);
    c.Outline(0, 0, N, N, Pal::Outline);
  }
  // A spiked pit: a dark shaft in the flagstones, its far wall lit, iron spikes at its foot.
  EnterCell(c, T, PIT);
  Floor(c, 180);
  c.Fill(1, 2, 14, 13, Pal::Outline);
  c.Fill(2, 3, 12, 2, Pal::Grey1);  // the far wall, in the light
  c.Fill(5, 3, 1, 2, Pal::Grey0);
  c.Fill(10, 3, 1, 2, Pal::Grey0);
  c.Fill(2, 5, 12, 1, Pal::Grey0);
  c.Fill(2, 14, 12, 1, Pal::Grey2);  // the near lip of the floor
  // Thin spikes with bright points rising from the dark, each on a wider foot.
  const int spikes[4][2] = {{3, 7}, {6, 9}, {9, 6}, {12, 8}};  // centre, point
  for (const auto& spike : spikes) {
    const int x = spike[0], tip = spike[1];
    c.Set(x, tip, Pal::White);
    c.Fill(x, tip + 1, 1, 13 - tip, Pal::Grey3);
    c.Fill(x + 1, tip + 3, 1, 10 - tip, Pal::Grey0);
    c.Set(x - 1, 12, Pal::Grey2);
    c.Set(x - 1, 13, Pal::Grey1);
    c.Set(x + 1, 13, Pal::Grey1);
  }
  c.Set(9, 7, Pal::Red1);  // one has drawn blood

  EnterCell(c, T, STUMP);
  c.ShadedBox(3, 4, 10, 10, Pal::Wood);
  c.Outline(0, 0, N, N, Pal::Outline);
  EnterCell(c, T, CRATE);
  c.ShadedBox(2, 3, 12, 11, Pal::Wood);
  c.Fill(2, 3, 12, 1, Pal::Wood2);
  c.Line(3, 4, 12, 12, Pal::Wood0);
  c.Line(12, 4, 3, 12, Pal::Wood0);
  c.Outline(0, 0, N, N, Pal::Outline);
  EnterCell(c, T, RUBBLE);
  c.ShadedBox(1, 9, 6, 5, Pal::Slate);
  c.ShadedBox(6, 6, 6, 5, Pal::Slate);
  c.ShadedBox(9, 10, 6, 4, Pal::Slate);
  c.Outline(0, 0, N, N, Pal::Outline);

  // Pillars and a knight's statue: blocking bases, tops that hide what walks behind.
  for (int cracked = 0; cracked < 2; ++cracked) {
    EnterCell(c, T, cracked ? TREE2_BASE : TREE_BASE);
    c.ShadedBox(2, 12, 12, 4, Pal::Slate);
    c.ShadedBox(4, 0, 8, 12, Pal::Steel);
    c.Fill(7, 0, 1, 12, Pal::Grey1);
    if (cracked) c.Line(5, 3, 9, 9, Pal::Outline);
    c.Outline(0, 0, N, N, Pal::Outline);
    EnterCell(c, T, cracked ? TREE2_TOP : TREE_TOP);
    c.ShadedBox(4, 5, 8, 11, Pal::Steel);
    c.Fill(7, 5, 1, 11, Pal::Grey1);
    c.ShadedBox(2, 1, 12, 4, Pal::Slate);
    if (cracked) {
      c.Fill(2, 1, 4, 2, Pal::Clear);
      c.Line(8, 6, 10, 12, Pal::Outline);
    }
    c.Outline(0, 0, N, N, Pal::Outline);
  }
  EnterCell(c, T, STATUE_BASE);
  c.ShadedBox(1, 10, 14, 6, Pal::Slate);
  c.ShadedBox(5, 2, 3, 8, Pal::Steel);
  c.ShadedBox(9, 2, 3, 8, Pal::Steel);
  c.ShadedBox(4, 0, 8, 3, Pal::Steel);
  c.Outline(0, 0, N, N, Pal::Outline);
  EnterCell(c, T, STATUE_TOP);
  c.ShadedBox(4, 8, 8, 8, Pal::Steel);
  c.ShadedEllipse(5, 1, 6, 7, Pal::Steel);
  c.Fill(6, 4, 4, 1, Pal::Outline);
  c.Fill(12, 0, 1, 16, Pal::Grey3);  // the stone sword held upright
  c.Fill(11, 9, 3, 1, Pal::Grey1);
  c.Outline(0, 0, N, N, Pal::Outline);

  // Overhead: a dark arch, hanging chains, a banner.
  for (int part = 0; part < 4; ++part) {
    EnterCell(c, T, ARCH, part);
    c.ShadedBox(0, 0, N, 4, Pal::Slate);
    for (int x = 2; x < N; x += 4) c.Fill(x, 0, 1, 4, Pal::Outline);
    if (part == 0 || part == 1) c.ShadedBox(0, 4, 4, 4, Pal::Slate);
    if (part == 0 || part == 3) c.ShadedBox(N - 4, 4, 4, 4, Pal::Slate);
    c.Outline(0, 0, N, N, Pal::Outline);
  }
  for (int part = 0; part < 4; ++part) {
    EnterCell(c, T, BRANCHES, part);
    for (int x = 3; x < N; x += 9)
      for (int y = 0; y < 8 + (x % 3) * 2; y += 2) {
        c.Set(x, y, Pal::Grey2);
        c.Set(x, y + 1, Pal::Grey1);
        c.Set(x + (y / 2) % 2, y, Pal::Grey3);
      }
    c.Outline(0, 0, N, N, Pal::Outline);
  }
  EnterCell(c, T, BANNER);
  c.Fill(3, 0, 10, 1, Pal::Wood1);
  c.ShadedBox(4, 1, 8, 12, Pal::Blood);
  c.Set(4, 13, Pal::Red1);
  c.Set(6, 13, Pal::Red1);
  c.Set(9, 13, Pal::Red1);
  c.Set(11, 13, Pal::Red1);
  c.Fill(7, 4, 2, 5, Pal::Yellow);
  c.Fill(6, 5, 4, 1, Pal::Yellow);
  c.Outline(0, 0, N, N, Pal::Outline);

  c.SetOrigin(0, 0);
  c.ClearClip();
}
