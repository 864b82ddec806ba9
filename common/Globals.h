#pragma once

// Constants shared by the scene, the actors, the game and the level compiler.
//
// TILE_SIZE, the tile size in pixels (32 or 16), is given by the build to the layers that
// depend on it; a layer built once for both sizes cannot use it.

// Every level grid and collision map is 20 columns by 160 rows; cell = column + row * 20.
const int MAP_COLS = 20;
const int MAP_ROWS = 160;
const int MAP_CELLS = MAP_COLS * MAP_ROWS;

// Texels per cell unit in the tileset and every sprite sheet, in both builds.
const int SHEET_TILE_SIZE = 16;
