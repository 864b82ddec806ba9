#pragma once

// Where every piece of scenery sits in "Textures/tileset.png". Shared by the
// texture generator (which draws the cells) and the level compiler (which
// writes their numbers into the static layers).
//
// The tileset is 16 x 16 cells of 16 texels. Each theme owns a band of
// 8 cell rows: theme 0 (forest ruins) rows 0-7, theme 1 (castle dungeon)
// rows 8-15. Animated pieces are four frames side by side in one row.
namespace TilesetLayout {

constexpr int kCellTexels = 16;
constexpr int kColumns = 16;
constexpr int kRows = 16;
constexpr int kThemeRows = 8;
constexpr int kThemes = 2;
constexpr int kTexelsWide = kColumns * kCellTexels;
constexpr int kTexelsHigh = kRows * kCellTexels;

enum Theme { FOREST = 0, DUNGEON = 1 };

// A piece's place inside its theme's band.
struct Piece {
  int row, col;
};

// Ground (row 0): four plain variants, four of the second ground, four decorated,
// then both grounds in the shadow of a wall face.
constexpr Piece FLOOR{0, 0};
constexpr Piece FLOOR_ALT{0, 4};
constexpr Piece FLOOR_DECO{0, 8};
constexpr Piece FLOOR_SHADOW{0, 12};
constexpr Piece FLOOR_ALT_SHADOW{0, 13};
constexpr Piece FLOOR_LIQUID_EDGE{0, 14};  // ground whose lower neighbour is liquid
constexpr int kFloorVariants = 4;

// Walls (row 1): wall tops by open sides (mask: 1 above, 2 left, 4 right),
// then faces: plain, plain capped, worn, worn capped, torch, torch capped,
// window, window capped. "Capped" faces carry the top edge of a one-row wall.
constexpr Piece WALL_TOP{1, 0};
constexpr int WALL_OPEN_ABOVE = 1, WALL_OPEN_LEFT = 2, WALL_OPEN_RIGHT = 4;
constexpr Piece WALL_FACE{1, 8};
constexpr Piece WALL_FACE_WORN{1, 10};
constexpr Piece WALL_FACE_TORCH{1, 12};
constexpr Piece WALL_FACE_WINDOW{1, 14};

// Animations (row 2): the liquid, the liquid under a bank, and two front effects.
constexpr Piece LIQUID{2, 0};
constexpr Piece LIQUID_BANK{2, 4};
constexpr Piece FRONT_FX{2, 8};    // falling leaves / torch flame (above a torch face)
constexpr Piece FRONT_FX2{2, 12};  // drifting motes / rising embers
constexpr int kAnimFrames = 4;

// Bridges and low obstacles (row 3).
constexpr Piece BRIDGE{3, 0};  // +1 rail on the left, +2 rail on the right
constexpr Piece ROCK{3, 4};
constexpr Piece BUSH{3, 5};
constexpr Piece FENCE{3, 6};  // +0 middle, +1 left end, +2 right end, +3 post alone
constexpr Piece PIT{3, 10};
constexpr Piece STUMP{3, 11};
constexpr Piece CRATE{3, 12};
constexpr Piece RUBBLE{3, 13};

// Tall objects (row 4): blocking bases and the upper parts above them.
constexpr Piece TREE_BASE{4, 0};
constexpr Piece TREE_TOP{4, 1};
constexpr Piece TREE2_BASE{4, 2};
constexpr Piece TREE2_TOP{4, 3};
constexpr Piece STATUE_BASE{4, 4};
constexpr Piece STATUE_TOP{4, 5};

// Overhead pieces (row 5): arch alone/left/middle/right, branches
// alone/left/middle/right, banner.
constexpr Piece ARCH{5, 0};
constexpr Piece BRANCHES{5, 4};
constexpr Piece BANNER{5, 8};

// Cell number (0-based) of a piece of a theme, offset columns to the right.
constexpr int Cell(int theme, Piece p, int offset = 0) {
  return (theme * kThemeRows + p.row) * kColumns + p.col + offset;
}

}  // namespace TilesetLayout
