#pragma once
#include "tools/texgen/Canvas.h"
#include "tools/texgen/TilesetLayout.h"

// Small painters shared by the two tileset themes. Each works inside the
// current cell (the canvas origin at the cell's top-left, drawing clipped to it).
namespace TileArt {

constexpr int N = TilesetLayout::kCellTexels;

// Points the canvas at a cell of the tileset and clips drawing to it.
void EnterCell(Canvas& c, int theme, TilesetLayout::Piece p, int offset = 0);

// A stable pseudo-random number from a texel position and a seed.
unsigned Noise(int x, int y, int seed);

// Fills the cell with base, then sprinkles dark and light texels.
void Speckle(Canvas& c, Color base, Color dark, Color light, int dark_per_64, int light_per_64,
             int seed);
// Flagstones: rows of stones of the given height with mortar lines between.
void Flagstones(Canvas& c, const Ramp& stone, Color mortar, int stone_h, int seed);
// A wall face of bricks, in rows of brick_h texels, offset by half a brick each row.
void Bricks(Canvas& c, const Ramp& brick, Color mortar, int brick_w, int brick_h, int seed);
// The top edge of a wall: a light lip above a dark line (for caps and open sides).
void WallRim(Canvas& c, int mask, Color edge, Color lip);
// A flame of the given height standing on (cx, base_y), flickering with frame.
void Flame(Canvas& c, int cx, int base_y, int height, int frame);
// Waves on a liquid, shifted by frame so the four frames loop.
void Liquid(Canvas& c, const Ramp& ramp, Color glint, int frame, int seed);
// A dark shadow band over the top rows of the cell (under a wall face).
void ShadowTop(Canvas& c, Color shadow, int rows);

}  // namespace TileArt
